#pragma once

#include <QString>

#include <optional>

namespace bw {

class Prompter;

// The window's one save dialog, shared by the exports: it opens where its
// last use left it, with the name chosen then, has no file-type filter and
// adds no extension.
class SaveLocation {
public:
    // Nothing when cancelled; otherwise the chosen path, remembered.
    std::optional<QString> ask(Prompter& prompter, const QString& title);

    const QString& folder() const { return m_folder; }
    const QString& name() const { return m_name; }
    // The document rescue opens it on its output directory.
    void setFolder(const QString& folder) { m_folder = folder; }

private:
    QString m_folder;
    QString m_name;
};

} // namespace bw
