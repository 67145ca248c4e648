#pragma once

#include "base/Prompter.h"

#include <functional>
#include <ostream>

namespace bw {

// The prompter of the command line: messages and failures go to standard
// error behind "brindlewick-cli: "; nobody is there to answer a question, so
// every question is answered as cancelled.
class CliPrompter : public Prompter {
public:
    explicit CliPrompter(std::ostream& err, std::function<void()> beforeMessage = {});

    void message(const QString& text) override;
    void error(const QString& text) override;
    void rowMessage(const QString& text, const QString& file) override;
    std::optional<QString> openFile(const QString& title, const QString& filters, const QString& startPath) override;
    std::optional<QString> saveFile(const QString& title, const QString& filters, const QString& startFolder,
                                    const QString& suggestedName) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& startFolder) override;
    std::optional<QString> textInput(const QString& title, const QString& label, const QString& initial) override;
    bool askYesNo(const QString& title, const QString& question) override;

private:
    void say(const QString& text);

    std::ostream& m_err;
    // Lets standard output catch up first, so the two streams read in order.
    std::function<void()> m_beforeMessage;
};

} // namespace bw
