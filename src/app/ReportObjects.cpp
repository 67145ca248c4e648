#include "app/ReportObjects.h"

#include "app/ScanTab.h"
#include "app/TMainScreen.h"
#include "reports/TCVReport.h"
#include "reports/TDocReport.h"
#include "reports/TESReport.h"
#include "reports/TUnkReport.h"

namespace bw {

namespace {

ScanTab& tabOf(TMainScreen& window, ScanKind kind)
{
    int i = 0;
    while (i + 1 < TMainScreen::tabCount && window.tab(i)->traits().kind != kind)
        ++i;
    return *window.tab(i);
}

template <typename R>
std::unique_ptr<R> makeFor(TMainScreen& window, ScanKind kind)
{
    ScanTab& tab = tabOf(window, kind);
    auto report = std::make_unique<R>(tab.session());
    tab.setReport(report.get());
    return report;
}

} // namespace

ReportObjects::ReportObjects(TMainScreen& window)
    : m_cv(makeFor<TCVReport>(window, ScanKind::Contents))
    , m_doc(makeFor<TDocReport>(window, ScanKind::Documents))
    , m_es(makeFor<TESReport>(window, ScanKind::Expire))
    , m_unk(makeFor<TUnkReport>(window, ScanKind::Structure))
{
}

ReportObjects::~ReportObjects() = default;

} // namespace bw
