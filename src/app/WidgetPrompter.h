#pragma once

#include "base/Prompter.h"

class QWidget;

namespace bw {

// The prompter of the window: message boxes and file dialogs.
class WidgetPrompter : public Prompter {
public:
    void setParent(QWidget* parent) { m_parent = parent; }
    QWidget* parent() const { return m_parent; }

    void message(const QString& text) override;
    void error(const QString& text) override;
    std::optional<QString> openFile(const QString& title, const QString& filters, const QString& startPath) override;
    std::optional<QString> saveFile(const QString& title, const QString& filters, const QString& startFolder,
                                    const QString& suggestedName) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& startFolder) override;
    std::optional<QString> textInput(const QString& title, const QString& label, const QString& initial) override;
    bool askYesNo(const QString& title, const QString& question) override;
    std::optional<SaveChoice> saveFileAs(const QString& title, const QStringList& filters,
                                         const QString& defaultSuffix) override;

private:
    QWidget* m_parent = nullptr;
};

} // namespace bw
