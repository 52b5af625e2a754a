#include "app/FMain.h"

#include "app/DataView.h"
#include "app/DesignArea.h"
#include "app/FControlSettings.h"
#include "app/LabelSetup.h"
#include "app/ProblemOutlines.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/widgets/CanvasLabel.h"
#include "files/FileOperations.h"
#include "files/LabelSnapshots.h"
#include "merge/DataImport.h"
#include "merge/dialogs/FAdvanced.h"
#include "merge/dialogs/FTextImport.h"
#include "platform/Preferences.h"
#include "platform/Screen.h"
#include "print/dialogs/FPrintDlg.h"
#include "print/dialogs/FPrintProgress.h"
#include "print/dialogs/PrintDialogServices.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

namespace {
// The band bar's four bands and their minimum widths.
constexpr int kFileBandWidth = 155;
constexpr int kAlignBandWidth = 170;
constexpr int kTextBandWidth = 200;
constexpr int kFontBandWidth = 160;

QToolBar* Band(QMainWindow& window, const char* name, const QString& title, int minimumWidth) {
    auto* band = new QToolBar(title, &window);
    band->setObjectName(QLatin1String(name));
    band->setMinimumWidth(minimumWidth);
    band->setIconSize(QSize(16, 16));
    band->setMovable(true);
    window.addToolBar(Qt::TopToolBarArea, band);
    return band;
}

QLabel* StatusPanel(const char* name, int width, const QString& text, QWidget* parent) {
    auto* panel = new QLabel(text, parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFixedWidth(width);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return panel;
}
} // namespace

TFMain::TFMain(const TCommandLineOptions& options, std::unique_ptr<TPreferenceStore> store,
               const TShellEnvironment* shell, QWidget* parent)
    : QMainWindow(parent), m_options(options),
      m_store(store ? std::move(store) : std::make_unique<TPreferenceStore>()), m_actions(this) {
    setObjectName(QStringLiteral("FMain"));
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationName(QStringLiteral("Vellumtrace"));
    setMinimumSize(425, 330);
    setAcceptDrops(true);

    m_defaultFont = QFont(QStringLiteral("Arial"), 8);
    m_document = new TLabelDocument(this);
    m_design = new TDesignArea(*m_document, this);
    setCentralWidget(m_design);
    Label().installEventFilter(this);
    connect(m_document, &TLabelDocument::SelectionChanged, this, [this] { RefreshSelectionUI(); });
    connect(m_document, &TLabelDocument::Edited, this, [this] {
        if (m_quiet || (m_history && m_history->Restoring()))
            return;
        SetModified(true);
        RecordStep(m_editKind, m_editKey);
    });
    // Undo and Redo change the label through the document; the window follows.
    connect(m_document, &TLabelDocument::GridChanged, this,
            [this](bool shown) { m_actions[TActionId::ShowGrids]->setChecked(shown); });
    connect(m_document, &TLabelDocument::ControlsReplaced, this, [this] { AdoptControls(); });
    connect(m_document, &TLabelDocument::LabelResized, this, [this] {
        m_design->UpdateScrollRanges();
        m_design->RepaintRulers();
    });

    BuildMenus();
    BuildBands();
    BuildTools();
    BuildStatusBar();
    ConnectCommands();
    ConnectEditing();
    ConnectArrange();
    ConnectView();

    m_design->PlaceLabelAtOrigin();
    StartFromDefaultSheet();
    ReadPreferences();
    RegisterFileTypes(
        m_preferences.ProgramFolder,
        shell ? *shell : TShellEnvironment::ForProgram(QCoreApplication::applicationFilePath()));
    ApplyLabelSize();
    // The working folder stays the user's: relative paths on the command line and in dialogs
    // mean what the user meant.
    FitSheetToPrinter();
    SetModified(false);
    RefreshCaption();

    // The dialogs the window uses again and again, made once after it.
    m_dataImport = std::make_unique<TDataImport>();
    m_advanced = new TFAdvanced(*m_dataImport, this);
    m_printDlg = new TFPrintDlg(m_options, *m_dataImport, this);
    m_textImport = new TFTextImport(this);
    m_dataImport->SetTextImportDialog(m_textImport);
    // The label keeps the settings its data was last read with; the session reads with them.
    m_dataImport->SettingsChosen = [this](const TTextImportSettings& s) { KeepDataSettings(s); };
    connect(&Document(), &TLabelDocument::SheetChanged, this,
            [this] { m_dataImport->AdoptLabelSettings(Document().Sheet().DataImport); });
    m_dataImport->AdoptLabelSettings(Document().Sheet().DataImport);
    m_printProgress = new TFPrintProgress(this);
    // The print dialog goes before the window, so its set-up always has the window to ask.
    m_printDlg->PrintDialogServices().PrinterSetup = [this](QWidget* parent) {
        return ChoosePrinter(parent);
    };
    m_printDlg->PrintDialogServices().Calibration = [this](const QString& printerName) {
        return ReadCalibration(PreferenceStore(), printerName);
    };
    CreatePalette();
    SetupHistory();
    // What the surface shows beyond the design: a record of the data file, and what paper cuts.
    new TDataView(*this);
    new TProblemOutlines(*this);
}

TFMain::~TFMain() {
    // The history tells of its last state as it goes; nothing here may listen by then.
    if (m_history)
        m_history->Stack().disconnect();
    m_palette.reset();
    // The dialogs that use the data import go before it does.
    delete m_printDlg;
    delete m_advanced;
    m_document->disconnect(this);
}

TCanvasLabel& TFMain::Label() const {
    return m_design->Label();
}

void TFMain::CreatePalette() {
    TPaletteHost host;
    host.MainWindow = this;
    host.Label = &Label();
    host.PrinterResolution = [] { return TPrinters::Current().Facts().PixelsPerInchX; };
    host.BringToFront = m_actions[TActionId::BringToFront];
    host.SendToBack = m_actions[TActionId::SendToBack];
    host.AutoSize = m_actions[TActionId::AutoSize];
    host.Transparent = m_actions[TActionId::Transparent];
    host.ImportImage = m_actions[TActionId::ImportImage];
    host.MaintainAspect = m_actions[TActionId::MaintainAspect];
    host.AsStep = [this](TStepKind kind, const std::function<void()>& change) {
        AsStep(kind, change);
    };
    m_palette = std::make_unique<TFControlSettings>(host, *m_store);
    TFControlSettings* palette = m_palette.get();
    NewBarcodeType = [palette] { return palette->CurrentBarcodeType(); };
    connect(palette, &TFControlSettings::Edited, this, [this] {
        SetModified(true);
        ReflectProperties();
    });
    connect(palette, &TFControlSettings::BarcodeTypeChanged, this, [this](TLabelControl* barcode) {
        m_updating = true;
        m_eText->setText(barcode->GetText());
        m_updating = false;
    });
    connect(palette, &TFControlSettings::VisibilityChanged, m_actions[TActionId::ControlSettings],
            &QAction::setChecked);
    connect(this, &TFMain::RotationChanged, palette, &TFControlSettings::ReflectRotation);
    QAction* settings = m_actions[TActionId::ControlSettings];
    settings->setEnabled(true);
    connect(settings, &QAction::triggered, this, [this, palette] {
        palette->setVisible(!palette->isVisible());
        m_actions[TActionId::ControlSettings]->setChecked(palette->isVisible());
    });
}

void TFMain::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // The palette follows the window while the window's right edge is on the screen.
    const QScreen* screen = this->screen();
    if (m_palette && !m_closing && (!screen || geometry().right() <= screen->geometry().right()))
        m_palette->DockPalette();
}

void TFMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (m_palette && !m_closing && !isMinimized() && !isMaximized())
        m_palette->DockPalette();
}

void TFMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Maximising or activating the window brings it to the front; the palette belongs above it
    // in every state, or it would vanish behind the window while "Control Settings" stays
    // checked. (Losing the activation to a dialog must leave the dialog on top.)
    const QEvent::Type type = event->type();
    const bool toFront =
        type == QEvent::WindowStateChange || (type == QEvent::ActivationChange && isActiveWindow());
    if (toFront && m_palette && !m_closing && m_palette->isVisible() && !isMinimized())
        m_palette->raise();
}

void TFMain::BuildMenus() {
    const TMainActions& a = m_actions;
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnFile"));
    file->addActions({a[TActionId::NewLabel], a[TActionId::OpenLabel]});
    file->addSeparator();
    file->addActions({a[TActionId::SaveLabel], a[TActionId::SaveLabelAs]});
    file->addSeparator();
    file->addActions({a[TActionId::ImportSettings], a[TActionId::ExportSettings]});
    file->addAction(a[TActionId::ExportPicture]);
    file->addSeparator();
    file->addActions({a[TActionId::Print], a[TActionId::PrintSetup]});
    file->addSeparator();
    m_recentMenu = file->addMenu(QStringLiteral("Recent Labels"));
    m_recentMenu->setObjectName(QStringLiteral("mnRecent"));
    file->addSeparator();
    file->addAction(a[TActionId::Exit]);

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnEdit"));
    edit->addActions({a[TActionId::Undo], a[TActionId::Redo]});
    edit->addSeparator();
    edit->addActions({a[TActionId::Cut], a[TActionId::Copy], a[TActionId::Paste]});
    edit->addActions({a[TActionId::SelectAll], a[TActionId::Duplicate]});
    edit->addSeparator();
    edit->addActions({a[TActionId::EditFields], a[TActionId::SetupLabel]});

    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnOptions"));
    options->addActions({a[TActionId::ShowGrids], a[TActionId::ShowBorder], a[TActionId::AutoZ]});
    options->addSeparator();
    options->addActions({a[TActionId::SnapGrid], a[TActionId::SnapControls]});
    options->addSeparator();
    QMenu* units = options->addMenu(QStringLiteral("Grid && Ruler Units"));
    units->setObjectName(QStringLiteral("mnUnits"));
    units->addActions({a[TActionId::UnitInches], a[TActionId::UnitMetric]});

    QMenu* format = bar->addMenu(QStringLiteral("F&ormat"));
    format->setObjectName(QStringLiteral("mnFormat"));
    QMenu* hAlign = format->addMenu(QStringLiteral("Horizontal Alignment"));
    hAlign->addActions({a[TActionId::AlignHL], a[TActionId::AlignHC], a[TActionId::AlignHR]});
    QMenu* vAlign = format->addMenu(QStringLiteral("Vertical Alignment"));
    vAlign->addActions({a[TActionId::AlignVT], a[TActionId::AlignVC], a[TActionId::AlignVB]});
    format->addSeparator();
    QMenu* arrange = format->addMenu(QStringLiteral("Align"));
    arrange->setObjectName(QStringLiteral("mnArrange"));
    arrange->addActions({a[TActionId::ArrangeLeft], a[TActionId::ArrangeCenter],
                         a[TActionId::ArrangeRight], a[TActionId::ArrangeTop],
                         a[TActionId::ArrangeMiddle], a[TActionId::ArrangeBottom]});
    arrange->addSeparator();
    arrange->addActions({a[TActionId::CenterHorz], a[TActionId::CenterVert]});
    arrange->addSeparator();
    arrange->addActions({a[TActionId::DistributeHorz], a[TActionId::DistributeVert]});
    arrange->addSeparator();
    arrange->addActions({a[TActionId::SameWidth], a[TActionId::SameHeight]});
    format->addSeparator();
    QMenu* attach = format->addMenu(QStringLiteral("Attach To"));
    attach->setObjectName(QStringLiteral("mnAttach"));
    attach->addActions({a[TActionId::AlignNone], a[TActionId::AlignLeft], a[TActionId::AlignRight],
                        a[TActionId::AlignTop], a[TActionId::AlignBottom],
                        a[TActionId::AlignClient]});
    // Attaching is kept in the files but not offered.
    attach->menuAction()->setVisible(false);
    QMenu* rotate = format->addMenu(QStringLiteral("Rotate"));
    rotate->addActions({a[TActionId::RotateNone], a[TActionId::Rotate90], a[TActionId::Rotate180],
                        a[TActionId::Rotate270]});
    format->addSeparator();
    format->addActions({a[TActionId::AutoSize], a[TActionId::Transparent]});

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnView"));
    a[TActionId::ZoomIn]->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))});
    view->addActions({a[TActionId::ZoomIn], a[TActionId::ZoomOut], a[TActionId::ZoomActual],
                      a[TActionId::ZoomFit]});
    view->addSeparator();
    view->addActions({a[TActionId::ShowData], a[TActionId::NextRecord], a[TActionId::PrevRecord]});
    view->addSeparator();
    view->addAction(a[TActionId::ControlSettings]);
    connect(view, &QMenu::aboutToShow, this, [this] {
        m_actions[TActionId::ControlSettings]->setChecked(m_palette && m_palette->isVisible());
    });

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnHelp"));
    help->addAction(a[TActionId::Help]);
    help->addSeparator();
    help->addAction(a[TActionId::About]);
}

void TFMain::BuildBands() {
    const TMainActions& a = m_actions;
    QToolBar* fileBand = Band(*this, "FileBand", QStringLiteral("File"), kFileBandWidth);
    fileBand->addActions({a[TActionId::NewLabel], a[TActionId::OpenLabel], a[TActionId::SaveLabel],
                          a[TActionId::SetupLabel], a[TActionId::Print]});
    QToolBar* alignBand = Band(*this, "AlignBand", QStringLiteral("Alignment"), kAlignBandWidth);
    alignBand->addActions({a[TActionId::AlignVT], a[TActionId::AlignVC], a[TActionId::AlignVB]});
    alignBand->addSeparator();
    alignBand->addActions({a[TActionId::AlignHL], a[TActionId::AlignHC], a[TActionId::AlignHR]});
    // Lining controls up with each other and with the label.
    QToolBar* arrangeBand = Band(*this, "ArrangeBand", QStringLiteral("Align"), 0);
    arrangeBand->addActions({a[TActionId::ArrangeLeft], a[TActionId::ArrangeCenter],
                             a[TActionId::ArrangeRight], a[TActionId::ArrangeTop],
                             a[TActionId::ArrangeMiddle], a[TActionId::ArrangeBottom]});
    arrangeBand->addSeparator();
    arrangeBand->addActions({a[TActionId::CenterHorz], a[TActionId::CenterVert],
                             a[TActionId::DistributeHorz], a[TActionId::DistributeVert],
                             a[TActionId::SameWidth], a[TActionId::SameHeight]});
    addToolBarBreak(Qt::TopToolBarArea);

    QToolBar* textBand = Band(*this, "TextBand", QStringLiteral("Text"), kTextBandWidth);
    textBand->addAction(a[TActionId::EditFields]);
    m_eText = new QLineEdit(textBand);
    m_eText->setObjectName(QStringLiteral("eText"));
    m_eText->setMinimumWidth(120);
    textBand->addWidget(m_eText);
    textBand->addAction(a[TActionId::EditText]);

    QToolBar* fontBand = Band(*this, "FontBand", QStringLiteral("Font"), kFontBandWidth);
    m_pFont = new QLabel(fontBand);
    m_pFont->setObjectName(QStringLiteral("pFont"));
    m_pFont->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pFont->setMinimumWidth(120);
    m_pFont->setAutoFillBackground(true);
    fontBand->addWidget(m_pFont);
    fontBand->addAction(a[TActionId::SelectFont]);

    // The band buttons carry the widget names of the tools they stand for.
    const std::pair<QToolBar*, std::pair<TActionId, const char*>> named[] = {
        {fileBand, {TActionId::NewLabel, "sbNew"}},
        {fileBand, {TActionId::OpenLabel, "sbOpen"}},
        {fileBand, {TActionId::SaveLabel, "sbSave"}},
        {fileBand, {TActionId::SetupLabel, "sbLabelSize"}},
        {fileBand, {TActionId::Print, "sbPrint"}},
        {textBand, {TActionId::EditFields, "sbFields"}},
        {textBand, {TActionId::EditText, "sbEditMemo"}},
        {fontBand, {TActionId::SelectFont, "sbFont"}},
    };
    for (const auto& [band, names] : named)
        if (QWidget* button = band->widgetForAction(a[names.first]))
            button->setObjectName(QLatin1String(names.second));
}

void TFMain::BuildTools() {
    const TMainActions& a = m_actions;
    auto* tools = new QToolBar(QStringLiteral("Tools"), this);
    tools->setObjectName(QStringLiteral("ToolBand"));
    tools->setIconSize(QSize(16, 16));
    tools->setMovable(false);
    addToolBar(Qt::LeftToolBarArea, tools);
    const std::pair<TActionId, const char*> buttons[] = {
        {TActionId::SelectTool, "sbSelect"},  {TActionId::AddText, "sbText"},
        {TActionId::AddBarcode, "sbBarcode"}, {TActionId::AddMemo, "sbMemo"},
        {TActionId::AddShape, "sbShape"},     {TActionId::AddImage, "sbGraphic"},
    };
    for (const auto& [action, name] : buttons) {
        tools->addAction(a[action]);
        tools->widgetForAction(a[action])->setObjectName(QLatin1String(name));
    }
    // "Rotate Focus on Label" stands apart at the bottom.
    auto* spacer = new QWidget(tools);
    spacer->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    tools->addWidget(spacer);
    tools->addAction(a[TActionId::RotateFocus]);
    tools->widgetForAction(a[TActionId::RotateFocus])
        ->setObjectName(QStringLiteral("sbRotateFocus"));
}

void TFMain::BuildStatusBar() {
    m_statusPosition = StatusPanel("pPosition", 110, QString(), this);
    m_statusSize = StatusPanel("pSize", 110, QString(), this);
    m_statusState = StatusPanel("pState", 50, QStringLiteral("Ready"), this);
    m_statusZoom = StatusPanel("pZoom", 50, QStringLiteral("100%"), this);
    m_statusZoom->setAlignment(Qt::AlignCenter);
    // The record shown on the label, while View > Show Data is on.
    m_statusRecord = StatusPanel("pRecord", 110, QString(), this);
    m_statusRecord->hide();
    statusBar()->addWidget(m_statusPosition);
    statusBar()->addWidget(m_statusSize);
    statusBar()->addPermanentWidget(m_statusRecord);
    statusBar()->addPermanentWidget(m_statusZoom);
    // The state panel takes what is left of the bar, so longer states stay readable.
    m_statusState->setMinimumWidth(50);
    m_statusState->setMaximumWidth(QWIDGETSIZE_MAX);
    statusBar()->addWidget(m_statusState, 1);
    ShowPosition(); // the texts shown while nothing is selected
}
