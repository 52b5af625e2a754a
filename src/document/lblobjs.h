#pragma once

#include "document/Colors.h"
#include "merge/AdvancedField.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TLabelDocument;

// A control's name within its document: given when the control joins the document, kept by
// undo and redo, and given afresh in stacking order when a file is read, so reading the same
// file twice gives the same names. 0 until the control joins a document.
using TControlId = uint64_t;

// The kinds of control, as stored in label files.
enum TControlKind : uint8_t {
    ckBarcode = 0,
    ckText = 1,
    ckMemo = 2,
    ckShape = 3,
    ckGraphic = 4,
    ckBase = 5,
};

// Values of HAlign, VAlign and Attach.
enum : uint8_t { haLeft = 0, haRight = 1, haCenter = 2 };
enum : uint8_t { vaCenter = 2, vaTop = 3, vaBottom = 4 };
enum : uint8_t {
    atLeft = 0,
    atRight = 1,
    atUnused = 2,
    atTop = 3,
    atBottom = 4,
    atWholeLabel = 5,
    atNone = 6,
};

// A rectangle given by its edges, right and bottom exclusive.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    int32_t Width() const { return Edge(int64_t(Right) - Left); }
    int32_t Height() const { return Edge(int64_t(Bottom) - Top); }
    bool Contains(int32_t x, int32_t y) const {
        return x >= Left && x < Right && y >= Top && y < Bottom;
    }
    bool operator==(const TRect&) const = default;
    // The smallest rectangle holding this one and other.
    TRect United(const TRect& other) const {
        return {std::min(Left, other.Left), std::min(Top, other.Top), std::max(Right, other.Right),
                std::max(Bottom, other.Bottom)};
    }
    // Edges past the int32 range are held at its ends rather than wrapping round.
    static TRect FromBox(int32_t left, int32_t top, int32_t width, int32_t height) {
        return {left, top, Edge(int64_t(left) + width), Edge(int64_t(top) + height)};
    }

private:
    static int32_t Edge(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }
};

// The base of every object placed on a label. A control is not a window: it has a box in screen
// pixels, layout properties, a text, and a private image into which it renders itself; the label
// paints controls by copying those images.
class TLabelControl {
public:
    using TEvent = std::function<void(TLabelControl*)>;

    TLabelControl();
    virtual ~TLabelControl();
    TLabelControl(const TLabelControl&) = delete;
    TLabelControl& operator=(const TLabelControl&) = delete;

    // Renders the control into Image(). The base only clears Dirty; every kind overrides it and
    // calls the base at the end.
    virtual void Draw();
    // The picture of Image() as the design surface shows it at zoom screen pixels per label
    // pixel, about Image()'s size times zoom; Image() itself at zoom 1. Drawn from the
    // control's properties where the kind can (text with its font scaled), else Image()
    // scaled smoothly. Needs a drawn control.
    virtual QImage ZoomedImage(double zoom) const;
    virtual void SetRotation(uint8_t r);
    virtual void SetAttach(uint8_t a);
    virtual void SetHAlign(uint8_t h);
    virtual void SetVAlign(uint8_t v);

    // Cloning: a new, empty control of the same kind (none for the base kind), and the copy of
    // the properties only this kind has. The label's CloneControl copies the common ones.
    virtual std::unique_ptr<TLabelControl> CreateSameKind() const;
    virtual void CopyKindProperties(const TLabelControl& source);

    // Box and limits.
    int32_t Top() const { return m_top; }
    int32_t Left() const { return m_left; }
    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    TRect Box() const { return TRect::FromBox(m_left, m_top, m_width, m_height); }
    int32_t MinWidth() const { return m_minWidth; }
    int32_t MinHeight() const { return m_minHeight; }
    const TRect& BoundsArea() const { return m_boundsArea; }
    const TRect& OldBounds() const { return m_oldBounds; }
    void SaveOldBounds() { m_oldBounds = Box(); }

    // Public setters: they save OldBounds, clamp into BoundsArea and notify.
    void SetTop(int32_t y);
    void SetLeft(int32_t x);
    void SetBoxHeight(int32_t h);
    void SetBoxWidth(int32_t w);
    // Sets the whole box inside one batch; positionFirst keeps the size when an edge is hit
    // (moving), otherwise the size is clamped against the old position (resizing).
    void SetBox(const TRect& box, bool positionFirst);
    void SetBoundsArea(const TRect& area);
    void ApplyAttach();

    uint8_t Rotation() const { return m_rotation; }
    uint8_t Attach() const { return m_attach; }
    uint8_t HAlign() const { return m_hAlign; }
    uint8_t VAlign() const { return m_vAlign; }
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSizing(bool b);
    bool Selected() const { return m_selected; }
    void SetSelected(bool b);
    bool Transparent() const { return m_transparent; }
    void SetTransparency(bool b);
    bool Advanced() const { return m_advanced; }
    void SetAdvanced(bool b);
    const QString& Text() const { return m_text; }
    void SetText(const QString& s);
    bool Dirty() const { return m_dirty; }
    void Changed(bool b = true);
    bool Loading() const { return m_loading; }
    void SetLoading(bool b) { m_loading = b; }
    bool InBatch() const { return m_inBatch; }
    TControlKind Kind() const { return m_kind; }

    // The text saved and printed without data, and the text shown on the design surface (the
    // record its label shows, when it shows one: TLabelDocument::ShownData).
    QString GetText() const;
    QString GetDisplayText() const;
    // The text on paper: advanced fields against the record, counters stepping when advance is
    // set (the last copy of a label); otherwise GetText.
    // columns: the names of the record's columns, when the data has them.
    QString GetPrintText(const TImportRecord* record, bool advance,
                         const TImportRecord* columns = nullptr) const;

    // The advanced field elements, owned by the control.
    TFieldList Fields;

    // The control's font (the font of its image canvas), its colour and its stored character
    // set number.
    const QFont& Font() const { return m_font; }
    void SetFont(const QFont& f);
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor c);
    int32_t FontCharset() const { return m_fontCharset; }
    void SetFontCharset(int32_t charset) { m_fontCharset = charset; }

    // The rendered image and the colour that is not painted when Transparent is set.
    const QImage& Image() const { return m_image; }
    QRgb TransparentColor() const { return m_transparentColor; }

    TLabelDocument* Owner() const { return m_owner; }
    void SetOwner(TLabelDocument* owner) { m_owner = owner; }
    TControlId Id() const { return m_id; }
    void SetId(TControlId id) { m_id = id; }

    TEvent OnChange;
    TEvent OnPlaced;

    // Text kinds: a text too large for its box is drawn at the largest size that fits, down to
    // MinFittedPoints, never larger than its font. Has no effect with auto size on.
    bool ShrinkToFit() const { return m_shrinkToFit; }
    void SetShrinkToFit(bool b);

protected:
    // For the kinds: their creation defaults and their rendering.
    void SetKind(TControlKind k) { m_kind = k; }
    void SetMinSize(int32_t w, int32_t h) {
        m_minWidth = w;
        m_minHeight = h;
    }
    void SetTransparentColor(QRgb c) { m_transparentColor = c; }
    void SetTransparentField(bool b) { m_transparent = b; }
    QImage& MutableImage() { return m_image; }
    void SetAlignFields(uint8_t h, uint8_t v) {
        m_hAlign = h;
        m_vAlign = v;
    }
    void SetAutoSizeField(bool b) { m_autoSize = b; }
    // Stores the text without recording the old box or raising a change (for Draw itself).
    void SetTextField(const QString& s) { m_text = s; }
    void SetAttachField(uint8_t a) { m_attach = a; }
    void RaiseChange() {
        if (OnChange)
            OnChange(this);
    }

private:
    // The clamped setters; each ends with ApplyAttach unless a batch is running.
    void ClampTop(int32_t y);
    void ClampLeft(int32_t x);
    void ClampHeight(int32_t h);
    void ClampWidth(int32_t w);
    void EndSetter();

    TLabelDocument* m_owner = nullptr;
    TControlId m_id = 0;
    uint8_t m_vAlign = vaTop;
    uint8_t m_hAlign = haLeft;
    uint8_t m_attach = atNone;
    int32_t m_top = 0;
    int32_t m_left = 0;
    int32_t m_width = 20;
    int32_t m_height = 20;
    int32_t m_minWidth = 10;
    int32_t m_minHeight = 10;
    uint8_t m_rotation = 0;
    bool m_autoSize = true;
    bool m_selected = false;
    bool m_transparent = false;
    bool m_dirty = true;
    bool m_advanced = false;
    bool m_inBatch = false;
    bool m_loading = true;
    TControlKind m_kind = ckBase;
    QString m_text;
    QImage m_image;
    QFont m_font;
    TColor m_fontColor = clBlack;
    int32_t m_fontCharset = 1;
    QRgb m_transparentColor = qRgb(255, 255, 255);
    TRect m_oldBounds;
    TRect m_boundsArea;
    // text fitting
    bool m_shrinkToFit = false;
};

// The size of a control's picture at zoom: each side times zoom, at least one pixel.
QSize ZoomedImageSize(const QSize& size, double zoom);

// The controls of a label in stacking order, bottom first.
using TControlList = std::vector<std::unique_ptr<TLabelControl>>;
