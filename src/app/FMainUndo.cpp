// The main window's side of the label's history: when a change is a step, what kind of step it
// is, and the Edit menu's Undo and Redo. The history itself acts on the document; the window
// follows the document's signals as for any other change.
#include "app/DesignArea.h"
#include "app/FMain.h"
#include "app/UiServices.h"
#include "document/LabelDocument.h"
#include "files/LabelHistory.h"

#include <QAction>
#include <QTimer>
#include <QUndoStack>

namespace {
// "&Undo Move": the command's own caption with the step's text, or the caption alone.
QString StepCaption(const QString& caption, const QString& text) {
    return text.isEmpty() ? caption : caption + QLatin1Char(' ') + text;
}
} // namespace

void TFMain::SetupHistory() {
    m_history = std::make_unique<TLabelHistory>(Document());
    m_history->OnError = [this](const QString& message) { UiServices().Error(this, message); };
    QUndoStack& stack = m_history->Stack();
    QAction* undo = m_actions[TActionId::Undo];
    QAction* redo = m_actions[TActionId::Redo];
    redo->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(&stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::undoTextChanged, undo,
            [undo, caption = undo->text()](const QString& text) {
                undo->setText(StepCaption(caption, text));
            });
    connect(&stack, &QUndoStack::redoTextChanged, redo,
            [redo, caption = redo->text()](const QString& text) {
                redo->setText(StepCaption(caption, text));
            });
    connect(undo, &QAction::triggered, this, [this] {
        CommitStep(); // a change still waiting is a step of its own
        m_history->Undo();
    });
    connect(redo, &QAction::triggered, this, [this] { m_history->Redo(); });
    // Back at the state last saved, nothing is unsaved; away from it, something is.
    connect(&stack, &QUndoStack::cleanChanged, this, [this](bool clean) { SetModified(!clean); });
    ResetHistory();
}

QUndoStack& TFMain::History() const {
    return m_history->Stack();
}

void TFMain::ResetHistory() {
    m_history->Reset();
}

void TFMain::RecordStep(TStepKind kind, TControlId key) {
    if (m_quiet || !m_history || m_history->Restoring())
        return;
    if (!m_history->Pending()) {
        m_history->Note(kind, key);
        QTimer::singleShot(0, this, &TFMain::CommitStep);
    }
}

void TFMain::AsStep(TStepKind kind, const std::function<void()>& command) {
    const TStepKind outerKind = m_editKind;
    const TControlId outerKey = m_editKey;
    m_editKind = kind;
    m_editKey = 0;
    command();
    m_editKind = outerKind;
    m_editKey = outerKey;
}

void TFMain::MouseReleased() {
    m_mouseDown = false;
    m_editKind = TStepKind::ChangeProperties;
    if (m_history && !m_history->Restoring()) {
        m_history->Note(TStepKind::ChangeProperties);
        QTimer::singleShot(0, this, &TFMain::CommitStep);
    }
}

void TFMain::CommitStep() {
    // A drag is one step, recorded when the button is released.
    if (!m_history || m_mouseDown)
        return;
    if (m_dragKind) {
        m_history->Retitle(*m_dragKind);
        m_dragKind.reset();
    }
    m_history->Commit();
}
