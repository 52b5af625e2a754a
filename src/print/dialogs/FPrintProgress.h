#pragma once

#include "print/PrintU.h"

#include <QDialog>

class QLabel;
class QPushButton;

// "Printing...": which document prints on which printer, the page being printed, and Cancel.
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

    int32_t PageNumber() const { return m_page; }
    bool IsCancelled() const { return m_cancelled; }

    // TPrintProgress
    void Start(const QString& documentName, const QString& printerName) override;
    void Page(int32_t page) override;
    bool Cancelled() override { return m_cancelled; }
    void Close() override;

protected:
    // Escape and the window manager's close both mean Cancel while a run is going.
    void reject() override;

private:
    QLabel* m_lDocName = nullptr;
    QLabel* m_lPrinterName = nullptr;
    QLabel* m_lPage = nullptr;
    QPushButton* m_cancelBtn = nullptr;
    int32_t m_page = 1;
    bool m_cancelled = false;
};
