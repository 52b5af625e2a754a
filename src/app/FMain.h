#pragma once

#include "app/FileAssociate.h"
#include "app/MainActions.h"
#include "app/MainPreferences.h"
#include "app/UiServices.h"
#include "barcode/BarcodeTypes.h"
#include "platform/Preferences.h"
#include "print/CommandLine.h"

#include "document/LabelDocument.h"
#include "document/lblobjs.h"
#include "files/LabelHistory.h"

#include <QFont>
#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QMenu;
class TCanvasLabel;
class TDataImport;
class TLabelDocument;
class TDesignArea;
class QMouseEvent;
class QUndoStack;
class TFAdvanced;
class TFControlSettings;
class TFPrintDlg;
class TFPrintProgress;
class TFTextImport;
class TLabelControl;
class TSnap;
struct TArrangeLabel;
struct TKindTool;

// The editor's main window: owns the one label being designed, the menus, bands, tools, rulers
// and status bar around it, and the document lifecycle (new, open, save, templates, the
// save-changes question, dropped files and the start file).
class TFMain : public QMainWindow {
    Q_OBJECT
public:
    // The caption names the release (major.minor) of the project version.
    static constexpr const char* Caption = "Vellumtrace v" VT_CAPTION_VERSION;

    // options: the parsed command line; store: the preferences (the user's own unless a test
    // passes one).
    // shell: where the file types are registered (the user's desktop unless a test passes its
    // own folder).
    explicit TFMain(const TCommandLineOptions& options,
                    std::unique_ptr<TPreferenceStore> store = nullptr,
                    const TShellEnvironment* shell = nullptr, QWidget* parent = nullptr);
    ~TFMain() override;

    // The questions, file dialogs and error display this window asks through: the desktop's
    // unless replaced (tests answer them).
    TUiServices& UiServices() { return m_ui; }
    const TUiServices& UiServices() const { return m_ui; }

    // The label being designed, and the design surface showing it.
    TLabelDocument& Document() const { return *m_document; }
    TCanvasLabel& Label() const;
    TDesignArea& DesignArea() const { return *m_design; }
    QAction* Action(TActionId id) const { return m_actions[id]; }
    // By objectName, checked while compiling.
    QAction* Action(TActionName name) const { return m_actions[name.Id]; }

    // Document state.
    const QString& DocumentFileName() const { return m_documentFileName; }
    const QString& TemplateFileName() const { return m_templateFileName; }
    bool Modified() const { return m_modified; }
    void SetModified(bool modified);
    const QFont& DefaultFont() const { return m_defaultFont; }
    const TMainPreferences& Preferences() const { return m_preferences; }
    // The store the window reads and writes its preferences and the sheet defaults in.
    TPreferenceStore& PreferenceStore() const { return *m_store; }

    // Document operations.
    bool QuerySave();
    void NewLabel();
    void OpenLabel();
    void OpenLabelFile(const QString& path);
    void ImportSettings();
    void ImportTemplateFile(const QString& path);
    void ExportTemplate();
    // The label on screen, with the record it shows, as a PNG or SVG picture.
    void ExportPicture();
    // Both return false when the label could not be written (the reason was shown).
    bool SaveLabel();
    bool SaveLabelAs();
    void SetupLabel();
    void PrintSetup();
    // Print Setup over parent (the window or one of its dialogs); true when confirmed. The
    // paper is kept with the label, so choosing another one is a change.
    bool ChoosePrinter(QWidget* parent);
    // Keeps paper as the label's own: a change saved with it and a step of the history.
    void KeepPaper(const TPaperChoice& paper);
    // The data import settings the user confirmed become the label's: a change to save.
    void KeepDataSettings(const TTextImportSettings& settings);
    void PrintLabels();
    void ShowHelp();
    void ShowAbout();
    // The label file or template named by a start file or a drop, by its extension.
    bool OpenByExtension(const QString& path);

    // What the window shows of the selection.
    void RefreshSelectionUI();
    void ShowPosition();
    void ApplyLabelSize();

    void ReadPreferences();
    void WritePreferences();

    // The design surface's zoom in percent (100: true size). ZoomTo keeps the middle of the
    // design area where it is; Zoom to Fit shows the whole label.
    int ZoomPercent() const;
    void ZoomTo(int percent);
    void ZoomToFit();

    // Puts a dialog in the middle of the window.
    void CentreDialog(QWidget& dialog) const;

    // Editing commands on the selection.
    void ChooseTool(const TKindTool* tool); // nullptr: "Select Tool"
    // A press on the label: creates the active tool's control; true when a tool was active.
    bool PlaceNewControl(Qt::MouseButton button, int32_t x, int32_t y);
    void EditSelected();
    void UpdateCommandStates();
    void ReflectProperties();
    void CopySelection();
    void PasteControl();
    // Copies of the selection one grid step right and down, selected in its place.
    void DuplicateSelection();
    void EditText();
    void EditFields();
    void SelectFont();
    void ImportImage();
    // The history of changes. Records the changes made since the last step as one step of this
    // kind, once the current event is done (key: the control a run of arrow keys or typing
    // belongs to, whose steps become one).
    void RecordStep(TStepKind kind = TStepKind::ChangeProperties, TControlId key = 0);
    void CommitStep();
    QUndoStack& History() const;

    // The copies held for Paste: the first of them, and how many.
    const TLabelControl* ClipboardControl() const {
        return m_clipboard.empty() ? nullptr : m_clipboard.Controls.front().get();
    }
    size_t ClipboardCount() const { return m_clipboard.Controls.size(); }
    // The data file chosen for merging, shared by the field editor and the print dialog.
    TDataImport& DataImport() const { return *m_dataImport; }
    TFAdvanced& AdvancedFieldEditor() const { return *m_advanced; }
    TFPrintDlg& PrintDialog() const { return *m_printDlg; }
    TFControlSettings& Palette() const { return *m_palette; }

    // The barcode type a new barcode takes (the palette's current entry); Code 128 without one.
    std::function<TBarcodeType()> NewBarcodeType;

signals:
    // The window has been shown for the first time (the splash may close now).
    void FirstShown();
    // A rotation command ran (the palette's rotation buttons follow).
    void RotationChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The sheet a new label starts from: the stored defaults, fitted to the printer.
    void StartFromDefaultSheet();
    // Fits the label's rows and columns to the current printer with the label's paper.
    void FitSheetToPrinter();
    void BuildMenus();
    void BuildBands();
    void BuildTools();
    void BuildStatusBar();
    void ConnectCommands();
    void RefreshRecentMenu();
    void RefreshCaption();
    void ConnectEditing();
    void ConnectSelection();
    // Adds copies to the label with their common top-left corner at at, selected and drawn.
    void AddCopies(TControlCopies copies, QPoint at);
    void ConnectView();
    // Zooms to percent keeping the label point under anchor (in the design panel) still.
    void ZoomAbout(int percent, QPoint anchor);
    void CreatePalette();
    void SetupHistory();
    void ResetHistory();
    // Runs an editing command whose changes make a step of this kind.
    void AsStep(TStepKind kind, const std::function<void()>& command);
    // Align, distribute and same size (FMainArrange.cpp): the selected boxes through rule, as one
    // step; and the snapping of drags with its two switches.
    using TArrangeRule =
        std::function<std::vector<TRect>(const std::vector<TRect>&, const TArrangeLabel&)>;
    void ConnectArrange();
    void ArrangeSelection(TStepKind kind, bool resizes, const TArrangeRule& rule);
    void UpdateArrangeStates();
    void ApplySnapPreferences();
    void MouseReleased();
    std::unique_ptr<TLabelControl> NewControl(TControlKind kind);
    bool LabelPressed(QMouseEvent* event);
    void AdoptControls();
    void SwitchUnit(bool metric);
    // After a run moved the counters: shows and keeps their new values.
    void KeepSteppedCounters();
    void ToggleGrids();
    // Runs a document operation; a failure is shown in the general error display and leaves
    // the document as it was.
    template <typename F> bool Guarded(F&& operation);
    bool WriteLabel(const QString& path);
    void RememberRecent(const QString& path);

    TCommandLineOptions m_options;
    std::unique_ptr<TPreferenceStore> m_store;
    TUiServices m_ui = DesktopUiServices();
    TMainPreferences m_preferences;
    TMainActions m_actions;
    TLabelDocument* m_document = nullptr;
    TDesignArea* m_design = nullptr;
    QLineEdit* m_eText = nullptr;
    QLabel* m_pFont = nullptr;
    QLabel* m_statusPosition = nullptr;
    QLabel* m_statusSize = nullptr;
    QLabel* m_statusState = nullptr;
    QLabel* m_statusZoom = nullptr;
    QLabel* m_statusRecord = nullptr;
    QMenu* m_recentMenu = nullptr;
    QMenu* m_popup = nullptr;
    std::unique_ptr<TDataImport> m_dataImport;
    TFAdvanced* m_advanced = nullptr;
    TFTextImport* m_textImport = nullptr;
    TFPrintDlg* m_printDlg = nullptr;
    TFPrintProgress* m_printProgress = nullptr;
    TControlCopies m_clipboard;
    std::unique_ptr<TLabelHistory> m_history;
    std::shared_ptr<TSnap> m_snap; // shared: destroyed where its type is not known
    // What the change being made is, for the step's text and for merging steps.
    TStepKind m_editKind = TStepKind::ChangeProperties;
    TControlId m_editKey = 0;
    // What the mouse drag under way does to the selected control.
    std::optional<TStepKind> m_dragKind;
    bool m_mouseDown = false;
    // Made last, after every other window; it stores its preferences in m_store when it goes.
    std::unique_ptr<TFControlSettings> m_palette;
    QFont m_defaultFont;
    QString m_documentFileName;
    QString m_templateFileName;
    bool m_modified = false;
    bool m_updating = false;
    bool m_closing = false;
    // Set while the window itself rebuilds or resizes the label, which is no user edit.
    bool m_quiet = false;
    bool m_shown = false;
};
