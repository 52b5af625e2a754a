#pragma once

#include "merge/AdvancedField.h"

#include <QString>

// The line under the date panel's boxes: today in the format and, when there is an offset,
// the offset and the date an element with these values prints now.
QString DateExample(const QString& format, int32_t months, int32_t days, const TDateSource& dates);
