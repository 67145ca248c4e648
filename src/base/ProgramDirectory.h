#pragma once

#include <QString>

namespace bw {

// The folder of the running program file, in the platform's separators,
// without a trailing separator unless it is a root ("/", "C:\"). Empty when
// no application object exists (in tests of the core).
QString programDirectory();

// The same for a given program path, "\" and "/" both separating.
QString directoryOfProgram(const QString& programPath);

} // namespace bw
