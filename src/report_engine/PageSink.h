#pragma once

#include <QString>

namespace bw {

class ReportPage;

// Where a report run puts its pages as it lays them out: a job, an export
// filter, a printer.
class PageSink {
public:
    virtual ~PageSink() = default;
    // Before the first page, with the report's title as the run set it.
    virtual void begin(const QString& title) { (void)title; }
    virtual void addPage(const ReportPage& page) = 0;
    // After the last page; false when the output could not be written.
    virtual bool finish() { return true; }
    // How far the run has come, in percent.
    virtual void progress(int percent) { (void)percent; }
};

} // namespace bw
