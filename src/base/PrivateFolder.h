#pragma once

#include <QString>
#include <QtGlobal>

namespace bw {

// Whether path is a real folder (not a link) of the effective user that no
// one else may enter (mode 0700 or narrower); with create, made so first
// when it is missing. Qt has no owner-and-mode check without following links.
bool isPrivateFolder(const QString& path, bool create = false);

// Whether the process at the other end of the connected local socket runs
// as the effective user of this one (SO_PEERCRED). Qt has no peer
// credentials.
bool peerIsSameUser(qintptr socketDescriptor);

} // namespace bw
