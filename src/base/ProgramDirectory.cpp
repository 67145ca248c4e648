#include "base/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

namespace bw {

QString programDirectory()
{
    if (!QCoreApplication::instance())
        return {};
    return QDir::toNativeSeparators(directoryOfProgram(QCoreApplication::applicationFilePath()));
}

QString directoryOfProgram(const QString& programPath)
{
    const qsizetype last = std::max(programPath.lastIndexOf(u'/'), programPath.lastIndexOf(u'\\'));
    if (last < 0)
        return {};
    const QString folder = programPath.left(last);
    // A root keeps its separator: "/" and "C:\".
    if (folder.isEmpty() || (folder.size() == 2 && folder[1] == u':'))
        return programPath.left(last + 1);
    return folder;
}

} // namespace bw
