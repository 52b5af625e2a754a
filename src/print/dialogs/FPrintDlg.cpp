#include "print/dialogs/FPrintDlg.h"

#include "document/LabelFields.h"
#include "document/Sheet.h"
#include "merge/DataImport.h"
#include "merge/SqlRows.h"
#include "merge/dialogs/FDataSource.h"
#include "merge/dialogs/KeyFilters.h"
#include "platform/Errors.h"
#include "print/CommandLine.h"
#include "print/NextLabel.h"
#include "print/SheetFit.h"
#include "print/dialogs/CopiesFieldBox.h"
#include "print/dialogs/DesignerPrint.h"
#include "print/dialogs/PagePreview.h"
#include "print/dialogs/PreflightResults.h"
#include "print/dialogs/PrintDialogServices.h"
#include "print/dialogs/PrintDialogTexts.h"
#include "print/dialogs/PrintPreview.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

namespace {
constexpr QSize PaintBoxSize(167, 185);
constexpr int PreviewTop = 18; // room above the paint box for "Select Start Label"
constexpr int PreviewHeight = PreviewTop + 185 + 28;

QString Text(const char* s) {
    return QString::fromLatin1(s);
}

template <class T> T* Named(T* widget, const char* name) {
    widget->setObjectName(Text(name));
    return widget;
}

// The paint box: a plain surface whose painting and clicks belong to the dialog.
class TPaintBox : public QWidget {
public:
    TPaintBox(std::function<void(QPainter&)> paint, std::function<void(const QPoint&)> press,
              QWidget* parent)
        : QWidget(parent), m_paint(std::move(paint)), m_press(std::move(press)) {
        setFixedSize(PaintBoxSize);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_paint(painter);
    }
    void mousePressEvent(QMouseEvent* event) override { m_press(event->position().toPoint()); }

private:
    std::function<void(QPainter&)> m_paint;
    std::function<void(const QPoint&)> m_press;
};

QLineEdit* CountEdit(const char* name, int maxLength, QWidget* parent) {
    auto* edit = Named(new QLineEdit(QStringLiteral("1"), parent), name);
    edit->setMaxLength(maxLength);
    edit->setFixedWidth(70);
    FilterKeys(edit, TKeyFilter::Digits);
    return edit;
}

// A focus change that leaves a field for another field of the same window; a message box or
// menu taking the focus for a moment is not leaving it.
bool LeavesField(const QFocusEvent* event) {
    return event->reason() != Qt::ActiveWindowFocusReason &&
           event->reason() != Qt::PopupFocusReason;
}
} // namespace

TFPrintDlg::TFPrintDlg(const TCommandLineOptions& options, TDataImport& import, QWidget* parent)
    : QDialog(parent), m_import(import) {
    setObjectName(QStringLiteral("FPrintDlg"));
    setWindowTitle(Text(PrintDialogText::Caption));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(BuildImportPanel());
    auto* body = new QHBoxLayout;
    body->addWidget(BuildRangePanel(), 1);
    body->addWidget(BuildPreviewPanel(), 0, Qt::AlignTop);
    body->addWidget(BuildButtons(), 0);
    layout->addLayout(body, 1);
    setFixedSize(560, HeightWithData);

    for (QLineEdit* e : {m_eFile, m_ePages, m_eLabels, m_eCopies})
        e->installEventFilter(this);
    connect(m_browseBtn, &QPushButton::clicked, this, &TFPrintDlg::BrowseBtnClick);
    connect(m_databaseBtn, &QPushButton::clicked, this, &TFPrintDlg::DatabaseBtnClick);
    connect(m_okayBtn, &QPushButton::clicked, this, &TFPrintDlg::OkayBtnClick);
    connect(m_cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_previewBtn, &QPushButton::clicked, this, &TFPrintDlg::PreviewBtnClick);
    connect(m_checkBtn, &QPushButton::clicked, this, &TFPrintDlg::CheckBtnClick);
    connect(m_bitBtn3, &QPushButton::clicked, this, &TFPrintDlg::BitBtn3Click);
    connect(m_sbLeft, &QToolButton::clicked, this, &TFPrintDlg::sbLeftClick);
    connect(m_sbRight, &QToolButton::clicked, this, &TFPrintDlg::sbRightClick);
    connect(m_cbContinue, &QCheckBox::clicked, this, &TFPrintDlg::cbContinueClick);
    // Copies from a field take the place of Duplicates.
    connect(m_copiesField, &TCopiesFieldBox::ChosenChanged, this, [this](bool chosen) {
        m_lCopies->setEnabled(!chosen);
        m_eCopies->setEnabled(!chosen);
    });

    FormCreate(options);
}

QWidget* TFPrintDlg::BuildImportPanel() {
    m_pImport = Named(new QWidget(this), "pImport");
    auto* layout = new QVBoxLayout(m_pImport);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(new QLabel(Text(PrintDialogText::ImportFrom), m_pImport));
    auto* row = new QHBoxLayout;
    m_eFile = Named(new QLineEdit(m_pImport), "eFile");
    m_browseBtn = Named(new QPushButton(Text(PrintDialogText::Browse), m_pImport), "BrowseBtn");
    m_browseBtn->setAutoDefault(false);
    m_databaseBtn =
        Named(new QPushButton(Text(PrintDialogText::Database), m_pImport), "DatabaseBtn");
    m_databaseBtn->setAutoDefault(false);
    row->addWidget(m_eFile, 1);
    row->addWidget(m_browseBtn);
    row->addWidget(m_databaseBtn);
    layout->addLayout(row);
    m_pImport->setFixedHeight(HeightWithData - HeightWithoutData - 6);
    return m_pImport;
}

QWidget* TFPrintDlg::BuildRangePanel() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    auto* range = new QGroupBox(panel);
    auto* grid = new QGridLayout(range);
    m_rbAllRange = Named(new QRadioButton(Text(PrintDialogText::All), range), "rbAllRange");
    m_rbPageRange = Named(new QRadioButton(Text(PrintDialogText::Pages), range), "rbPageRange");
    m_rbLabelRange = Named(new QRadioButton(Text(PrintDialogText::Labels), range), "rbLabelRange");
    m_ePages = CountEdit("ePages", 4, range);
    m_eLabels = CountEdit("eLabels", 9, range);
    grid->addWidget(m_rbAllRange, 0, 0);
    grid->addWidget(m_rbPageRange, 1, 0);
    grid->addWidget(m_ePages, 1, 1);
    grid->addWidget(m_rbLabelRange, 2, 0);
    grid->addWidget(m_eLabels, 2, 1);
    grid->setColumnStretch(2, 1); // the buttons keep their own width however wide the dialog
    m_rbAllRange->setChecked(true);
    layout->addWidget(range);

    auto* copies = new QHBoxLayout;
    m_lCopies = Named(new QLabel(Text(PrintDialogText::Duplicates), panel), "LCopies");
    m_eCopies = CountEdit("eCopies", 4, panel);
    copies->addWidget(m_lCopies);
    copies->addWidget(m_eCopies);
    copies->addStretch();
    layout->addLayout(copies);
    m_copiesField = Named(new TCopiesFieldBox(panel), "CopiesFieldBox");
    layout->addWidget(m_copiesField);

    m_lRows = Named(new QLabel(panel), "lRows");
    m_lColumns = Named(new QLabel(panel), "lColumns");
    m_lLabels = Named(new QLabel(panel), "LLabels");
    // Rows and columns share a line, leaving room for the copies field and the continue box.
    auto* counts = new QHBoxLayout;
    counts->addWidget(m_lRows);
    counts->addWidget(m_lColumns);
    counts->addStretch();
    layout->addLayout(counts);
    layout->addWidget(m_lLabels);
    layout->addStretch();
    m_cbContinue = Named(new QCheckBox(Text(PrintDialogText::Continue), panel), "cbContinue");
    layout->addWidget(m_cbContinue);
    return panel;
}

QWidget* TFPrintDlg::BuildPreviewPanel() {
    // Positioned by hand: the captions and arrows follow the page picture's paper.
    auto* panel = new QWidget(this);
    panel->setFixedSize(PaintBoxSize.width(), PreviewHeight);
    m_paintBox1 =
        Named(new TPaintBox([this](QPainter& p) { PaintBox1Paint(p); },
                            [this](const QPoint& pos) { PaintBox1MouseDown(pos); }, panel),
              "PaintBox1");
    m_paintBox1->move(0, PreviewTop);
    m_lSelectLbl = Named(new QLabel(Text(PrintDialogText::SelectStartLabel), panel), "LSelectLbl");
    m_lSkipLbl = Named(new QLabel(SkipCountText(0), panel), "LSkipLbl");
    for (QLabel* l : {m_lSelectLbl, m_lSkipLbl}) {
        l->setAlignment(Qt::AlignCenter);
        l->setFixedSize(PaintBoxSize.width() - 44, l->sizeHint().height());
        l->raise();
    }
    m_sbLeft = Named(new QToolButton(panel), "sbLeft");
    m_sbRight = Named(new QToolButton(panel), "sbRight");
    m_sbLeft->setArrowType(Qt::LeftArrow);
    m_sbRight->setArrowType(Qt::RightArrow);
    for (QToolButton* b : {m_sbLeft, m_sbRight}) {
        b->setFixedSize(20, 20);
        b->setAutoRaise(false);
    }
    PlaceStartLabelWidgets(QRect(QPoint(5, 5), QPoint(PaintBoxSize.width() - 5, 181)));
    return panel;
}

QWidget* TFPrintDlg::BuildButtons() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_okayBtn = Named(new QPushButton(Text(PrintDialogText::Print), panel), "OkayBtn");
    m_cancelBtn = Named(new QPushButton(Text(PrintDialogText::Cancel), panel), "CancelBtn");
    m_previewBtn = Named(new QPushButton(Text(PrintDialogText::Preview), panel), "PreviewBtn");
    m_checkBtn = Named(new QPushButton(Text(PrintDialogText::Check), panel), "CheckBtn");
    m_bitBtn3 = Named(new QPushButton(Text(PrintDialogText::PrinterSetup), panel), "BitBtn3");
    m_okayBtn->setDefault(true);
    m_checkBtn->setAutoDefault(false);
    m_cancelBtn->setAutoDefault(false);
    m_previewBtn->setAutoDefault(false);
    m_bitBtn3->setAutoDefault(false);
    layout->addWidget(m_okayBtn);
    layout->addWidget(m_cancelBtn);
    layout->addWidget(m_previewBtn);
    layout->addWidget(m_checkBtn);
    layout->addStretch();
    layout->addWidget(m_bitBtn3);
    return panel;
}

void TFPrintDlg::FormCreate(const TCommandLineOptions& options) {
    const TPrintChoices c = ChoicesFromOptions(options);
    m_rbAllRange->setChecked(c.Range == TPrintRange::All);
    m_rbPageRange->setChecked(c.Range == TPrintRange::Pages);
    m_rbLabelRange->setChecked(c.Range == TPrintRange::Labels);
    if (c.Range == TPrintRange::Pages)
        m_ePages->setText(c.PageCount);
    if (c.Range == TPrintRange::Labels)
        m_eLabels->setText(c.LabelCount);
    m_eCopies->setText(c.Copies);
    m_eFile->setText(c.DataFile);
    // Not limited to one page here: only clicks and arrows keep it within the sheet.
    m_skipCount = c.SkipCount;
    m_lSkipLbl->setText(SkipCountText(m_skipCount));
    // -s next: the label, once known, says where.
    m_cbContinue->setChecked(options.SkipNext);
}

void TFPrintDlg::Prepare(TLabelDocument& document) {
    m_document = &document;
    m_controls = &document.Controls();
    const TControlList& controls = document.Controls();
    FitSheet();
    WriteSheetLines();
    const bool imported = UsesImportedFields(controls);
    m_eFile->setEnabled(imported);
    m_pImport->setVisible(imported);
    m_rbAllRange->setEnabled(imported);
    const bool advanced = HasAdvancedFields(controls);
    m_lCopies->setVisible(advanced);
    m_eCopies->setVisible(advanced);
    m_copiesField->setVisible(imported);
    UpdateCopiesNames();
    // The box keeps what the user left in it, unless the label now keeps another choice.
    const std::tuple<const TLabelDocument*, int32_t, QString> kept{&document, Sheet().CopiesField,
                                                                   Sheet().CopiesName};
    if (kept != m_copiesLoaded) {
        m_copiesField->Load(Sheet().CopiesField, Sheet().CopiesName);
        m_copiesLoaded = kept;
    }
    const bool byField = imported && m_copiesField->Chosen();
    m_lCopies->setEnabled(!byField);
    m_eCopies->setEnabled(!byField);
    if (imported) {
        // The data file chosen in this session (also in the field editor) with its settings.
        if (!m_import.ChosenDataFile().isEmpty())
            m_eFile->setText(m_import.ChosenDataFile());
        m_rbAllRange->setChecked(true);
        setFixedHeight(HeightWithData);
    } else {
        if (m_rbAllRange->isChecked())
            m_rbPageRange->setChecked(true);
        setFixedHeight(HeightWithoutData);
    }
    UpdateContinue();
    m_paintBox1->update();
}

bool TFPrintDlg::Execute(TLabelDocument& document) {
    Prepare(document);
    CentreOver(this, parentWidget());
    return exec() == QDialog::Accepted;
}

bool TFPrintDlg::RunPrintDialog(TLabelDocument& document, const QString& documentFileName,
                                TPrintProgress* progress) {
    if (!Execute(document))
        return false;
    KeepCopiesField();
    TPrintResult result;
    if (!PrintFromDesigner(document.Sheet(), document.Controls(), Settings(), documentFileName,
                           progress, PrintDialogServices(), parentWidget(), &result))
        return false;
    // The label remembers where the next free label of the sheet is, for the next run.
    const QString sheet = result.NextLabel > 0 ? result.NextSheet : QString();
    if (document.Sheet().NextLabel != result.NextLabel || document.Sheet().NextSheet != sheet)
        document.ChangeSheet(
            [&](TSheetSettings& s) {
                s.NextLabel = result.NextLabel;
                s.NextSheet = sheet;
            },
            TLabelDocument::TSheetChange::Fit);
    UpdateContinue();
    return true;
}

void TFPrintDlg::KeepCopiesField() {
    const TPrintSettings s = Settings();
    if (!m_document || !m_copiesField->isVisibleTo(this) ||
        (Sheet().CopiesField == s.CopiesField && Sheet().CopiesName == s.CopiesName))
        return;
    m_document->ChangeSheet(
        [&s](TSheetSettings& sheet) {
            sheet.CopiesField = s.CopiesField;
            sheet.CopiesName = s.CopiesName;
        },
        TLabelDocument::TSheetChange::Fit);
    m_copiesLoaded = {m_document, s.CopiesField, s.CopiesName};
}

void TFPrintDlg::UpdateCopiesNames() {
    m_copiesField->SetColumnNames(m_import.ChosenDataFile().isEmpty() ? TImportRecord()
                                                                      : m_import.ColumnNames());
}

TPrintLayout TFPrintDlg::ShownLayout() const {
    // The page the dialog shows; where the next free label is does not depend on calibration.
    TPrintLayout layout;
    layout.Sheet = Sheet();
    layout.Page = m_page;
    layout.Scale = PagePrintScale(m_page);
    return layout;
}

int32_t TFPrintDlg::ContinuePosition() const {
    return ContinueSkip(Sheet(), ShownLayout());
}

void TFPrintDlg::UpdateContinue() {
    const QString problem = ContinueProblem(Sheet(), ShownLayout());
    const int32_t position = ContinuePosition();
    m_cbContinue->setEnabled(position > 0);
    m_cbContinue->setToolTip(position > 0 ? Text(PrintDialogText::ContinueAt).arg(position + 1)
                             : problem.isEmpty() ? Text(PrintDialogText::ContinueNone)
                                                 : problem);
    if (position == 0) {
        const QSignalBlocker block(m_cbContinue);
        m_cbContinue->setChecked(false);
    } else if (m_cbContinue->isChecked()) {
        SetSkipCount(position);
    }
}

void TFPrintDlg::cbContinueClick(bool checked) {
    SetSkipCount(checked ? ContinuePosition() : 0);
}

TPrintSettings TFPrintDlg::Settings() const {
    // The run cuts the data file into fields as the settings of the session's choice say.
    TPrintSettings s = SettingsFromChoices(Choices());
    s.Import = m_import.TextImportSettings();
    // Printed pages and their preview land where the current printer is calibrated to put them.
    if (m_services.Calibration)
        s.Calibration = m_services.Calibration(TPrinters::Current().Name());
    if (m_copiesField->isVisibleTo(this)) {
        s.CopiesField = m_copiesField->Field();
        s.CopiesName = m_copiesField->Name();
    }
    return s;
}

void TFPrintDlg::FitSheet() {
    FitSheet(SheetPageFacts(Sheet()));
}

void TFPrintDlg::FitSheet(const TPrinterFacts& facts) {
    // The dialog shows the rows and columns the printer's paper takes, and the label keeps them.
    TSheetSettings sheet = Sheet();
    RefreshPrinterPage(sheet, m_page, facts);
    if (m_document)
        m_document->SetSheet(sheet, TLabelDocument::TSheetChange::Fit);
}

const TSheetSettings& TFPrintDlg::Sheet() const {
    static const TSheetSettings none;
    return m_document ? m_document->Sheet() : none;
}

TPrintChoices TFPrintDlg::Choices() const {
    TPrintChoices c;
    c.Range = m_rbAllRange->isChecked()    ? TPrintRange::All
              : m_rbPageRange->isChecked() ? TPrintRange::Pages
                                           : TPrintRange::Labels;
    c.PageCount = m_ePages->text();
    c.LabelCount = m_eLabels->text();
    c.Copies = m_eCopies->text();
    c.CopiesShown = !m_eCopies->isHidden();
    c.DataFile = m_eFile->text();
    c.SkipCount = m_skipCount;
    return c;
}

void TFPrintDlg::WriteSheetLines() {
    const TSheetLines lines = SheetLines(Sheet().Rows, Sheet().Columns);
    m_lRows->setText(lines.Rows);
    m_lColumns->setText(lines.Columns);
    m_lLabels->setText(lines.Labels);
}

void TFPrintDlg::SetSkipCount(int32_t n) {
    m_skipCount = ClampSkipCount(n, Sheet().Rows, Sheet().Columns);
    m_lSkipLbl->setText(SkipCountText(m_skipCount));
    // Another start label is no longer where the last run stopped.
    if (m_cbContinue->isChecked() && m_skipCount != ContinuePosition()) {
        const QSignalBlocker block(m_cbContinue);
        m_cbContinue->setChecked(false);
    }
    m_paintBox1->update();
}

void TFPrintDlg::BrowseBtnClick() {
    const QString file = PrintDialogServices().OpenFileName(
        this, {Text(PrintDialogText::OpenTitle), Text(PrintDialogText::OpenFilter),
               Text(PrintDialogText::OpenExtension), m_eFile->text()});
    if (file.isEmpty())
        return;
    // A database has no format to set but a query to ask for.
    if (IsDatabaseSource(file))
        return ChooseDatabase(file);
    try {
        // Picking a file here is asking for its import settings, even for the file in use.
        if (m_import.ChooseDataFile(file, TSameDataFile::Review))
            m_eFile->setText(file);
        UpdateCopiesNames();
    } catch (const TUserError& e) {
        PrintDialogServices().Error(this, e.Message());
    }
}

void TFPrintDlg::DatabaseBtnClick() {
    ChooseDatabase(m_eFile->text().trimmed());
}

void TFPrintDlg::ChooseDatabase(const QString& connection) {
    TFDataSource source(this);
    source.MergeDialogServices().OpenFileName = PrintDialogServices().OpenFileName;
    TDataSourceChoice choice = TDataSourceChoice::From(connection, m_import.ChosenDataFile(),
                                                       m_import.TextImportSettings());
    if (!source.Execute(choice))
        return;
    m_import.ChooseDatabase(choice.Connection, choice.Query, choice.Table);
    m_eFile->setText(choice.Connection);
    UpdateCopiesNames();
}

void TFPrintDlg::eFileExit() {
    const QString file = m_eFile->text();
    if (file.isEmpty())
        return;
    // A server's address is no file; the run reports a database that does not answer.
    if (QFileInfo(file).isFile() || IsDatabaseSource(file)) {
        bool accepted = false;
        try {
            accepted = m_import.ChooseDataFile(file);
        } catch (const TUserError& e) {
            // A file that cannot be read is no better than a cancelled import.
            PrintDialogServices().Error(this, e.Message());
        }
        if (!accepted)
            m_eFile->clear();
        UpdateCopiesNames();
        return;
    }
    PrintDialogServices().Message(this, FileMissingText(file));
    m_eFile->setFocus(Qt::OtherFocusReason);
    m_eFile->selectAll();
}

void TFPrintDlg::ePagesExit(QLineEdit* edit) {
    edit->setText(CountOnExit(edit->text()));
}

bool TFPrintDlg::CheckRun() {
    // Return on a count field prints without leaving it.
    for (QLineEdit* e : {m_ePages, m_eLabels, m_eCopies})
        ePagesExit(e);
    const QString file = m_eFile->text();
    const TPrintChoices c = Choices();
    const bool found = !file.isEmpty() && (QFileInfo(file).isFile() || IsDatabaseSource(file));
    const QString refusal = PrintRefusal(c.Range, file, found, SheetFitProblem(Sheet(), m_page));
    if (!refusal.isEmpty()) {
        PrintDialogServices().Message(this, refusal);
        return false;
    }
    return true;
}

void TFPrintDlg::OkayBtnClick() {
    if (CheckRun())
        accept();
}

void TFPrintDlg::PreviewBtnClick() {
    if (!m_controls || !CheckRun())
        return;
    const TControlList& controls = *m_controls;
    const TPrintSettings settings = Settings();
    const TPrinterFacts facts = TPrinters::Current().Facts();
    const TSheetSettings& sheet = Sheet();
    const auto paint = [this, &sheet, &controls, settings, facts](QPrinter& printer) {
        try {
            PaintPreview(printer, sheet, controls, settings, facts);
        } catch (const TUserError& e) {
            PrintDialogServices().Error(this, e.Message());
        }
    };
    PrintDialogServices().Preview(this, paint);
    // The preview was laid out on the printer's page as it is now; the picture follows it.
    FitSheet(facts);
    m_paintBox1->update();
}

void TFPrintDlg::CheckBtnClick() {
    if (!m_controls || !CheckRun())
        return;
    TPreflightReport report;
    try {
        report = RunPreflight(Sheet(), *m_controls, Settings(), TPrinters::Current(), this);
    } catch (const TUserError& e) {
        PrintDialogServices().Error(this, e.Message());
        return;
    }
    // The check was laid out on the printer's page as it is now; the picture follows it.
    FitSheet(TPrinters::Current().Facts());
    m_paintBox1->update();
    if (!report.Result.Cancelled && PrintDialogServices().CheckResults(this, report))
        accept();
}

void TFPrintDlg::BitBtn3Click() {
    if (PrintDialogServices().PrinterSetup(this)) {
        FitSheet();
        WriteSheetLines();
        UpdateContinue();
    }
    m_paintBox1->update();
}

void TFPrintDlg::PlaceStartLabelWidgets(const QRect& page) {
    const int centreX = (PaintBoxSize.width() - m_lSelectLbl->width()) / 2;
    m_lSelectLbl->move(centreX, PreviewTop + page.top() - m_lSelectLbl->height());
    m_lSkipLbl->move(centreX, PreviewTop + page.bottom() + 3);
    m_sbLeft->move(0, m_lSkipLbl->y());
    m_sbRight->move(PaintBoxSize.width() - m_sbRight->width(), m_lSkipLbl->y());
}

void TFPrintDlg::PaintBox1Paint(QPainter& painter) {
    const TPagePreview preview(Sheet(), m_page, m_paintBox1->size());
    if (!preview.PageRect().isNull())
        PlaceStartLabelWidgets(preview.PageRect());
    preview.Paint(painter, m_skipCount, palette().color(QPalette::Button));
}

void TFPrintDlg::PaintBox1MouseDown(const QPoint& pos) {
    const TPagePreview preview(Sheet(), m_page, m_paintBox1->size());
    if (const std::optional<int32_t> n = preview.LabelAt(pos))
        SetSkipCount(*n);
}

bool TFPrintDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && isVisible() &&
        LeavesField(static_cast<QFocusEvent*>(event))) {
        // Cancelling the dialog needs no checks of what was typed.
        const bool cancelling = QApplication::focusWidget() == m_cancelBtn;
        if (watched == m_eFile && !cancelling) {
            eFileExit();
            // Called back with its text selected: the field must not lose that selection to
            // its own handling of the focus it no longer loses.
            if (m_eFile->hasFocus())
                return true;
        } else if (watched == m_ePages || watched == m_eLabels || watched == m_eCopies) {
            ePagesExit(static_cast<QLineEdit*>(watched));
        }
    }
    return QDialog::eventFilter(watched, event);
}
