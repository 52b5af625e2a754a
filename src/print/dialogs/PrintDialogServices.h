#pragma once

#include "merge/dialogs/DialogServices.h"
#include "platform/Calibration.h"

#include <QString>

#include <functional>

struct TPreflightReport;
class QPrinter;
class QWidget;

// What the print dialog and a designer print ask of the desktop besides their own windows. The
// print dialog holds its own, the desktop's unless replaced: tests replace these functions so
// that they answer without a window appearing, and the main window puts in its printer set-up.
struct TPrintDialogServices {
    // A plain message box with an Ok button.
    std::function<void(QWidget* parent, const QString& text)> Message;
    // An existing file chosen by the user, or empty when cancelled.
    std::function<QString(QWidget* parent, const TOpenFileRequest& request)> OpenFileName;
    // The printer set-up dialog; true when the user confirmed a (possibly new) printer.
    std::function<bool(QWidget* parent)> PrinterSetup;
    // The PDF file a run on the PDF printer writes, proposed as proposal; empty when cancelled.
    std::function<QString(QWidget* parent, const QString& proposal)> PdfFileName;
    // A failed run's reason.
    std::function<void(QWidget* parent, const QString& text)> Error;
    // The preview window, its pages drawn by paint on the window's printer; returns when closed.
    std::function<void(QWidget* parent, const std::function<void(QPrinter&)>& paint)> Preview;
    // The results of a check; true when the user chose to print.
    std::function<bool(QWidget* parent, const TPreflightReport& report)> CheckResults;
    // The calibration kept for the named printer; unset, runs print uncalibrated.
    std::function<TCalibration(const QString& printerName)> Calibration;
};

// The desktop's dialogs; without a window's printer set-up, "Printer &Setup" changes nothing.
TPrintDialogServices DesktopPrintDialogServices();
