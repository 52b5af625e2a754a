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

// The printer page chosen for the label, under keys that labels without a choice lack: nothing
// is written for an unset choice. Sizes are in inches, whatever the sheet's unit.
void WritePaperKeys(TIniFile& ini, const TPaperChoice& paper);
// Reads them back; unset when the section has none. Throws TUserError naming path when the
// paper's size is beyond what a paper can be.
TPaperChoice ReadPaperKeys(const TIniFile& ini, const QString& path);

// The stock the sheet was chosen from (STOCKMAKER, STOCKPART), under keys that labels without one
// lack.
void WriteStockKeys(TIniFile& ini, const TSheetSettings& sheet);
void ReadStockKeys(const TIniFile& ini, TSheetSettings& sheet);

// Throws TUserError naming path when the sheet read from it is beyond what a sheet can be
// (SheetLimits.h): such files are refused as a whole.
void CheckSheetLimits(const TSheetSettings& sheet, const QString& path);
