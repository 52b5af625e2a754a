#include "files/SheetDefaults.h"

#include "document/SheetLimits.h"
#include "files/FileTexts.h"
#include "platform/Errors.h"
#include "platform/Preferences.h"

#include <iterator>
#include <variant>

namespace {
using TSheetField =
    std::variant<double TSheetSettings::*, bool TSheetSettings::*, int32_t TSheetSettings::*>;

struct TStoredValue {
    const char* Name;
    TSheetField Field;
};

// In the order they are written; reals are 8-byte doubles, the rest 32-bit integers.
const TStoredValue kStoredValues[] = {
    {"Margin_Top", &TSheetSettings::TopMargin},
    {"Margin_Bottom", &TSheetSettings::BottomMargin},
    {"Margin_Left", &TSheetSettings::LeftMargin},
    {"Margin_Right", &TSheetSettings::RightMargin},
    {"Label_Height", &TSheetSettings::LabelHeight},
    {"Label_Width", &TSheetSettings::LabelWidth},
    {"Gap_Height", &TSheetSettings::GapHeight},
    {"Gap_Width", &TSheetSettings::GapWidth},
    {"Metric", &TSheetSettings::Metric},
    {"Forced_Metrics", &TSheetSettings::ForcedCount},
    {"Label_Rows", &TSheetSettings::Rows},
    {"Label_Columns", &TSheetSettings::Columns},
    {"BorderStyle", &TSheetSettings::BorderStyle},
    {"BorderSize", &TSheetSettings::BorderSize},
    {"BorderShape", &TSheetSettings::BorderShape},
    {"BorderPct", &TSheetSettings::BorderPct},
};

// The order they are read in, as indexes into the table above.
const int kReadOrder[] = {0, 2, 4, 5, 6, 7, 8, 1, 3, 9, 10, 11, 12, 13, 14, 15};
static_assert(std::size(kReadOrder) == std::size(kStoredValues));

template <class... F> struct TOverload : F... { using F::operator()...; };
template <class... F> TOverload(F...) -> TOverload<F...>;

// False when the value is missing or of the wrong type or size.
bool ReadValue(const TPreferenceStore& store, const TStoredValue& v, TSheetSettings& sheet) {
    const QString name = QString::fromLatin1(v.Name);
    return std::visit(TOverload{
                          [&](double TSheetSettings::*f) {
                              const auto r = store.ReadFloat(name);
                              return r ? (sheet.*f = *r, true) : false;
                          },
                          [&](bool TSheetSettings::*f) {
                              const auto r = store.ReadBool(name);
                              return r ? (sheet.*f = *r, true) : false;
                          },
                          [&](int32_t TSheetSettings::*f) {
                              const auto r = store.ReadInteger(name);
                              return r ? (sheet.*f = *r, true) : false;
                          },
                      },
                      v.Field);
}

bool WriteValue(TPreferenceStore& store, const TStoredValue& v, const TSheetSettings& sheet) {
    const QString name = QString::fromLatin1(v.Name);
    return std::visit(
        TOverload{
            [&](double TSheetSettings::*f) { return store.WriteFloat(name, sheet.*f); },
            [&](bool TSheetSettings::*f) { return store.WriteBool(name, sheet.*f); },
            [&](int32_t TSheetSettings::*f) { return store.WriteInteger(name, sheet.*f); },
        },
        v.Field);
}
} // namespace

void LoadSheetDefaults(const TPreferenceStore& store, TSheetSettings& sheet) {
    TSheetSettings read = sheet;
    read.Paper = {}; // the defaults choose no paper: a new label takes the printer's own
    for (const int i : kReadOrder) {
        if (!ReadValue(store, kStoredValues[i], read)) {
            sheet =
                TSheetSettings{}; // every other field of the record is one of the stored sixteen
            return;
        }
    }
    // Values no sheet can have count as unreadable too.
    sheet = SheetLimitProblem(read).isEmpty() ? read : TSheetSettings{};
}

void SaveSheetDefaults(TPreferenceStore& store, const TSheetSettings& sheet) {
    bool written = true;
    for (const TStoredValue& v : kStoredValues)
        if (!(written = WriteValue(store, v, sheet)))
            break;
    QString reason;
    if (!store.Flush(&reason) || !written)
        throw TUserError(
            QString::fromLatin1(FileText::CannotSaveDefaults)
                .arg(reason.isEmpty() ? QStringLiteral("the store is not writable.") : reason));
}
