// The main window's commands on several controls at once: selecting them all and duplicating
// the selection. The clipboard and stacking commands that also act on every selected control
// live with the other editing commands.
#include "app/FMain.h"
#include "document/LabelDocument.h"
#include "document/LabelGeometry.h"
#include "document/widgets/CanvasLabel.h"
#include "platform/Screen.h"

#include <QAction>

#include <cmath>

void TFMain::ConnectSelection() {
    connect(m_actions[TActionId::SelectAll], &QAction::triggered, this,
            [this] { Document().SelectAll(); });
    connect(m_actions[TActionId::Duplicate], &QAction::triggered, this,
            &TFMain::DuplicateSelection);
    // A change of several controls shows their place once, at its end.
    connect(m_document, &TLabelDocument::Batched, this, [this] { ShowPosition(); });
}

void TFMain::DuplicateSelection() {
    if (!Document().Selection())
        return;
    const TRect bounds = Document().SelectionBounds();
    const bool metric = Label().MetricGrid;
    // One grid step right and down, whole pixels, halves to the even neighbour.
    const auto step = [metric](int32_t pixelsPerInch) {
        return int32_t(std::nearbyint(GridStep(pixelsPerInch, metric)));
    };
    const QPoint at(bounds.Left + step(ScreenPixelsPerInchX()),
                    bounds.Top + step(ScreenPixelsPerInchY()));
    AsStep(TStepKind::Duplicate, [&] { AddCopies(Document().CloneSelection(), at); });
}
