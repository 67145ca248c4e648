#pragma once

#include <QString>

namespace bw {

// The folder of a log as the Document Rescue tab proposes it for output: the
// path up to its last separator ("/", "\" or ":"), without that separator
// unless what is left is a root ("C:\", "/").
QString logDirectoryOf(const QString& logPath);

// The local folder that relative paths written in a log start from: the
// log's folder as above, "\" read as "/", made absolute against the current
// directory; the current directory when the path names no folder.
QString logFolderForPaths(const QString& logPath);

} // namespace bw
