#pragma once

#include "document/Sheet.h"
#include "document/ShownData.h"
#include "document/lblobjs.h"

#include <QObject>
#include <QPoint>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

// Copies of several controls, detached from any document: their boxes keep the places they had
// relative to each other, with the top-left corner of all of them at (0, 0).
struct TControlCopies {
    TControlList Controls;              // in stacking order, bottom first
    std::vector<size_t> SelectionOrder; // indexes into Controls, in the order of the originals'
                                        // selection
    bool empty() const { return Controls.empty(); }
};

// The smallest box holding every one of controls (which must not be empty).
TRect BoxAround(const std::vector<TLabelControl*>& controls);

// One label being designed: the sheet it is printed on, the controls in stacking order and
// what is selected. Every change goes through here and is announced, so the editor's views,
// the history and the window follow it; the files read into it and write from it, and the
// printer prints it without changing it. Needs no window system beyond Qt Gui.
class TLabelDocument : public QObject {
    Q_OBJECT
public:
    explicit TLabelDocument(QObject* parent = nullptr);
    ~TLabelDocument() override;

    // The sheet of labels; the label's size on screen is kept separately (SetLabelSize), as the
    // editor sizes it only once the sheet is accepted.
    const TSheetSettings& Sheet() const { return m_sheet; }
    // The user's change of the sheet is an edit; fitting its rows and columns to the printer's
    // paper, or starting from the stored defaults, is not.
    enum class TSheetChange { Edit, Fit };
    void SetSheet(const TSheetSettings& sheet, TSheetChange change = TSheetChange::Edit);
    // Changes a copy of the sheet as edit says and takes it as SetSheet does.
    template <class F> void ChangeSheet(F&& edit, TSheetChange change = TSheetChange::Edit) {
        TSheetSettings sheet = m_sheet;
        edit(sheet);
        SetSheet(sheet, change);
    }
    // Whether the grid shows on the design surface; saved with the label.
    bool ShowGrid() const { return m_showGrid; }
    void SetShowGrid(bool show);

    // The label's size in screen pixels, and the area controls are kept within.
    void SetLabelSize(int32_t width, int32_t height);
    int32_t LabelWidth() const { return m_width; }
    int32_t LabelHeight() const { return m_height; }
    TRect LabelArea() const;

    // Selecting a control brings it to the front.
    bool AutoBringToFront = true;

    const TControlList& Controls() const { return m_controls; }
    TLabelControl* Find(TControlId id) const;
    // Position in stacking order, -1 when not in this document.
    int IndexOf(const TLabelControl* c) const;

    // The selection, in the order it was made. Selection() is the first control selected, the
    // one the commands for a single control act on.
    const std::vector<TControlId>& SelectedIds() const { return m_selected; }
    TLabelControl* Selection() const;
    // The selected controls in the order they were selected.
    std::vector<TLabelControl*> SelectedControls() const;
    // The smallest box holding every selected control; empty without a selection.
    TRect SelectionBounds() const;
    // The topmost control under (x, y) in label pixels (with the slack a press gets: 5 screen
    // pixels at the view's zoom, screen pixels per label pixel), or none.
    TLabelControl* ControlAt(int32_t x, int32_t y, double zoom = 1) const;

    // Adds c on top and selects it.
    void AddControl(std::unique_ptr<TLabelControl> c);
    // Takes over a whole list built elsewhere (a file read into new objects), replacing the
    // current controls only now that the list is complete. Controls that carry an id keep it;
    // the others are numbered on from the highest.
    void ReplaceControls(TControlList controls);
    // The same for a label read from a file: every control is numbered afresh from 1.
    void LoadControls(TControlList controls);
    void ClearControls();
    // The commands on the selection act on every selected control; the stacking commands keep
    // the selected controls' order among themselves.
    void DeleteSelected();
    void BringToFront();
    void SendToBack();
    // Moves every selected control by (dx, dy) as one: the move is cut short where the
    // selection's bounds would leave the label, so the controls keep their places to each other.
    void MoveSelected(int32_t dx, int32_t dy);
    void SelectNext();
    // Selects the topmost control under (x, y) in label pixels (slack as for ControlAt), or
    // nothing.
    void SelectAt(int32_t x, int32_t y, double zoom = 1);
    // Selects the control with this id (nothing when there is none), as undo restores it.
    void SelectIds(const std::vector<TControlId>& ids);
    void SelectNone();
    // Adds c to the selection, or takes it out when it is selected.
    void ToggleSelected(TLabelControl* c);
    // Every control: those already selected stay first, the others follow in stacking order.
    void SelectAll();
    // Selects base and every control whose box overlaps area; controls already selected keep
    // their place in the order, the others follow in stacking order.
    void SelectTouching(const TRect& area, const std::vector<TControlId>& base = {});
    // Moves controls that reach past the label's edges back onto it.
    void FitControls();
    // A copy of the selected control, not yet in any document (no id).
    std::unique_ptr<TLabelControl> CloneControl() const;
    // Copies of every selected control, kept at their places to each other.
    TControlCopies CloneSelection() const;
    // Adds copies on top with the top-left corner of all of them at (left, top), pulled back as
    // one where they would reach past the label, and selects them. Returns the added controls in
    // stacking order; they are still loading (the caller finishes them).
    std::vector<TLabelControl*> AddCopies(TControlCopies copies, int32_t left, int32_t top);

    // Runs change with the repaints it causes gathered: the label is drawn once and every control
    // it touched is announced once, at the end. Batched() follows.
    void Batch(const std::function<void()>& change);
    bool Batching() const { return m_batchDepth > 0; }

    // For the controls: their picture changed without an edit (selection marks), or the whole
    // label must be drawn again.
    void RepaintControl(TLabelControl* c);
    void RepaintAll();
    // View state, never saved and never an edit: the record the surface shows instead of the
    // placeholders of imported fields (nullptr: the placeholders). Setting it draws the controls
    // that carry a text again.
    const TShownData* ShownData() const { return m_shownData ? &*m_shownData : nullptr; }
    void SetShownData(std::optional<TShownData> data);

    // Draws every control whose picture is out of date, so that the boxes of the controls
    // that size themselves follow their content whether or not a view shows the label.
    void DrawChanged();

signals:
    // A control's picture on the label changed: its old box (OldBounds) and its new box.
    void ControlChanged(TLabelControl* c);
    void ControlAdded(TLabelControl* c);
    void ControlRemoved(TControlId id);
    void ControlsReplaced();
    void Restacked();
    void SheetChanged();
    void GridChanged(bool shown);
    void LabelResized();
    void SelectionChanged(TLabelControl* selection);
    // A batch of changes ended: whoever skipped work for each control while it ran catches up.
    void Batched();
    void RepaintNeeded();
    // Any change to what would be saved: a control's properties, box or text, a control added,
    // deleted or restacked, the sheet or the grid flag. Selecting alone is not an edit, and
    // controls still loading raise nothing. An edit that changes the selection (adding or
    // deleting a control) is announced before the new selection.
    void Edited();

private:
    void Adopt(TLabelControl& c);
    void Release(TLabelControl& c);
    void SetSelection(TLabelControl* c);
    void DeselectAll();
    // Makes ids the selection, marking the controls and announcing it, unless nothing changes.
    void TakeSelection(std::vector<TControlId> ids);
    void Number(TLabelControl& c);
    // Sets the selection marks to match m_selected, drawing only the controls whose marks change.
    void MarkSelected();
    void Restack(bool toFront);
    static std::unique_ptr<TLabelControl> CloneOf(const TLabelControl& src);
    // Where the group of boxes in bounds may go when moved by (dx, dy): the offset, cut short at
    // the label's edges.
    QPoint KeepInside(const TRect& bounds, int32_t dx, int32_t dy) const;

    TSheetSettings m_sheet;
    bool m_showGrid = true;
    // Until the sheet sizes it, a roomy label, so that controls placed first keep their boxes.
    int32_t m_width = 640;
    int32_t m_height = 480;
    TControlList m_controls;
    std::vector<TControlId> m_selected;
    std::unordered_map<TControlId, TLabelControl*> m_byId;
    int m_batchDepth = 0;
    std::vector<TLabelControl*> m_batched;
    TControlId m_nextId = 1;
    bool m_drawing = false;
    std::optional<TShownData> m_shownData;
    bool m_viewChange = false; // controls redraw for the view alone: no edit
};

// Shows the placeholders for as long as it lives, then the record shown before, without an
// edit: what is written is the design, never the sizes the controls that size themselves take
// for a record.
class TPlaceholdersShown {
public:
    explicit TPlaceholdersShown(TLabelDocument& document) : m_document(document) {
        if (const TShownData* shown = document.ShownData())
            m_kept = *shown;
        document.SetShownData(std::nullopt);
    }
    ~TPlaceholdersShown() { m_document.SetShownData(std::move(m_kept)); }
    TPlaceholdersShown(const TPlaceholdersShown&) = delete;
    TPlaceholdersShown& operator=(const TPlaceholdersShown&) = delete;

private:
    TLabelDocument& m_document;
    std::optional<TShownData> m_kept;
};
