#include "files/LabelHistory.h"

#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "platform/Errors.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>

namespace {
constexpr int kHistorySteps = 200;

// The sheet as the history keeps and restores it: the one place that knows where it lives.
TSheetSettings SheetOf(const TLabelDocument& document) {
    return document.Sheet();
}
void SetSheetOf(TLabelDocument& document, const TSheetSettings& sheet) {
    document.SetSheet(sheet, TLabelDocument::TSheetChange::Fit);
}

// Steps of these kinds merge with the one before when both belong to the same control.
bool Merges(TStepKind kind) {
    return kind == TStepKind::Move || kind == TStepKind::Resize || kind == TStepKind::ChangeText;
}
} // namespace

QString StepText(TStepKind kind) {
    switch (kind) {
    case TStepKind::ChangeProperties:
        return QStringLiteral("Change Properties");
    case TStepKind::Move:
        return QStringLiteral("Move");
    case TStepKind::Resize:
        return QStringLiteral("Resize");
    case TStepKind::AddControl:
        return QStringLiteral("Add Control");
    case TStepKind::DeleteControl:
        return QStringLiteral("Delete Control");
    case TStepKind::Cut:
        return QStringLiteral("Cut");
    case TStepKind::Paste:
        return QStringLiteral("Paste");
    case TStepKind::ChangeText:
        return QStringLiteral("Change Text");
    case TStepKind::ChangeFields:
        return QStringLiteral("Change Fields");
    case TStepKind::ChangeFont:
        return QStringLiteral("Change Font");
    case TStepKind::BringToFront:
        return QStringLiteral("Bring to Front");
    case TStepKind::SendToBack:
        return QStringLiteral("Send to Back");
    case TStepKind::Rotate:
        return QStringLiteral("Rotate");
    case TStepKind::LabelSetup:
        return QStringLiteral("Label Setup");
    case TStepKind::ChangeUnit:
        return QStringLiteral("Change Unit");
    case TStepKind::ImportImage:
        return QStringLiteral("Import Image");
    case TStepKind::ImportSettings:
        return QStringLiteral("Import Label Settings");
    case TStepKind::PrintSetup:
        return QStringLiteral("Print Setup");
    case TStepKind::DataSettings:
        return QStringLiteral("Data Import Settings");
    case TStepKind::AlignLeft:
        return QStringLiteral("Align Left");
    case TStepKind::AlignCenter:
        return QStringLiteral("Align Center");
    case TStepKind::AlignRight:
        return QStringLiteral("Align Right");
    case TStepKind::AlignTop:
        return QStringLiteral("Align Top");
    case TStepKind::AlignMiddle:
        return QStringLiteral("Align Middle");
    case TStepKind::AlignBottom:
        return QStringLiteral("Align Bottom");
    case TStepKind::CenterHorizontally:
        return QStringLiteral("Center on Label Horizontally");
    case TStepKind::CenterVertically:
        return QStringLiteral("Center on Label Vertically");
    case TStepKind::DistributeHorizontally:
        return QStringLiteral("Distribute Horizontally");
    case TStepKind::DistributeVertically:
        return QStringLiteral("Distribute Vertically");
    case TStepKind::SameWidth:
        return QStringLiteral("Make Same Width");
    case TStepKind::SameHeight:
        return QStringLiteral("Make Same Height");
    case TStepKind::Duplicate:
        return QStringLiteral("Duplicate");
    }
    return {};
}

class TLabelStep : public QUndoCommand {
public:
    TLabelStep(TLabelHistory& history, TLabelHistory::TState before, TLabelHistory::TState after,
               TStepKind kind, TControlId key)
        : QUndoCommand(StepText(kind)), m_history(history), m_before(std::move(before)),
          m_after(std::move(after)), m_merge(key && Merges(kind) ? int(kind) + 1 : -1), m_key(key) {
    }
    int id() const override { return m_merge; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const TLabelStep*>(other);
        if (next->m_key != m_key)
            return false;
        m_after = next->m_after;
        return true;
    }
    void undo() override { m_history.Restore(m_before); }
    void redo() override {
        // Pushing a step only records it: the label already is in that state.
        if (m_recorded)
            m_history.Restore(m_after);
        m_recorded = true;
    }

private:
    TLabelHistory& m_history;
    TLabelHistory::TState m_before, m_after;
    int m_merge;
    TControlId m_key;
    bool m_recorded = false;
};

TLabelHistory::TLabelHistory(TLabelDocument& document)
    : m_document(document), m_stack(std::make_unique<QUndoStack>()) {
    m_stack->setUndoLimit(kHistorySteps);
    // What is selected between changes goes with the state before the next one; the selection
    // a change makes (a control added, deleted) goes with the state after it.
    QObject::connect(&m_document, &TLabelDocument::SelectionChanged, m_stack.get(), [this] {
        if (!m_pending && !m_restoring)
            m_state.Selection = m_document.SelectedIds();
    });
}

TLabelHistory::~TLabelHistory() {
    // The stack tells of its last state as it goes; nothing may listen by then.
    m_stack->disconnect();
}

void TLabelHistory::Reset() {
    m_pending = false;
    m_stack->clear();
    m_snapshots.Clear();
    m_state = Take();
    m_stack->setClean();
}

TLabelHistory::TState TLabelHistory::Take() const {
    TState state;
    try {
        state.Label =
            m_snapshots.Take(SheetOf(m_document), m_document.ShowGrid(), m_document.Controls());
    } catch (const TUserError&) {
        return {};
    }
    state.Ids.reserve(m_document.Controls().size());
    for (const auto& c : m_document.Controls())
        state.Ids.push_back(c->Id());
    state.Selection = m_document.SelectedIds();
    return state;
}

void TLabelHistory::Note(TStepKind kind, TControlId key) {
    if (m_restoring || m_pending)
        return;
    m_pending = true;
    m_kind = kind;
    m_key = key;
}

void TLabelHistory::Retitle(TStepKind kind) {
    m_kind = kind;
}

void TLabelHistory::Commit() {
    if (!m_pending || m_restoring)
        return;
    m_pending = false;
    TState now = Take();
    if (now.Label.isEmpty())
        return;
    if (now.Label == m_state.Label && now.Ids == m_state.Ids) {
        m_state.Selection = std::move(now.Selection);
        return;
    }
    m_stack->push(new TLabelStep(*this, m_state, now, m_kind, m_key));
    m_state = std::move(now);
}

void TLabelHistory::Undo() {
    Commit(); // a change still waiting is a step of its own
    m_stack->undo();
}

void TLabelHistory::Redo() {
    Commit();
    m_stack->redo();
}

void TLabelHistory::Restore(const TState& state) {
    TLabelContents contents;
    try {
        contents = m_snapshots.Restore(state.Label);
    } catch (const TUserError& e) {
        if (OnError)
            OnError(e.Message());
        return;
    }
    // The controls come back under the ids they had, so later steps still find them.
    for (size_t i = 0; i < contents.Controls.size() && i < state.Ids.size(); ++i)
        contents.Controls[i]->SetId(state.Ids[i]);
    m_restoring = true;
    m_pending = false;
    SetSheetOf(m_document, contents.Sheet);
    m_document.SetShowGrid(contents.ShowGrid);
    m_document.SetLabelSize(LabelPixelWidth(contents.Sheet), LabelPixelHeight(contents.Sheet));
    // The selection marks are set while the controls still load, so that they are drawn with
    // the whole label rather than each on its own.
    for (const auto& c : contents.Controls)
        if (std::find(state.Selection.begin(), state.Selection.end(), c->Id()) !=
            state.Selection.end())
            c->SetSelected(true);
    m_document.ReplaceControls(std::move(contents.Controls));
    for (const auto& c : m_document.Controls())
        c->SetLoading(false);
    m_document.SelectIds(state.Selection);
    m_state = state;
    m_restoring = false;
}
