#pragma once

#include "merge/ImportRecord.h"
#include "merge/TextImportSettings.h"

#include <QChar>
#include <QStringView>

// Cuts one line by the settings' format: a comma, a tab or the custom separator (code 0 when
// that is empty) for the delimited formats, the column sizes for the fixed field format.
TImportRecord ParseLine(const TTextImportSettings& settings, QStringView line);

// Cuts a delimited line at separator, honouring the settings' quote character. Stops after
// DataFileLimits::MaxFields + 1 fields, so a record that long tells it was too long.
TImportRecord ParseDelimited(const TTextImportSettings& settings, QStringView line,
                             QChar separator);

// Cuts a line into the settings' fixed-width columns, trimming spaces as set. The record always
// has one field per column; characters beyond the last column are ignored.
TImportRecord ParseFixed(const TTextImportSettings& settings, QStringView line);

// The separator a delimited format cuts at (code 0 for fixed field or an empty custom one).
QChar SeparatorOf(const TTextImportSettings& settings);
