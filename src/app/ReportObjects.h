#pragma once

#include <memory>

namespace bw {

class TCVReport;
class TDocReport;
class TESReport;
class TMainScreen;
class TUnkReport;

// The four report objects of a run, made once after the main window in the
// order of its tabs and given to them, so that every Print reuses its tab's
// report.
class ReportObjects {
public:
    explicit ReportObjects(TMainScreen& window);
    ~ReportObjects();

    TCVReport& CVReport() const { return *m_cv; }
    TDocReport& DocReport() const { return *m_doc; }
    TESReport& ESReport() const { return *m_es; }
    TUnkReport& UnkReport() const { return *m_unk; }

private:
    std::unique_ptr<TCVReport> m_cv;
    std::unique_ptr<TDocReport> m_doc;
    std::unique_ptr<TESReport> m_es;
    std::unique_ptr<TUnkReport> m_unk;
};

} // namespace bw
