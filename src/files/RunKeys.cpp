#include "files/RunKeys.h"

#include "files/EscapeText.h"
#include "files/IniFile.h"
#include "files/SheetSection.h"

namespace {
const QString kSection = QString::fromLatin1(FormatSection);
const QString kCopiesField = QStringLiteral("COPIESFIELD");
const QString kCopiesName = QStringLiteral("COPIESNAME");
const QString kNextLabel = QStringLiteral("NEXTLABEL");
const QString kNextSheet = QStringLiteral("NEXTSHEET");
} // namespace

void WriteRunKeys(TIniFile& ini, const TSheetSettings& sheet) {
    if (sheet.CopiesField > 0)
        ini.WriteInteger(kSection, kCopiesField, sheet.CopiesField);
    if (!sheet.CopiesName.isEmpty())
        ini.WriteString(kSection, kCopiesName, EscapeText(sheet.CopiesName));
    // A position means nothing without the sheet it was counted on.
    if (sheet.NextLabel > 0 && !sheet.NextSheet.isEmpty()) {
        ini.WriteInteger(kSection, kNextLabel, sheet.NextLabel);
        ini.WriteString(kSection, kNextSheet, EscapeText(sheet.NextSheet));
    }
}

void ReadRunKeys(const TIniFile& ini, TSheetSettings& sheet) {
    sheet.CopiesField = std::max(0, ini.ReadInteger(kSection, kCopiesField, 0));
    sheet.CopiesName = UnescapeText(ini.ReadString(kSection, kCopiesName, {}));
    sheet.NextLabel = std::max(0, ini.ReadInteger(kSection, kNextLabel, 0));
    sheet.NextSheet = UnescapeText(ini.ReadString(kSection, kNextSheet, {}));
    if (sheet.NextLabel == 0 || sheet.NextSheet.isEmpty()) {
        sheet.NextLabel = 0;
        sheet.NextSheet.clear();
    }
}
