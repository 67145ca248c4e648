#include "base/CurrentUserName.h"

namespace bw {

namespace {

QString& storedName()
{
    static QString name;
    return name;
}

} // namespace

const QString& CurrentUserName()
{
    return storedName();
}

void setCurrentUserName(const QString& name)
{
    storedName() = name;
}

} // namespace bw
