#pragma once

#include <QString>

#include <optional>

namespace bw {

// The effective user's account name; nothing when the system cannot tell it
// (no account entry for the user id). Qt has no user-account lookup.
std::optional<QString> effectiveAccountName();

// The effective user's numeric id, as text. Qt has none.
QString effectiveUserId();

} // namespace bw
