#include "app/SampleLabel.h"
#include "document/CanvasLabel.h"
#include "document/Sheet.h"
#include "platform/Messages.h"
#include "platform/Screen.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QScrollArea>

#include <cstdio>

namespace {
// A desktop session offers one of these; without them the designer cannot open a window.
bool HasDisplay() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}
} // namespace

int main(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fprintf(stderr, "vellumtrace: there is no display (DISPLAY and WAYLAND_DISPLAY are "
                             "not set), so the label designer cannot open.\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellumtrace"));
    QApplication::setOrganizationName(QStringLiteral("Ostravane"));
    ReadScreenResolution();
    RefreshPrinterPage();
    SetMessageHandler([](const QString& text) {
        QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("Vellumtrace"), text);
    });

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vellumtrace - sample label"));
    auto* area = new QScrollArea(&window);
    area->setBackgroundRole(QPalette::Dark);
    auto* label = new TCanvasLabel;
    const TSheetSettings& sheet = SheetSettings();
    label->SetLabelSize(LabelPixelWidth(sheet), LabelPixelHeight(sheet));
    area->setWidget(label);
    area->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(area);
    AddSampleControls(*label);
    window.resize(label->width() + 120, label->height() + 120);
    window.show();
    label->setFocus();
    return app.exec();
}
