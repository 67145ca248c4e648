#include "lists/RowLayout.h"
#include "lists/SortState.h"
#include "session/KindProfile.h"

#include <gtest/gtest.h>

using namespace bw;

TEST(KindProfile, OneEntryPerKindFoundByKindAndByName)
{
    const char* names[] = {"contents", "documents", "expire", "structure"};
    const ScanKind kinds[] = {ScanKind::Contents, ScanKind::Documents, ScanKind::Expire, ScanKind::Structure};
    ASSERT_EQ(kindProfiles().size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const KindProfile* byName = kindProfileNamed(names[i]);
        ASSERT_NE(byName, nullptr) << names[i];
        EXPECT_EQ(byName, &kindProfile(kinds[i]));
        EXPECT_EQ(byName->kind, kinds[i]);
        EXPECT_NE(byName->makeParser(), nullptr);
        SortState sort;
        EXPECT_TRUE(byName->makeRows(sort)->empty());
    }
    EXPECT_EQ(kindProfileNamed("Contents"), nullptr);
    EXPECT_EQ(kindProfileNamed(""), nullptr);

    EXPECT_EQ(kindProfile(ScanKind::Contents).columns().size(), 8u);
    EXPECT_EQ(kindProfile(ScanKind::Documents).columns().size(), 7u);
    EXPECT_EQ(kindProfile(ScanKind::Expire).columns().size(), 4u);
    EXPECT_EQ(kindProfile(ScanKind::Structure).columns().size(), 4u);
    EXPECT_EQ(kindProfile(ScanKind::Structure).makeParser()->profile().rowCap, 4000);

    // A Contents user is one row per name and file ID.
    SortState sort;
    const auto rows = kindProfile(ScanKind::Contents).makeRows(sort);
    Row& al = rows->add("AL", {"a1a"});
    rows->add("AL", {"b2b"});
    EXPECT_EQ(rows->find("AL", "a1a"), &al);
    EXPECT_EQ(rows->find("AL", "c3c"), nullptr);
}

TEST(KindProfile, OnlyContentsRowsLookDifferentAndOnlyDocumentRowsAreChecked)
{
    Row over{"AL", {"a1a", "9", "40", "2", "0", "900", "S", "N/A", "N/A", "Ops", ""}};
    const KindProfile& contents = kindProfile(ScanKind::Contents);
    ASSERT_TRUE(contents.rowColour && contents.rowTip);
    EXPECT_EQ(contents.rowColour(over)->green, 0);
    EXPECT_EQ(contents.rowTip(over), "AL (Ops) is above Mailbox Size Limit");
    EXPECT_TRUE(contents.headerClickNeedsAction);
    for (const KindProfile& p : kindProfiles()) {
        EXPECT_EQ(p.checkableRows, p.kind == ScanKind::Documents) << p.name;
        EXPECT_EQ(p.hasOutputDirectory, p.kind == ScanKind::Documents) << p.name;
        if (p.kind != ScanKind::Contents) {
            EXPECT_FALSE(p.rowColour) << p.name;
            EXPECT_FALSE(p.headerClickNeedsAction) << p.name;
        }
    }
}
