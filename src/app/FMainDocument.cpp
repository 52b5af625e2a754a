// The main window's document lifecycle: new, open, save, templates and the save question.
#include "app/DesignArea.h"
#include "app/FMain.h"
#include "app/LabelSetup.h"
#include "app/PrinterSetup.h"
#include "app/RunCounters.h"
#include "app/UiServices.h"
#include "document/LabelDocument.h"
#include "document/LabelFields.h"
#include "document/Sheet.h"
#include "document/widgets/CanvasLabel.h"
#include "files/FileOperations.h"
#include "merge/FieldEvaluation.h"
#include "platform/Errors.h"
#include "print/PicturePages.h"
#include "print/dialogs/FPrintDlg.h"
#include "print/dialogs/FPrintProgress.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QUndoStack>

#include <vector>

namespace {
const QString kLabelFilter = QStringLiteral("Label Files (*.lbl)");
const QString kLabelExtension = QStringLiteral("lbl");

// An override cursor for the length of a scope.
struct TBusyCursor {
    explicit TBusyCursor(Qt::CursorShape shape = Qt::WaitCursor) {
        QApplication::setOverrideCursor(shape);
    }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
};
} // namespace

template <typename F> bool TFMain::Guarded(F&& operation) {
    try {
        operation();
        return true;
    } catch (const TUserError& e) {
        UiServices().Error(this, e.Message());
    } catch (const std::bad_alloc&) {
        UiServices().Error(this, QStringLiteral("There is not enough memory for this operation."));
    }
    return false;
}

bool TFMain::QuerySave() {
    const auto ask = [this] {
        return UiServices().Question(this, QStringLiteral("Confirm"),
                                     QStringLiteral("Do you wish to save changes to this label?"));
    };
    // A save that failed keeps the label: the caller must not replace or close it.
    // A counter steps when it prints and its value lives in the label file, so a label holding
    // one is saved whenever it is put away.
    if (HasSequences(Document().Controls())) {
        if (!m_documentFileName.isEmpty())
            return SaveLabel();
        const TAnswer answer = ask();
        if (answer == TAnswer::Cancel)
            return false;
        return answer == TAnswer::Yes ? SaveLabelAs() : true;
    }
    if (m_modified) {
        const TAnswer answer = ask();
        if (answer == TAnswer::Cancel)
            return false;
        if (answer == TAnswer::Yes)
            return m_documentFileName.isEmpty() ? SaveLabelAs() : SaveLabel();
    }
    return true;
}

void TFMain::StartFromDefaultSheet() {
    TSheetSettings sheet;
    LoadSheetDefaults(*m_store, sheet);
    Document().SetSheet(sheet, TLabelDocument::TSheetChange::Fit);
}

void TFMain::FitSheetToPrinter() {
    Document().ChangeSheet([](TSheetSettings& sheet) { RefreshPrinterPage(sheet); },
                           TLabelDocument::TSheetChange::Fit);
}

void TFMain::NewLabel() {
    m_quiet = true;
    StartFromDefaultSheet();
    m_documentFileName.clear();
    m_templateFileName.clear();
    Document().ClearControls();
    m_quiet = false;
    ApplyLabelSize();
    m_design->RepaintRulers();
    SetModified(false);
    ResetHistory();
    RefreshCaption();
    RefreshSelectionUI();
}

void TFMain::OpenLabel() {
    if (!QuerySave())
        return;
    const QString path = UiServices().FileName(
        this, {QStringLiteral(" Load Label"), kLabelFilter, kLabelExtension, m_documentFileName});
    if (!path.isEmpty())
        OpenLabelFile(path);
}

void TFMain::OpenLabelFile(const QString& path) {
    if (!QFileInfo(path).isFile())
        return;
    // The reader builds the new label aside and swaps it in only when the whole file was read:
    // a damaged file leaves the label, its sheet, the file names and the changed flag as they
    // were.
    TLabelDocument& label = Document();
    const bool replacing = !label.Controls().empty();
    m_quiet = true;
    const bool read = Guarded([&] { ReadLabelDescription(path, label); });
    m_quiet = false;
    if (!read)
        return;
    if (replacing) {
        // What a new label would have reset before the file came in.
        m_templateFileName.clear();
        SetModified(false);
    }
    m_design->PlaceLabelAtOrigin();
    m_actions[TActionId::ShowGrids]->setChecked(label.ShowGrid());
    ApplyLabelSize();
    AdoptControls();
    m_design->RepaintRulers();
    label.SelectNone();
    ResetHistory();
    m_documentFileName = QFileInfo(path).absoluteFilePath();
    RememberRecent(path);
    RefreshCaption();
}

void TFMain::AdoptControls() {
    for (const auto& c : Document().Controls())
        c->OnPlaced = [this](TLabelControl*) { ShowPosition(); };
}

void TFMain::ImportSettings() {
    if (!QuerySave())
        return;
    const QString path = UiServices().FileName(
        this, {QLatin1String(TemplateText::LoadTitle), QLatin1String(TemplateText::Filter),
               QLatin1String(TemplateText::DefaultExtension), m_templateFileName});
    if (!path.isEmpty())
        ImportTemplateFile(path);
}

void TFMain::ImportTemplateFile(const QString& path) {
    if (!QFileInfo(path).isFile())
        return;
    TSheetSettings sheet = Document().Sheet();
    if (!Guarded([&] { ReadTemplate(path, sheet); }))
        return;
    const bool changed = !(sheet == Document().Sheet());
    Document().SetSheet(sheet, TLabelDocument::TSheetChange::Fit);
    m_design->PlaceLabelAtOrigin();
    ApplyLabelSize();
    m_design->RepaintRulers();
    Label().update();
    m_templateFileName = QFileInfo(path).absoluteFilePath();
    // The sheet is part of the label file: a new sheet is a change that must not be lost.
    if (changed) {
        SetModified(true);
        RecordStep(TStepKind::ImportSettings);
    }
}

void TFMain::ExportTemplate() {
    TFileDialogRequest request{QLatin1String(TemplateText::SaveTitle),
                               QLatin1String(TemplateText::Filter),
                               QLatin1String(TemplateText::DefaultExtension), m_templateFileName};
    request.Save = true;
    const QString path = UiServices().FileName(this, request);
    if (path.isEmpty())
        return;
    // The writer replaces an existing file only once the new one is complete.
    if (Guarded([&] { WriteTemplate(path, Document().Sheet()); }))
        m_templateFileName = path;
}

void TFMain::ExportPicture() {
    // Offered beside the label file, named after it.
    const QString base =
        m_documentFileName.isEmpty()
            ? QString()
            : QFileInfo(m_documentFileName)
                  .dir()
                  .filePath(QFileInfo(m_documentFileName).completeBaseName() + ".png");
    TFileDialogRequest request{QStringLiteral("Export Label as Picture"),
                               QStringLiteral("PNG Picture (*.png);;SVG Picture (*.svg)"),
                               QStringLiteral("png"), base};
    request.Save = true;
    const QString path = UiServices().FileName(this, request);
    if (path.isEmpty())
        return;
    TBusyCursor busy;
    Guarded([&] {
        ExportLabelPicture(Document().Sheet(), Document().Controls(), Document().ShownData(), path);
    });
}

bool TFMain::WriteLabel(const QString& path) {
    CommitStep(); // the saved state is the last step
    m_statusState->setText(QStringLiteral("Saving Label"));
    bool written = false;
    {
        TBusyCursor busy;
        // The writer replaces an existing file only once the new one is complete, so a failed
        // save never costs the label saved before.
        const TPlaceholdersShown design(Document()); // a record shown is no part of the label
        written = Guarded([&] { WriteLabelDescription(path, Document()); });
    }
    m_statusState->setText(QStringLiteral("Ready"));
    if (written) {
        SetModified(false);
        History().setClean();
        RememberRecent(path);
    }
    return written;
}

bool TFMain::SaveLabel() {
    return WriteLabel(m_documentFileName);
}

bool TFMain::SaveLabelAs() {
    TFileDialogRequest request{QStringLiteral("Save Label"), kLabelFilter, kLabelExtension,
                               m_documentFileName};
    request.Save = true;
    const QString path = UiServices().FileName(this, request);
    // A cancelled dialog counts as an answer: the user chose not to save.
    if (path.isEmpty())
        return true;
    if (!WriteLabel(path))
        return false;
    m_documentFileName = QFileInfo(path).absoluteFilePath();
    RefreshCaption();
    return true;
}

bool TFMain::OpenByExtension(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("lbf")) {
        ImportTemplateFile(path);
        return true;
    }
    if (suffix == QLatin1String("lbl")) {
        OpenLabelFile(path);
        return true;
    }
    return false;
}

void TFMain::SetupLabel() {
    if (!RunLabelSettings(*this))
        return;
    ApplyLabelSize();
    m_design->RepaintRulers();
    AsStep(TStepKind::LabelSetup, [this] { Document().FitControls(); });
    Label().update();
    SetModified(true);
    RecordStep(TStepKind::LabelSetup);
}

void TFMain::PrintLabels() {
    CommitStep();
    const std::vector<int32_t> before = CounterValues(Document().Controls());
    const TSheetSettings sheetBefore = Document().Sheet();
    {
        // Paper places the controls by their designed boxes, whatever record the label shows.
        const TPlaceholdersShown design(Document());
        m_printDlg->RunPrintDialog(Document(), m_documentFileName, m_printProgress);
    }
    // The print dialog and the progress window took the activation with them; the window's
    // own keys (Ctrl+S above all) work only once it has it back.
    activateWindow();
    // A run steps the counters with every label it draws, also a run cancelled or failed
    // midway: numbers that may have reached the paper are never handed out again.
    if (CounterValues(Document().Controls()) != before) {
        KeepSteppedCounters();
        return;
    }
    // The copies field and the next free label of the sheet are kept with the label.
    const TSheetSettings& sheet = Document().Sheet();
    if (sheet.CopiesField != sheetBefore.CopiesField ||
        sheet.CopiesName != sheetBefore.CopiesName || sheet.NextLabel != sheetBefore.NextLabel ||
        sheet.NextSheet != sheetBefore.NextSheet) {
        SetModified(true);
        RecordStep(TStepKind::PrintSetup);
    }
}

void TFMain::KeepSteppedCounters() {
    // The controls that show counters draw them as they now stand.
    m_quiet = true;
    for (const auto& c : Document().Controls())
        if (c->Advanced() && HoldsSequence(c->Fields))
            c->Changed(true);
    m_quiet = false;
    // Undo must not take a printed counter back, so the history starts again here; the label
    // stays changed until it is saved (no state in the history is the saved one).
    ResetHistory();
    History().resetClean();
    SetModified(true);
    RefreshSelectionUI();
}

bool TFMain::ChoosePrinter(QWidget* parent) {
    TPaperChoice paper = Document().Sheet().Paper;
    const TCalibrationPlace calibration{PreferenceStore(), Document().Sheet().Metric, UiServices()};
    if (!RunPrinterSetup(paper, parent, &calibration))
        return false;
    KeepPaper(paper);
    return true;
}

void TFMain::KeepDataSettings(const TTextImportSettings& settings) {
    if (Document().Sheet().DataImport == settings)
        return;
    Document().ChangeSheet([&settings](TSheetSettings& sheet) { sheet.DataImport = settings; },
                           TLabelDocument::TSheetChange::Fit);
    SetModified(true);
    RecordStep(TStepKind::DataSettings);
}

void TFMain::KeepPaper(const TPaperChoice& paper) {
    if (paper == Document().Sheet().Paper)
        return;
    Document().ChangeSheet([&paper](TSheetSettings& sheet) { sheet.Paper = paper; },
                           TLabelDocument::TSheetChange::Fit);
    SetModified(true);
    RecordStep(TStepKind::PrintSetup);
}

void TFMain::PrintSetup() {
    ChoosePrinter(this);
    FitSheetToPrinter();
}
