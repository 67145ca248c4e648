#pragma once

#include <QString>

namespace bw {

// The folder of a log as the Document Rescue tab proposes it for output: the
// path up to its last separator ("/", "\" or ":"), without that separator
// unless what is left is a root ("C:\", "/").
QString logDirectoryOf(const QString& logPath);

} // namespace bw
