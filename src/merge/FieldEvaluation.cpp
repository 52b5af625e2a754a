#include "merge/FieldEvaluation.h"

#include <algorithm>

namespace {
QString Join(const TFieldList& fields, const TFieldInput& input, bool advance) {
    QString text;
    for (const auto& field : fields) {
        if (!field)
            continue;
        text += field->Value(input);
        if (advance)
            field->Advance();
    }
    return text;
}

template <class TKind> bool Holds(const TFieldList& fields) {
    return std::any_of(fields.begin(), fields.end(), [](const auto& field) {
        return dynamic_cast<const TKind*>(field.get()) != nullptr;
    });
}

template <class TTest> bool AnyAdvanced(std::span<const TControlFields> controls, TTest test) {
    return std::any_of(controls.begin(), controls.end(), [&](const TControlFields& control) {
        return control.Advanced && test(control.Fields);
    });
}
} // namespace

QString EvaluateAdvancedFields(const TFieldList& fields, const TImportRecord* record, bool advance,
                               const TDateSource& dates, const TImportRecord* columns) {
    return Join(fields, TFieldInput{record, false, dates, columns}, advance);
}

QString AdvancedFieldsDesignText(const TFieldList& fields, const TDateSource& dates) {
    return Join(fields, TFieldInput{nullptr, true, dates}, false);
}

QString DescribeField(const TAdvancedField& field, const TDateSource& dates) {
    return field.Describe(dates);
}

bool HoldsImportedField(const TFieldList& fields) {
    return Holds<TImportedField>(fields);
}

bool HoldsSequence(const TFieldList& fields) {
    return Holds<TSequenceField>(fields);
}

bool VariesByLabel(const TFieldList& fields) {
    return Holds<TImportedField>(fields) || Holds<TSequenceField>(fields) ||
           Holds<TDateField>(fields);
}

void ResetSequences(TFieldList& fields) {
    for (const auto& field : fields)
        if (auto* sequence = dynamic_cast<TSequenceField*>(field.get()))
            if (sequence->ResetOnPrint)
                sequence->CurrentValue = sequence->MinValue;
}

bool UsesImportedFields(std::span<const TControlFields> controls) {
    return AnyAdvanced(controls, [](const TFieldList* f) { return f && HoldsImportedField(*f); });
}

bool HasAdvancedFields(std::span<const TControlFields> controls) {
    return AnyAdvanced(controls, [](const TFieldList*) { return true; });
}

bool HasSequences(std::span<const TControlFields> controls) {
    return AnyAdvanced(controls, [](const TFieldList* f) { return f && HoldsSequence(*f); });
}

void ResetSequences(std::span<const TControlFields> controls) {
    for (const TControlFields& control : controls)
        if (control.Advanced && control.Fields)
            ResetSequences(*control.Fields);
}
