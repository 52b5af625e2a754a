#include "files/ControlKinds.h"

#include "barcode/BarcodeLabel.h"
#include "document/GraphicLabel.h"
#include "document/ShapeLabel.h"
#include "document/TextLabel.h"
#include "files/PictureSource.h"
#include "files/SectionAccess.h"

#include <QFileInfo>

#include <algorithm>

#include <iterator>

namespace {
template <class T> std::unique_ptr<TLabelControl> Create() {
    return std::make_unique<T>();
}

// A stored number within [low, high], or the fallback for anything else.
uint8_t ClampedByte(int value, int low, int high, uint8_t fallback) {
    return value >= low && value <= high ? uint8_t(value) : fallback;
}

// Text kinds: shrinking to fit, only when set, so that files without it read as before.
void WriteTextKeys(TSectionWriter& keys, const TLabelControl& c, QStringList&) {
    if (c.ShrinkToFit())
        keys.Bool("SHRINKTOFIT", true);
}

void ReadTextKeys(const TSectionReader& keys, TLabelControl& c, TPictureSource&) {
    c.SetShrinkToFit(keys.Bool("SHRINKTOFIT", false));
}

void WriteBarcode(TSectionWriter& keys, const TLabelControl& control, QStringList&) {
    const auto& c = static_cast<const TBarcodeLabel&>(control);
    keys.Integer("BCTYPE", c.BarcodeType());
    keys.Real("NBW", c.NarrowBarWidth());
    keys.Bool("INTERPRET", c.Interpret());
    keys.Bool("AUTOSCALE", c.AutoScale());
    // the two-dimensional options, only for the types that use them: older readers never see
    // keys they do not know in a linear control
    if (UsesQrEcc(c.BarcodeType()))
        keys.Integer("QRECC", c.QrEcc());
    if (c.BarcodeType() == btQrCode)
        keys.Integer("QRVERSION", c.QrVersion());
    if (c.BarcodeType() == btDataMatrix || c.BarcodeType() == btGs1DataMatrix)
        keys.Integer("DMSIZE", c.DataMatrixSize());
}

void ReadBarcode(const TSectionReader& keys, TLabelControl& control, TPictureSource&) {
    auto& c = static_cast<TBarcodeLabel&>(control);
    c.SetBarcodeType(TBarcodeType(keys.Byte("BCTYPE", 0)));
    c.SetNarrowBarWidth(keys.Real("NBW", 10.0));
    c.SetInterpret(keys.Bool("INTERPRET", true));
    c.SetAutoScale(keys.Bool("AUTOSCALE", true));
    const TMatrixOptions defaults;
    c.SetQrEcc(
        ClampedByte(keys.Integer("QRECC", defaults.qrEcc), 0, QrEccLevelCount - 1, defaults.qrEcc));
    c.SetQrVersion(ClampedByte(keys.Integer("QRVERSION", 0), 0, 40, 0));
    const int side = keys.Integer("DMSIZE", 0);
    const std::vector<int> sides = MatrixSizeChoices(btDataMatrix);
    c.SetDataMatrixSize(std::find(sides.begin(), sides.end(), side) != sides.end() ? uint8_t(side)
                                                                                   : 0);
}

void WriteShape(TSectionWriter& keys, const TLabelControl& control, QStringList&) {
    const auto& c = static_cast<const TShapeLabel&>(control);
    keys.Integer("SHAPEFORMAT", c.ShapeFormat());
    keys.Integer("PEN_WIDTH", c.PenWidth());
    keys.Integer("PEN_COLOR", int32_t(c.PenColor()));
    keys.Integer("BRUSH_STYLE", c.BrushStyle());
    keys.Integer("BRUSH_COLOR", int32_t(c.BrushColor()));
}

void ReadShape(const TSectionReader& keys, TLabelControl& control, TPictureSource&) {
    auto& c = static_cast<TShapeLabel&>(control);
    c.SetShapeFormat(keys.Byte("SHAPEFORMAT", sfRectangle));
    c.SetPenWidth(keys.Integer("PEN_WIDTH", 1));
    c.SetPenColor(TColor(keys.Integer("PEN_COLOR", int32_t(clBlack))));
    c.SetBrushColor(TColor(keys.Integer("BRUSH_COLOR", int32_t(clWhite))));
    c.SetBrushStyle(keys.Byte("BRUSH_STYLE", bsSolid));
}

void WriteGraphic(TSectionWriter& keys, const TLabelControl& control, QStringList& files) {
    const auto& c = static_cast<const TGraphicLabel&>(control);
    keys.Plain("IMG_NAME",
               c.ImageFile().isEmpty() ? QString() : QFileInfo(c.ImageFile()).fileName());
    if (!c.ImageFile().isEmpty())
        files << c.ImageFile();
    keys.Bool("IMG_ASPECTS", c.KeepAspect());
}

void ReadGraphic(const TSectionReader& keys, TLabelControl& control, TPictureSource& pictures) {
    auto& c = static_cast<TGraphicLabel&>(control);
    const QString name = keys.Plain("IMG_NAME", QString());
    c.SetKeepAspect(keys.Bool("IMG_ASPECTS", true));
    pictures.Attach(c, name);
}

constexpr TControlKindInfo kKinds[] = {
    {ckBarcode, Create<TBarcodeLabel>, WriteBarcode, ReadBarcode},
    {ckText, Create<TTextLabel>, WriteTextKeys, ReadTextKeys},
    {ckMemo, Create<TMemoLabel>, WriteTextKeys, ReadTextKeys},
    {ckShape, Create<TShapeLabel>, WriteShape, ReadShape},
    {ckGraphic, Create<TGraphicLabel>, WriteGraphic, ReadGraphic},
};
static_assert(CoversEveryKind(kKinds), "one entry per storable kind, in kind order");
} // namespace

const TControlKindInfo* KindOf(TControlKind kind) {
    return kind < std::size(kKinds) ? &kKinds[kind] : nullptr;
}

const TControlKindInfo* KindByType(const QString& type) {
    for (const TKindTraits& k : StorableKinds())
        if (type == QLatin1String(k.Type))
            return KindOf(k.Kind);
    return nullptr;
}
