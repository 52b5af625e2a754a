#include "app/BatchCheck.h"
#include "app/BatchPrint.h"
#include "app/CalibrationRun.h"
#include "app/FAbout.h"
#include "app/FMain.h"
#include "app/Resources.h"
#include "app/Splash.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/StockLibrary.h"
#include "files/FileOperations.h"
#include "platform/Errors.h"
#include "platform/Messages.h"
#include "platform/Screen.h"
#include "print/CommandLine.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {
// A desktop session offers one of these; without them no window can open.
bool HasDisplay() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

// Unattended runs keep stderr for our own messages: Qt's diagnostics about the session (a
// missing runtime folder, font fallbacks) are only shown when VT_DEBUG is set.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg || qEnvironmentVariableIsSet("VT_DEBUG"))
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

QStringList Arguments(int argc, char** argv) {
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

int RunDesigner(QApplication& app, const TCommandLineOptions& options) {
    SetMessageHandler([](const QString& text) {
        QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("Vellumtrace"), text);
    });
    auto splash = std::make_unique<TSplash>();
    splash->show();
    app.processEvents();
    TFMain window(options);
    QObject::connect(&window, &TFMain::FirstShown, splash.get(), &TSplash::StartClosing);
    if (qEnvironmentVariableIsSet("VT_QUIT_WHEN_SHOWN")) {
        // For timing start-up: leave as soon as the window has been shown and painted.
        QObject::connect(&window, &TFMain::FirstShown, &app, [&window] {
            QTimer::singleShot(0, [&window] {
                window.repaint(); // the label and its controls drawn, as the user sees them
                QCoreApplication::exit(0);
            });
        });
    }
    window.show();
    return app.exec();
}

// What every run sets up once the application object exists.
void StartApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Vellumtrace"));
    QCoreApplication::setOrganizationName(QStringLiteral("Ostravane"));
    InitAppResources();
    ReadScreenResolution();
}
} // namespace

int main(int argc, char** argv) {
    const TCommandLineOptions options = ParseCommandLine(Arguments(argc, argv));
    if (options.Help) {
        std::fputs(CommandLineHelp().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (options.ListStocks) {
        QCoreApplication app(argc, argv);
        const TStockLibrary& library = TStockLibrary::Installed();
        for (const QString& problem : library.LoadProblems())
            std::fprintf(stderr, "vellumtrace: warning: stock library: %s\n",
                         problem.toLocal8Bit().constData());
        try {
            for (const QString& line : StockListLines(library, *options.ListStocks))
                std::printf("%s\n", line.toLocal8Bit().constData());
        } catch (const TUserError& e) {
            std::fprintf(stderr, "vellumtrace: %s\n", e.Message().toLocal8Bit().constData());
            return 1;
        }
        return 0;
    }
    if (options.Version) {
        std::printf("Vellumtrace %s\n", ProgramVersion().toLocal8Bit().constData());
        return 0;
    }
    const bool unattended = options.Unattended || options.Check || options.CalibrationPage;
    if (unattended) {
#ifdef __GLIBC__
        // Each PDF page is built in a buffer of a few hundred kilobytes that is freed when the
        // page is done; keeping such blocks on the heap instead of mapping and unmapping them
        // for every page saves a fifth of a long run's time.
        mallopt(M_MMAP_THRESHOLD, 64 << 20);
        mallopt(M_TRIM_THRESHOLD, 128 << 20);
        mallopt(M_TOP_PAD, 16 << 20);
#endif
        if (!HasDisplay())
            qputenv("QT_QPA_PLATFORM", "offscreen"); // printing needs no window
        qInstallMessageHandler(QuietQtMessages);
    }
    if (!HasDisplay()) {
        std::fprintf(stderr, "vellumtrace: there is no display (DISPLAY and WAYLAND_DISPLAY are "
                             "not set), so the label designer cannot open. To print without "
                             "one, add -p: vellumtrace LABEL.lbl -p -o out.pdf\n");
        return 2;
    }
    if (unattended) {
        // Printing and checking need fonts and painting but no widgets.
        QGuiApplication app(argc, argv);
        StartApplication();
        if (options.CalibrationPage)
            return RunCalibrationPage(options);
        return options.Check ? RunCheck(options) : RunUnattended(options);
    }
    QApplication app(argc, argv);
    StartApplication();
    QApplication::setWindowIcon(ProgramIcon());
    return RunDesigner(app, options);
}
