#include "support/FakePrompter.h"

namespace bw::test {

namespace {

std::optional<QString> next(std::deque<QString>& answers)
{
    if (answers.empty())
        return std::nullopt;
    const QString answer = answers.front();
    answers.pop_front();
    if (answer.isNull())
        return std::nullopt;
    return answer;
}

} // namespace

std::optional<QString> FakePrompter::openFile(const QString& title, const QString& filters, const QString& startPath)
{
    openTitles << title;
    openFilters << filters;
    openStarts << startPath;
    return next(fileAnswers);
}

std::optional<QString> FakePrompter::saveFile(const QString& title, const QString& filters, const QString& startFolder,
                                              const QString& suggestedName)
{
    questions << title + u'|' + startFolder + u'|' + suggestedName + u'|' + filters;
    return next(saveAnswers);
}

std::optional<QString> FakePrompter::chooseFolder(const QString& title, const QString& startFolder)
{
    questions << title + u'|' + startFolder;
    return next(folderAnswers);
}

std::optional<QString> FakePrompter::textInput(const QString& title, const QString& label, const QString& initial)
{
    questions << title + u'|' + initial + u'|' + label;
    return next(textAnswers);
}

bool FakePrompter::askYesNo(const QString& title, const QString& question)
{
    questions << title + u'|' + question;
    if (yesNoAnswers.empty())
        return false;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::optional<Prompter::SaveChoice> FakePrompter::saveFileAs(const QString& title, const QStringList& filters,
                                                             const QString& defaultSuffix)
{
    questions << title + u'|' + defaultSuffix + u'|' + filters.join(QStringLiteral(";;"));
    if (saveAsAnswers.empty())
        return std::nullopt;
    const auto answer = saveAsAnswers.front();
    saveAsAnswers.pop_front();
    return answer;
}

} // namespace bw::test
