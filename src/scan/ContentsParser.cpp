#include "scan/ContentsParser.h"

#include "base/Text.h"
#include "lists/RowStore.h"
#include "scan/JobLog.h"

namespace bw {

namespace {

enum Marker {
    TaskLog,
    BeginJobLog,
    CheckerBanner,
    ContentsVerification,
    CheckingUser,
    ProcessingComplete,
    EndJobLog,
    UserStats,
    BytesInUse,
    SizeLimitExceeded,
    ThresholdExceeded,
    DiskSpaceManagement,
};

} // namespace

ContentsParser::ContentsParser()
    : m_markers({"===== TASK LOG -", "===== BEGIN - JOB LOG", "Novell GroupWise - GWCH", "CONTENTS VERIFICATION",
                 "Checking user =", "PROCESSING COMPLETE", "END - JOB LOG", "User stats:", "bytes in use by user",
                 "Size Limit Exceeded", "Threshold limit exceeded", "Disk space management"})
{
    m_profile.startStatus = "Started Parsing Content Log File";
    m_profile.sectionFoundStatus = "Content Verification Section Found";
    m_profile.completedPrefix = "Content Verification Section Completed - ";
    m_profile.countUnit = " Users";
    m_profile.continueStatus = "Continuing Parsing Content Log File";
}

void ContentsParser::reset()
{
    m_sectionState = SectionState::Outside;
    m_jobLogMode = false;
    m_current = nullptr;
}

LineResume ContentsParser::lineStep(std::string_view line, LineResume from, ScanContext& ctx)
{
    if (!m_markers.take(line, from, ctx))
        return LineResume::Done;
    const auto has = [this](Marker m) { return m_markers.has(m); };

    switch (from) {
    case LineResume::Start:
        detectJobLog(line, has(TaskLog), has(BeginJobLog), has(CheckerBanner), m_jobLogMode);
        if (has(ContentsVerification) && m_sectionState == SectionState::Outside) {
            m_sectionState = SectionState::BetweenUsers;
            ctx.showStatus(m_profile.sectionFoundStatus);
        }
        if (has(CheckingUser) && m_sectionState <= SectionState::BetweenUsers)
            userHeader(line, ctx);
        if (has(ProcessingComplete) && !m_jobLogMode && m_sectionState != SectionState::Outside
            && completeSection(ctx, m_sectionState))
            return LineResume::AfterFirstSectionEnd;
        [[fallthrough]];
    case LineResume::AfterFirstSectionEnd:
        if (has(ProcessingComplete) && m_jobLogMode && m_sectionState != SectionState::Outside) {
            ctx.rows().endUpdate();
            m_sectionState = SectionState::BetweenUsers;
        }
        if (has(EndJobLog) && m_jobLogMode && m_sectionState != SectionState::Outside
            && completeSection(ctx, m_sectionState))
            return LineResume::AfterSecondSectionEnd;
        [[fallthrough]];
    default: {
        const auto recordOpen = [this] {
            return m_sectionState == SectionState::AfterUserHeader || m_sectionState == SectionState::AfterUserStats;
        };
        if (has(UserStats) && m_sectionState == SectionState::AfterUserHeader)
            userStats(line, ctx);
        if (has(BytesInUse) && recordOpen()) {
            m_current->setSubItem(TotalSize, upTo(trim(line), " "));
            ctx.rows().endUpdate();
            m_sectionState = SectionState::BetweenUsers;
        }
        if (has(SizeLimitExceeded) && recordOpen())
            limitExceeded(line, "S", ctx);
        if (has(ThresholdExceeded) && recordOpen())
            limitExceeded(line, "T", ctx);
        if (has(DiskSpaceManagement) && recordOpen())
            diskSpaceManagement(line);
    }
    }
    return LineResume::Done;
}

namespace {

// Where the values of a "Checking user =" and of a "User stats:" line lie
// in the line's fields, and the answers kept beside them.
namespace cut {
enum Part : std::size_t { Name, Fid, Department, DbSize, Date, InBox, OutBox, WasteBasket, PartCount };
static_assert(PartCount <= LineFields::maxParts);
constexpr std::uint32_t dbSizeIsNumber = 1;
constexpr std::uint32_t headerCut = 2;
constexpr std::uint32_t statsCut = 4;
} // namespace cut

// Cuts a "Checking user =" line: the user's name, the file ID and, from the
// record after the "(", the department, the size and the date, which
// follow the dash in the GroupWise 5 form and the sixth character in the job
// log.
void cutUserHeader(std::string_view line, bool jobLog, LineFields& fields)
{
    std::string_view record = fromPos(line, static_cast<std::ptrdiff_t>(pos(line, "=")) + 2);
    const std::size_t paren = pos(record, "(");
    // The text before "(" (none without one), at most 14 characters of it.
    const std::string_view name = trim(paren >= 15 ? record.substr(0, 14) : record.substr(0, paren > 0 ? paren - 1 : 0));
    record = trim(fromPos(record, static_cast<std::ptrdiff_t>(paren)));
    const std::string_view fid = copyAt(record, 2, 3);
    fields.lookupHash = RowStore::keyHash(name, fid);
    fields.setPart(cut::Name, line, name);
    fields.setPart(cut::Fid, line, fid);

    std::string_view department;
    const std::size_t open = record.find('[');
    if (open != std::string_view::npos) {
        const std::size_t close = record.find(']');
        if (close != std::string_view::npos && close > open)
            department = record.substr(open + 1, close - open - 1);
    }
    fields.setPart(cut::Department, line, department);

    const std::size_t dash = jobLog ? 0 : pos(record, "-");
    record = trim(fromPos(record, dash == 0 ? 6 : static_cast<std::ptrdiff_t>(dash) + 2));
    const std::string_view size = upTo(record, " ");
    fields.setPart(cut::DbSize, line, size);
    fields.setFlag(cut::dbSizeIsNumber, readInt32(size).has_value());
    fields.setPart(cut::Date, line, trim(copyAt(record, static_cast<std::ptrdiff_t>(pos(record, ",")) + 2, 14)));
    fields.setFlag(cut::headerCut, true);
}

// Cuts a "User stats:" line: the InBox, OutBox and WasteBasket counts.
void cutUserStats(std::string_view line, LineFields& fields)
{
    std::string_view record = trim(fromPos(trim(line), 12));
    fields.setPart(cut::InBox, line, upTo(record, " "));
    record = trim(fromPos(record, static_cast<std::ptrdiff_t>(pos(record, "InBox,")) + 7));
    fields.setPart(cut::OutBox, line, upTo(record, " "));
    record = trim(fromPos(record, static_cast<std::ptrdiff_t>(pos(record, "OutBox,")) + 7));
    fields.setPart(cut::WasteBasket, line, upTo(record, " "));
    fields.setFlag(cut::statsCut, true);
}

} // namespace

// The reader cuts headers as the GroupWise 5 form has them, the form most
// logs are in; a job log's are cut again in their turn.
bool ContentsParser::prepare(std::string_view line, MarkerSet::Mask markers, LineFields& fields) const
{
    const bool header = (markers & MarkerSet::bit(CheckingUser)) != 0;
    const bool stats = (markers & MarkerSet::bit(UserStats)) != 0;
    if (header)
        cutUserHeader(line, false, fields);
    if (stats)
        cutUserStats(line, fields);
    return header || stats;
}

// Values a line sets together are neighbours, so that they change in one go.
static_assert(ContentsRow::UserDbSize == ContentsRow::UserFid + 1 && ContentsRow::ReportDate == ContentsRow::Department + 1);
static_assert(ContentsRow::OutBoxSize == ContentsRow::InBoxSize + 1 && ContentsRow::WasteBasketSize == ContentsRow::InBoxSize + 2);
static_assert(ContentsRow::LimitFlag == ContentsRow::TotalSize + 1 && ContentsRow::SizeLimit == ContentsRow::LimitFlag + 1
              && ContentsRow::ThresholdText == ContentsRow::LimitFlag + 2);

void ContentsParser::userHeader(std::string_view line, ScanContext& ctx)
{
    RowStore& rows = ctx.rows();
    rows.beginUpdate();
    const LineFields* fields = ctx.preparedFields(line);
    if (!fields || m_jobLogMode || !fields->flag(cut::headerCut)) {
        m_ownFields = {};
        cutUserHeader(line, m_jobLogMode, m_ownFields);
        fields = &m_ownFields;
    }
    const std::string_view userName = fields->part(line, cut::Name);
    const std::string_view userFid = fields->part(line, cut::Fid);
    const std::string_view dbSize = fields->flag(cut::dbSizeIsNumber) ? fields->part(line, cut::DbSize) : "0";
    const std::string_view date = fields->part(line, cut::Date);

    // The list finds a user by name and file ID, as they read when its row is added.
    Row* row = rows.find(userName, userFid, fields->lookupHash);
    if (row) {
        rows.touch(*row);
        row->setSubItem(UserDbSize, dbSize);
        row->setSubItem(ReportDate, date);
    } else {
        static const Row defaults({}, {"Unknown", "N/A", "N/A", "N/A", "N/A", "N/A", "Z", "N/A", "N/A", "", "N/A"});
        const std::string_view department = fields->part(line, cut::Department);
        row = &rows.addLike(userName, defaults, [&](Row& fresh) {
            fresh.setSubItemsFrom(UserFid, {userFid, dbSize});
            fresh.setSubItemsFrom(Department, {department, date});
        });
    }
    m_current = row;
    m_sectionState = SectionState::AfterUserHeader;
}

void ContentsParser::userStats(std::string_view line, ScanContext& ctx)
{
    const LineFields* fields = ctx.preparedFields(line);
    if (!fields || !fields->flag(cut::statsCut)) {
        m_ownFields = {};
        cutUserStats(line, m_ownFields);
        fields = &m_ownFields;
    }
    m_current->setSubItemsFrom(InBoxSize, {fields->part(line, cut::InBox), fields->part(line, cut::OutBox),
                                           fields->part(line, cut::WasteBasket)});
    m_sectionState = SectionState::AfterUserStats;
}

void ContentsParser::limitExceeded(std::string_view line, const char* flag, ScanContext& ctx)
{
    const std::string_view record = trim(line);
    // Blanks around the number stay: the value is kept as the log wrote it.
    const std::string_view size = upTo(fromPos(record, static_cast<std::ptrdiff_t>(pos(record, "Current size:")) + 13), "KB");
    m_current->setSubItemsFrom(TotalSize, {size, flag});
    ctx.rows().endUpdate();
    m_sectionState = SectionState::BetweenUsers;
}

void ContentsParser::diskSpaceManagement(std::string_view line)
{
    const std::string_view record = trim(line);
    const std::string_view limit = upTo(fromPos(record, static_cast<std::ptrdiff_t>(pos(record, "Size Limit - ")) + 13), "KB");
    const auto value = readInt64(limit);
    if (!value || *value <= 0)
        return;
    m_current->setSubItemsFrom(LimitFlag,
                               {"U", limit, fromPos(record, static_cast<std::ptrdiff_t>(pos(record, "Threshold - ")) + 12)});
}

} // namespace bw
