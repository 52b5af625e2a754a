#include "app/PalettePreferences.h"

#include "app/PaletteDocking.h"
#include "platform/Preferences.h"

namespace {
const QString kAutoExpand = QStringLiteral("AutoExpand");
const QString kAttachPosition = QStringLiteral("CS_ATTO");
} // namespace

TPalettePreferences TPalettePreferences::Read(const TPreferenceStore& store) {
    const auto autoExpand = store.ReadBool(kAutoExpand);
    const auto position = store.ReadInteger(kAttachPosition);
    if (!autoExpand || !position || !IsAttachPosition(*position))
        return {};
    return {*autoExpand, TAttachPosition(*position)};
}

void TPalettePreferences::Write(TPreferenceStore& store) const {
    store.WriteBool(kAutoExpand, AutoExpand);
    store.WriteInteger(kAttachPosition, AttachPosition);
    store.Flush();
}
