#pragma once

#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "print/dialogs/PrintDialogRules.h"
#include "print/dialogs/PrintDialogServices.h"

#include <QDialog>

#include <tuple>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPoint;
class QPushButton;
class QRadioButton;
class QToolButton;
class TCopiesFieldBox;
class TDataImport;
class TPrintProgress;
struct TCommandLineOptions;

// "Print Options": the data file to merge, the range, the duplicates and the first label to use
// on a partly used sheet, picked on a small picture of the page. Created once, after the command
// line was read, and reused: its fields keep what the user left in them. The data file is chosen
// in the session's data import, which the field editor shares, and runs read it with that
// choice's settings. The rules live in PrintDialogRules.h and PagePreview.h; message boxes and
// the file and printer dialogs go through the dialog's PrintDialogServices().
class TFPrintDlg : public QDialog {
    Q_OBJECT
public:
    // import must outlive the dialog.
    explicit TFPrintDlg(const TCommandLineOptions& options, TDataImport& import,
                        QWidget* parent = nullptr);

    // The Print command: shows the dialog for the label modally and, on "&Print", prints it
    // with progress (see PrintFromDesigner). True when a run finished, so the label's counters
    // may have advanced and the label wants saving.
    // The dialog fits the document's rows and columns to the printer's paper, as it shows them.
    bool RunPrintDialog(TLabelDocument& document, const QString& documentFileName,
                        TPrintProgress* progress);

    // The parts of RunPrintDialog: Prepare fills the dialog for the label without showing it
    // (tests show it themselves); Execute prepares and runs it, true on "&Print".
    void Prepare(TLabelDocument& document);
    bool Execute(TLabelDocument& document);

    // What the fields hold now, and the run they ask for.
    TPrintChoices Choices() const;
    // The run they ask for, with the data file's import settings of this session.
    TPrintSettings Settings() const;
    // The printer's page the sheet was last fitted to, which the picture of the page shows.
    const TPrinterPage& Page() const { return m_page; }

    // The message boxes and the file, printer, preview and check dialogs this dialog asks
    // through: the desktop's unless replaced (the main window puts in its printer set-up).
    TPrintDialogServices& PrintDialogServices() { return m_services; }

    void FormCreate(const TCommandLineOptions& options);
    void SetSkipCount(int32_t n);
    int32_t SkipCount() const { return m_skipCount; }

    void BrowseBtnClick();
    // Chooses a database and its query or table in the data source dialog.
    void DatabaseBtnClick();
    void ChooseDatabase(const QString& connection);
    void eFileExit();
    void ePagesExit(QLineEdit* edit);
    void OkayBtnClick();
    // Shows the pages this run would print (PrintDialogServices().Preview) without printing.
    void PreviewBtnClick();
    // Checks every label of this run (the preflight check) and shows what it found; the user
    // prints from there or comes back to the dialog.
    void CheckBtnClick();
    void BitBtn3Click();
    void PaintBox1Paint(QPainter& painter);
    void PaintBox1MouseDown(const QPoint& pos);
    void sbLeftClick() { SetSkipCount(m_skipCount - 1); }
    void sbRightClick() { SetSkipCount(m_skipCount + 1); }
    // "Continue where the last run stopped": the start label where the label's last run on this
    // sheet and paper left off.
    void cbContinueClick(bool checked);

    // Heights of the dialog with and without the data file panel.
    static constexpr int HeightWithData = 333;
    static constexpr int HeightWithoutData = 276;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildImportPanel();
    QWidget* BuildRangePanel();
    QWidget* BuildPreviewPanel();
    QWidget* BuildButtons();
    void WriteSheetLines();
    void PlaceStartLabelWidgets(const QRect& page);
    // The continue box follows the label's stored position and the sheet the dialog shows.
    void UpdateContinue();
    TPrintLayout ShownLayout() const;
    int32_t ContinuePosition() const;
    // The copies field shows the names of the data now chosen.
    void UpdateCopiesNames();
    // Keeps the copies field chosen for the run with the label.
    void KeepCopiesField();

    // Checks the fields as "&Print" does; false (the user told) when they ask for no run.
    bool CheckRun();

    // Refits the sheet's rows and columns to the current printer with the sheet's paper.
    void FitSheet();
    void FitSheet(const TPrinterFacts& facts);
    const TSheetSettings& Sheet() const;

    TDataImport& m_import;
    TPrintDialogServices m_services = DesktopPrintDialogServices();
    int32_t m_skipCount = 0;
    TPrinterPage m_page;
    // The label being printed, from Prepare on.
    TLabelDocument* m_document = nullptr;
    const TControlList* m_controls = nullptr;

    QWidget* m_pImport = nullptr;
    QLineEdit* m_eFile = nullptr;
    QPushButton* m_browseBtn = nullptr;
    QPushButton* m_databaseBtn = nullptr;
    QRadioButton* m_rbAllRange = nullptr;
    QRadioButton* m_rbPageRange = nullptr;
    QLineEdit* m_ePages = nullptr;
    QRadioButton* m_rbLabelRange = nullptr;
    QLineEdit* m_eLabels = nullptr;
    QLabel* m_lCopies = nullptr;
    QLineEdit* m_eCopies = nullptr;
    TCopiesFieldBox* m_copiesField = nullptr;
    // The label's copies field the box last showed.
    std::tuple<const TLabelDocument*, int32_t, QString> m_copiesLoaded;
    QCheckBox* m_cbContinue = nullptr;
    QLabel* m_lRows = nullptr;
    QLabel* m_lColumns = nullptr;
    QLabel* m_lLabels = nullptr;
    QPushButton* m_bitBtn3 = nullptr;
    QPushButton* m_okayBtn = nullptr;
    QPushButton* m_cancelBtn = nullptr;
    QPushButton* m_previewBtn = nullptr;
    QPushButton* m_checkBtn = nullptr;
    QWidget* m_paintBox1 = nullptr;
    QLabel* m_lSelectLbl = nullptr;
    QLabel* m_lSkipLbl = nullptr;
    QToolButton* m_sbLeft = nullptr;
    QToolButton* m_sbRight = nullptr;
};
