#include "document/LabelFields.h"

#include "merge/FieldEvaluation.h"

namespace {
std::vector<TControlFields> Entries(const TControlList& controls) {
    std::vector<TControlFields> entries;
    entries.reserve(controls.size());
    for (const auto& c : controls)
        entries.push_back({c->Advanced(), &c->Fields});
    return entries;
}
} // namespace

bool UsesImportedFields(const TControlList& controls) {
    return UsesImportedFields(std::span<const TControlFields>(Entries(controls)));
}

bool HasAdvancedFields(const TControlList& controls) {
    return HasAdvancedFields(std::span<const TControlFields>(Entries(controls)));
}

bool HasSequences(const TControlList& controls) {
    return HasSequences(std::span<const TControlFields>(Entries(controls)));
}

void ResetSequences(const TControlList& controls) {
    ResetSequences(std::span<const TControlFields>(Entries(controls)));
}

bool TextVariesByLabel(const TLabelControl& control) {
    return control.Advanced() && VariesByLabel(control.Fields);
}
