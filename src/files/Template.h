#pragma once

#include "document/Sheet.h"

#include <QString>

// Label templates (.lbf): the sheet's size, margins, gutters, unit and counts in a [FORMAT]
// section; the border and the controls are not part of a template.
namespace TemplateText {
// In the form Qt's file dialogs take.
inline constexpr const char* Filter = "Label Template (*.lbf)";
inline constexpr const char* DefaultExtension = "lbf";
inline constexpr const char* SaveTitle = "Save Template";
inline constexpr const char* LoadTitle = "Load Template";
} // namespace TemplateText

// Writes sheet as a template; an existing file is replaced only once the new one is complete.
// Throws TUserError.
void WriteTemplate(const QString& path, const TSheetSettings& sheet);

// Reads the twelve template keys into sheet (missing or unreadable keys take their defaults;
// rows and columns are taken as stored). Everything else in sheet stays. A missing or unreadable
// file, one without a [FORMAT] section or one whose sheet is beyond what a sheet can be
// (SheetLimits.h) throws TUserError and leaves sheet unchanged.
void ReadTemplate(const QString& path, TSheetSettings& sheet);
