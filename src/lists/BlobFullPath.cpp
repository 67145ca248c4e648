#include "lists/BlobFullPath.h"

#include "lists/Row.h"
#include "lists/RowLayout.h"

namespace bw {

std::string blobFullPath(const Row& row)
{
    std::string path(row.column(1 + BlobRow::LibraryLocation));
    path += '\\';
    path += row.caption;
    return path;
}

} // namespace bw
