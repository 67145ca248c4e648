#pragma once

#include "report_engine/TQRPreviewInterface.h"

namespace bw {

// The engine's own plain preview: a window showing one page at a time
// (Page Up, Page Down, Home, End; Escape closes).
class TQRStandardPreviewInterface : public TQRPreviewInterface {
    Q_OBJECT
public:
    using TQRPreviewInterface::TQRPreviewInterface;

    QObject* ShowPreview(PrintJob* job) override;
    QObject* ShowPreviewModal(PrintJob* job) override;
};

} // namespace bw
