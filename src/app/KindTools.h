#pragma once

#include "app/ActionIds.h"
#include "barcode/BarcodeTypes.h"
#include "document/lblobjs.h"

#include <QFont>
#include <QImage>

#include <functional>
#include <memory>
#include <span>

// What a new control starts with beyond its kind's own creation defaults.
struct TNewControlDefaults {
    QFont Font;                                // for the kinds with a font
    TBarcodeType Barcode = btCode128;          // for a barcode
    QImage Placeholder;                        // an image control's picture until one is imported
    std::function<void(const QString&)> Error; // told when the placeholder cannot be kept
};

// What the main window adds to each kind of control: its add tool's action, the state panel's
// text while adding one and while one is selected, the add cursor and how a new one is made.
struct TKindTool {
    TControlKind Kind;
    TActionId Action; // the add tool
    const char* AddState;
    const char* EditState;
    int Cursor;
    std::unique_ptr<TLabelControl> (*Create)(const TNewControlDefaults& defaults);
};

// nullptr for the base kind, which has no tool.
const TKindTool* KindTool(TControlKind kind);
std::span<const TKindTool> KindTools();
