#include "base/LogDirectory.h"

#include <QDir>

namespace bw {

QString logDirectoryOf(const QString& logPath)
{
    qsizetype cut = -1;
    for (qsizetype i = logPath.size() - 1; i >= 0; --i) {
        const QChar c = logPath.at(i);
        if (c == u'/' || c == u'\\' || c == u':') {
            cut = i;
            break;
        }
    }
    QString dir = logPath.left(cut + 1);
    const bool endsInSeparator = dir.endsWith(u'\\') || dir.endsWith(u'/');
    if (dir.size() > 3 && endsInSeparator)
        dir.chop(1);
    else if (dir.size() > 1 && dir.endsWith(u'/') && !dir.endsWith(u":/"))
        dir.chop(1); // a POSIX folder such as /x/ (only "/" itself is a root)
    return dir;
}

QString logFolderForPaths(const QString& logPath)
{
    QString dir = logDirectoryOf(logPath);
    dir.replace(u'\\', u'/');
    return QDir::cleanPath(QDir::current().absoluteFilePath(dir.isEmpty() ? QStringLiteral(".") : dir));
}

} // namespace bw
