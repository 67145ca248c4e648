#pragma once

#include "base/Prompter.h"
#include "support/QtPrinting.h"

#include <QStringList>

#include <deque>

namespace bw::test {

// Answers the program's questions from queues and records what it asked and
// said. An empty queue, or a null string in it, cancels the dialog.
class FakePrompter : public Prompter {
public:
    void message(const QString& text) override { messages << text; }
    void error(const QString& text) override { errors << text; }
    std::optional<QString> openFile(const QString& title, const QString& filters, const QString& startPath) override;
    std::optional<QString> saveFile(const QString& title, const QString& filters, const QString& startFolder,
                                    const QString& suggestedName) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& startFolder) override;
    std::optional<QString> textInput(const QString& title, const QString& label, const QString& initial) override;
    bool askYesNo(const QString& title, const QString& question) override;
    // Records "title|suffix|filter;;filter..." in questions.
    std::optional<SaveChoice> saveFileAs(const QString& title, const QStringList& filters,
                                         const QString& defaultSuffix) override;

    QStringList messages, errors, openTitles, openFilters, openStarts;
    // Every other question, as "title|start|detail".
    QStringList questions;
    std::deque<QString> fileAnswers, saveAnswers, folderAnswers, textAnswers;
    std::deque<bool> yesNoAnswers; // none left: No
    std::deque<std::optional<SaveChoice>> saveAsAnswers; // none left: cancel
};

} // namespace bw::test
