#include "actions/SaveLocation.h"

#include "base/Prompter.h"

#include <QFileInfo>

namespace bw {

std::optional<QString> SaveLocation::ask(Prompter& prompter, const QString& title)
{
    auto path = prompter.saveFile(title, QString(), m_folder, m_name);
    if (!path || path->isEmpty())
        return std::nullopt;
    const QFileInfo chosen(*path);
    m_folder = chosen.path();
    m_name = chosen.fileName();
    return path;
}

} // namespace bw
