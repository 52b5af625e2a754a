#pragma once

#include "print/PrintU.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// "Printing...": which document prints on which printer, the page being printed, the labels
// printed so far, a bar when the run's length is known, and Cancel.
// The print engine drives it through TPrintProgress; pending window events are handled each
// time the page changes, which is when a click on Cancel is seen. Created once and reused.
class TFPrintProgress : public QDialog, public TPrintProgress {
    Q_OBJECT
public:
    explicit TFPrintProgress(QWidget* parent = nullptr);

    void StartProgress();
    void SetPage(int32_t n);
    void SetDocumentName(const QString& s);
    void SetPrinterName(const QString& s);
    void CancelBtnClick();
    // The bar's full length in pages or labels; until called for a run the bar is hidden.
    void SetTotal(TPrintRange unit, int32_t count);
    void SetLabels(int32_t n);

    int32_t PageNumber() const { return m_page; }
    int32_t LabelCount() const { return m_labels; }
    bool IsCancelled() const { return m_cancelled; }

    // TPrintProgress
    void Start(const QString& documentName, const QString& printerName) override;
    void Page(int32_t page) override;
    bool Cancelled() override { return m_cancelled; }
    void Close() override;
    void Total(TPrintRange unit, int32_t count) override { SetTotal(unit, count); }
    void Labels(int32_t labels) override { SetLabels(labels); }

protected:
    // Escape and the window manager's close both mean Cancel while a run is going.
    void reject() override;

private:
    void FitHeight();

    QLabel* m_lDocName = nullptr;
    QLabel* m_lPrinterName = nullptr;
    QLabel* m_lPage = nullptr;
    QLabel* m_lLabels = nullptr;
    QProgressBar* m_pbProgress = nullptr;
    QPushButton* m_cancelBtn = nullptr;
    TPrintRange m_totalUnit = TPrintRange::All; // All: no known length
    int32_t m_page = 1;
    int32_t m_labels = 0;
    bool m_cancelled = false;
};
