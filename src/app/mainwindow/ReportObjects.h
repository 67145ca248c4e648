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

    ContentsReport& contentsReport() const { return *m_contents; }
    DocumentReport& documentReport() const { return *m_documents; }
    ExpireReport& expireReport() const { return *m_expire; }
    BlobReport& blobReport() const { return *m_blob; }

private:
    std::unique_ptr<ContentsReport> m_contents;
    std::unique_ptr<DocumentReport> m_documents;
    std::unique_ptr<ExpireReport> m_expire;
    std::unique_ptr<BlobReport> m_blob;
};

} // namespace bw
