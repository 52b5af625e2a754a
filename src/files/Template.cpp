#include "files/Template.h"

#include "files/FileTexts.h"
#include "files/IniFile.h"
#include "files/SheetSection.h"
#include "platform/Errors.h"

void WriteTemplate(const QString& path, const TSheetSettings& sheet) {
    TIniFile ini;
    WriteSheetSection(ini, sheet, TSheetKeys::Template);
    ini.Save(path);
}

void ReadTemplate(const QString& path, TSheetSettings& sheet) {
    const TIniFile ini = TIniFile::Load(path);
    if (!ini.SectionExists(QString::fromLatin1(FormatSection)))
        throw TUserError(QString::fromLatin1(FileText::NoTemplateSection).arg(path));
    TSheetSettings read = sheet;
    ReadSheetSection(ini, read, TSheetKeys::Template);
    CheckSheetLimits(read, path);
    sheet = read;
}
