#pragma once

#include "base/Prompter.h"

#include <QStringList>

#include <deque>

namespace bw::test {

// Answers the program's questions from a queue and records what it said.
class FakePrompter : public Prompter {
public:
    void message(const QString& text) override { messages << text; }
    void error(const QString& text) override { errors << text; }
    std::optional<QString> openFile(const QString& title, const QString& filters, const QString& startPath) override
    {
        openTitles << title;
        openFilters << filters;
        openStarts << startPath;
        if (fileAnswers.empty())
            return std::nullopt;
        const QString answer = fileAnswers.front();
        fileAnswers.pop_front();
        if (answer.isNull())
            return std::nullopt;
        return answer;
    }

    QStringList messages, errors, openTitles, openFilters, openStarts;
    std::deque<QString> fileAnswers; // a null string cancels the dialog
};

} // namespace bw::test
