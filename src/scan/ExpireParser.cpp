#include "scan/ExpireParser.h"

#include "base/Text.h"
#include "lists/RowStore.h"

namespace bw {

namespace {

enum Marker {
    ExpireStatistics,
    Version5,
    Version6,
    Version7,
    ProcessingComplete,
};

} // namespace

// The record patterns ("(", "])", " BYTE" in any case) are short or folded,
// so they are left out of the marker pass, which then skips ahead in long
// steps; they are looked for only on lines inside a section.
ExpireParser::ExpireParser()
    : m_markers({"Expire Statistics", "Version 5.", "Version 6.", "Version 7.", "PROCESSING COMPLETE"})
{
    m_profile.startStatus = "Started Parsing Expire Statistics Log File";
    m_profile.sectionFoundStatus = "Expire Statistics Section Found";
    m_profile.completedPrefix = "Expire Statistics Section Completed - ";
    m_profile.countUnit = " Users";
    m_profile.continueStatus = "Continuing Parsing Expire Statistics Log File";
}

void ExpireParser::reset()
{
    m_sectionState = SectionState::Outside;
    m_logVersion = 0;
}

LineResume ExpireParser::lineStep(std::string_view line, LineResume from, ScanContext& ctx)
{
    if (from != LineResume::Start)
        return LineResume::Done;
    const bool marked = m_markers.take(line, from, ctx);
    const bool recordsAdmitted = m_sectionState == SectionState::InSection && m_logVersion >= 5;
    if (!marked && !recordsAdmitted)
        return LineResume::Done;
    const auto has = [this](Marker m) { return m_markers.has(m); };

    if (has(ExpireStatistics) && m_sectionState == SectionState::Outside) {
        ctx.showStatus(m_profile.sectionFoundStatus);
        m_sectionState = SectionState::InSection;
    }
    if (has(Version5))
        m_logVersion = 5;
    if (has(Version6))
        m_logVersion = 6;
    if (has(Version7))
        m_logVersion = 7;
    if (m_sectionState == SectionState::InSection) {
        if (m_logVersion == 5 && contains(line, "(") && containsFolded(line, " BYTE"))
            addRecord(line, "-", ctx);
        else if (m_logVersion > 5 && contains(line, "])") && contains(line, "(") && !contains(line, "#recs"))
            addRecord(line, "/", ctx);
    }
    // The section end is the line's last test: after Continue nothing is left to run.
    if (has(ProcessingComplete) && m_sectionState == SectionState::InSection && completeSection(ctx, m_sectionState))
        return LineResume::AfterFirstSectionEnd;
    return LineResume::Done;
}

void ExpireParser::addRecord(std::string_view line, std::string_view separator, ScanContext& ctx)
{
    const std::size_t blank = pos(line, " ");
    const std::string_view userName = blank >= 15 ? line.substr(0, 14) : upTo(line, " ");
    RowStore& rows = ctx.rows();
    if (rows.find(userName))
        return;

    const std::string_view r0 = trim(afterFirst(line, "("));
    const std::string_view userDatabaseId = upTo(r0, " ");
    const std::string_view r1 = trim(afterFirst(r0, separator));
    const std::string_view messageDatabaseNumber = upTo(r1, ")");
    const std::string_view r2 = trim(afterFirst(r1, " "));
    const std::string_view r3 = trim(afterFirst(r2, ")"));
    const std::string_view r4 = trim(afterFirst(r3, " "));
    const std::string_view r5 = trim(afterFirst(r4, " "));
    const std::string_view size = upTo(r5, " ");

    std::string userDatabase = "User";
    userDatabase += userDatabaseId;
    userDatabase += ".db";
    std::string messageDatabase = "Msg";
    messageDatabase += messageDatabaseNumber;
    messageDatabase += ".db";

    rows.beginUpdate();
    rows.add(std::string(userName), {std::move(userDatabase), std::move(messageDatabase), std::string(size)});
    rows.endUpdate();
}

} // namespace bw
