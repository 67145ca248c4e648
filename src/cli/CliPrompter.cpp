#include "cli/CliPrompter.h"

namespace bw {

CliPrompter::CliPrompter(std::ostream& err, std::function<void()> beforeMessage)
    : m_err(err)
    , m_beforeMessage(std::move(beforeMessage))
{
}

void CliPrompter::say(const QString& text)
{
    if (m_beforeMessage)
        m_beforeMessage();
    m_err << "brindlewick-cli: " << text.toStdString() << '\n';
}

void CliPrompter::message(const QString& text)
{
    say(text);
}

void CliPrompter::rowMessage(const QString& text, const QString& file)
{
    say(text + u' ' + file);
}

void CliPrompter::error(const QString& text)
{
    say(text);
}

std::optional<QString> CliPrompter::openFile(const QString&, const QString&, const QString&)
{
    return std::nullopt;
}

std::optional<QString> CliPrompter::saveFile(const QString&, const QString&, const QString&, const QString&)
{
    return std::nullopt;
}

std::optional<QString> CliPrompter::chooseFolder(const QString&, const QString&)
{
    return std::nullopt;
}

std::optional<QString> CliPrompter::textInput(const QString&, const QString&, const QString&)
{
    return std::nullopt;
}

bool CliPrompter::askYesNo(const QString&, const QString&)
{
    return false;
}

} // namespace bw
