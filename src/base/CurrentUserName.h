#pragma once

#include <QString>

namespace bw {

// The logged-on user's name in upper case, or "<UNKNOWN>": set by the splash
// and About window each time it is made, written as the author of PDF
// exports. Empty until the first splash.
const QString& CurrentUserName();
void setCurrentUserName(const QString& name);

} // namespace bw
