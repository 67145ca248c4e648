#include "actions/BlobBackdate.h"

#include "base/DisplayText.h"
#include "base/DosDateTime.h"
#include "base/FileTimes.h"
#include "base/LogDirectory.h"
#include "base/Prompter.h"
#include "lists/BlobFullPath.h"
#include "lists/RowLayout.h"
#include "lists/RowStore.h"
#include "session/ScanSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
        switch (RdUnkFile(m_next++)) {
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
    m_session.showActionStatus(QStringLiteral("Completed Redating - ") + counts());
    m_outcome = m_failures > 0 ? Outcome::SomeRowsFailed : Outcome::Succeeded;
    return true;
}

BlobBackdate::RowResult BlobBackdate::RdUnkFile(std::size_t index)
{
    const Row& row = m_session.rows().at(index);
    const std::string path = blobFullPath(row);
    if (row.column(1 + BlobRow::Outcome) == "Deleted")
        return RowResult::Failed;
    const QFileInfo entry = m_resolver.lookup(path);
    // Only a regular file is backdated, and a link is never followed to one.
    if (!entry.isFile() || entry.isSymLink()) {
        m_prompter.message(QStringLiteral("Source File ") + displayText(path) + QStringLiteral(" Not Found"));
        return RowResult::Failed;
    }
    QFile file(entry.filePath());
    if (!file.open(QIODevice::ReadWrite)) {
        m_prompter.error(QDir::toNativeSeparators(entry.filePath()) + QStringLiteral(": ") + file.errorString());
        return RowResult::EndsRun;
    }
    const auto shifted = DosDateTime::shifted(file.fileTime(QFileDevice::FileModificationTime), -shiftDays,
                                              QDateTime::currentDateTime().offsetFromUtc());
    const int code = shifted ? FileTimes::setLastWrite(file, *shifted) : FileTimes::invalidTimeCode();
    if (code != 0) {
        m_prompter.message(QStringLiteral("File Redate Failed - Error ") + QString::number(code));
        return RowResult::Failed;
    }
    return RowResult::Backdated;
}

} // namespace bw
