#pragma once

#include "merge/TextImportSettings.h"

#include <optional>

class TIniFile;

// The data import settings a label keeps: the [DATA] section, which labels without settings of
// their own lack (they read their data by its file's extension).
inline constexpr char DataSection[] = "DATA";

// Writes the section; nothing for none.
void WriteDataSection(TIniFile& ini, const std::optional<TTextImportSettings>& settings);

// Reads the section back; none when the file has no [DATA] section. A damaged or unknown value
// takes the setting's default.
std::optional<TTextImportSettings> ReadDataSection(const TIniFile& ini);
