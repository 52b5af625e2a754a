#include "document/lblobjs.h"

#include "document/Fonts.h"
#include "document/LabelDocument.h"
#include "merge/FieldEvaluation.h"

#include <algorithm>
#include <cmath>

QSize ZoomedImageSize(const QSize& size, double zoom) {
    const auto side = [zoom](int v) { return std::max(1, int(std::lround(v * zoom))); };
    return QSize(side(size.width()), side(size.height()));
}

// The owner is only recorded when the control is added to a label; until then the box is not
// confined, which lets loaders set any geometry first.
TLabelControl::TLabelControl() : m_owner(nullptr), m_font(DefaultControlFont()) {
    m_oldBounds = Box();
}

TLabelControl::~TLabelControl() = default;

void TLabelControl::Draw() {
    m_dirty = false;
}

QImage TLabelControl::ZoomedImage(double zoom) const {
    if (zoom == 1 || m_image.isNull())
        return m_image;
    return m_image.scaled(ZoomedImageSize(m_image.size(), zoom), Qt::IgnoreAspectRatio,
                          Qt::SmoothTransformation);
}

std::unique_ptr<TLabelControl> TLabelControl::CreateSameKind() const {
    return nullptr;
}

void TLabelControl::CopyKindProperties(const TLabelControl&) {}

// --- clamped setters -------------------------------------------------------------------------

void TLabelControl::ClampTop(int32_t y) {
    if (m_owner && y + m_height > m_boundsArea.Bottom)
        m_top = m_boundsArea.Bottom - m_height;
    else
        m_top = std::max(y, m_boundsArea.Top);
    EndSetter();
}

void TLabelControl::ClampLeft(int32_t x) {
    if (m_owner && x + m_width > m_boundsArea.Right)
        m_left = m_boundsArea.Right - m_width;
    else
        m_left = std::max(x, m_boundsArea.Left);
    EndSetter();
}

void TLabelControl::ClampHeight(int32_t h) {
    if (h < m_minHeight)
        m_height = m_minHeight;
    else if (m_owner && m_top + h > m_boundsArea.Bottom)
        m_height = m_boundsArea.Bottom - m_top;
    else
        m_height = h;
    EndSetter();
}

void TLabelControl::ClampWidth(int32_t w) {
    if (w < m_minWidth)
        m_width = m_minWidth;
    else if (m_owner && m_left + w > m_boundsArea.Right)
        m_width = m_boundsArea.Right - m_left;
    else
        m_width = w;
    EndSetter();
}

void TLabelControl::EndSetter() {
    if (!m_inBatch)
        ApplyAttach();
}

void TLabelControl::ApplyAttach() {
    const TRect& a = m_boundsArea;
    switch (m_attach) {
    case atLeft:
        m_top = 0, m_left = 0, m_height = a.Height();
        break;
    case atRight:
        m_top = 0, m_left = a.Right - m_width, m_height = a.Height();
        break;
    case atTop:
        m_top = 0, m_left = 0, m_width = a.Width();
        break;
    case atBottom:
        m_top = a.Bottom - m_height, m_left = 0, m_width = a.Width();
        break;
    case atWholeLabel:
        m_top = 0, m_left = 0, m_width = a.Width(), m_height = a.Height();
        break;
    default:
        break;
    }
    if (OnPlaced)
        OnPlaced(this);
}

// --- public setters --------------------------------------------------------------------------

void TLabelControl::SetTop(int32_t y) {
    SaveOldBounds();
    ClampTop(y);
    RaiseChange();
}

void TLabelControl::SetLeft(int32_t x) {
    SaveOldBounds();
    ClampLeft(x);
    RaiseChange();
}

void TLabelControl::SetBoxHeight(int32_t h) {
    SaveOldBounds();
    ClampHeight(h);
    Changed(true);
}

void TLabelControl::SetBoxWidth(int32_t w) {
    SaveOldBounds();
    ClampWidth(w);
    Changed(true);
}

void TLabelControl::SetBox(const TRect& box, bool positionFirst) {
    m_inBatch = true;
    if (positionFirst) {
        ClampTop(box.Top);
        ClampLeft(box.Left);
        ClampHeight(box.Height());
        ClampWidth(box.Width());
    } else {
        ClampHeight(box.Height());
        ClampWidth(box.Width());
        ClampTop(box.Top);
        ClampLeft(box.Left);
    }
    m_inBatch = false;
    ApplyAttach();
}

void TLabelControl::SetBoundsArea(const TRect& area) {
    m_boundsArea = area;
    SaveOldBounds();
    SetBox(Box(), false);
    if (m_dirty)
        RaiseChange();
}

void TLabelControl::SetRotation(uint8_t r) {
    const bool wasVertical = m_rotation % 2 == 1;
    const bool isVertical = r % 2 == 1;
    if (wasVertical != isVertical) {
        SaveOldBounds();
        SetBox(TRect::FromBox(m_left, m_top, m_height, m_width), true);
    }
    m_rotation = r;
    Changed(true);
    if (m_owner)
        m_owner->RepaintAll();
}

void TLabelControl::SetAttach(uint8_t a) {
    m_attach = a;
    m_autoSize = true;
    ApplyAttach();
    RaiseChange();
}

void TLabelControl::SetHAlign(uint8_t h) {
    m_hAlign = h;
    RaiseChange();
}

void TLabelControl::SetVAlign(uint8_t v) {
    m_vAlign = v;
    RaiseChange();
}

void TLabelControl::SetAutoSizing(bool b) {
    SaveOldBounds();
    m_autoSize = b;
    Changed(true);
}

void TLabelControl::SetText(const QString& s) {
    SaveOldBounds();
    m_text = s;
    Changed(true);
}

void TLabelControl::SetAdvanced(bool b) {
    SaveOldBounds();
    m_advanced = b;
    Changed(true);
}

void TLabelControl::SetShrinkToFit(bool b) {
    m_shrinkToFit = b;
    Changed(true);
}

void TLabelControl::SetTransparency(bool b) {
    m_transparent = b;
    Changed(true);
}

void TLabelControl::SetSelected(bool b) {
    m_selected = b;
    // Selection marks are drawn, not saved: repaint without raising a change of the label.
    if (m_owner)
        m_owner->RepaintControl(this);
    else
        RaiseChange();
}

void TLabelControl::SetFont(const QFont& f) {
    m_font = f;
    Changed(true);
}

void TLabelControl::SetFontColor(TColor c) {
    m_fontColor = c;
    Changed(true);
}

void TLabelControl::Changed(bool b) {
    m_dirty = b;
    if (b)
        RaiseChange();
}

QString TLabelControl::GetText() const {
    if (m_advanced)
        return EvaluateAdvancedFields(Fields, nullptr, false);
    return m_text;
}

QString TLabelControl::GetDisplayText() const {
    if (!m_advanced)
        return m_text;
    // A label showing a record shows what paper prints for it; counters do not step.
    if (const TShownData* shown = m_owner ? m_owner->ShownData() : nullptr)
        return EvaluateAdvancedFields(Fields, &shown->Record, false, {}, &shown->Columns);
    return AdvancedFieldsDesignText(Fields);
}

QString TLabelControl::GetPrintText(const TImportRecord* record, bool advance,
                                    const TImportRecord* columns) const {
    if (m_advanced)
        return EvaluateAdvancedFields(Fields, record, advance, {}, columns);
    return m_text;
}
