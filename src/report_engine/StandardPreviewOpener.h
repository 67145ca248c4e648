#pragma once

#include "report_engine/PreviewOpener.h"

namespace bw {

// The engine's own plain preview: a window showing one page at a time
// (Page Up, Page Down, Home, End; Escape closes).
class StandardPreviewOpener : public PreviewOpener {
    Q_OBJECT
public:
    using PreviewOpener::PreviewOpener;

    QObject* showPreview(PrintJob* job) override;
    QObject* showPreviewModal(PrintJob* job) override;
};

} // namespace bw
