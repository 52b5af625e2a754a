#pragma once

#include "merge/AdvancedField.h"

#include <QString>

class TIniFile;

// The advanced field elements of one control section: ADVTYPE_k and the keys of that kind, k
// counting from 1 in list order.

void WriteFieldElements(TIniFile& ini, const QString& section, const TFieldList& fields);

// Element k of the section; nullptr when its kind is not one this program knows.
std::unique_ptr<TAdvancedField> ReadFieldElement(const TIniFile& ini, const QString& section,
                                                 int32_t k);

// Elements 1 .. count in order; unknown kinds are skipped and leave no gap.
TFieldList ReadFieldElements(const TIniFile& ini, const QString& section, int32_t count);

// Minimum sizes beyond what the field editor allows are cut to its limits when read, so that a
// damaged value cannot pad a text to gigabytes.
inline constexpr int32_t MaxImportedMinSize = 99;
inline constexpr int32_t MaxSequenceMinSize = 9;
