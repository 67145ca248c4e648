#pragma once

#include <QObject>

namespace bw {

class PrintJob;

// Opens the preview of a job; a report shows its previews through the one
// it was given (BandReport::setPreviewOpener).
class PreviewOpener : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Shows the job's preview and returns it, at once.
    virtual QObject* showPreview(PrintJob* job) = 0;
    // Shows it modally, returning when it has closed.
    virtual QObject* showPreviewModal(PrintJob* job) = 0;
};

} // namespace bw
