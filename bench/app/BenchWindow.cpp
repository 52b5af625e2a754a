#include "BenchWindow.h"

#include "TestLabel.h"
#include "app/FMain.h"
#include "app/UiServices.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/widgets/CanvasLabel.h"
#include "platform/Preferences.h"

#include <QCoreApplication>

std::unique_ptr<TFMain> BenchDesigner(const QTemporaryDir& folder, int count) {
    TShellEnvironment shell = TShellEnvironment::ForProgram(QStringLiteral("/opt/vt/vellumtrace"));
    shell.DataFolder = folder.filePath(QStringLiteral("share"));
    shell.RefreshDatabases = [](const QString&) {};
    auto window = std::make_unique<TFMain>(
        TCommandLineOptions{},
        std::make_unique<TPreferenceStore>(folder.filePath(QStringLiteral("p.ini"))), &shell);
    window->UiServices().Question = [](QWidget*, const QString&, const QString&) {
        return TAnswer::No;
    };
    window->resize(1000, 800);
    window->show();
    // 8 by 10 inches, so the controls spread out as on a real large label.
    window->Document().ChangeSheet([](TSheetSettings& sheet) {
        sheet.LabelWidth = 8;
        sheet.LabelHeight = 10;
    });
    window->ApplyLabelSize();
    AddBenchControls(window->Document(), count);
    window->Label().grab();
    QCoreApplication::processEvents();
    return window;
}
