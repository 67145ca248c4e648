#pragma once

#include <QString>

namespace bw {

class PrintJob;

// What a print asks for: the printer (an index into the system's list, -1
// the default), the pages (both 0: all of them) and the copies.
struct PrintRequest {
    int printer = -1;
    int fromPage = 0;
    int toPage = 0;
    int copies = 1;
};

// Prints a job as the preview's Print button does. A whole report that a run
// produced runs again to the printer, with the printer making the copies or
// once a copy when it makes none; a page range, or a job loaded from a page
// file, prints its stored pages through three temporary page files, deleted
// afterwards. The job must be finished for the stored pages. False, with the
// reason, when it could not print.
bool printJob(PrintJob& job, const PrintRequest& request, QString* error = nullptr);

} // namespace bw
