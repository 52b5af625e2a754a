#pragma once

#include "document/lblobjs.h"

#include <QString>
#include <QStringList>

#include <memory>

class TIniFile;
class TPictureSource;

// One control of a label description, in its own section: TYPE, the kind's keys, the box in
// inches (width and height as if not rotated), layout, font, text and advanced field elements.

// Whether a control can be stored at all (the base kind cannot).
bool IsStorable(const TLabelControl& control);

// Writes control into section and appends its private picture file, if any, to files.
void WriteControlSection(TIniFile& ini, const QString& section, const TLabelControl& control,
                         QStringList& files);

// Builds the control that section describes, still Loading; nullptr when its TYPE names no kind.
std::unique_ptr<TLabelControl> ReadControlSection(const TIniFile& ini, const QString& section,
                                                  TPictureSource& pictures);

// Formatted texts of more lines than this are cut when read: a damaged line count must not
// conjure up gigabytes of empty lines.
inline constexpr int32_t MaxMemoLines = 65536;
// Font sizes are held to what a font dialog offers.
inline constexpr int32_t MinFontSize = 1;
inline constexpr int32_t MaxFontSize = 1638;
