// The main window's history of changes: every change to the label is one step that Undo takes
// back and Redo brings again. A step holds the whole label before and after it.
#include "app/DesignArea.h"
#include "app/FMain.h"
#include "app/UiServices.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/widgets/CanvasLabel.h"
#include "files/LabelSnapshots.h"
#include "platform/Errors.h"

#include <QAction>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>

namespace {
constexpr int kHistorySteps = 200;

class TLabelStep : public QUndoCommand {
public:
    TLabelStep(TFMain& window, QByteArray before, QByteArray after, int merge, const void* key)
        : m_window(window), m_before(std::move(before)), m_after(std::move(after)), m_merge(merge),
          m_key(key) {}
    int id() const override { return m_merge; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const TLabelStep*>(other);
        if (next->m_key != m_key)
            return false;
        m_after = next->m_after;
        return true;
    }
    void undo() override { m_window.RestoreState(m_before); }
    void redo() override {
        // Pushing a step only records it: the label already is in that state.
        if (m_recorded)
            m_window.RestoreState(m_after);
        m_recorded = true;
    }

private:
    TFMain& m_window;
    QByteArray m_before, m_after;
    int m_merge;
    const void* m_key;
    bool m_recorded = false;
};
} // namespace

void TFMain::SetupHistory() {
    m_snapshots = std::make_unique<TLabelSnapshots>();
    m_history = new QUndoStack(this);
    m_history->setUndoLimit(kHistorySteps);
    QAction* undo = m_actions[TActionId::Undo];
    QAction* redo = m_actions[TActionId::Redo];
    redo->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(m_history, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(m_history, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(undo, &QAction::triggered, this, [this] {
        CommitStep(); // a change still waiting is a step of its own
        m_history->undo();
    });
    connect(redo, &QAction::triggered, m_history, &QUndoStack::redo);
    // Back at the state last saved, nothing is unsaved; away from it, something is.
    connect(m_history, &QUndoStack::cleanChanged, this,
            [this](bool clean) { SetModified(!clean); });
    ResetHistory();
}

void TFMain::ResetHistory() {
    m_pendingStep = false;
    m_history->clear();
    m_snapshots->Clear();
    m_state = TakeState();
    m_history->setClean();
}

QByteArray TFMain::TakeState() const {
    try {
        return m_snapshots->Take(Document().Sheet(), Document().ShowGrid(), Document().Controls());
    } catch (const TUserError&) {
        return {};
    }
}

void TFMain::RecordStep(int merge, const void* key) {
    if (m_quiet || m_restoring || !m_history)
        return;
    if (!m_pendingStep) {
        m_pendingStep = true;
        m_pendingMerge = merge;
        m_pendingKey = key;
        QTimer::singleShot(0, this, &TFMain::CommitStep);
    }
}

void TFMain::MouseReleased() {
    m_mouseDown = false;
    if (!m_restoring && m_history) {
        m_pendingStep = true;
        QTimer::singleShot(0, this, &TFMain::CommitStep);
    }
}

void TFMain::CommitStep() {
    // A drag is one step, recorded when the button is released.
    if (!m_pendingStep || m_mouseDown)
        return;
    m_pendingStep = false;
    QByteArray now = TakeState();
    if (now.isEmpty() || now == m_state)
        return;
    m_history->push(new TLabelStep(*this, m_state, now, m_pendingMerge, m_pendingKey));
    m_state = std::move(now);
    m_pendingMerge = -1;
    m_pendingKey = nullptr;
}

void TFMain::RestoreState(const QByteArray& state) {
    TLabelContents document;
    try {
        document = m_snapshots->Restore(state);
    } catch (const TUserError& e) {
        UiServices().Error(this, e.Message());
        return;
    }
    m_restoring = true;
    m_quiet = true;
    TLabelDocument& label = Document();
    label.SetSheet(document.Sheet, TLabelDocument::TSheetChange::Fit);
    label.SetShowGrid(document.ShowGrid);
    m_actions[TActionId::ShowGrids]->setChecked(document.ShowGrid);
    label.SetLabelSize(LabelPixelWidth(document.Sheet), LabelPixelHeight(document.Sheet));
    label.ReplaceControls(std::move(document.Controls));
    for (const auto& c : label.Controls())
        c->SetLoading(false);
    m_quiet = false;
    ApplyLabelSize();
    AdoptControls();
    m_design->RepaintRulers();
    label.SelectNone();
    m_state = state;
    m_restoring = false;
    RefreshSelectionUI();
}
