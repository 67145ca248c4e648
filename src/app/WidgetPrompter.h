#pragma once

#include "base/Prompter.h"

class QWidget;

namespace bw {

// The prompter of the window: message boxes and file dialogs.
class WidgetPrompter : public Prompter {
public:
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const QString& text) override;
    void error(const QString& text) override;
    std::optional<QString> openFile(const QString& title, const QString& filters, const QString& startPath) override;

private:
    QWidget* m_parent = nullptr;
};

} // namespace bw
