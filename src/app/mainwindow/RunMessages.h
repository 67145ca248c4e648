#pragma once

#include "base/Prompter.h"

#include <array>
#include <functional>

namespace bw {

// The prompter a tab's action run talks to. A rescue or backdating over
// paths that do not resolve here fails row after row, each with its box:
// this passes the boxes on until the user ticks "Do not show further
// messages for this run", counts every row's message by its reason, and at
// the run's end gives one summary of them. Everything else goes straight
// to the window's prompter.
class RunMessages : public Prompter {
public:
    enum class Reason { SourceNotFound, OutputDirectoryMissing, CreateDirectory, Copy, Rename, Redate };
    static constexpr int reasonCount = 6;

    struct Boxes {
        // A row's message with the check box; true: show no more this run.
        std::function<bool(const QString& text, const QString& checkBox)> message;
        // The summary, with a button that opens the path mappings when
        // mappingsButton is not empty; true: that button was pressed.
        std::function<bool(const QString& text, const QString& mappingsButton)> summary;
    };

    static QString checkBoxText() { return QStringLiteral("Do not show further messages for this run"); }
    static QString mappingsButtonText() { return QStringLiteral("Path Mappings..."); }

    explicit RunMessages(Prompter& window);

    // The boxes the window's prompter shows (a check box needs a real box);
    // a prompter without them gets the plain message instead.
    void setBoxes(Boxes boxes) { m_boxes = std::move(boxes); }

    // A run starts: counts and the check box start again.
    void begin();
    int count(Reason reason) const { return m_counts[static_cast<std::size_t>(reason)]; }
    int total() const;

    // The summary of the run that has ended with this status, or nothing
    // when no row gave a message.
    QString summary(const QString& finalStatus) const;
    // Shows it; true when the user asked for the path mappings.
    bool showSummary(const QString& finalStatus);

    void message(const QString& text) override;
    void error(const QString& text) override { m_window.error(text); }
    std::optional<QString> openFile(const QString& title, const QString& filters, const QString& startPath) override
    {
        return m_window.openFile(title, filters, startPath);
    }
    std::optional<QString> saveFile(const QString& title, const QString& filters, const QString& startFolder,
                                    const QString& suggestedName) override
    {
        return m_window.saveFile(title, filters, startFolder, suggestedName);
    }
    std::optional<QString> chooseFolder(const QString& title, const QString& startFolder) override
    {
        return m_window.chooseFolder(title, startFolder);
    }
    std::optional<QString> textInput(const QString& title, const QString& label, const QString& initial) override
    {
        return m_window.textInput(title, label, initial);
    }
    bool askYesNo(const QString& title, const QString& question) override { return m_window.askYesNo(title, question); }
    std::optional<SaveChoice> saveFileAs(const QString& title, const QStringList& filters,
                                         const QString& defaultSuffix) override
    {
        return m_window.saveFileAs(title, filters, defaultSuffix);
    }

    // The reason a message of the actions gives, read from its text.
    static std::optional<Reason> reasonOf(const QString& text);

private:
    Prompter& m_window;
    Boxes m_boxes;
    std::array<int, reasonCount> m_counts{};
    bool m_silenced = false;
};

} // namespace bw
