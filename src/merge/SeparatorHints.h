#pragma once

#include "merge/TextImportSettings.h"

#include <QChar>
#include <QStringView>

#include <optional>

// What a delimited file says of its own separator.

// The separator a first line "sep=X" names, as spreadsheets write it in front of a file whose
// separator is not the comma; none for any other line.
std::optional<QChar> NamedSeparator(QStringView firstLine);

// The separator the first line of a file meant to be comma separated suggests when it holds no
// comma: a semicolon (what spreadsheets write where the comma is the decimal sign) or a tab,
// whichever it holds more of; none when it has a comma or neither.
std::optional<QChar> SniffedSeparator(QStringView firstLine);

// Settings that cut at separator: the comma or tab format for those, otherwise the custom
// delimiter format.
void UseSeparator(TTextImportSettings& settings, QChar separator);
