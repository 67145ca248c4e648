#include "report_engine/TemporaryFileName.h"

#include <QDir>
#include <QTemporaryFile>

namespace bw {

QString TemporaryFileName::create(const QString& prefix)
{
    QTemporaryFile file(QDir(QDir::tempPath()).filePath(prefix + QStringLiteral("XXXXXX.tmp")));
    file.setAutoRemove(false);
    if (!file.open())
        return QString();
    return file.fileName();
}

} // namespace bw
