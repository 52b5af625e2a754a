#pragma once

#include "document/KindRegistry.h"
#include "document/lblobjs.h"

#include <QStringList>

#include <memory>

class TSectionReader;
class TSectionWriter;
class TPictureSource;

// What the files add to a kind of control (its TYPE value is among its traits): how to make an
// empty one and the keys only this kind has (written right after TYPE).
struct TControlKindInfo {
    TControlKind Kind;
    std::unique_ptr<TLabelControl> (*Create)();
    // Appends the control's private picture file to files, for image controls.
    void (*WriteKeys)(TSectionWriter& keys, const TLabelControl& control, QStringList& files);
    void (*ReadKeys)(const TSectionReader& keys, TLabelControl& control, TPictureSource& pictures);
};

// nullptr for the base kind, which is never stored.
const TControlKindInfo* KindOf(TControlKind kind);
// nullptr for a TYPE value that names no kind.
const TControlKindInfo* KindByType(const QString& type);
