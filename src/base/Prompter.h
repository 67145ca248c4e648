#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace bw {

// Every question and message box the program puts to the user. The window
// answers with dialogs, the command line with its options, tests with
// recorded answers.
class Prompter {
public:
    virtual ~Prompter() = default;
    // A modal message with an OK button.
    virtual void message(const QString& text) = 0;
    // A failure, with the platform's reason.
    virtual void error(const QString& text) = 0;
    // A row's message about one file. A box shows the text as it is; a
    // line of text, where no row is beside it, names the file too.
    virtual void rowMessage(const QString& text, const QString& file)
    {
        (void)file;
        message(text);
    }
    // An existing file to open; nothing when cancelled.
    virtual std::optional<QString> openFile(const QString& title, const QString& filters, const QString& startPath) = 0;
    // A file to write, starting in startFolder with suggestedName filled in;
    // nothing when cancelled.
    virtual std::optional<QString> saveFile(const QString& title, const QString& filters, const QString& startFolder,
                                            const QString& suggestedName) = 0;
    // An existing folder; nothing when cancelled.
    virtual std::optional<QString> chooseFolder(const QString& title, const QString& startFolder) = 0;
    // A line of text; nothing when cancelled.
    virtual std::optional<QString> textInput(const QString& title, const QString& label, const QString& initial) = 0;
    virtual bool askYesNo(const QString& title, const QString& question) = 0;

    // A file to write, picked under one of the filter entries (Qt's
    // "Name (*.ext)" form); defaultSuffix is added to a name without one.
    struct SaveChoice {
        QString path;
        int entry = 1; // the filter entry chosen, from 1
    };
    virtual std::optional<SaveChoice> saveFileAs(const QString& title, const QStringList& filters,
                                                 const QString& defaultSuffix)
    {
        // Those that offer no choice of entry answer with the first.
        (void)defaultSuffix;
        const auto path = saveFile(title, filters.join(QStringLiteral(";;")), QString(), QString());
        if (!path)
            return std::nullopt;
        return SaveChoice{*path, 1};
    }
};

} // namespace bw
