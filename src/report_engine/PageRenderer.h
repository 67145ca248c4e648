#pragma once

class QPainter;

namespace bw {

class ReportPage;

// Draws a laid-out page on any painter: screen, printer, PDF.
class PageRenderer {
public:
    // scale: device pixels per millimetre; the page's top left corner goes
    // to the painter's origin.
    static void draw(QPainter& painter, const ReportPage& page, double scale);
};

} // namespace bw
