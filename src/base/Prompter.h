#pragma once

#include <QString>

#include <optional>

namespace bw {

// Every question and message box the program puts to the user. The window
// answers with dialogs, tests with recorded answers.
class Prompter {
public:
    virtual ~Prompter() = default;
    // A modal message with an OK button.
    virtual void message(const QString& text) = 0;
    // A failure, with the platform's reason.
    virtual void error(const QString& text) = 0;
    // An existing file to open; nothing when cancelled.
    virtual std::optional<QString> openFile(const QString& title, const QString& filters, const QString& startPath) = 0;
};

} // namespace bw
