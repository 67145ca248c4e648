#pragma once

#include <string>

namespace bw {

struct Row;

// The full path of an Unknown BLOB row's file as the log names it: the
// library location, one backslash and the file's name. The Unknown BLOB
// report prints it and the backdating looks it up.
std::string blobFullPath(const Row& row);

} // namespace bw
