#include "app/KindTools.h"

#include "barcode/BarcodeLabel.h"
#include "document/GraphicLabel.h"
#include "document/KindRegistry.h"
#include "document/ShapeLabel.h"
#include "document/TextLabel.h"
#include "platform/Errors.h"
#include "platform/TempFiles.h"

#include <iterator>

namespace {
std::unique_ptr<TLabelControl> NewBarcode(const TNewControlDefaults& d) {
    auto c = std::make_unique<TBarcodeLabel>();
    c->SetBarcodeType(d.Barcode);
    // a 2D symbol's data is seldom meant to be read by eye
    if (IsMatrixBarcodeType(c->BarcodeType()))
        c->SetInterpret(false);
    c->SetBoxHeight(50);
    c->SetText(QStringLiteral("123"));
    return c;
}

std::unique_ptr<TLabelControl> NewText(const TNewControlDefaults& d) {
    auto c = std::make_unique<TTextLabel>();
    c->SetFont(d.Font);
    c->SetText(QStringLiteral("New Text"));
    return c;
}

std::unique_ptr<TLabelControl> NewMemo(const TNewControlDefaults& d) {
    auto c = std::make_unique<TMemoLabel>();
    c->SetText(QStringLiteral("Formatted Text"));
    c->SetFont(d.Font);
    return c;
}

std::unique_ptr<TLabelControl> NewShape(const TNewControlDefaults&) {
    return std::make_unique<TShapeLabel>();
}

// The placeholder is the control's own private file like any imported picture.
std::unique_ptr<TLabelControl> NewGraphic(const TNewControlDefaults& d) {
    auto c = std::make_unique<TGraphicLabel>();
    c->SetPicture(d.Placeholder);
    try {
        const QString file = UniqueTempFile(QStringLiteral("BMP"));
        d.Placeholder.save(file, "BMP");
        c->SetImageFile(file);
    } catch (const TUserError& e) {
        if (d.Error)
            d.Error(e.Message());
    }
    return c;
}

// clang-format off
constexpr TKindTool kTools[] = {
    {ckBarcode, TActionId::AddBarcode, "Add Barcode",        "Edit Barcode",        7, NewBarcode},
    {ckText,    TActionId::AddText, "Add Text",           "Edit Text",           6, NewText},
    {ckMemo,    TActionId::AddMemo, "Add Formatted Text", "Edit Formatted Text", 5, NewMemo},
    {ckShape,   TActionId::AddShape, "Add Shape",          "Edit Shape",          8, NewShape},
    {ckGraphic, TActionId::AddImage, "Add Graphic",        "Edit Graphic",        9, NewGraphic},
};
// clang-format on
static_assert(CoversEveryKind(kTools), "one entry per storable kind, in kind order");
} // namespace

const TKindTool* KindTool(TControlKind kind) {
    return kind < std::size(kTools) ? &kTools[kind] : nullptr;
}

std::span<const TKindTool> KindTools() {
    return kTools;
}
