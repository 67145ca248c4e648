#pragma once

#include <memory>

namespace bw {

class ContentsReport;
class DocumentReport;
class ExpireReport;
class MainWindow;
class BlobReport;

// The four report objects of a run, made once after the main window in the
// order of its tabs and given to them, so that every Print reuses its tab's
// report, and handed the window's preview opener.
class ReportObjects {
public:
    explicit ReportObjects(MainWindow& window);
    ~ReportObjects();

    ContentsReport& CVReport() const { return *m_cv; }
    DocumentReport& DocReport() const { return *m_doc; }
    ExpireReport& ESReport() const { return *m_es; }
    BlobReport& UnkReport() const { return *m_unk; }

private:
    std::unique_ptr<ContentsReport> m_cv;
    std::unique_ptr<DocumentReport> m_doc;
    std::unique_ptr<ExpireReport> m_es;
    std::unique_ptr<BlobReport> m_unk;
};

} // namespace bw
