#include "app/BatchPrint.h"
#include "app/SampleLabel.h"
#include "document/CanvasLabel.h"
#include "document/Sheet.h"
#include "files/FileOperations.h"
#include "platform/Errors.h"
#include "platform/Messages.h"
#include "platform/Screen.h"
#include "print/CommandLine.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QScrollArea>

#include <cstdio>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {
constexpr const char* kVersion = "0.1.0";

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
    QMainWindow window;
    auto* area = new QScrollArea(&window);
    area->setBackgroundRole(QPalette::Dark);
    auto* label = new TCanvasLabel;
    area->setWidget(label);
    area->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(area);
    QString title = QStringLiteral("Vellumtrace - sample label");
    bool opened = false;
    if (!options.StartFile.isEmpty()) {
        try {
            ReadLabelDescription(options.StartFile, *label);
            title = QStringLiteral("Vellumtrace - ") + options.StartFile;
            opened = true;
        } catch (const TUserError& e) {
            QMessageBox::critical(nullptr, QStringLiteral("Vellumtrace"), e.Message());
        }
    }
    if (!opened) {
        const TSheetSettings& sheet = SheetSettings();
        label->SetLabelSize(LabelPixelWidth(sheet), LabelPixelHeight(sheet));
        AddSampleControls(*label);
    }
    window.setWindowTitle(title);
    window.resize(label->width() + 120, label->height() + 120);
    window.show();
    label->setFocus();
    return app.exec();
}
} // namespace

int main(int argc, char** argv) {
    const TCommandLineOptions options = ParseCommandLine(Arguments(argc, argv));
    if (options.Help) {
        std::fputs(CommandLineHelp().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (options.Version) {
        std::printf("Vellumtrace %s\n", kVersion);
        return 0;
    }
    if (options.Unattended) {
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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellumtrace"));
    QApplication::setOrganizationName(QStringLiteral("Ostravane"));
    ReadScreenResolution();
    LoadSheetDefaults();
    RefreshPrinterPage();
    CommandLineOptions() = options;
    if (options.Unattended)
        return RunUnattended(options);
    return RunDesigner(app, options);
}
