#pragma once

#include "actions/ActionRun.h"
#include "session/KindProfile.h"

#include <QString>

#include <optional>
#include <string>

namespace bw {

class Prompter;
class RowStore;
class SaveLocation;
class ScanSession;

// The Export button of Contents Check and of Message DB: the listed rows,
// in list order, as tab-delimited text with CR LF line ends, values written
// exactly as the rows hold them. The Contents file starts with a header
// line, the Expire Statistics file has none. The list, the status and the buttons stay as they are.
class TabDelimitedExport : public ActionRun {
public:
    enum class Format { Contents, Expire };

    TabDelimitedExport(Format format, ScanSession& session, Prompter& prompter, SaveLocation& dialog);

    // The format of a kind's export; nothing for the kinds without one.
    static std::optional<Format> formatFor(ScanKind kind);
    static QString dialogTitle(Format format);
    // The header line (Contents only).
    static void appendHeader(Format format, std::string& out);
    static void appendRows(Format format, const RowStore& rows, std::string& out);
    // One export's bytes: the header and the rows.
    static std::string bytes(Format format, const RowStore& rows);

    bool step(Clock::time_point deadline) override;

private:
    Format m_format;
    ScanSession& m_session;
    Prompter& m_prompter;
    SaveLocation& m_dialog;
};

} // namespace bw
