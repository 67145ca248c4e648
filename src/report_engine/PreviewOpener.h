#pragma once

#include <QObject>

namespace bw {

class PrintJob;

// Opens the preview of a job; the engine makes one of the class that
// PreviewInterfaceClass names for every preview.
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
