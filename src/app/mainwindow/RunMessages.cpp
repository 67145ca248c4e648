#include "app/mainwindow/RunMessages.h"

#include <QCoreApplication>

#include <numeric>

namespace bw {

RunMessages::RunMessages(Prompter& window)
    : m_window(window)
{
}

void RunMessages::begin()
{
    m_counts.fill(0);
    m_silenced = false;
}

int RunMessages::total() const
{
    return std::accumulate(m_counts.begin(), m_counts.end(), 0);
}

std::optional<RunMessages::Reason> RunMessages::reasonOf(const QString& text)
{
    if (text.startsWith(u"Source File ") && text.endsWith(u" Not Found"))
        return Reason::SourceNotFound;
    if (text == u"Target Output Directory does not Exist")
        return Reason::OutputDirectoryMissing;
    if (text.startsWith(u"Error Creating Directory "))
        return Reason::CreateDirectory;
    if (text.startsWith(u"Error Copying File "))
        return Reason::Copy;
    if (text.startsWith(u"Error Renaming File "))
        return Reason::Rename;
    if (text.startsWith(u"File Redate Failed - Error "))
        return Reason::Redate;
    return std::nullopt;
}

void RunMessages::message(const QString& text)
{
    const auto reason = reasonOf(text);
    // Messages about the run as a whole are always shown.
    if (!reason) {
        m_window.message(text);
        return;
    }
    ++m_counts[static_cast<std::size_t>(*reason)];
    if (m_silenced)
        return;
    if (m_boxes.message)
        m_silenced = m_boxes.message(text, checkBoxText());
    else
        m_window.message(text);
}

QString RunMessages::summary(const QString& finalStatus) const
{
    if (total() == 0)
        return {};
    static constexpr const char* why[reasonCount] = {
        QT_TRANSLATE_NOOP("RunMessages", "source file not found"),
        QT_TRANSLATE_NOOP("RunMessages", "output directory does not exist"),
        QT_TRANSLATE_NOOP("RunMessages", "directory could not be created"),
        QT_TRANSLATE_NOOP("RunMessages", "file could not be copied"),
        QT_TRANSLATE_NOOP("RunMessages", "source could not be renamed (the row still counts as exported)"),
        QT_TRANSLATE_NOOP("RunMessages", "file time could not be set"),
    };
    QString text = finalStatus + QStringLiteral("\n\n");
    for (std::size_t i = 0; i < m_counts.size(); ++i) {
        if (m_counts[i] == 0)
            continue;
        const QString reason = QCoreApplication::translate("RunMessages", why[i]);
        text += (m_counts[i] == 1 ? QCoreApplication::translate("RunMessages", "1 row: %1").arg(reason)
                                  : QCoreApplication::translate("RunMessages", "%1 rows: %2").arg(m_counts[i]).arg(reason))
                + u'\n';
    }
    if (count(Reason::SourceNotFound) > 0) {
        text += u'\n'
                + QCoreApplication::translate("RunMessages",
                                              "Paths such as \\\\SERVER\\VOLUME\\... in the log name the mail "
                                              "server's folders. File > Path Mappings maps them to local folders.");
    }
    return text.trimmed();
}

bool RunMessages::showSummary(const QString& finalStatus)
{
    const QString text = summary(finalStatus);
    if (text.isEmpty())
        return false;
    const QString button = count(Reason::SourceNotFound) > 0 ? mappingsButtonText() : QString();
    if (m_boxes.summary)
        return m_boxes.summary(text, button);
    m_window.message(text);
    return false;
}

} // namespace bw
