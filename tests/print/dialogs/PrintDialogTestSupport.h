#pragma once

#include "DialogTestSupport.h"
#include "TestSupport.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "merge/AdvancedField.h"
#include "platform/Printer.h"
#include "print/dialogs/FPrintPreview.h"
#include "print/dialogs/PreflightResults.h"
#include "print/dialogs/PrintDialogServices.h"

#include <QPrinter>
#include <QStringList>
#include <gtest/gtest.h>

#include <deque>
#include <memory>

// Answers the print dialogs' questions instead of the desktop and remembers what was asked.
class TPrintServicesStandIn {
public:
    TPrintServicesStandIn() = default;
    TPrintServicesStandIn(const TPrintServicesStandIn&) = delete;
    TPrintServicesStandIn& operator=(const TPrintServicesStandIn&) = delete;

    // The services a dialog or run asks through, answered by this stand-in (which must outlive
    // them).
    TPrintDialogServices Services() {
        return {
            [this](QWidget*, const QString& text) { Messages << text; },
            [this](QWidget*, const TOpenFileRequest& request) {
                FileRequests.push_back(request);
                return FileAnswer;
            },
            [this](QWidget*) {
                ++PrinterSetups;
                if (OnPrinterSetup)
                    OnPrinterSetup();
                return PrinterSetupAnswer;
            },
            [this](QWidget*, const QString& proposal) {
                PdfProposals << proposal;
                return PdfAnswer;
            },
            [this](QWidget*, const QString& text) { Errors << text; },
            // The real preview window, built offscreen and not run.
            [this](QWidget* parent, const std::function<void(QPrinter&)>& paint) {
                QPrinter printer;
                printer.setOutputFormat(QPrinter::PdfFormat);
                TFPrintPreview window(printer, paint, parent);
                PreviewPages.push_back(window.PageCount());
            },
            [this](QWidget*, const TPreflightReport& report) {
                Checks.push_back(report);
                return PrintAfterCheck;
            },
            {},
        };
    }

    QStringList Messages;
    QStringList Errors;
    std::vector<TOpenFileRequest> FileRequests;
    QString FileAnswer; // empty: the user cancels
    int PrinterSetups = 0;
    bool PrinterSetupAnswer = false;
    std::function<void()> OnPrinterSetup; // what the user changes in the set-up
    QStringList PdfProposals;
    QString PdfAnswer;             // empty: the user cancels
    std::vector<int> PreviewPages; // each preview's page count
    std::vector<TPreflightReport> Checks;
    bool PrintAfterCheck = false; // the user's choice in the check's results
};

// The PDF printer on the given paper made current.
inline void UsePdfPrinter(QPageSize::PageSizeId paper) {
    auto printer = std::make_unique<TPdfPrinter>();
    printer->SetPaperSize(paper);
    TPrinters::SetCurrent(std::move(printer));
}

// Controls for the three kinds of label the dialog tells apart.
enum class TLabelKind { Plain, Counter, Imported };

// A text control showing plain text, "N" + a counter from 1, or field 1 of the record.
inline void AddTextControl(TLabelDocument& label, TLabelKind kind, const QString& text = "Plain") {
    auto c = std::make_unique<TTextLabel>();
    c->SetBox(TRect::FromBox(10, 10, 150, 30), true);
    if (kind == TLabelKind::Plain) {
        c->SetText(text);
    } else if (kind == TLabelKind::Imported) {
        c->Fields.push_back(std::make_unique<TImportedField>());
        c->SetAdvanced(true);
    } else {
        c->Fields.push_back(std::make_unique<TTextField>("N"));
        auto seq = std::make_unique<TSequenceField>();
        seq->CurrentValue = 1;
        seq->MinValue = 1;
        c->Fields.push_back(std::move(seq));
        c->SetAdvanced(true);
    }
    TTextLabel* raw = c.get();
    label.AddControl(std::move(c));
    raw->SetLoading(false);
}

// A forced sheet of rows × columns labels of 2 × 1 inches from the paper's corner.
inline void ForceSheet(TLabelDocument& label, int rows, int columns) {
    TSheetSettings s;
    s.TopMargin = s.LeftMargin = 0.5;
    s.ForcedCount = true;
    s.Rows = rows;
    s.Columns = columns;
    label.SetSheet(s);
}
