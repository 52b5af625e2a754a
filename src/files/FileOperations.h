#pragma once

#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/SheetLimits.h"
#include "files/ArchiveU.h"
#include "files/EscapeText.h"
#include "files/SheetDefaults.h"
#include "files/Template.h"

#include <QString>

// Label files (.lbl): a label archive holding the label description (the sheet, the grid flag
// and every control in its own section) and the pictures of the image controls. Older label
// files that are a plain description, naming their pictures by path, still open.

// A label as read from a file, not yet in a document.
struct TLabelContents {
    TSheetSettings Sheet;
    bool ShowGrid = true;
    // In stacking order, bottom first; still Loading, since adding a control to a label repaints
    // it otherwise: clear Loading once the controls are in place.
    TControlList Controls;
};

// Labels larger than this on either side are refused when read: the design surface could not
// hold them in memory.
inline constexpr double MaxLabelInches = SheetLimits::MaxInches;

// Writes the label as a label archive at path. The previous file at path is replaced only once
// the new one is complete. Throws TUserError.
void WriteLabelDocument(const QString& path, const TSheetSettings& sheet, bool showGrid,
                        const TControlList& controls);

// Reads a label archive or an older plain description into new objects. Throws TUserError when
// the file cannot be read, is shorter than the archive magic, is an archive of another version
// or is damaged; nothing is left behind in the temporary folder then. Pictures that cannot be
// found or decoded are reported through ShowMessage and leave their control without picture.
TLabelContents ReadLabelDocument(const QString& path);

class TIniFile;
class TPictureSource;

// The description of a label, and the picture files its image controls name (appended to
// files, in the order of the controls).
TIniFile DescribeLabel(const TSheetSettings& sheet, bool showGrid, const TControlList& controls,
                       QStringList& files);
// Builds a label from a description, its pictures given by pictures; path names the source in
// messages. Throws TUserError.
TLabelContents BuildLabelDocument(const TIniFile& ini, TPictureSource& pictures,
                                  const QString& path);

// The editor's Save: writes the document, its sheet included, to path.
void WriteLabelDescription(const QString& path, const TLabelDocument& label);

// The editor's Open: reads path and only then replaces the document's sheet, grid flag, size
// and controls. On failure (TUserError) the document is exactly as it was.
void ReadLabelDescription(const QString& path, TLabelDocument& label);
