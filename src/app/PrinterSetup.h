#pragma once

#include <QDialog>

class QComboBox;
class QLabel;

// "Print Setup": the printer to print on, and the paper of the built-in PDF printer.
class TFPrinterSetup : public QDialog {
    Q_OBJECT
public:
    explicit TFPrinterSetup(QWidget* parent = nullptr);
    // Makes the chosen printer current.
    void accept() override;

private:
    void PrinterChanged();

    QComboBox* m_printer = nullptr;
    QComboBox* m_paper = nullptr;
    QLabel* m_paperCaption = nullptr;
    QLabel* m_facts = nullptr;
};
