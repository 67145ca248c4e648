// Times the preview of a Contents report of 100,000 rows offscreen: from
// Print to the first page shown, and to the last page laid out. The target
// for the first is half a second, whatever the report's size.
#include "app/preview/WindowPreviewOpener.h"
#include "app/widgets/WidgetPrompter.h"
#include "lists/SortState.h"
#include "report_engine/PrintJob.h"
#include "reports/ContentsReport.h"
#include "session/KindProfile.h"
#include "session/ScanSession.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <random>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    const int rowCount = argc > 1 ? std::atoi(argv[1]) : 100000;
    bw::WidgetPrompter prompter;
    bw::SortState sort;
    bw::ScanSession session(bw::kindProfile(bw::ScanKind::Contents), sort, prompter);
    session.setSelfDriven(false);
    std::mt19937 rng(5);
    for (int i = 0; i < rowCount; ++i) {
        const auto n = [&] { return std::to_string(rng() % 10000000000ULL); };
        session.rows().add("USER" + std::to_string(i), {"a1b", n(), n(), n(), n(), n(), "Z", "N/A", "N/A", "Sales", "12/10/26 13:45"});
    }
    session.rows().settle();
    bw::WindowPreviewOpener opener(prompter, {});
    bw::ContentsReport report(session);
    report.setPreviewOpener(&opener);
    QElapsedTimer t;
    t.start();
    bw::PrintJob* job = report.preview();
    QApplication::processEvents();
    const double first = static_cast<double>(t.nsecsElapsed()) / 1e6;
    const int firstCount = job ? job->pageCount() : 0;
    while (job && job->status() != bw::PrintJob::Status::Finished)
        QApplication::processEvents();
    const double all = static_cast<double>(t.nsecsElapsed()) / 1e6;
    std::printf("preview of %d rows: %d page(s) shown after %.0f ms (target 500 ms); all %d pages after %.0f ms\n",
                rowCount, firstCount, first, job ? job->pageCount() : 0, all);
    return 0;
}
