// Printing from the designer window: what the window does with the label once a run is over.
#include "MainWindowSupport.h"
#include "PdfProbe.h"

#include "barcode/BarcodeLabel.h"
#include "document/LabelDocument.h"
#include "document/TextLabel.h"
#include "document/widgets/CanvasLabel.h"
#include "files/FileOperations.h"
#include "merge/AdvancedField.h"
#include "merge/DataImport.h"
#include "merge/dialogs/DialogServices.h"
#include "merge/dialogs/FAdvanced.h"
#include "platform/Printer.h"
#include "print/dialogs/FPrintDlg.h"
#include "print/dialogs/PrintDialogServices.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {
class WindowPrint : public ::testing::Test, public TMainWindowFixture {
protected:
    void SetUp() override {
        TPrinters::Select(TPdfPrinter::DefaultName());
        W = Window();
        TPrintDialogServices& services = W->PrintDialog().PrintDialogServices();
        services.PdfFileName = [this](QWidget*, const QString&) { return m_pdf; };
        services.Error = [this](QWidget*, const QString& e) { Errors << e; };
        services.Message = [this](QWidget*, const QString& e) { Errors << e; };
        W->show();
        QApplication::setActiveWindow(W.get());
    }

    TCanvasLabel& L() { return W->Label(); }
    TLabelDocument& D() { return W->Document(); }
    // A control showing "N" and a counter that starts at first.
    template <typename T> T* AddCounter(int first, QPoint at = {10, 10}) {
        auto c = std::make_unique<T>();
        c->SetBox(TRect::FromBox(at.x(), at.y(), 150, 40), true);
        c->Fields.push_back(std::make_unique<TTextField>("N"));
        auto counter = std::make_unique<TSequenceField>();
        counter->CurrentValue = first;
        counter->MinValue = 1;
        c->Fields.push_back(std::move(counter));
        c->SetAdvanced(true);
        T* raw = c.get();
        D().AddControl(std::move(c));
        raw->SetLoading(false);
        return raw;
    }
    // The counter of the control at index (controls may be rebuilt, so looked up each time).
    int Counter(size_t index = 0) {
        return static_cast<const TSequenceField&>(*D().Controls().at(index)->Fields.at(1))
            .CurrentValue;
    }
    // File → Print, then "&Print" in the dialog (after look has seen it): into the named PDF.
    void Print(const QString& pdf, const std::function<void(TFPrintDlg&)>& look = {}) {
        m_pdf = pdf;
        auto* ok = W->PrintDialog().findChild<QPushButton*>("OkayBtn");
        ASSERT_NE(ok, nullptr);
        QMetaObject::invokeMethod(
            ok,
            [this, ok, look] {
                if (look)
                    look(W->PrintDialog());
                ok->click();
                // A refused run leaves the dialog open: closed, so the test goes on to fail.
                if (W->PrintDialog().isVisible())
                    W->PrintDialog().reject();
            },
            Qt::QueuedConnection);
        W->Action("acPrint")->trigger();
        ASSERT_TRUE(Errors.isEmpty()) << Errors.join("; ").toStdString();
        ASSERT_TRUE(QFile::exists(pdf));
    }
    // The "N…" words of a printed PDF, in printing order.
    QStringList Serials(const QString& pdf) {
        QStringList serials;
        for (const TPdfWord& w : PdfWords(pdf))
            if (w.Text.startsWith('N'))
                serials << w.Text;
        return serials;
    }
    void SaveAs(const QString& path) {
        FileNames = {path};
        W->Action("acSaveLabelAs")->trigger();
        ASSERT_FALSE(W->Modified());
    }
    // The counter stored in a label file.
    int SavedCounter(const QString& path) {
        TLabelDocument label;
        ReadLabelDescription(path, label);
        return static_cast<const TSequenceField&>(*label.Controls().at(0)->Fields.at(1))
            .CurrentValue;
    }

    std::unique_ptr<TFMain> W;

private:
    QString m_pdf;
};

TEST_F(WindowPrint, CtrlSAfterAPrintSavesTheSteppedCounters) {
    AddCounter<TTextLabel>(7);
    const QString file = Scratch.File("tags.lbl");
    SaveAs(file);
    Print(Scratch.File("run.pdf"));
    const int next = 7 + int(Serials(Scratch.File("run.pdf")).size());
    ASSERT_GT(next, 8);
    EXPECT_EQ(Counter(), next);
    EXPECT_TRUE(W->Modified()) << "the label holds counters the file does not have yet";
    EXPECT_TRUE(W->Action("acSaveLabel")->isEnabled());

    // The key, as the user presses it on the designer's window once the run is over.
    QApplication::processEvents();
    QTest::keyClick(W.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(W->Modified()) << "Ctrl+S saved nothing";
    EXPECT_EQ(SavedCounter(file), next);
    EXPECT_EQ(QApplication::activeWindow(), W.get());
}

TEST_F(WindowPrint, TheSurfaceShowsTheCountersAsTheRunLeftThem) {
    AddCounter<TBarcodeLabel>(1, {10, 60});
    AddCounter<TTextLabel>(1); // selected, as the control added last
    const QImage before = L().grab().toImage();
    Print(Scratch.File("run.pdf"));
    QApplication::processEvents();
    const QImage shown = L().grab().toImage();
    EXPECT_NE(shown, before) << "the controls still show their first values";
    // What the controls look like drawn afresh with the counters as they now stand.
    for (const auto& c : D().Controls())
        c->Changed(true);
    EXPECT_EQ(shown, L().grab().toImage());
    // The text box shows the selected control's new text too.
    EXPECT_EQ(W->findChild<QLineEdit*>("eText")->text(), D().Selection()->GetText());
    EXPECT_EQ(D().Selection()->GetText(), QString("N%1").arg(Counter()));
}

TEST_F(WindowPrint, ASecondPrintContinuesWhereTheFirstEnded) {
    AddCounter<TTextLabel>(1);
    Print(Scratch.File("first.pdf"));
    const QStringList first = Serials(Scratch.File("first.pdf"));
    ASSERT_GT(first.size(), 1);
    EXPECT_EQ(first.front(), "N1");
    Print(Scratch.File("second.pdf"));
    const QStringList second = Serials(Scratch.File("second.pdf"));
    ASSERT_FALSE(second.isEmpty());
    EXPECT_EQ(second.front(), QString("N%1").arg(first.size() + 1));
    EXPECT_TRUE(W->Modified());
}

TEST_F(WindowPrint, UndoNeverTakesPrintedCountersBack) {
    AddCounter<TTextLabel>(1);
    // An edit before the run, so that there is history to step back through.
    D().Controls()[0]->SetLeft(30);
    W->CommitStep();
    Print(Scratch.File("first.pdf"));
    const int after = Counter();
    ASSERT_GT(after, 1);
    W->Action("acUndo")->trigger();
    ASSERT_EQ(D().Controls().size(), 1u);
    EXPECT_EQ(Counter(), after) << "the next run would print the same serials again";
    EXPECT_TRUE(W->Modified()) << "the stepped counters are still unsaved";
    Print(Scratch.File("second.pdf"));
    EXPECT_EQ(Serials(Scratch.File("second.pdf")).front(), QString("N%1").arg(after));
}

TEST_F(WindowPrint, ThePositionWhereARunStoppedIsSavedAndOffered) {
    TTextLabel* plain = AddCounter<TTextLabel>(1);
    plain->SetAdvanced(false);
    plain->SetText("Plain");
    D().ChangeSheet([](TSheetSettings& s) {
        s.TopMargin = s.LeftMargin = 0.5;
        s.ForcedCount = true;
        s.Rows = 5;
        s.Columns = 2;
    });
    W->CommitStep();
    const QString file = Scratch.File("sheet.lbl");
    SaveAs(file);
    Print(Scratch.File("first.pdf"), [](TFPrintDlg& dialog) {
        dialog.findChild<QRadioButton*>("rbLabelRange")->setChecked(true);
        dialog.findChild<QLineEdit*>("eLabels")->setText("3");
    });
    EXPECT_EQ(D().Sheet().NextLabel, 3);
    EXPECT_TRUE(W->Modified()) << "the label keeps where the sheet's free labels start";
    QApplication::processEvents();
    QTest::keyClick(W.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(W->Modified());
    TLabelDocument saved;
    ReadLabelDescription(file, saved);
    EXPECT_EQ(saved.Sheet().NextLabel, 3);

    int32_t skip = -1;
    Print(Scratch.File("second.pdf"), [&skip](TFPrintDlg& dialog) {
        dialog.findChild<QCheckBox*>("cbContinue")->click();
        skip = dialog.SkipCount();
    });
    EXPECT_EQ(skip, 3);
    EXPECT_EQ(D().Sheet().NextLabel, 6);
}

// Stands in for the import wizard: counts its showings and sets the format a user would.
class TWizardStandIn : public TTextImportDialog {
public:
    bool Execute(const QString& fileName, TTextImportSettings& settings,
                 const QStringList&) override {
        Shown << fileName;
        Given << settings;
        settings.ImportFormat = TImportFormat::CustomDelimiter;
        settings.Separator = QStringLiteral(";");
        settings.IgnoreHeader = true;
        return true;
    }
    QStringList Shown;
    QList<TTextImportSettings> Given; // the settings each showing started from
};

class WindowDataFile : public WindowPrint {
protected:
    void SetUp() override {
        WindowPrint::SetUp();
        W->DataImport().SetTextImportDialog(&wizard);
        TMergeDialogServices& merge = W->AdvancedFieldEditor().MergeDialogServices();
        merge.OpenFileName = [this](QWidget*, const TOpenFileRequest& r) {
            OpenDialogsStartedOn << r.InitialName;
            return chosen;
        };
        merge.Message = [](QWidget*, const QString&) {};
        merge.Error = [this](QWidget*, const QString& e) { Errors << e; };
        // A label merging field 1 of each record.
        auto c = std::make_unique<TTextLabel>();
        c->SetBox(TRect::FromBox(10, 10, 150, 40), true);
        auto field = std::make_unique<TImportedField>();
        field->FieldNumber = 1;
        c->Fields.push_back(std::move(field));
        c->SetAdvanced(true);
        TTextLabel* raw = c.get();
        D().AddControl(std::move(c));
        raw->SetLoading(false);
    }
    QString Data(const char* name, const QByteArray& lines) {
        QFile file(Scratch.File(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(lines);
        return file.fileName();
    }
    // Edit → Advanced Field Editor, "Preview" against the file the user picks, then closed.
    void PreviewInFieldEditor(const QString& file) {
        chosen = file;
        TFAdvanced& editor = W->AdvancedFieldEditor();
        QMetaObject::invokeMethod(
            &editor,
            [&editor] {
                editor.findChild<QPushButton*>("PreviewBtn")->click();
                editor.accept();
            },
            Qt::QueuedConnection);
        W->Action("acEditFields")->trigger();
    }
    // The file the print dialog offers, and the words of the run it then prints.
    QString PrintedFile(const QString& pdf, QStringList& words) {
        QString offered;
        Print(pdf, [&offered](TFPrintDlg& dialog) {
            offered = dialog.findChild<QLineEdit*>("eFile")->text();
        });
        for (const TPdfWord& w : PdfWords(pdf))
            words << w.Text;
        return offered;
    }

    TWizardStandIn wizard;
    QString chosen;
    QStringList OpenDialogsStartedOn;
};

TEST_F(WindowDataFile, OneChoiceServesTheFieldEditorAndEveryPrint) {
    const QString orders = Data("orders.txt", "Name;Town\r\nAda;Paris\r\nBo;Rome\r\n");
    PreviewInFieldEditor(orders);
    ASSERT_EQ(wizard.Shown, QStringList{orders});

    // The print dialog has the file already, read with the settings chosen in the wizard.
    QStringList words;
    EXPECT_EQ(PrintedFile(Scratch.File("a.pdf"), words), orders);
    EXPECT_EQ(words, (QStringList{"Ada", "Bo"}));
    EXPECT_EQ(wizard.Shown.size(), 1) << "the file went through the wizard a second time";

    // A later print, and the field editor again: the same file, still no wizard.
    words.clear();
    EXPECT_EQ(PrintedFile(Scratch.File("b.pdf"), words), orders);
    EXPECT_EQ(words, (QStringList{"Ada", "Bo"}));
    PreviewInFieldEditor(orders);
    EXPECT_EQ(OpenDialogsStartedOn.last(), orders) << "the open dialog starts on the choice";
    EXPECT_EQ(wizard.Shown.size(), 1);

    // Another file is a new choice: through the wizard once, then offered by the print dialog.
    const QString returns = Data("returns.txt", "Name;Town\r\nCy;Oslo\r\n");
    PreviewInFieldEditor(returns);
    EXPECT_EQ(wizard.Shown, (QStringList{orders, returns}));
    words.clear();
    EXPECT_EQ(PrintedFile(Scratch.File("c.pdf"), words), returns);
    EXPECT_EQ(words, QStringList{"Cy"});
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join("; ").toStdString();
}

TEST_F(WindowDataFile, AnotherWindowHasAChoiceOfItsOwn) {
    const QString orders = Data("orders.txt", "Name;Town\r\nAda;Paris\r\n");
    PreviewInFieldEditor(orders);
    ASSERT_EQ(W->DataImport().ChosenDataFile(), orders);

    const std::unique_ptr<TFMain> other = Window();
    other->PrintDialog().Prepare(D());
    EXPECT_TRUE(other->PrintDialog().findChild<QLineEdit*>("eFile")->text().isEmpty())
        << "the other window's print dialog offers no file";
    EXPECT_EQ(other->DataImport().TextImportSettings().ImportFormat, TImportFormat::TabDelimited);
    W->PrintDialog().Prepare(D());
    EXPECT_EQ(W->PrintDialog().findChild<QLineEdit*>("eFile")->text(), orders);
    EXPECT_EQ(W->DataImport().TextImportSettings().ImportFormat, TImportFormat::CustomDelimiter);
}

// The settings confirmed in the wizard become the label's: an undoable change saved with it,
// and a window that opens the label reads its data with them.
TEST_F(WindowDataFile, TheLabelKeepsTheSettingsItsDataWasReadWith) {
    const QString orders = Data("orders.txt", "Name;Town\r\nAda;Paris\r\n");
    W->SetModified(false);
    PreviewInFieldEditor(orders);
    ASSERT_TRUE(D().Sheet().DataImport.has_value());
    EXPECT_EQ(D().Sheet().DataImport->ImportFormat, TImportFormat::CustomDelimiter);
    EXPECT_EQ(D().Sheet().DataImport->Separator, ";");
    EXPECT_TRUE(W->Modified());
    const QString label = Scratch.File("orders.lbl");
    WriteLabelDescription(label, D());

    const std::unique_ptr<TFMain> other = Window();
    TWizardStandIn otherWizard;
    other->DataImport().SetTextImportDialog(&otherWizard);
    EXPECT_EQ(other->DataImport().TextImportSettings().ImportFormat, TImportFormat::TabDelimited);
    other->OpenLabelFile(label);
    EXPECT_EQ(other->DataImport().TextImportSettings(), *D().Sheet().DataImport);
    // A new file's wizard starts from the label's settings, not from the file's extension.
    ASSERT_TRUE(other->DataImport().ChooseDataFile(Data("more.csv", "Name;Town\r\n")));
    ASSERT_EQ(otherWizard.Given.size(), 1);
    EXPECT_EQ(otherWizard.Given.first().ImportFormat, TImportFormat::CustomDelimiter);

    // Undone, the label keeps no settings again.
    W->Action("acUndo")->trigger();
    EXPECT_FALSE(D().Sheet().DataImport.has_value());
}
} // namespace
