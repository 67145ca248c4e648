#pragma once

#include "base/PathMappings.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace bw {

class Prompter;

// File > Path Mappings...: the list of log prefixes and the local folders
// they stand for, with Add, Edit and Remove. The prefix is asked as text,
// the folder with the folder chooser.
class PathMappingsDialog : public QDialog {
    Q_OBJECT
public:
    PathMappingsDialog(const PathMappings& mappings, Prompter& prompter, QWidget* parent = nullptr);

    PathMappings mappings() const;
    QTreeWidget* list() const { return m_list; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* editButton() const { return m_edit; }
    QPushButton* removeButton() const { return m_remove; }

    void onAddClicked();
    void onEditClicked();
    void onRemoveClicked();

    // Where the window keeps the mappings between runs.
    static PathMappings loadSettings();
    static void saveSettings(const PathMappings& mappings);

private:
    // Asks for a prefix and a folder, starting from the given ones.
    std::optional<PathMapping> ask(const PathMapping& start);
    void showButtons();

    Prompter& m_prompter;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_remove = nullptr;
};

} // namespace bw
