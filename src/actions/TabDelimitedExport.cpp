#include "actions/TabDelimitedExport.h"

#include "actions/SaveLocation.h"
#include "base/ExportFile.h"
#include "base/Prompter.h"
#include "lists/RowLayout.h"
#include "lists/RowStore.h"
#include "session/ScanSession.h"

namespace bw {

namespace {

// Caption and sub-items 0 to 10 (Contents), caption and 0 to 2 (Expire).
int fieldCount(TabDelimitedExport::Format format)
{
    return format == TabDelimitedExport::Format::Contents ? 1 + ContentsRow::SubItemCount
                                                          : 1 + ExpireRow::SubItemCount;
}

} // namespace

TabDelimitedExport::TabDelimitedExport(Format format, ScanSession& session, Prompter& prompter, SaveLocation& dialog)
    : m_format(format)
    , m_session(session)
    , m_prompter(prompter)
    , m_dialog(dialog)
{
}

std::optional<TabDelimitedExport::Format> TabDelimitedExport::formatFor(ScanKind kind)
{
    switch (kind) {
    case ScanKind::Contents:
        return Format::Contents;
    case ScanKind::Expire:
        return Format::Expire;
    case ScanKind::Documents:
    case ScanKind::Structure:
        break;
    }
    return std::nullopt;
}

QString TabDelimitedExport::dialogTitle(Format format)
{
    return format == Format::Contents ? QStringLiteral("Enter Name for Tab Delimited Content Results Export File")
                                      : QStringLiteral("Enter Name for Tab Delimited Expire Statistics Export File");
}

void TabDelimitedExport::appendHeader(Format format, std::string& out)
{
    if (format == Format::Contents)
        out += "User Name\tUser FID\tUser DB Size\tInbox\tOutbox\tWasteBasket\tTotal Size\tOver Threshold\t"
               "Size Limit\tThreshold\tDepartment\tReport Date\r\n";
}

void TabDelimitedExport::appendRows(Format format, const RowStore& rows, std::string& out)
{
    const int fields = fieldCount(format);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows.at(i);
        for (int f = 0; f < fields; ++f) {
            if (f > 0)
                out += '\t';
            out += row.column(f);
        }
        out += "\r\n";
    }
}

std::string TabDelimitedExport::bytes(Format format, const RowStore& rows)
{
    std::string out;
    appendHeader(format, out);
    appendRows(format, rows, out);
    return out;
}

bool TabDelimitedExport::step(Clock::time_point)
{
    const auto path = m_dialog.ask(m_prompter, dialogTitle(m_format));
    if (!path) {
        m_outcome = Outcome::Cancelled;
        return true;
    }
    const QString error = ExportFile::save(*path, bytes(m_format, m_session.rows()));
    if (!error.isEmpty()) {
        m_prompter.error(error);
        m_outcome = Outcome::Failed;
    }
    return true;
}

} // namespace bw
