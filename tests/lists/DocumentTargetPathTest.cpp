#include "lists/DocumentTargetPath.h"
#include "lists/Row.h"

#include <gtest/gtest.h>

using namespace bw;

TEST(DocumentTargetPath, OneSeparatorBetweenEachPart)
{
    Row row;
    row.caption = "1234";
    row.setSubItems({"2", "JSMITH", "LIB0001", "DOM1.PO1.JSMITH", "doc", "x"});
    EXPECT_EQ(documentTargetPath(QStringLiteral("/out"), row).path, "/out/LIB0001/JSMITH/1234_2.doc");
    const DocumentTargetPath root = documentTargetPath(QStringLiteral("/"), row);
    EXPECT_EQ(root.path, "/LIB0001/JSMITH/1234_2.doc");
    EXPECT_EQ(root.libraryDirectory, "/LIB0001");
    EXPECT_EQ(root.authorDirectory, "/LIB0001/JSMITH");
    EXPECT_EQ(documentTargetPath(QStringLiteral("C:\\"), row).path, "C:\\LIB0001/JSMITH/1234_2.doc");
}
