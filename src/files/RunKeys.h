#pragma once

#include "document/Sheet.h"

class TIniFile;

// What print runs keep with a label in its [FORMAT] section: the copies field (COPIESFIELD,
// COPIESNAME) and the next free label of a partly used sheet (NEXTLABEL, NEXTSHEET). Each is
// written only when set, so labels that never used them are written as before.
void WriteRunKeys(TIniFile& ini, const TSheetSettings& sheet);
// Reads them back; a missing or damaged value leaves the setting unset.
void ReadRunKeys(const TIniFile& ini, TSheetSettings& sheet);
