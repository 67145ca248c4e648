#include "app/ReportObjects.h"
#include "app/ScanTab.h"
#include "app/TMainScreen.h"
#include "app/WidgetPrompter.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

// A log named on the command line shows as a pick shows it: the whole path.
QString wholePath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

// Drives one tab for tools that run the window without a person: at the
// first pause it saves a picture and quits, or it presses Continue at every
// pause and reports the time the whole scan took.
void drive(bw::TMainScreen& window, int tabIndex, const QString& log, const QString& screenshot)
{
    bw::ScanTab* tab = window.tab(tabIndex);
    window.pageControl()->setCurrentIndex(tabIndex);
    tab->choose(wholePath(log));
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(tab, &bw::ScanTab::scanPaused, &window, [&window, tab, screenshot] {
        if (screenshot.isEmpty()) {
            QTimer::singleShot(0, tab, &bw::ScanTab::continueClick);
            return;
        }
        const bool saved = window.grab().save(screenshot);
        std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(screenshot));
        QApplication::exit(saved ? 0 : 1);
    });
    QObject::connect(tab, &bw::ScanTab::scanEnded, &window, [clock, screenshot] {
        if (screenshot.isEmpty())
            std::printf("scanned in %.3f s\n", static_cast<double>(clock->elapsed()) / 1000.0);
        delete clock;
        QApplication::exit(0);
    });
    QTimer::singleShot(0, tab, &bw::ScanTab::parseClick);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));
    QApplication::setApplicationDisplayName(QStringLiteral("Brindlewick"));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Reads GWCheck logs and lists what they report."));
    options.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Scan LOG up to its first pause, save a picture of the window to FILE and quit."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption bench(QStringLiteral("bench"),
                                   QStringLiteral("Scan LOG, pressing Continue at every pause, print the time taken and quit."));
    const QCommandLineOption kind(QStringLiteral("tab"),
                                  QStringLiteral("With --screenshot or --bench: the tab to scan on (contents, documents, expire or structure)."),
                                  QStringLiteral("KIND"), QStringLiteral("contents"));
    options.addOption(screenshot);
    options.addOption(bench);
    options.addOption(kind);
    options.addPositionalArgument(QStringLiteral("LOG"), QStringLiteral("A log to pick on the Contents Check tab."));
    options.process(app);

    bw::WidgetPrompter prompter;
    bw::TMainScreen window(prompter);
    prompter.setParent(&window);
    // Once for the run, after the window: TCVReport, TDocReport, TESReport, TUnkReport.
    const bw::ReportObjects reports(window);
    window.show();

    const QStringList logs = options.positionalArguments();
    if (options.isSet(screenshot) || options.isSet(bench)) {
        if (logs.size() != 1) {
            std::fprintf(stderr, "brindlewick: --screenshot and --bench need one LOG\n");
            return 2;
        }
        const bw::KindProfile* profile = bw::kindProfileNamed(options.value(kind).toStdString());
        if (!profile) {
            std::fprintf(stderr, "brindlewick: unknown tab '%s'\n", qPrintable(options.value(kind)));
            return 2;
        }
        int tabIndex = 0;
        while (window.tab(tabIndex)->traits().kind != profile->kind)
            ++tabIndex;
        drive(window, tabIndex, logs.constFirst(), options.value(screenshot));
    } else if (logs.size() == 1) {
        window.tab(0)->choose(wholePath(logs.constFirst()));
    }
    return QApplication::exec();
}
