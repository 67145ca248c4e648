#include "actions/FileActions.h"

#include "actions/BlobBackdate.h"
#include "actions/DocumentExport.h"
#include "actions/TabDelimitedExport.h"
#include "base/Prompter.h"
#include "session/ScanSession.h"

namespace bw {

std::unique_ptr<ActionRun> FileActions::forActionButton(ScanSession& session, Prompter& prompter, SaveLocation& dialog)
{
    switch (session.kind()) {
    case ScanKind::Contents:
        return std::make_unique<TabDelimitedExport>(TabDelimitedExport::Format::Contents, session, prompter, dialog);
    case ScanKind::Expire:
        return std::make_unique<TabDelimitedExport>(TabDelimitedExport::Format::Expire, session, prompter, dialog);
    case ScanKind::Documents:
        return std::make_unique<DocumentExport>(session, prompter, dialog);
    case ScanKind::Structure:
        return std::make_unique<BlobBackdate>(session, prompter);
    }
    return nullptr;
}

QString FileActions::browseStart(const QString& outputDirectory)
{
    return outputDirectory.size() == 2 ? outputDirectory + u'\\' : outputDirectory;
}

bool FileActions::chooseOutputDirectory(ScanSession& session, Prompter& prompter)
{
    const auto folder = prompter.chooseFolder(browseTitle(), browseStart(session.outputDirectory()));
    if (!folder || folder->isEmpty())
        return false;
    session.setOutputDirectory(*folder);
    return true;
}

} // namespace bw
