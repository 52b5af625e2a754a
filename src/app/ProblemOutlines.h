#pragma once

#include "document/lblobjs.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QStringList>

#include <unordered_map>

class TCanvasLabel;
class TFMain;

// Outlines in red the controls whose content paper would cut or lose (TCanvasLabel::HasProblem)
// and names the problems in a tool tip, in the preflight check's words and by its rule
// (PaperProblems), measured with what the label shows: the shown record or the design text.
// The painter asks on every paint, so each control's answer is kept until its picture, box or
// alignment, the label's size or the printer changes.
class TProblemOutlines : public QObject {
public:
    // Outlines the window's label; a child of the window.
    explicit TProblemOutlines(TFMain& window);
    ~TProblemOutlines() override;

    // The problems of c, one line each; none for a control that prints as it should.
    const QStringList& Problems(const TLabelControl& c);
    // What the tool tip says at (x, y) in label pixels: the problems of the topmost control
    // there that has any, one line each; empty for none.
    QString ToolTipAt(int32_t x, int32_t y);
    // Asks the printer its resolution again (after another printer was chosen).
    void RefreshPrinter();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the answer depends on besides the control's picture.
    struct TState {
        qint64 Picture = 0; // the control's image: any change to what it draws redraws it
        TRect Box;
        uint8_t HAlign = 0, VAlign = 0;
        double LabelWidth = 0, LabelHeight = 0;
        bool Metric = false;
        int32_t PrinterX = 0, PrinterY = 0;
        bool operator==(const TState&) const = default;
    };
    struct TEntry {
        TState State;
        QStringList Problems;
    };
    TState StateOf(const TLabelControl& c) const;

    TFMain& m_window;
    QPointer<TCanvasLabel> m_label;
    int32_t m_printerX = 0, m_printerY = 0;
    std::unordered_map<TControlId, TEntry> m_known;
};
