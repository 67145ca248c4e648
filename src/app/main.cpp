#include "BrindlewickVersion.h"
#include "app/InstanceGuard.h"
#include "app/StartUp.h"
#include "app/dialogs/SplashWindow.h"
#include "app/mainwindow/MainWindow.h"
#include "app/mainwindow/ReportObjects.h"
#include "app/mainwindow/ScanTab.h"
#include "app/widgets/WidgetPrompter.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QIcon>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Drives one tab for tools that run the window without a person: at the
// first pause it saves a picture and quits, or it presses Continue at every
// pause and reports the time the whole scan took.
void drive(bw::MainWindow& window, int tabIndex, const QString& log, const QString& screenshot)
{
    bw::ScanTab* tab = window.tab(tabIndex);
    window.tabWidget()->setCurrentIndex(tabIndex);
    tab->choose(bw::StartUp::wholePath(log));
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(tab, &bw::ScanTab::scanPaused, &window, [&window, tab, screenshot] {
        if (screenshot.isEmpty()) {
            QTimer::singleShot(0, tab, &bw::ScanTab::onContinueClicked);
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
    QTimer::singleShot(0, tab, &bw::ScanTab::onParseClicked);
}

void describe()
{
    QCoreApplication::setApplicationName(bw::StartUp::title());
    QCoreApplication::setApplicationVersion(QString::fromUtf8(bw::build::version));
}

// --help and --version print without a window, and so without a display.
bool asksOnlyForText(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

// "/NS" and its like: a slash and letters, nothing more.
bool looksLikeSwitch(const QString& word)
{
    return word.size() > 1 && word.front() == u'/'
           && std::all_of(word.begin() + 1, word.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

int usageError(const QCommandLineParser& options, const QString& problem)
{
    std::fprintf(stderr, "brindlewick: %s\n\n%s", qPrintable(problem), qPrintable(options.helpText()));
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::unique_ptr<QCoreApplication> app;
    if (asksOnlyForText(argc, argv))
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    describe();

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Reads GWCheck logs and lists what they report."));
    // The developer switches (pictures for the documentation, the window's
    // benchmark) come last in --help and say that they are.
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("For developers: scan LOG up to its first pause, save a picture of the window to FILE and quit."),
        QStringLiteral("FILE"));
    const QCommandLineOption bench(
        QStringLiteral("bench"),
        QStringLiteral("For developers: scan LOG, pressing Continue at every pause, print the time taken and quit."));
    const QCommandLineOption kind(
        QStringLiteral("tab"),
        QStringLiteral("For developers, with --screenshot or --bench: the tab to scan on (contents, documents, "
                       "expire or structure)."),
        QStringLiteral("KIND"), QStringLiteral("contents"));
    const QCommandLineOption aboutPicture(QStringLiteral("about-screenshot"),
                                          QStringLiteral("For developers: save a picture of the About box to FILE and quit."),
                                          QStringLiteral("FILE"));
    options.addPositionalArgument(
        QStringLiteral("LOG"),
        QStringLiteral("A log to pick on the Contents Check tab; when Brindlewick runs already, "
                       "that window picks it."),
        QStringLiteral("[LOG]"));
    options.addPositionalArgument(QStringLiteral("/NS"), QStringLiteral("Start without the splash window."),
                                  QStringLiteral("[/NS]"));
    const QCommandLineOption help = options.addHelpOption();
    const QCommandLineOption version = options.addVersionOption();
    for (const QCommandLineOption* option : {&screenshot, &bench, &kind, &aboutPicture})
        options.addOption(*option);
    if (!options.parse(QCoreApplication::arguments()))
        return usageError(options, options.errorText());
    if (options.isSet(help) || options.isSet(QStringLiteral("help-all")))
        options.showHelp(0);
    if (options.isSet(version))
        options.showVersion();

    QGuiApplication::setApplicationDisplayName(bw::StartUp::title());
    QGuiApplication::setDesktopFileName(QString::fromUtf8(bw::build::appId));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/brindlewick.svg")));

    QStringList logs = options.positionalArguments();
    logs.removeAll(QStringLiteral("/NS"));
    // Only a LOG and the switches above: a word that looks like a switch of
    // this kind and names no file is not taken for a log.
    for (const QString& word : std::as_const(logs)) {
        if (looksLikeSwitch(word) && !QFileInfo::exists(word))
            return usageError(options, QStringLiteral("unknown switch '%1'").arg(word));
    }
    if (logs.size() > 1)
        return usageError(options, QStringLiteral("at most one LOG"));
    const bool tool = options.isSet(screenshot) || options.isSet(bench) || options.isSet(aboutPicture);

    // A later start hands its log to the running instance and ends, showing
    // nothing. Tool runs are not starts of the program a user sees.
    bw::InstanceGuard guard(bw::StartUp::title());
    if (!tool
        && guard.anotherInstanceRuns(logs.size() == 1 ? QFileInfo(logs.constFirst()).absoluteFilePath() : QString())) {
        QCoreApplication::quit();
        return guard.refused() ? 1 : 0;
    }

    // Read once, as the splash is made, for every PDF the window saves.
    const QString userName = bw::StartUp::userName();
    auto splash = std::make_unique<bw::SplashWindow>();
    if (!splash->hiddenAtStartUp() && !tool)
        splash->showSplash();

    bw::WidgetPrompter prompter;
    bw::MainWindow window(prompter, userName);
    prompter.setParent(&window);

    // Once for the run, after the window: ContentsReport, DocumentReport, ExpireReport, BlobReport.
    const bw::ReportObjects reports(window);

    splash.reset();
    guard.setReceiver([&window](const QString& logPath) { bw::StartUp::bringForward(window, logPath); });

    window.show();
    if (options.isSet(aboutPicture)) {
        bw::SplashWindow about(&window);
        about.becomeAbout();
        about.show();
        const bool saved = about.grab().save(options.value(aboutPicture));
        std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "saved" : "could not save",
                     qPrintable(options.value(aboutPicture)));
        return saved ? 0 : 1;
    }
    if (tool) {
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
        window.tab(0)->choose(bw::StartUp::wholePath(logs.constFirst()));
    }
    return QCoreApplication::exec();
}
