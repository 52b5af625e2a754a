#include "document/LabelDocument.h"

#include "document/KindRegistry.h"
#include "document/LabelGeometry.h"
#include "merge/AdvancedField.h"

#include <algorithm>
#include <unordered_set>

TLabelDocument::TLabelDocument(QObject* parent) : QObject(parent) {}

TLabelDocument::~TLabelDocument() {
    // Controls call back into the document while they go; silence them first.
    for (auto& c : m_controls)
        Release(*c);
}

void TLabelDocument::SetSheet(const TSheetSettings& sheet, TSheetChange change) {
    if (sheet == m_sheet)
        return;
    m_sheet = sheet;
    emit SheetChanged();
    if (change == TSheetChange::Edit)
        emit Edited();
}

void TLabelDocument::SetShowGrid(bool show) {
    if (show == m_showGrid)
        return;
    m_showGrid = show;
    emit GridChanged(show);
    emit RepaintNeeded();
}

void TLabelDocument::SetLabelSize(int32_t width, int32_t height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == m_width && height == m_height)
        return;
    m_width = width;
    m_height = height;
    emit LabelResized();
}

TRect TLabelDocument::LabelArea() const {
    return {2, 2, m_width - 2, m_height - 2};
}

TLabelControl* TLabelDocument::Find(TControlId id) const {
    // Looked up by id for every selected control on every move of a drag: no walk of the list.
    const auto it = m_byId.find(id);
    return it == m_byId.end() ? nullptr : it->second;
}

int TLabelDocument::IndexOf(const TLabelControl* c) const {
    for (size_t i = 0; i < m_controls.size(); ++i)
        if (m_controls[i].get() == c)
            return int(i);
    return -1;
}

TLabelControl* TLabelDocument::Selection() const {
    return m_selected.empty() ? nullptr : Find(m_selected.front());
}

std::vector<TLabelControl*> TLabelDocument::SelectedControls() const {
    std::vector<TLabelControl*> controls;
    controls.reserve(m_selected.size());
    for (TControlId id : m_selected)
        if (TLabelControl* c = Find(id))
            controls.push_back(c);
    return controls;
}

TRect BoxAround(const std::vector<TLabelControl*>& controls) {
    TRect bounds = controls.front()->Box();
    for (const TLabelControl* c : controls)
        bounds = bounds.United(c->Box());
    return bounds;
}

TRect TLabelDocument::SelectionBounds() const {
    const std::vector<TLabelControl*> selected = SelectedControls();
    return selected.empty() ? TRect() : BoxAround(selected);
}

TLabelControl* TLabelDocument::ControlAt(int32_t x, int32_t y, double zoom) const {
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it)
        if (HitsWithSlack((*it)->Box(), x, y, zoom))
            return it->get();
    return nullptr;
}

// --- control list ----------------------------------------------------------------------------

void TLabelDocument::Number(TLabelControl& c) {
    if (c.Id() == 0)
        c.SetId(m_nextId++);
    else
        m_nextId = std::max(m_nextId, c.Id() + 1);
}

void TLabelDocument::Adopt(TLabelControl& c) {
    c.SetOwner(this);
    Number(c);
    m_byId[c.Id()] = &c;
    c.OnChange = [this](TLabelControl* sender) {
        if (!sender->Loading()) {
            RepaintControl(sender);
            if (!m_viewChange)
                emit Edited();
        }
    };
    c.SetBoundsArea(LabelArea());
}

void TLabelDocument::Release(TLabelControl& c) {
    c.OnChange = nullptr;
    c.OnPlaced = nullptr;
    if (m_batchDepth > 0)
        std::erase(m_batched, &c);
}

void TLabelDocument::AddControl(std::unique_ptr<TLabelControl> c) {
    TLabelControl* added = c.get();
    m_controls.push_back(std::move(c));
    DeselectAll();
    added->SetSelected(true);
    Adopt(*added);
    m_selected = {added->Id()};
    emit ControlAdded(added);
    emit RepaintNeeded();
    // The edit is announced before the selection it brings, so that whoever keeps the
    // selection that went with the label before (the history) still has it.
    emit Edited();
    emit SelectionChanged(added);
}

void TLabelDocument::ReplaceControls(TControlList controls) {
    ClearControls();
    m_controls = std::move(controls);
    for (auto& c : m_controls)
        Adopt(*c);
    emit ControlsReplaced();
    emit RepaintNeeded();
}

void TLabelDocument::LoadControls(TControlList controls) {
    for (auto& c : controls)
        c->SetId(0);
    ClearControls();
    m_nextId = 1;
    ReplaceControls(std::move(controls));
}

void TLabelDocument::ClearControls() {
    const bool hadSelection = !m_selected.empty();
    m_selected.clear();
    m_byId.clear();
    while (!m_controls.empty()) {
        Release(*m_controls.back());
        m_controls.pop_back();
    }
    if (hadSelection)
        emit SelectionChanged(nullptr);
    emit RepaintNeeded();
}

void TLabelDocument::DeselectAll() {
    Batch([this] {
        for (auto& c : m_controls)
            if (c->Selected())
                c->SetSelected(false);
    });
}

void TLabelDocument::SetSelection(TLabelControl* c) {
    m_selected.clear();
    if (c)
        m_selected.push_back(c->Id());
    emit SelectionChanged(c);
}

void TLabelDocument::DeleteSelected() {
    if (!Selection())
        return;
    const std::unordered_set<TControlId> gone(m_selected.begin(), m_selected.end());
    std::vector<TControlId> removed;
    removed.reserve(gone.size());
    TControlList kept;
    kept.reserve(m_controls.size());
    for (auto& c : m_controls) {
        if (gone.count(c->Id())) {
            Release(*c);
            m_byId.erase(c->Id());
            removed.push_back(c->Id());
        } else {
            kept.push_back(std::move(c));
        }
    }
    // The removed controls go only now that the list no longer holds them.
    std::swap(m_controls, kept);
    kept.clear();
    m_selected.clear();
    for (TControlId id : removed)
        emit ControlRemoved(id);
    emit RepaintNeeded();
    emit Edited(); // before the selection goes, as when adding
    emit SelectionChanged(nullptr);
}

void TLabelDocument::BringToFront() {
    Restack(true);
}

void TLabelDocument::SendToBack() {
    Restack(false);
}

void TLabelDocument::Restack(bool toFront) {
    if (!Selection())
        return;
    const std::unordered_set<TControlId> chosen(m_selected.begin(), m_selected.end());
    // Front: the others first, then the selected; back: the other way round. Either way each
    // group keeps its own order.
    const auto first = [&](const std::unique_ptr<TLabelControl>& c) {
        return (chosen.count(c->Id()) != 0) != toFront;
    };
    const bool moves = !std::is_partitioned(m_controls.begin(), m_controls.end(), first);
    std::stable_partition(m_controls.begin(), m_controls.end(), first);
    Batch([this] {
        for (TLabelControl* c : SelectedControls())
            RepaintControl(c);
    });
    if (moves) {
        emit Restacked();
        emit Edited();
    }
}

QPoint TLabelDocument::KeepInside(const TRect& bounds, int32_t dx, int32_t dy) const {
    // As a single control's clamped setters do, the far edge first; a group larger than the
    // label keeps its top-left corner on it.
    const TRect area = LabelArea();
    const auto axis = [](int32_t from, int32_t size, int32_t d, int32_t low, int32_t high) {
        int64_t to = int64_t(from) + d;
        if (to + size > high)
            to = int64_t(high) - size;
        to = std::max<int64_t>(to, low);
        return int32_t(to - from);
    };
    return {axis(bounds.Left, bounds.Width(), dx, area.Left, area.Right),
            axis(bounds.Top, bounds.Height(), dy, area.Top, area.Bottom)};
}

void TLabelDocument::MoveSelected(int32_t dx, int32_t dy) {
    const std::vector<TLabelControl*> selected = SelectedControls();
    if (selected.empty())
        return;
    const QPoint by = KeepInside(SelectionBounds(), dx, dy);
    if (by.isNull())
        return;
    Batch([&] {
        for (TLabelControl* c : selected) {
            c->SaveOldBounds();
            c->SetBox(
                TRect::FromBox(c->Left() + by.x(), c->Top() + by.y(), c->Width(), c->Height()),
                true);
            RepaintControl(c);
        }
    });
    emit Edited();
}

void TLabelDocument::SelectNext() {
    size_t next = 0;
    if (TLabelControl* selected = Selection()) {
        const size_t i = size_t(IndexOf(selected));
        next = i + 1 < m_controls.size() ? i + 1 : 0;
        DeselectAll();
    }
    if (!m_controls.empty()) {
        TLabelControl* c = m_controls[next].get();
        SetSelection(c);
        c->SetSelected(true);
    }
    BringToFront();
}

void TLabelDocument::SelectNone() {
    DeselectAll();
    SetSelection(nullptr);
}

void TLabelDocument::MarkSelected() {
    const std::unordered_set<TControlId> chosen(m_selected.begin(), m_selected.end());
    // Only the controls whose marks change are drawn again, all at once.
    Batch([&] {
        for (auto& c : m_controls) {
            const bool wanted = chosen.count(c->Id()) != 0;
            if (c->Selected() != wanted)
                c->SetSelected(wanted);
        }
    });
}

void TLabelDocument::ToggleSelected(TLabelControl* c) {
    if (!c || IndexOf(c) < 0)
        return;
    const auto it = std::find(m_selected.begin(), m_selected.end(), c->Id());
    if (it != m_selected.end())
        m_selected.erase(it);
    else
        m_selected.push_back(c->Id());
    c->SetSelected(!c->Selected());
    emit SelectionChanged(Selection());
}

void TLabelDocument::TakeSelection(std::vector<TControlId> ids) {
    if (ids == m_selected)
        return;
    m_selected = std::move(ids);
    MarkSelected();
    emit SelectionChanged(Selection());
}

void TLabelDocument::SelectAll() {
    std::vector<TControlId> ids = m_selected;
    const std::unordered_set<TControlId> already(ids.begin(), ids.end());
    for (const auto& c : m_controls)
        if (!already.count(c->Id()))
            ids.push_back(c->Id());
    TakeSelection(std::move(ids));
}

void TLabelDocument::SelectTouching(const TRect& area, const std::vector<TControlId>& base) {
    std::unordered_set<TControlId> wanted(base.begin(), base.end());
    for (const auto& c : m_controls) {
        const TRect b = c->Box();
        if (area.Left < b.Right && b.Left < area.Right && area.Top < b.Bottom &&
            b.Top < area.Bottom)
            wanted.insert(c->Id());
    }
    // What stays selected keeps its place; what the area newly takes follows.
    std::vector<TControlId> ids;
    ids.reserve(wanted.size());
    std::unordered_set<TControlId> placed;
    for (TControlId id : m_selected)
        if (wanted.count(id) && Find(id)) {
            ids.push_back(id);
            placed.insert(id);
        }
    for (TControlId id : base)
        if (!placed.count(id) && Find(id)) {
            ids.push_back(id);
            placed.insert(id);
        }
    for (const auto& c : m_controls)
        if (wanted.count(c->Id()) && !placed.count(c->Id()))
            ids.push_back(c->Id());
    TakeSelection(std::move(ids));
}

void TLabelDocument::SelectAt(int32_t x, int32_t y, double zoom) {
    m_selected.clear();
    DeselectAll();
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        TLabelControl* c = it->get();
        if (HitsWithSlack(c->Box(), x, y, zoom)) {
            c->SetSelected(true);
            SetSelection(c);
            if (AutoBringToFront)
                BringToFront();
            return;
        }
    }
    SetSelection(nullptr);
}

void TLabelDocument::SelectIds(const std::vector<TControlId>& ids) {
    m_selected.clear();
    for (TControlId id : ids)
        if (Find(id))
            m_selected.push_back(id);
    MarkSelected();
    emit SelectionChanged(Selection());
}

void TLabelDocument::FitControls() {
    const int32_t w = m_width, h = m_height;
    for (auto& c : m_controls) {
        if (c->Top() + c->Height() > h)
            c->SetTop(c->Height() > h ? 0 : h - c->Height());
        if (c->Left() + c->Width() > w)
            c->SetLeft(c->Width() > w ? 0 : w - c->Width());
        c->SetBoundsArea(LabelArea());
    }
}

std::unique_ptr<TLabelControl> TLabelDocument::CloneControl() const {
    const TLabelControl* selected = Selection();
    return selected ? CloneOf(*selected) : nullptr;
}

std::unique_ptr<TLabelControl> TLabelDocument::CloneOf(const TLabelControl& src) {
    std::unique_ptr<TLabelControl> copy = src.CreateSameKind();
    if (!copy)
        return nullptr;
    copy->SetLoading(true);
    copy->CopyKindProperties(src);
    copy->SetBox(TRect::FromBox(0, 0, src.Width(), src.Height()), true);
    copy->SetHAlign(src.HAlign());
    copy->SetVAlign(src.VAlign());
    copy->SetTransparency(src.Transparent());
    copy->SetShrinkToFit(src.ShrinkToFit());
    copy->SetRotation(src.Rotation());
    copy->SetFont(src.Font());
    copy->SetAdvanced(src.Advanced());
    copy->SetText(src.GetText());
    if (copy->Advanced())
        copy->Fields = CloneFields(src.Fields);
    copy->SetAutoSizing(src.AutoSize());
    return copy;
}

TControlCopies TLabelDocument::CloneSelection() const {
    TControlCopies copies;
    const TRect bounds = SelectionBounds();
    // Copies in stacking order; the selection's order is kept aside.
    const std::unordered_set<TControlId> chosen(m_selected.begin(), m_selected.end());
    std::unordered_map<TControlId, size_t> stackIndex;
    for (const auto& c : m_controls) {
        if (!chosen.count(c->Id()))
            continue;
        std::unique_ptr<TLabelControl> copy = CloneOf(*c);
        if (!copy)
            continue;
        copy->SetBox(TRect::FromBox(c->Left() - bounds.Left, c->Top() - bounds.Top, copy->Width(),
                                    copy->Height()),
                     true);
        stackIndex[c->Id()] = copies.Controls.size();
        copies.Controls.push_back(std::move(copy));
    }
    for (TControlId id : m_selected)
        if (const auto it = stackIndex.find(id); it != stackIndex.end())
            copies.SelectionOrder.push_back(it->second);
    return copies;
}

std::vector<TLabelControl*> TLabelDocument::AddCopies(TControlCopies copies, int32_t left,
                                                      int32_t top) {
    std::vector<TLabelControl*> added;
    if (copies.empty())
        return added;
    TRect bounds = copies.Controls.front()->Box();
    for (const auto& c : copies.Controls) {
        const TRect b = c->Box();
        bounds = {std::min(bounds.Left, b.Left), std::min(bounds.Top, b.Top),
                  std::max(bounds.Right, b.Right), std::max(bounds.Bottom, b.Bottom)};
    }
    const QPoint by = KeepInside(bounds, left - bounds.Left, top - bounds.Top);
    DeselectAll();
    m_selected.clear();
    for (auto& c : copies.Controls) {
        c->SetBox(TRect::FromBox(c->Left() + by.x(), c->Top() + by.y(), c->Width(), c->Height()),
                  true);
        added.push_back(c.get());
        m_controls.push_back(std::move(c));
        Adopt(*added.back());
        added.back()->SetSelected(true);
    }
    for (size_t i : copies.SelectionOrder)
        if (i < added.size())
            m_selected.push_back(added[i]->Id());
    // Copies left out of the order still end up selected, after the others.
    for (TLabelControl* c : added)
        if (std::find(m_selected.begin(), m_selected.end(), c->Id()) == m_selected.end())
            m_selected.push_back(c->Id());
    for (TLabelControl* c : added)
        emit ControlAdded(c);
    emit RepaintNeeded();
    emit Edited(); // before the selection it brings, as when adding one
    emit SelectionChanged(Selection());
    return added;
}

void TLabelDocument::Batch(const std::function<void()>& change) {
    ++m_batchDepth;
    change();
    if (--m_batchDepth > 0)
        return;
    std::vector<TLabelControl*> touched;
    std::swap(touched, m_batched);
    DrawChanged();
    std::unordered_set<TLabelControl*> announced;
    for (TLabelControl* c : touched)
        if (announced.insert(c).second)
            emit ControlChanged(c);
    if (!touched.empty())
        emit Batched();
}

void TLabelDocument::RepaintControl(TLabelControl* c) {
    if (!c || c->Loading())
        return;
    if (m_batchDepth > 0) {
        m_batched.push_back(c);
        return;
    }
    DrawChanged();
    emit ControlChanged(c);
}

void TLabelDocument::DrawChanged() {
    // A control sizes itself to its content when it draws, and drawing may change it again:
    // the guard keeps that from starting over.
    if (m_drawing)
        return;
    m_drawing = true;
    for (const auto& c : m_controls)
        if (c->Dirty())
            c->Draw();
    m_drawing = false;
}

void TLabelDocument::RepaintAll() {
    emit RepaintNeeded();
}

void TLabelDocument::SetShownData(std::optional<TShownData> data) {
    if (data == m_shownData)
        return;
    m_shownData = std::move(data);
    m_viewChange = true;
    for (const auto& c : m_controls)
        if (TakesFields(KindTraits(c->Kind()))) {
            c->SaveOldBounds();
            c->Changed(true);
        }
    m_viewChange = false;
    emit RepaintNeeded();
}
