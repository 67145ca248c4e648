#include "actions/BlobBackdate.h"

#include "actions/DocumentRescue.h"

#include "base/DisplayText.h"
#include "base/DosDateTime.h"
#include "base/LogDirectory.h"
#include "base/Prompter.h"
#include "base/StoreFiles.h"
#include "lists/BlobFullPath.h"
#include "lists/RowLayout.h"
#include "lists/RowStore.h"
#include "session/ScanSession.h"

#include <QFileInfo>

#include <cerrno>

namespace bw {

BlobBackdate::BlobBackdate(ScanSession& session, Prompter& prompter)
    : m_session(session)
    , m_prompter(prompter)
{
    m_resolver.setMappings(session.pathMappings());
}

QString BlobBackdate::counts() const
{
    return QString::number(m_successes) + QStringLiteral(" Successful / ") + QString::number(m_failures) +
           QStringLiteral(" Failures");
}

void BlobBackdate::begin()
{
    m_begun = true;
    m_session.showActionStatus(QStringLiteral("Redating BLOB Files"));
    const QString folder = logFolderForPaths(m_session.logPath());
    if (!QFileInfo(folder).isDir())
        m_prompter.message(QStringLiteral("Directory Reset Failed"));
    m_resolver.setBaseDirectory(folder);
}

bool BlobBackdate::step(Clock::time_point deadline)
{
    if (!m_begun)
        begin();
    const RowStore& rows = m_session.rows();
    while (m_next < rows.size()) {
        switch (backdateRow(m_next++)) {
        case RowResult::Backdated:
            ++m_successes;
            break;
        case RowResult::Failed:
            ++m_failures;
            break;
        case RowResult::EndsRun:
            // The status keeps the last progress text.
            m_outcome = Outcome::Failed;
            return true;
        }
        m_session.showActionStatus(QStringLiteral("Redating BLOB Files - ") + counts());
        if (m_next < rows.size() && Clock::now() >= deadline)
            return false;
    }
    m_session.showActionStatus(QStringLiteral("Completed Redating - ") + counts() +
                               DocumentRescue::outsideNote(m_outside));
    m_outcome = m_failures > 0 ? Outcome::SomeRowsFailed : Outcome::Succeeded;
    return true;
}

BlobBackdate::RowResult BlobBackdate::backdateRow(std::size_t index)
{
    const Row& row = m_session.rows().at(index);
    const std::string path = blobFullPath(row);
    if (row.column(1 + BlobRow::Outcome) == "Deleted")
        return RowResult::Failed;
    const auto notFound = [&] {
        m_prompter.message(QStringLiteral("Source File ") + displayText(path) + QStringLiteral(" Not Found"));
        return RowResult::Failed;
    };
    const auto located = m_resolver.locate(path);
    if (!located)
        return notFound();
    if (located->root.empty()) {
        ++m_outside;
        return notFound();
    }
    int error = 0;
    std::string name;
    const FileHandle dir = StoreFiles::openParent(located->root, located->path, name, error);
    if (!dir.isOpen())
        return notFound();
    // An existing regular file only, never through a link, never created.
    const FileHandle file = StoreFiles::openExisting(dir, name, true, error);
    if (!file.isOpen()) {
        if (error == ENOENT)
            return notFound();
        m_prompter.error(displayText(located->path) + QStringLiteral(": ") + StoreFiles::reason(error));
        return RowResult::EndsRun;
    }
    FileState state;
    int code = StoreFiles::state(file, state);
    if (code == 0) {
        const QDateTime written = QDateTime::fromMSecsSinceEpoch(state.modifiedNs / 1000000);
        const auto shifted =
            DosDateTime::shifted(written, -shiftDays, QDateTime::currentDateTime().offsetFromUtc());
        code = shifted ? StoreFiles::setModified(file, shifted->toMSecsSinceEpoch() * 1000000)
                       : EINVAL; // a time the file system cannot hold
    }
    if (code != 0) {
        m_prompter.rowMessage(QStringLiteral("File Redate Failed - Error ") + QString::number(code),
                              displayText(located->path));
        return RowResult::Failed;
    }
    return RowResult::Backdated;
}

} // namespace bw
