#pragma once

namespace bw {

// Where each kind keeps its values in a row: sub-item k shows in column
// k + 1, and sub-items past the visible columns hold what tips, exports and
// reports read. The parsers fill them; lists, actions and reports read them.

struct ContentsRow {
    enum SubItem {
        UserFid,
        UserDbSize,
        InBoxSize,
        OutBoxSize,
        WasteBasketSize,
        TotalSize,
        LimitFlag,
        SizeLimit,
        ThresholdText,
        Department,
        ReportDate,
        SubItemCount
    };
};

struct DocumentRow {
    enum SubItem {
        Version,
        Author,
        Library,
        AuthorDpu,
        Extension,
        OutputFile,
        SubItemCount
    };
};

struct ExpireRow {
    enum SubItem {
        UserDatabase,
        MessageDatabase,
        UserDatabaseSize,
        SubItemCount
    };
};

// The caption is the BLOB file's name.
struct BlobRow {
    enum SubItem { LibraryLocation, FileSize, DateAndTime, Unused, Outcome, SubItemCount };
};

} // namespace bw
