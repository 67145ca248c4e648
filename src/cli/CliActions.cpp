#include "cli/CliActions.h"

#include "actions/ActionDriver.h"
#include "actions/BlobBackdate.h"
#include "actions/DocumentRescue.h"
#include "base/Prompter.h"
#include "session/ScanSession.h"

#include <QDir>

namespace bw {

namespace {

const QString numbered = QStringLiteral("{n}");

QString absolute(const QString& path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

} // namespace

CliActions::CliActions(const Options& options, ScanSession& session, Prompter& prompter)
    : m_options(options)
    , m_session(session)
    , m_prompter(prompter)
{
    if (!options.exportFile.isEmpty())
        m_format = TabDelimitedExport::formatFor(session.kind());
    if (!options.rescueDirectory.isEmpty())
        m_session.setOutputDirectory(options.rescueDirectory);
}

CliActions::~CliActions() = default;

bool CliActions::any() const
{
    return m_format || !m_options.csvFile.isEmpty() || m_options.backdate;
}

bool CliActions::fail(const QString& text)
{
    m_prompter.error(text);
    m_failed = true;
    return false;
}

bool CliActions::open()
{
    if (!m_format && !m_options.csvFile.isEmpty()) {
        m_journal = std::make_unique<ImportJournal>(absolute(m_options.csvFile));
        return m_journal->open() || fail(m_journal->errorText());
    }
    QString path;
    if (m_format && !m_options.exportFile.contains(numbered))
        path = absolute(m_options.exportFile);
    if (path.isEmpty())
        return true;
    m_file = std::make_unique<ExportFile>(path);
    if (!m_file->open())
        return fail(m_file->errorText());
    if (m_format) {
        std::string header;
        TabDelimitedExport::appendHeader(*m_format, header);
        if (!m_file->write(header))
            return fail(m_file->errorText());
    }
    return true;
}

bool CliActions::exportRows()
{
    if (m_file) {
        std::string bytes;
        TabDelimitedExport::appendRows(*m_format, m_session.rows(), bytes);
        return m_file->write(bytes) || fail(m_file->errorText());
    }
    QString name = m_options.exportFile;
    name.replace(numbered, QString::number(m_runs));
    const QString error = ExportFile::save(absolute(name), TabDelimitedExport::bytes(*m_format, m_session.rows()));
    return error.isEmpty() || fail(error);
}

bool CliActions::run()
{
    if (m_failed)
        return false;
    ++m_runs;
    if (m_format)
        return exportRows();
    if (!m_options.csvFile.isEmpty()) {
        DocumentRescue rescue(m_session, m_prompter, *m_journal);
        rescue.showStart();
        rescue.resetDirectory();
        const auto outcome = ActionDriver::runToEnd(m_session, rescue);
        m_outside += rescue.outsideRows();
        if (outcome == ActionRun::Outcome::Failed) {
            m_failed = true;
            return false;
        }
        rescue.showCompletion();
        m_rowFailed = m_rowFailed || outcome == ActionRun::Outcome::SomeRowsFailed;
        return true;
    }
    if (m_options.backdate) {
        BlobBackdate backdate(m_session, m_prompter);
        const auto outcome = ActionDriver::runToEnd(m_session, backdate);
        m_outside += backdate.outsideRows();
        if (outcome == ActionRun::Outcome::Failed) {
            m_failed = true;
            return false;
        }
        m_rowFailed = m_rowFailed || outcome == ActionRun::Outcome::SomeRowsFailed;
    }
    return true;
}

int CliActions::finish(bool scanFailed)
{
    if (m_outside > 0)
        m_prompter.message(QStringLiteral("%1 files lie outside the log's folder and every mapped folder: "
                                          "--map PREFIX=FOLDER allows them").arg(m_outside));
    // Lines of a run that stopped stay in the journal: their sources are
    // renamed, and the next run into the same import file folds them in.
    if (m_journal && !m_failed && !m_journal->commit())
        fail(m_journal->errorText());
    if (m_file && !m_failed) {
        // A log that could not be read leaves an earlier file alone.
        if (scanFailed && m_runs == 0)
            m_file->discard();
        else if (!m_file->commit())
            fail(m_file->errorText());
    }
    if (m_failed || scanFailed)
        return 1;
    return m_rowFailed ? 3 : 0;
}

} // namespace bw
