#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPrinter;
class QPrintPreviewWidget;

// "Print Preview": the pages of a run one at a time, with previous, next and zoom. paint draws
// the pages on the preview's printer (see PaintPreview); it is called again whenever the view
// needs the pages anew.
class TFPrintPreview : public QDialog {
    Q_OBJECT
public:
    using TPaint = std::function<void(QPrinter&)>;
    TFPrintPreview(QPrinter& printer, TPaint paint, QWidget* parent = nullptr);

    int PageCount() const;
    int CurrentPage() const;
    void NextPage();
    void PreviousPage();
    void ZoomIn();
    void ZoomOut();
    double ZoomFactor() const;

private:
    void WritePageLine();

    TPaint m_paint;
    QPrintPreviewWidget* m_view = nullptr;
    QLabel* m_lPage = nullptr;
};
