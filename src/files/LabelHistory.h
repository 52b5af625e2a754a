#pragma once

#include "files/LabelSnapshots.h"

#include "document/lblobjs.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QUndoStack;
class TLabelDocument;

// The kinds of change the editor records, each with the text the Edit menu shows for it.
enum class TStepKind {
    ChangeProperties,
    Move,
    Resize,
    AddControl,
    DeleteControl,
    Cut,
    Paste,
    ChangeText,
    ChangeFields,
    ChangeFont,
    BringToFront,
    SendToBack,
    Rotate,
    LabelSetup,
    ChangeUnit,
    ImportImage,
    ImportSettings,
    PrintSetup,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignTop,
    AlignMiddle,
    AlignBottom,
    CenterHorizontally,
    CenterVertically,
    DistributeHorizontally,
    DistributeVertically,
    SameWidth,
    SameHeight,
    Duplicate,
    DataSettings,
};
QString StepText(TStepKind kind);

// The history of a label's changes: every change is one step that Undo takes back and Redo
// brings again. A step holds the whole label before and after it, the ids of its controls in
// stacking order and the selection that went with each state; stepping goes through the
// document, whose signals the views follow.
class TLabelHistory {
public:
    explicit TLabelHistory(TLabelDocument& document);
    ~TLabelHistory();
    TLabelHistory(const TLabelHistory&) = delete;
    TLabelHistory& operator=(const TLabelHistory&) = delete;

    // The steps, for the Edit menu's commands and the saved state (clean).
    QUndoStack& Stack() const { return *m_stack; }

    // Forgets every step: the label as it is now is where the history starts.
    void Reset();
    // A change of this kind is being made (key: the control it belongs to, 0 for none). The
    // changes noted until Commit are one step, of the first kind noted unless Retitle changes
    // it; the selection before it is the one before the first change.
    void Note(TStepKind kind, TControlId key = 0);
    void Retitle(TStepKind kind);
    bool Pending() const { return m_pending; }
    // Records the noted changes as one step; nothing when the label is as the last step left
    // it. A run of steps of a kind that merges (arrow keys, typing) on one control is one step.
    void Commit();
    void Undo();
    void Redo();
    // True while a step is being taken back or brought again: the document's changes then are
    // no edits of the user's.
    bool Restoring() const { return m_restoring; }

    // How a state that cannot be brought back is reported.
    std::function<void(const QString&)> OnError;

private:
    friend class TLabelStep;
    struct TState {
        QByteArray Label;
        std::vector<TControlId> Ids;
        std::vector<TControlId> Selection;
    };
    TState Take() const;
    void Restore(const TState& state);

    TLabelDocument& m_document;
    std::unique_ptr<QUndoStack> m_stack;
    mutable TLabelSnapshots m_snapshots;
    TState m_state; // the label as the last step left it
    bool m_pending = false;
    TStepKind m_kind = TStepKind::ChangeProperties;
    TControlId m_key = 0;
    bool m_restoring = false;
};
