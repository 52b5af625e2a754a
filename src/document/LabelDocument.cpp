#include "document/LabelDocument.h"

#include "document/KindRegistry.h"
#include "document/LabelGeometry.h"
#include "merge/AdvancedField.h"

#include <algorithm>

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
    for (const auto& c : m_controls)
        if (c->Id() == id)
            return c.get();
    return nullptr;
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
    while (!m_controls.empty()) {
        Release(*m_controls.back());
        m_controls.pop_back();
    }
    if (hadSelection)
        emit SelectionChanged(nullptr);
    emit RepaintNeeded();
}

void TLabelDocument::DeselectAll() {
    for (auto& c : m_controls)
        if (c->Selected())
            c->SetSelected(false);
}

void TLabelDocument::SetSelection(TLabelControl* c) {
    m_selected.clear();
    if (c)
        m_selected.push_back(c->Id());
    emit SelectionChanged(c);
}

void TLabelDocument::DeleteSelected() {
    TLabelControl* selected = Selection();
    if (!selected)
        return;
    const TControlId id = selected->Id();
    const int index = IndexOf(selected);
    Release(*selected);
    m_controls.erase(m_controls.begin() + index);
    m_selected.clear();
    emit ControlRemoved(id);
    emit RepaintNeeded();
    emit Edited(); // before the selection goes, as when adding
    emit SelectionChanged(nullptr);
}

void TLabelDocument::BringToFront() {
    TLabelControl* selected = Selection();
    if (!selected)
        return;
    const auto it = m_controls.begin() + IndexOf(selected);
    const bool moves = it + 1 != m_controls.end();
    std::rotate(it, it + 1, m_controls.end());
    RepaintControl(selected);
    if (moves) {
        emit Restacked();
        emit Edited();
    }
}

void TLabelDocument::SendToBack() {
    TLabelControl* selected = Selection();
    if (!selected)
        return;
    const auto it = m_controls.begin() + IndexOf(selected);
    const bool moves = it != m_controls.begin();
    std::rotate(m_controls.begin(), it, it + 1);
    RepaintControl(selected);
    if (moves) {
        emit Restacked();
        emit Edited();
    }
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

void TLabelDocument::SelectAt(int32_t x, int32_t y) {
    m_selected.clear();
    DeselectAll();
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        TLabelControl* c = it->get();
        if (HitsWithSlack(c->Box(), x, y)) {
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
    // Only the controls whose marks change are drawn again: each redraw renders the label.
    for (auto& c : m_controls) {
        const bool wanted =
            std::find(m_selected.begin(), m_selected.end(), c->Id()) != m_selected.end();
        if (c->Selected() != wanted)
            c->SetSelected(wanted);
    }
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
    if (!selected)
        return nullptr;
    const TLabelControl& src = *selected;
    std::unique_ptr<TLabelControl> copy = src.CreateSameKind();
    if (!copy)
        return nullptr;
    copy->SetLoading(true);
    copy->CopyKindProperties(src);
    copy->SetBox(TRect::FromBox(0, 0, src.Width(), src.Height()), true);
    copy->SetHAlign(src.HAlign());
    copy->SetVAlign(src.VAlign());
    copy->SetTransparency(src.Transparent());
    copy->SetRotation(src.Rotation());
    copy->SetFont(src.Font());
    copy->SetAdvanced(src.Advanced());
    copy->SetText(src.GetText());
    if (copy->Advanced())
        copy->Fields = CloneFields(src.Fields);
    copy->SetAutoSizing(src.AutoSize());
    return copy;
}

void TLabelDocument::RepaintControl(TLabelControl* c) {
    if (!c || c->Loading())
        return;
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
        if (KindTraits(c->Kind()).CarriesText) {
            c->SaveOldBounds();
            c->Changed(true);
        }
    m_viewChange = false;
    emit RepaintNeeded();
}
