// The main window's arranging commands: aligning, centring, spacing and sizing the selected
// controls, and the snapping of a drag to the grid and to the other controls. The rules are the
// document's (Arrange, Snap); here they meet the actions, the history and the preferences.
#include "app/FMain.h"
#include "document/Arrange.h"
#include "document/LabelDocument.h"
#include "document/Snap.h"
#include "document/widgets/CanvasLabel.h"

#include <QAction>
#include <QMouseEvent>

namespace {
struct TAlignCommand {
    TActionId Action;
    TStepKind Step;
    TAlignEdge Edge;
};
const TAlignCommand kAlign[] = {
    {TActionId::ArrangeLeft, TStepKind::AlignLeft, TAlignEdge::Left},
    {TActionId::ArrangeCenter, TStepKind::AlignCenter, TAlignEdge::Center},
    {TActionId::ArrangeRight, TStepKind::AlignRight, TAlignEdge::Right},
    {TActionId::ArrangeTop, TStepKind::AlignTop, TAlignEdge::Top},
    {TActionId::ArrangeMiddle, TStepKind::AlignMiddle, TAlignEdge::Middle},
    {TActionId::ArrangeBottom, TStepKind::AlignBottom, TAlignEdge::Bottom},
};

// The commands that take the selection along one axis, by the rule they apply.
using TAxisRule = std::vector<TRect> (*)(const std::vector<TRect>&, TArrangeAxis,
                                         const TArrangeLabel&);
struct TAxisCommand {
    TActionId Action;
    TStepKind Step;
    TArrangeAxis Axis;
    TAxisRule Rule;
    bool Resizes;
    size_t Needs; // selected controls
};
const TAxisCommand kAxis[] = {
    {TActionId::CenterHorz, TStepKind::CenterHorizontally, TArrangeAxis::Horizontal, &CentreOnLabel,
     false, MinimumToAlign},
    {TActionId::CenterVert, TStepKind::CenterVertically, TArrangeAxis::Vertical, &CentreOnLabel,
     false, MinimumToAlign},
    {TActionId::DistributeHorz, TStepKind::DistributeHorizontally, TArrangeAxis::Horizontal,
     &DistributeBoxes, false, MinimumToDistribute},
    {TActionId::DistributeVert, TStepKind::DistributeVertically, TArrangeAxis::Vertical,
     &DistributeBoxes, false, MinimumToDistribute},
    {TActionId::SameWidth, TStepKind::SameWidth, TArrangeAxis::Horizontal, &SameSize, true,
     MinimumToSize},
    {TActionId::SameHeight, TStepKind::SameHeight, TArrangeAxis::Vertical, &SameSize, true,
     MinimumToSize},
};

// Holding Alt while dragging lets the box go where the mouse puts it: the modifiers of each
// press and move on the label tell the snapping whether it is suspended.
class TSnapSuspender : public QObject {
public:
    TSnapSuspender(TSnap& snap, QObject* parent) : QObject(parent), m_snap(snap) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove)
            m_snap.Suspended = static_cast<QMouseEvent*>(event)->modifiers() & Qt::AltModifier;
        return QObject::eventFilter(watched, event);
    }

private:
    TSnap& m_snap;
};
} // namespace

void TFMain::ConnectArrange() {
    const TMainActions& a = m_actions;
    for (const TAlignCommand& c : kAlign)
        connect(a[c.Action], &QAction::triggered, this, [this, c] {
            ArrangeSelection(
                c.Step, false,
                [edge = c.Edge](const std::vector<TRect>& boxes, const TArrangeLabel& label) {
                    return AlignBoxes(boxes, edge, label);
                });
        });
    for (const TAxisCommand& c : kAxis)
        connect(a[c.Action], &QAction::triggered, this, [this, c] {
            ArrangeSelection(c.Step, c.Resizes,
                             [c](const std::vector<TRect>& boxes, const TArrangeLabel& label) {
                                 return c.Rule(boxes, c.Axis, label);
                             });
        });
    connect(m_document, &TLabelDocument::SelectionChanged, this, [this] { UpdateArrangeStates(); });
    UpdateArrangeStates();

    m_snap = std::make_shared<TSnap>(Document());
    TSnap* snap = m_snap.get();
    Label().Controller().Snap = [this, snap](const TRect& proposed, TDragMode mode) {
        // The grid in the unit the window shows, the reach at the zoom it shows.
        snap->MetricGrid = Label().MetricGrid;
        snap->Zoom = Label().Controller().Zoom;
        return snap->Apply(proposed, mode);
    };
    Label().installEventFilter(new TSnapSuspender(*snap, this));
    connect(a[TActionId::SnapGrid], &QAction::toggled, this, [this, snap](bool on) {
        snap->ToGrid = on;
        m_preferences.SnapToGrid = on;
    });
    connect(a[TActionId::SnapControls], &QAction::toggled, this, [this, snap](bool on) {
        snap->ToControls = on;
        m_preferences.SnapToControls = on;
    });
}

void TFMain::ApplySnapPreferences() {
    m_actions[TActionId::SnapGrid]->setChecked(m_preferences.SnapToGrid);
    m_actions[TActionId::SnapControls]->setChecked(m_preferences.SnapToControls);
    if (m_snap) {
        m_snap->ToGrid = m_preferences.SnapToGrid;
        m_snap->ToControls = m_preferences.SnapToControls;
    }
}

void TFMain::UpdateArrangeStates() {
    const size_t selected = Document().SelectedIds().size();
    for (const TAlignCommand& c : kAlign)
        m_actions[c.Action]->setEnabled(selected >= MinimumToAlign);
    for (const TAxisCommand& c : kAxis)
        m_actions[c.Action]->setEnabled(selected >= c.Needs);
}

void TFMain::ArrangeSelection(TStepKind kind, bool resizes, const TArrangeRule& rule) {
    const std::vector<TLabelControl*> controls = Document().SelectedControls();
    if (controls.empty())
        return;
    std::vector<TRect> boxes;
    boxes.reserve(controls.size());
    for (const TLabelControl* c : controls)
        boxes.push_back(c->Box());
    const std::vector<TRect> placed = rule(boxes, ArrangeLabelOf(Document()));
    CommitStep(); // a change still waiting is a step of its own
    bool changed = false;
    // Through the setters, as the mouse moves and sizes: the label still keeps every control
    // inside it, attached controls stay attached and self-sizing ones keep to their content. As
    // one batch, so the label is drawn once and each control announced once.
    AsStep(kind, [&] {
        Document().Batch([&] {
            for (size_t i = 0; i < controls.size(); ++i) {
                TLabelControl& c = *controls[i];
                const TRect& was = boxes[i];
                const TRect& to = placed[i];
                if (resizes) {
                    if (to.Width() != was.Width())
                        c.SetBoxWidth(to.Width());
                    if (to.Height() != was.Height())
                        c.SetBoxHeight(to.Height());
                } else {
                    if (to.Top != was.Top)
                        c.SetTop(to.Top);
                    if (to.Left != was.Left)
                        c.SetLeft(to.Left);
                }
                changed = changed || c.Box() != was;
            }
        });
    });
    if (!changed)
        return;
    ShowPosition();
}
