#pragma once

#include "merge/AdvancedField.h"
#include "merge/ImportRecord.h"

#include <QString>

#include <span>

// The text of an element list at print time or in the editor's preview: each element's value
// against record (nullptr: no record) joined in order. When advance is set (the last copy of a
// printed label) every counter steps after showing its value; the elements are the control's
// own, so the step changes them although the list is passed as const.
// columns: the names of the record's columns, for imported fields that go by a column's name.
QString EvaluateAdvancedFields(const TFieldList& fields, const TImportRecord* record, bool advance,
                               const TDateSource& dates = {},
                               const TImportRecord* columns = nullptr);

// The text shown on the design surface: as above without record or stepping, an imported
// field showing F_ and its number, padded as it would be.
QString AdvancedFieldsDesignText(const TFieldList& fields, const TDateSource& dates = {});

// The element's line in the field editor's list.
QString DescribeField(const TAdvancedField& field, const TDateSource& dates = {});

// Per list: holds an imported field / a counter; put counters marked for it back to their start.
bool HoldsImportedField(const TFieldList& fields);
bool HoldsSequence(const TFieldList& fields);
// Can the list's text differ from one label to the next: an imported field, a counter or a date?
bool VariesByLabel(const TFieldList& fields);
void ResetSequences(TFieldList& fields);

// What the label-wide queries need from one control: its Advanced flag and its elements
// (nullptr for none). The label builds one entry per control.
struct TControlFields {
    bool Advanced = false;
    TFieldList* Fields = nullptr;
};

// Only controls with Advanced set count. Is a data file needed?
bool UsesImportedFields(std::span<const TControlFields> controls);
// Does any control have Advanced set (even with no elements)?
bool HasAdvancedFields(std::span<const TControlFields> controls);
// Does any advanced control hold a counter?
bool HasSequences(std::span<const TControlFields> controls);
// At the start of a print run: counters with ResetOnPrint go back to MinValue.
void ResetSequences(std::span<const TControlFields> controls);
