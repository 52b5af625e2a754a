#pragma once

#include "document/Sheet.h"

#include <QString>

class TIniFile;

// The [FORMAT] section that descriptions and templates share.
inline constexpr char FormatSection[] = "FORMAT";

// Which keys a [FORMAT] section holds: a template keeps the sheet's size, margins, gutters,
// unit and counts; a label description also the grid flag and the border.
enum class TSheetKeys { Template, Description };

// Writes the keys in their fixed order; showGrid is used for descriptions only.
void WriteSheetSection(TIniFile& ini, const TSheetSettings& sheet, TSheetKeys keys,
                       bool showGrid = true);

// Reads the keys into sheet; a missing or unreadable key takes the key's own default (not the
// built-in sheet default). Returns the grid flag (true when missing).
bool ReadSheetSection(const TIniFile& ini, TSheetSettings& sheet, TSheetKeys keys);

// Throws TUserError naming path when the sheet read from it is beyond what a sheet can be
// (SheetLimits.h): such files are refused as a whole.
void CheckSheetLimits(const TSheetSettings& sheet, const QString& path);
