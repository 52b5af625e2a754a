#include "MainWindowSupport.h"

#include "app/DesignArea.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "files/FileOperations.h"

#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
class MainWindow : public ::testing::Test, public TMainWindowFixture {
protected:
    TTextLabel* AddText(TFMain& w, const QString& text, int left = 10, int top = 10) {
        auto c = std::make_unique<TTextLabel>();
        c->SetText(text);
        c->SetLeft(left);
        c->SetTop(top);
        TTextLabel* raw = c.get();
        w.Document().AddControl(std::move(c));
        raw->SetLoading(false);
        return raw;
    }
    QString Status(TFMain& w, const char* panel) {
        return w.findChild<QLabel*>(QLatin1String(panel))->text();
    }
    // A drag that enters the window and is dropped, as a file manager delivers it.
    void DropFiles(TFMain& w, const QList<QUrl>& urls) {
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &drop);
    }
    QStringList MenuTexts(QMenu* menu) {
        QStringList out;
        for (QAction* a : menu->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }
};

TEST_F(MainWindow, FirstStartOnEmptyPreferences) {
    auto w = Window();
    EXPECT_EQ(w->geometry(), QRect(50, 50, 425, 330));
    EXPECT_TRUE(w->Action("acShowGrids")->isChecked());
    EXPECT_TRUE(w->Action("acAutoZ")->isChecked());
    EXPECT_FALSE(w->Action("acShowBorder")->isChecked());
    EXPECT_TRUE(w->Action("acUnitInches")->isChecked());
    EXPECT_TRUE(w->Document().ShowGrid());
    EXPECT_TRUE(w->Document().AutoBringToFront);
    EXPECT_FALSE(w->Label().ShowBorders);
    EXPECT_FALSE(w->Label().MetricGrid);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Vellumtrace v2.1[*]"));
    EXPECT_FALSE(w->Modified());
    EXPECT_FALSE(w->Action("acSaveLabel")->isEnabled());
    EXPECT_EQ(w->minimumSize(), QSize(425, 330));
    // The built-in sheet: 2 x 1 inches at 96 dpi.
    EXPECT_EQ(w->Label().width(), 192);
    EXPECT_EQ(w->Label().height(), 96);
}

// Each identifier reaches the action that carries its name, and every named action of the
// window itself has an identifier.
TEST_F(MainWindow, ActionIdentifiersReachTheActionsOfTheirNames) {
    auto w = Window();
    QSet<QAction*> reached;
    for (const TActionIdName& entry : kActionIdNames) {
        QAction* action = w->Action(entry.Id);
        ASSERT_NE(action, nullptr) << entry.Name;
        EXPECT_EQ(action->objectName(), QLatin1String(entry.Name));
        EXPECT_EQ(w->findChild<QAction*>(QLatin1String(entry.Name)), action) << entry.Name;
        reached.insert(action);
    }
    EXPECT_EQ(reached.size(), qsizetype(ActionCount)) << "no two identifiers share an action";
    // the window's own actions; its dialogs have theirs
    for (QAction* action : w->findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly))
        if (action->objectName().startsWith(QLatin1String("ac")))
            EXPECT_TRUE(reached.contains(action)) << action->objectName().toStdString();
    EXPECT_EQ(w->Action("acUndo"), w->Action(TActionId::Undo));
}

TEST_F(MainWindow, FileTypesRegisteredUntilTheFolderIsRemembered) {
    const QString entry = Scratch.File("share/applications/vellumtrace.desktop");
    const auto start = [this] {
        auto w = Window();
        w->show();
        EXPECT_TRUE(w->close());
        return TPreferenceStore(PreferenceFile()).ReadString("ProgramFolder").value_or(QString());
    };
    const auto modified = [&] { return QFileInfo(entry).lastModified(); };
    EXPECT_TRUE(start().isEmpty());
    ASSERT_TRUE(QFile::exists(entry)) << "the first start registers the types";
    // The second start finds them but no remembered folder: registers again and remembers it.
    QDateTime written = modified();
    QTest::qWait(20);
    EXPECT_EQ(start(), QStringLiteral("/opt/vt/bin"));
    EXPECT_NE(modified(), written);
    // From the same folder nothing is written any more.
    written = modified();
    QTest::qWait(20);
    start();
    EXPECT_EQ(modified(), written);
    // After the program moved, the types are written again.
    {
        TPreferenceStore store(PreferenceFile());
        store.WriteString("ProgramFolder", "/somewhere/else");
        store.Flush();
    }
    EXPECT_EQ(start(), QStringLiteral("/opt/vt/bin"));
    EXPECT_NE(modified(), written);
}

TEST_F(MainWindow, PreferencesWrittenAtCloseAndReadAgain) {
    {
        auto w = Window();
        w->show();
        w->setGeometry(70, 80, 500, 400);
        w->Action("acShowGrids")->trigger();
        w->Action("acShowBorder")->trigger();
        w->Action("acAutoZ")->trigger();
        w->Action("acUnitMetric")->trigger();
        Answers = {TAnswer::No}; // the unit switch changed the sheet
        EXPECT_TRUE(w->close());
    }
    auto w = Window();
    EXPECT_EQ(w->geometry(), QRect(70, 80, 500, 400));
    EXPECT_FALSE(w->Action("acShowGrids")->isChecked());
    EXPECT_TRUE(w->Action("acShowBorder")->isChecked());
    EXPECT_FALSE(w->Action("acAutoZ")->isChecked());
    EXPECT_TRUE(w->Action("acUnitMetric")->isChecked());
    EXPECT_TRUE(w->Label().MetricGrid);
    EXPECT_FALSE(w->Document().ShowGrid());
}

TEST_F(MainWindow, ClosingWhileMaximisedStoresTheDefaultGeometry) {
    {
        auto w = Window();
        w->showMaximized();
        ASSERT_TRUE(w->isMaximized());
        EXPECT_TRUE(w->close());
    }
    TPreferenceStore store(PreferenceFile());
    EXPECT_EQ(store.ReadInteger("Main_Top"), 50);
    EXPECT_EQ(store.ReadInteger("Main_Left"), 50);
    EXPECT_EQ(store.ReadInteger("Main_Width"), 425);
    EXPECT_EQ(store.ReadInteger("Main_Height"), 330);
}

TEST_F(MainWindow, FirstUnreadablePreferenceFallsBackButKeepsTheUnitReadSoFar) {
    {
        TPreferenceStore store(PreferenceFile());
        store.WriteBool("ShowGrids", false);
        store.WriteInteger("Main_Top", 100);
        store.WriteInteger("Main_Left", 120);
        store.WriteInteger("Main_Width", 600);
        store.WriteInteger("Main_Height", 500);
        store.WriteBool("MetricRuler", true);
        store.WriteString("AutoZ", "yes"); // a string where an integer belongs
        store.WriteBool("ShowBorders", true);
        store.Flush();
    }
    auto w = Window();
    EXPECT_EQ(w->geometry(), QRect(50, 50, 425, 330));
    EXPECT_TRUE(w->Action("acShowGrids")->isChecked());
    EXPECT_TRUE(w->Action("acAutoZ")->isChecked());
    EXPECT_FALSE(w->Action("acShowBorder")->isChecked());
    EXPECT_TRUE(w->Action("acUnitMetric")->isChecked()) << "read before the failure";

    // Stopping before the unit leaves inches.
    {
        TPreferenceStore store(PreferenceFile());
        store.WriteString("Main_Left", "wide");
        store.Flush();
    }
    auto again = Window();
    EXPECT_TRUE(again->Action("acUnitInches")->isChecked());
    EXPECT_EQ(again->geometry(), QRect(50, 50, 425, 330));
}

TEST_F(MainWindow, MenusInOrderWithShortcutsAndSeparators) {
    auto w = Window();
    const QList<QAction*> menus = w->menuBar()->actions();
    QStringList titles;
    for (QAction* m : menus)
        titles << m->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&Options", "F&ormat", "&View", "&Help"}));
    EXPECT_EQ(MenuTexts(menus[0]->menu()),
              QStringList({"&New Label", "&Open Label", "-", "&Save Label", "S&ave Label As", "-",
                           "Import Label Settings", "Export Label Settings",
                           "Export Label as Picture\u2026", "-", "Print", "Print Setup", "-",
                           "Recent Labels", "-", "&Exit"}));
    EXPECT_EQ(MenuTexts(menus[1]->menu()),
              QStringList({"&Undo", "&Redo", "-", "Cu&t", "&Copy", "&Paste", "Select All",
                           "Duplicate", "-", "Advanced Field Editor", "Setup Label"}));
    EXPECT_EQ(MenuTexts(menus[2]->menu()),
              QStringList({"Show Grids", "Show Control Borders", "Automatic Bring To Front", "-",
                           "Snap to Grid", "Snap to Controls", "-", "Grid && Ruler Units"}));
    EXPECT_EQ(MenuTexts(menus[3]->menu()),
              QStringList({"Horizontal Alignment", "Vertical Alignment", "-", "Align", "-",
                           "Attach To", "Rotate", "-", "Auto Resize", "Transparent"}));
    EXPECT_FALSE(menus[3]->menu()->actions()[5]->isVisible()) << "Attach To is hidden";
    EXPECT_EQ(MenuTexts(menus[3]->menu()->actions()[3]->menu()),
              QStringList({"Align Left", "Align Center", "Align Right", "Align Top", "Align Middle",
                           "Align Bottom", "-", "Center on Label Horizontally",
                           "Center on Label Vertically", "-", "Distribute Horizontally",
                           "Distribute Vertically", "-", "Make Same Width", "Make Same Height"}));
    EXPECT_EQ(MenuTexts(menus[4]->menu()),
              QStringList({"Zoom In", "Zoom Out", "Actual Size", "Zoom to Fit", "-", "Show Data",
                           "Next Record", "Previous Record", "-", "Control Settings"}));
    EXPECT_EQ(MenuTexts(menus[5]->menu()), QStringList({"Help", "-", "About"}));
    const struct {
        TActionName name;
        const char* key;
    } keys[] = {{"acNewLabel", "Ctrl+N"},      {"acOpenLabel", "Ctrl+O"},
                {"acSaveLabel", "Ctrl+S"},     {"acPrint", "Ctrl+P"},
                {"acCut", "Ctrl+X"},           {"acCopy", "Ctrl+C"},
                {"acPaste", "Ctrl+V"},         {"acEditFields", "F12"},
                {"acSetupLabel", "F9"},        {"acHelp", "F1"},
                {"acZoomOut", "Ctrl+-"},       {"acZoomActual", "Ctrl+0"},
                {"acSelectAll", "Ctrl+A"},     {"acDuplicate", "Ctrl+D"},
                {"acNextRecord", "Alt+Right"}, {"acPrevRecord", "Alt+Left"}};
    for (const auto& [name, key] : keys)
        EXPECT_EQ(w->Action(name)->shortcut(), QKeySequence(key)) << ActionName(name.Id);
    EXPECT_EQ(w->Action("acZoomIn")->shortcuts(),
              QList<QKeySequence>({QKeySequence("Ctrl++"), QKeySequence("Ctrl+=")}));
    EXPECT_EQ(w->Action("acSetupLabel")->toolTip(), QStringLiteral("Alter Label Size"));
    EXPECT_EQ(w->Action("acPrint")->toolTip(), QStringLiteral("Print Labels"));
    EXPECT_EQ(w->Action("acEditFields")->statusTip(), QStringLiteral("Add/Edit Advanced Fields"));
}

TEST_F(MainWindow, BandsToolsAndStatusBar) {
    auto w = Window();
    for (const char* band : {"FileBand", "AlignBand", "TextBand", "FontBand", "ToolBand"})
        EXPECT_NE(w->findChild<QToolBar*>(band), nullptr) << band;
    EXPECT_TRUE(w->toolBarBreak(w->findChild<QToolBar*>("TextBand")));
    EXPECT_NE(w->findChild<QLineEdit*>("eText"), nullptr);
    EXPECT_NE(w->findChild<QLabel*>("pFont"), nullptr);
    for (const char* tool : {"sbSelect", "sbText", "sbBarcode", "sbMemo", "sbShape", "sbGraphic"})
        EXPECT_NE(w->findChild<QToolButton*>(tool), nullptr) << tool;
    EXPECT_TRUE(w->Action("acSelectTool")->isChecked());
    EXPECT_EQ(Status(*w, "pPosition"), QStringLiteral("X:0    Y:0"));
    EXPECT_EQ(Status(*w, "pSize"), QStringLiteral("W:0   H:0"));
    EXPECT_EQ(Status(*w, "pState"), QStringLiteral("Ready"));
    EXPECT_EQ(w->findChild<QLabel*>("pPosition")->width(), 110);
    // Showing the window refreshes the panels for no selection: the same texts.
    w->show();
    EXPECT_EQ(Status(*w, "pPosition"), QStringLiteral("X:0    Y:0"));
    EXPECT_EQ(Status(*w, "pSize"), QStringLiteral("W:0   H:0"));
}

TEST_F(MainWindow, StatusFollowsTheSelection) {
    auto w = Window();
    w->show();
    TTextLabel* text = AddText(*w, QStringLiteral("Hello"), 48, 24);
    EXPECT_EQ(Status(*w, "pState"), QStringLiteral("Edit Text"));
    EXPECT_EQ(Status(*w, "pPosition"), QStringLiteral("X:0.50  Y:0.25"));
    EXPECT_EQ(w->findChild<QLineEdit*>("eText")->text(), QStringLiteral("Hello"));
    EXPECT_TRUE(w->findChild<QLabel*>("pFont")->text().endsWith(QStringLiteral("pt]")));
    // Typing into the text box changes the control.
    QLineEdit* eText = w->findChild<QLineEdit*>("eText");
    eText->selectAll();
    QTest::keyClicks(eText, QStringLiteral("Bye"));
    EXPECT_EQ(text->Text(), QStringLiteral("Bye"));
    // In centimetres the unit is the whole pixels per centimetre (37 at 96 dpi).
    Answers = {TAnswer::No};
    w->Action("acUnitMetric")->trigger();
    EXPECT_EQ(Status(*w, "pPosition"), QStringLiteral("X:1.30  Y:0.65"));
    w->Document().SelectNone();
    EXPECT_EQ(Status(*w, "pState"), QStringLiteral("Ready"));
    // Once something was selected, no selection reads with three blanks like the size.
    EXPECT_EQ(Status(*w, "pPosition"), QStringLiteral("X:0   Y:0"));
    EXPECT_EQ(Status(*w, "pSize"), QStringLiteral("W:0   H:0"));
    EXPECT_EQ(w->findChild<QLabel*>("pFont")->text(), QStringLiteral("Arial [8pt]"));
    EXPECT_TRUE(eText->text().isEmpty());
    EXPECT_FALSE(eText->isEnabled());
}

TEST_F(MainWindow, UnitSwitchConvertsTheSheetOnce) {
    auto w = Window();
    const double height = w->Document().Sheet().LabelHeight;
    w->Action("acUnitMetric")->trigger();
    EXPECT_TRUE(w->Document().Sheet().Metric);
    EXPECT_DOUBLE_EQ(w->Document().Sheet().LabelHeight, height * 2.54);
    EXPECT_TRUE(w->Modified());
    w->Action("acUnitMetric")->trigger();
    EXPECT_DOUBLE_EQ(w->Document().Sheet().LabelHeight, height * 2.54) << "already metric";
    const int pixels = w->Label().height();
    w->Action("acUnitInches")->trigger();
    EXPECT_FALSE(w->Document().Sheet().Metric);
    EXPECT_NEAR(w->Document().Sheet().LabelHeight, height, 1e-12);
    EXPECT_EQ(w->Label().height(), pixels);
}

TEST_F(MainWindow, ScrollRangesAndTheTopLeftCorner) {
    auto w = Window();
    w->resize(900, 700);
    w->show();
    QApplication::processEvents();
    TDesignArea& area = w->DesignArea();
    // 2 x 1 inches in a large panel: nothing to scroll.
    EXPECT_EQ(area.VertScrollBar().maximum(), 0);
    EXPECT_EQ(area.HorzScrollBar().maximum(), 0);
    EXPECT_EQ(area.HorzScrollBar().pageStep(), 96);
    EXPECT_EQ(area.HorzScrollBar().singleStep(), 12);
    // A 12 x 10 inch label scrolls until one inch of panel shows beyond it.
    w->Document().ChangeSheet([&](TSheetSettings& s) { s.LabelWidth = 12; });
    w->Document().ChangeSheet([&](TSheetSettings& s) { s.LabelHeight = 10; });
    w->ApplyLabelSize();
    const QWidget& panel = area.Panel();
    EXPECT_EQ(area.HorzScrollBar().maximum(), 12 * 96 + 96 - panel.width());
    EXPECT_EQ(area.VertScrollBar().maximum(), 10 * 96 + 96 - panel.height());
    area.HorzScrollBar().setValue(100);
    area.VertScrollBar().setValue(40);
    EXPECT_EQ(w->Label().pos(), QPoint(-100, -40));
    QTest::mouseClick(w->findChild<QToolButton*>("sbTopLeft"), Qt::LeftButton);
    EXPECT_EQ(w->Label().pos(), QPoint(0, 0));
    EXPECT_EQ(area.HorzScrollBar().value(), 0);
}

TEST_F(MainWindow, StartFileWithMixedCaseTemplateExtensionIsImported) {
    const QString path = Scratch.File("sheet.LbF");
    TSheetSettings sheet;
    sheet.LabelWidth = 3;
    sheet.LabelHeight = 2;
    WriteTemplate(path, sheet);
    TCommandLineOptions options;
    options.StartFile = path;
    auto w = Window(options);
    w->show();
    EXPECT_EQ(w->TemplateFileName(), path);
    EXPECT_DOUBLE_EQ(w->Document().Sheet().LabelWidth, 3);
    EXPECT_EQ(w->Label().width(), 288);
    EXPECT_TRUE(w->DocumentFileName().isEmpty());
}

TEST_F(MainWindow, DropOpensTheFirstLabelAmongTheFiles) {
    auto source = Window();
    AddText(*source, QStringLiteral("Dropped"));
    const QString label = Scratch.File("third.lbl");
    WriteLabelDescription(label, source->Document());
    const QString text = Scratch.File("notes.txt"), missing = Scratch.File("gone.lbl");
    QFile(text).open(QIODevice::WriteOnly);

    auto w = Window();
    DropFiles(
        *w, {QUrl::fromLocalFile(missing), QUrl::fromLocalFile(text), QUrl::fromLocalFile(label)});
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join("; ").toStdString();
    EXPECT_EQ(w->DocumentFileName(), label);
    ASSERT_EQ(w->Document().Controls().size(), 1u);
    EXPECT_EQ(w->Document().Controls()[0]->Text(), QStringLiteral("Dropped"));
    EXPECT_TRUE(Questions.isEmpty()) << "a drop does not ask";

    // Only a text file: nothing happens.
    auto other = Window();
    DropFiles(*other, {QUrl::fromLocalFile(text)});
    EXPECT_TRUE(other->DocumentFileName().isEmpty());
}
} // namespace

#include "app/PrinterSetup.h"
#include "platform/Printer.h"

#include <QComboBox>

namespace {
TEST(PrinterSetup, ChoosesThePdfPrinterAndItsPaper) {
    TPrinters::Select(TPdfPrinter::DefaultName());
    TPrinters::Pdf().SetPaperSize(QPageSize::A4);
    TPaperChoice chosen;
    TFPrinterSetup dialog(chosen);
    auto* printer = dialog.findChild<QComboBox*>("cbPrinter");
    auto* paper = dialog.findChild<QComboBox*>("cbPaper");
    ASSERT_NE(printer, nullptr);
    ASSERT_NE(paper, nullptr);
    EXPECT_EQ(printer->currentText(), TPdfPrinter::DefaultName());
    EXPECT_EQ(printer->findText(TPdfPrinter::DefaultName()), printer->count() - 1)
        << "the PDF printer comes after the system's printers";
    paper->setCurrentText("Letter");
    EXPECT_TRUE(dialog.findChild<QLabel*>("lFacts")->text().startsWith("8.50 \u00d7 11.00 in"));
    dialog.accept();
    EXPECT_EQ(chosen.Name, "Letter");
    EXPECT_EQ(TPrinters::Current().Facts().PhysicalWidth, 5100);
    EXPECT_EQ(TPrinters::Pdf().PaperSize(), QPageSize::A4) << "its own paper stays";
    TPrinters::Current().SetPaper({});
}
} // namespace

#include "app/FControlSettings.h"

#include <QDialog>

namespace {
// Counts how often a window is brought to the front of the stacking order.
class TRaiseCounter : public QObject {
public:
    int Raised = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        Raised += event->type() == QEvent::ZOrderChange;
        return false;
    }
};

TEST_F(MainWindow, ThePaletteStaysAboveTheWindowInEveryState) {
    auto w = Window();
    w->show();
    TFControlSettings& palette = w->Palette();
    ASSERT_TRUE(palette.isVisible());
    EXPECT_EQ(palette.parentWidget(), w.get()) << "a tool window of the main window";
    QMenu* view = w->findChild<QMenu*>("mnView");
    QAction* settings = w->Action("acControlSettings");
    TRaiseCounter counter;
    palette.installEventFilter(&counter);
    for (const Qt::WindowState state :
         {Qt::WindowMaximized, Qt::WindowNoState, Qt::WindowFullScreen, Qt::WindowNoState}) {
        counter.Raised = 0;
        w->setWindowState(state);
        EXPECT_GE(counter.Raised, 1) << "the palette was left behind the window, state " << state;
        EXPECT_TRUE(palette.isVisible());
        emit view->aboutToShow();
        EXPECT_TRUE(settings->isChecked()) << "the menu says what the screen shows";
    }
    // Activating the window (a click on it) brings it to the front as well; a dialog that takes
    // the activation stays above the palette.
    QDialog dialog(w.get());
    dialog.show();
    counter.Raised = 0;
    QApplication::setActiveWindow(&dialog);
    EXPECT_EQ(counter.Raised, 0) << "the palette went over the dialog";
    dialog.hide();
    QApplication::setActiveWindow(w.get());
    EXPECT_GE(counter.Raised, 1);

    // Maximised, one click on the command hides the palette and the next shows it.
    w->setWindowState(Qt::WindowMaximized);
    settings->trigger();
    EXPECT_FALSE(palette.isVisible());
    EXPECT_FALSE(settings->isChecked());
    counter.Raised = 0;
    w->setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(palette.isVisible()) << "a hidden palette stays hidden";
    w->setWindowState(Qt::WindowMaximized);
    settings->trigger();
    EXPECT_TRUE(palette.isVisible());
    EXPECT_TRUE(settings->isChecked());
    w->setWindowState(Qt::WindowNoState);
}
} // namespace
