#pragma once

#include <QString>

namespace bw {

// Fresh names in the system's temporary folder.
class TemporaryFileName {
public:
    // An empty file is made under the name, so that no other asker gets it;
    // the caller deletes it. Empty when the folder cannot be written.
    static QString create(const QString& prefix);
};

} // namespace bw
