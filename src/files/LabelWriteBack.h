#pragma once

#include "files/FileOperations.h"
#include "files/IniFile.h"

#include <QString>

// Writing a label back to the file it came from in the form it came in, so other programs that
// read the file keep working: an archive stays an archive, an older plain description stays
// plain and keeps its encoding and the picture names it gave.

struct TLabelFileForm {
    bool Archive = true;
    bool Utf8 = false; // a plain description that started with a UTF-8 byte-order mark
    TIniFile Plain;    // the plain description as it was read, for its picture names
};

// The form of the label file at path. Throws TUserError when it cannot be read.
TLabelFileForm ReadLabelFileForm(const QString& path);

// Writes the label to path in form. The previous file is replaced only once the new one is
// complete. Throws TUserError.
void WriteLabelBack(const QString& path, const TLabelFileForm& form, const TSheetSettings& sheet,
                    bool showGrid, const TControlList& controls);
