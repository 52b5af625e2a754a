#pragma once

#include "platform/PaperChoice.h"

#include <QDialog>
#include <QList>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class TPrinter;
class TPreferenceStore;
struct TUiServices;

// Where "Calibration…" keeps each printer's calibration, the unit it is shown in, and the
// window's dialogs that ask for a PDF file and show errors.
struct TCalibrationPlace {
    TPreferenceStore& Store;
    bool Metric = false;
    const TUiServices& Ui;
};

// "Print Setup": the printer to print on, and the paper and orientation of the label's pages,
// which are kept with the label.
class TFPrinterSetup : public QDialog {
    Q_OBJECT
public:
    // paper is the label's choice; OK replaces it with the one shown. Without calibration the
    // "Calibration…" button is hidden.
    explicit TFPrinterSetup(TPaperChoice& paper, QWidget* parent = nullptr,
                            const TCalibrationPlace* calibration = nullptr);
    ~TFPrinterSetup() override;
    // Makes the chosen printer current with the chosen paper in it.
    void accept() override;

private:
    void PrinterChanged();
    void PaperChanged();
    TPaperChoice Shown() const;
    void CalibrationClick();
    void PrintCalibrationPageOn(QWidget* parent);

    TPaperChoice& m_chosen;
    std::unique_ptr<TPrinter> m_preview; // the printer shown, for its papers and facts
    QList<TPaperChoice> m_papers;        // what the paper list offers, in its order
    QComboBox* m_printer = nullptr;
    QComboBox* m_paper = nullptr;
    QComboBox* m_orientation = nullptr;
    QLabel* m_facts = nullptr;
    const TCalibrationPlace* m_calibration = nullptr;
};
