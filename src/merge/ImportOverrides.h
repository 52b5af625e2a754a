#pragma once

#include "merge/TextImportSettings.h"

#include <QString>

#include <optional>

// How one run reads its data, given on the command line over the label's own settings. Each
// value is the text the user typed, checked when applied.
struct TImportOverrides {
    std::optional<QString> Delimiter; // one character, or tab, comma, semicolon, pipe, space
    std::optional<QString> Quote;     // one character, or none
    std::optional<bool> Header;       // the first line (row) is a header
    std::optional<QString> Encoding;  // utf-8, utf-16 or windows-1252
    std::optional<QString> Fixed;     // column widths: 10,25,8
    std::optional<QString> Table;     // a sheet, or a database table
    std::optional<QString> Query;     // a database query

    // Whether the overrides say how lines are cut (a separator or columns).
    bool ChoosesFormat() const { return Delimiter || Fixed; }
    bool operator==(const TImportOverrides&) const = default;
};

// Applies the overrides to settings. Throws TUserError naming the switch and the value when a
// value is not one the switch takes, or when both --delimiter and --fixed are given.
void ApplyImportOverrides(TTextImportSettings& settings, const TImportOverrides& overrides);
