#include "app/ProblemOutlines.h"

#include "app/FMain.h"
#include "document/LabelDocument.h"
#include "document/widgets/CanvasLabel.h"
#include "platform/Printer.h"
#include "print/ControlCheck.h"

#include <QAction>
#include <QHelpEvent>
#include <QToolTip>

TProblemOutlines::TProblemOutlines(TFMain& window)
    : QObject(&window), m_window(window), m_label(&window.Label()) {
    RefreshPrinter();
    m_label->HasProblem = [this](const TLabelControl& c) { return !Problems(c).isEmpty(); };
    m_label->installEventFilter(this);
    TLabelDocument& document = window.Document();
    connect(&document, &TLabelDocument::ControlRemoved, this,
            [this](TControlId id) { m_known.erase(id); });
    connect(&document, &TLabelDocument::ControlsReplaced, this, [this] { m_known.clear(); });
    // Choosing a printer may change its resolution, and with it the module widths.
    for (const TActionId id : {TActionId::PrintSetup, TActionId::Print})
        connect(window.Action(id), &QAction::triggered, this, &TProblemOutlines::RefreshPrinter);
}

TProblemOutlines::~TProblemOutlines() {
    if (m_label)
        m_label->HasProblem = nullptr;
}

void TProblemOutlines::RefreshPrinter() {
    const TPrinterFacts facts = TPrinters::Current().Facts();
    if (facts.PixelsPerInchX == m_printerX && facts.PixelsPerInchY == m_printerY)
        return;
    m_printerX = facts.PixelsPerInchX;
    m_printerY = facts.PixelsPerInchY;
    if (m_label)
        m_label->update();
}

TProblemOutlines::TState TProblemOutlines::StateOf(const TLabelControl& c) const {
    const TSheetSettings& sheet = m_window.Document().Sheet();
    return {c.Image().cacheKey(), c.Box(),      c.HAlign(), c.VAlign(), sheet.LabelWidth,
            sheet.LabelHeight,    sheet.Metric, m_printerX, m_printerY};
}

const QStringList& TProblemOutlines::Problems(const TLabelControl& c) {
    const TState state = StateOf(c);
    TEntry& entry = m_known[c.Id()];
    if (entry.State == state && entry.State.Picture != 0)
        return entry.Problems;
    TPrinterPage page;
    page.PixelsPerInchX = m_printerX;
    page.PixelsPerInchY = m_printerY;
    entry.State = state;
    entry.Problems = PaperProblems(c, m_window.Document().Sheet(), page);
    return entry.Problems;
}

QString TProblemOutlines::ToolTipAt(int32_t x, int32_t y) {
    TLabelDocument& document = m_window.Document();
    document.DrawChanged(); // the answers are for the pictures as they are drawn
    const TControlList& controls = document.Controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        const TLabelControl& c = **it;
        // the outline runs one pixel outside the box
        const TRect box = c.Box();
        const TRect outlined{box.Left - 1, box.Top - 1, box.Right + 1, box.Bottom + 1};
        if (!outlined.Contains(x, y))
            continue;
        const QStringList& problems = Problems(c);
        if (!problems.isEmpty())
            return problems.join(QLatin1Char('\n'));
    }
    return QString();
}

bool TProblemOutlines::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_label && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QPoint at = m_label->ToLabel(help->pos());
        const QString tip = ToolTipAt(at.x(), at.y());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, m_label);
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}
