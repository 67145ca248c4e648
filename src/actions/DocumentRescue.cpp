#include "actions/DocumentRescue.h"

#include "actions/DocumentTarget.h"
#include "actions/ImportJournal.h"
#include "base/DisplayText.h"
#include "base/LogDirectory.h"
#include "base/Prompter.h"
#include "base/StoreFiles.h"
#include "lists/DocumentTargetPath.h"
#include "lists/RowLayout.h"
#include "lists/RowStore.h"
#include "session/ScanSession.h"

#include <QFile>
#include <QFileInfo>

namespace bw {

namespace {

// The source's name with its extension (from the last full stop) replaced
// by ".xxx", or ".xxx" added.
std::string markedName(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    return (dot == std::string::npos ? name : name.substr(0, dot)) + ".xxx";
}

std::string lastPart(std::string_view dpu)
{
    const std::size_t dot = dpu.rfind('.');
    return std::string(dot == std::string_view::npos ? dpu : dpu.substr(dot + 1));
}

} // namespace

DocumentRescue::DocumentRescue(ScanSession& session, Prompter& prompter, ImportJournal& journal,
                               const QLocale& locale, QDate today)
    : m_session(session)
    , m_prompter(prompter)
    , m_journal(journal)
    , m_date(locale.toString(today, QLocale::ShortFormat))
{
    m_resolver.setMappings(session.pathMappings());
}

void DocumentRescue::showStart()
{
    m_successes = m_failures = m_outside = 0;
    m_next = 0;
    m_importFolder = m_session.importFolder();
    m_session.showActionStatus(m_session.importPathNote());
    m_session.showActionStatus(QStringLiteral("Exporting Document Files and Creating Import File"));
}

void DocumentRescue::resetDirectory()
{
    const QString folder = logFolderForPaths(m_session.logPath());
    if (!QFileInfo(folder).isDir())
        m_prompter.message(QStringLiteral("Directory Reset Failed"));
    m_resolver.setBaseDirectory(folder);
}

QString DocumentRescue::counts() const
{
    return QString::number(m_successes) + QStringLiteral(" Successful / ") + QString::number(m_failures) +
           QStringLiteral(" Failures");
}

void DocumentRescue::showCompletion()
{
    m_session.showActionStatus(QStringLiteral("Completed Export - ") + counts() + outsideNote(m_outside));
}

QString DocumentRescue::outsideNote(int rows)
{
    if (rows == 0)
        return QString();
    return QStringLiteral(" - %1 outside the log's folder and every mapped folder: a path mapping allows them").arg(rows);
}

std::string DocumentRescue::csvLine(std::string_view authorDpu, std::string_view document, std::string_view version,
                                    std::string_view target, const QString& date)
{
    const std::string author = lastPart(authorDpu);
    std::string line;
    for (const std::string_view field : {std::string_view(author), std::string_view(author), document, version, target}) {
        line += '"';
        line += field;
        line += "\",";
    }
    line += "\"ReImported on ";
    line += date.toLocal8Bit().toStdString();
    line += "\"\r\n";
    return line;
}

bool DocumentRescue::step(Clock::time_point deadline)
{
    RowStore& rows = m_session.rows();
    while (m_next < rows.size()) {
        const std::size_t i = m_next++;
        const QString target = rescueRow(i);
        if (m_journalFailed) {
            // Its source keeps its name: no line, no rename.
            m_prompter.error(m_journal.errorText());
            m_outcome = Outcome::Failed;
            return true;
        }
        if (!target.isEmpty()) {
            ++m_successes;
            rows.setChecked(i, true);
        } else {
            ++m_failures;
            rows.setChecked(i, false);
        }
        m_session.showActionStatus(QStringLiteral("Exporting - ") + counts());
        if (Clock::now() >= deadline)
            return m_next >= rows.size() && rowsDone();
    }
    return rowsDone();
}

bool DocumentRescue::rowsDone()
{
    m_outcome = m_failures > 0 ? Outcome::SomeRowsFailed : Outcome::Succeeded;
    return true;
}

QString DocumentRescue::rescueRow(std::size_t index)
{
    const Row& row = m_session.rows().at(index);
    const QString& output = m_session.outputDirectory();
    int error = 0;
    const FileHandle outputDir =
        output.isEmpty() ? FileHandle() : StoreFiles::openFolder(QFile::encodeName(output).toStdString(), error);
    if (!outputDir.isOpen()) {
        m_prompter.message(QStringLiteral("Target Output Directory does not Exist"));
        return {};
    }
    const std::string_view sourceText = row.column(1 + DocumentRow::OutputFile);
    const QString sourceShown = displayText(sourceText);
    const auto notFound = [&] {
        m_prompter.message(QStringLiteral("Source File ") + sourceShown + QStringLiteral(" Not Found"));
        return QString();
    };
    const auto located = m_resolver.locate(sourceText);
    if (!located)
        return notFound();
    if (located->root.empty()) {
        ++m_outside;
        return notFound();
    }
    // Only a regular file below that folder, reached without a link.
    std::string name;
    const FileHandle sourceDir = StoreFiles::openParent(located->root, located->path, name, error);
    const FileHandle source = sourceDir.isOpen() ? StoreFiles::openExisting(sourceDir, name, false, error) : FileHandle();
    FileState before;
    if (!source.isOpen() || StoreFiles::state(source, before) != 0)
        return notFound();
    const std::string marked = markedName(name);

    const DocumentTarget target(output, row);
    // A crafted value must not lead the copy out of the output directory.
    if (const auto unsafe = target.unsafeDirectory()) {
        m_prompter.message(QStringLiteral("Error Creating Directory ") + *unsafe);
        return {};
    }
    // Real folders only: a link planted there would send the copy elsewhere.
    const FileHandle library = StoreFiles::openSubfolder(outputDir, target.library(), true, error);
    const FileHandle author = library.isOpen() ? StoreFiles::openSubfolder(library, target.author(), true, error) : FileHandle();
    if (!author.isOpen()) {
        m_prompter.message(QStringLiteral("Error Creating Directory ") +
                           (library.isOpen() ? target.authorDirectory() : target.libraryDirectory()));
        return {};
    }
    const QString path = target.path();
    const auto copyFailed = [&] {
        m_prompter.message(QStringLiteral("Error Copying File ") + path);
        return QString();
    };
    // Never over an existing file, and only a file with the source's bytes
    // counts as its copy.
    bool madeCopy = false;
    FileState existing;
    if (StoreFiles::entryState(author, target.fileName(), existing) == 0) {
        bool same = false;
        const FileHandle copy = StoreFiles::openExisting(author, target.fileName(), false, error);
        if (!copy.isOpen() || StoreFiles::sameBytes(source, copy, same) != 0 || !same)
            return copyFailed();
    } else {
        if (StoreFiles::copyInto(source, before, author, target.fileName()) != 0)
            return copyFailed();
        madeCopy = true;
    }
    const auto removeCopy = [&] {
        if (madeCopy && StoreFiles::removeEntry(author, target.fileName()) == 0)
            StoreFiles::sync(author);
    };
    FileState now;
    if (StoreFiles::state(source, now) != 0 || !now.sameContentsTime(before)) {
        // Written to while it was copied: the copy is not the file.
        removeCopy();
        return copyFailed();
    }

    // The line is on the disk before the source is renamed, so that no
    // crash can leave a renamed source without one.
    const std::string line =
        csvLine(row.column(1 + DocumentRow::AuthorDpu), row.caption, row.column(1 + DocumentRow::Version),
                documentImportPath(m_importFolder, output, row), m_date);
    if (!m_journal.append(line)) {
        m_journalFailed = true;
        return {};
    }
    if (StoreFiles::renameNoReplace(sourceDir, name, marked) != 0) {
        // The copy and its line are there: the row still counts.
        m_prompter.message(QStringLiteral("Error Renaming File ") + sourceShown);
        return path;
    }
    // A rename lost to a crash leaves the source as it was, beside its copy
    // and line: a later run finds it again, so it needs no sync of its own.
    if (StoreFiles::state(source, now) != 0 || !now.sameContentsTime(before)) {
        // Written to between the copy and the rename: named back, and the
        // copy and its line go.
        if (StoreFiles::renameNoReplace(sourceDir, marked, name) != 0) {
            m_prompter.message(QStringLiteral("Error Renaming File ") + sourceShown);
            return {};
        }
        StoreFiles::sync(sourceDir);
        removeCopy();
        if (!m_journal.retractLast())
            m_journalFailed = true;
        return copyFailed();
    }
    return path;
}

} // namespace bw
