#pragma once

#include "session/KindProfile.h"

namespace bw {

// What differs between the four tabs' widgets: their kind, texts and control
// names. What differs below the window is the kind's KindProfile. Captions
// carry their mnemonic ("&"), none twice among a tab's controls.
struct TabTraits {
    ScanKind kind;
    const char* title;
    const char* sheetName;
    const char* logBoxName;
    const char* pickName;
    const char* listName;
    const char* statusName;
    const char* lineCounterName;
    const char* parseName;
    const char* continueName;
    const char* printName;
    const char* actionName;
    const char* actionCaption;
    const char* actionHint;
    const char* dialogTitle;
    const char* closeRefusedMessage;
    bool focusParseAfterPick;
    // The list's widest text column (names, paths), which takes the room a
    // wider window gives.
    int stretchColumn;
    // Shown in the empty list when a log held no section of this kind.
    const char* noSectionText;
};

inline constexpr TabTraits tabTraits[] = {
    {ScanKind::Contents, "&Contents Check", "TSContents", "EContLogFile", "SpdBContents", "LV_Cont",
     "LContStatusValue", "LContLineCountValue", "BContParse", "BContcont", "BContPrint", "BContExport", "&Export",
     "Export the Results in Tab Delimited Format", "Select Required GWCheck Contents Log",
     "Please Complete the Contents Check Log File Scan", true, 0,
     "No Contents Check section was found in this log"},
    {ScanKind::Documents, "&Document Rescue", "TSDocs", "EDocLogFile", "SpdBDocs", "LV_Doc", "LDocStatusValue",
     "LdocLineCountValue", "BDocParse", "bDocCont", "BDocPrint", "BDocExport", "&Export",
     "Write the NWAdmin CSV File and Export the Document Files", "Select Required GWCheck Document Log",
     "Please Complete the Document Rescue Log File Scan", false, 6,
     "No Document Rescue section was found in this log"},
    {ScanKind::Expire, "&Message DB", "TSMessage", "EMessLogFile", "SpdBMessage", "LV_Mess", "LMessStatusValue",
     "LMessLineCountValue", "BMessParse", "BMessCont", "BMessPrint", "BMessExport", "&Export",
     "Export the Results in Tab Delimited Format", "Select Required GWCheck Expire Statistics Log",
     "Please Complete the MessageDB Log File Scan", true, 0,
     "No Expire Statistics section was found in this log"},
    {ScanKind::Structure, "&Unknown - 52", "TSUnknown", "EUnkLogFile", "SpBUnk", "LV_Unk", "LUnkStatusValue",
     "LUnkLineCountValue", "BUnkParse", "BUnkCont", "BUnkPrint", "BUnkExport", "&Backdate",
     "Backdate the Unknown BLOB Files by 14 days", "Select Required GWCheck Structure Check Log",
     "Please Complete the Structure Check Log File Scan", false, 1,
     "No Structure Check section was found in this log"},
};

} // namespace bw
