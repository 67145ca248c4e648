#include "actions/DocumentRescue.h"

#include "actions/DocumentTarget.h"
#include "actions/ExportFile.h"
#include "base/DisplayText.h"
#include "base/LogDirectory.h"
#include "base/Prompter.h"
#include "lists/RowLayout.h"
#include "lists/RowStore.h"
#include "session/ScanSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace bw {

namespace {

// The source's name with its extension (from the last full stop) replaced
// by ".xxx", or ".xxx" added.
QString markedPath(const QFileInfo& source)
{
    QString name = source.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    return source.dir().filePath(name + QStringLiteral(".xxx"));
}

std::string lastPart(std::string_view dpu)
{
    const std::size_t dot = dpu.rfind('.');
    return std::string(dot == std::string_view::npos ? dpu : dpu.substr(dot + 1));
}

} // namespace

DocumentRescue::DocumentRescue(ScanSession& session, Prompter& prompter, ExportFile& csv, const QLocale& locale,
                               QDate today)
    : m_session(session)
    , m_prompter(prompter)
    , m_csv(csv)
    , m_date(locale.toString(today, QLocale::ShortFormat))
{
    m_resolver.setMappings(session.pathMappings());
}

void DocumentRescue::showStart()
{
    m_successes = m_failures = 0;
    m_next = 0;
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
    m_session.showActionStatus(QStringLiteral("Completed Export - ") + counts());
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
        const QString target = CpDocFile(i);
        if (!target.isEmpty()) {
            ++m_successes;
            const Row& row = rows.at(i);
            const std::string line =
                csvLine(row.column(1 + DocumentRow::AuthorDpu), row.caption, row.column(1 + DocumentRow::Version),
                        DocumentTarget(m_session.outputDirectory(), row).pathBytes(), m_date);
            rows.setChecked(i, true);
            if (!m_csv.write(line)) {
                // The copy is made; the import file cannot say so.
                m_prompter.error(m_csv.errorText());
                m_outcome = Outcome::Failed;
                return true;
            }
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

QString DocumentRescue::CpDocFile(std::size_t index)
{
    const Row& row = m_session.rows().at(index);
    const QString& output = m_session.outputDirectory();
    if (output.isEmpty() || !QFileInfo(output).isDir()) {
        m_prompter.message(QStringLiteral("Target Output Directory does not Exist"));
        return {};
    }
    const std::string_view sourceText = row.column(1 + DocumentRow::OutputFile);
    const QFileInfo source = m_resolver.lookup(sourceText);
    // Only a regular file is rescued, and a link is never followed to one.
    if (!source.isFile() || source.isSymLink()) {
        m_prompter.message(QStringLiteral("Source File ") + displayText(sourceText) + QStringLiteral(" Not Found"));
        return {};
    }
    const QString marked = markedPath(source);

    const DocumentTarget target(output, row);
    // A crafted value must not lead the copy out of the output directory.
    if (const auto unsafe = target.unsafeDirectory()) {
        m_prompter.message(QStringLiteral("Error Creating Directory ") + *unsafe);
        return {};
    }
    for (const QString& dir : {target.libraryDirectory(), target.authorDirectory()}) {
        if (!QFileInfo(dir).isDir() && !QDir().mkdir(dir)) {
            m_prompter.message(QStringLiteral("Error Creating Directory ") + dir);
            return {};
        }
    }
    const QString& path = target.path();
    // Never over an existing file.
    if (!QFileInfo::exists(path))
        QFile::copy(source.filePath(), path);
    const QFileInfo copied(path);
    // A file of another size at the target is not this source's copy: the
    // source keeps its name, and the import file does not name that file.
    if (!copied.exists() || copied.isDir() || copied.size() != source.size()) {
        m_prompter.message(QStringLiteral("Error Copying File ") + path);
        return {};
    }
    if (!QFile::rename(source.filePath(), marked))
        m_prompter.message(QStringLiteral("Error Renaming File ") + displayText(sourceText));
    return path;
}

} // namespace bw
