#include "files/LabelWriteBack.h"

#include "files/FileAccess.h"
#include "files/NumberedNames.h"
#include "files/SheetSection.h"
#include "platform/TextEncoding.h"

namespace {
const QString kFormat = QString::fromLatin1(FormatSection);
const QString kPrefix = QStringLiteral("CNT_");
const QString kType = QStringLiteral("TYPE");
const QString kImage = QStringLiteral("IMG_NAME");

// The sections of the picture controls, in the order a reader visits them.
QStringList GraphicSections(const TIniFile& ini) {
    QStringList sections;
    for (const int32_t n : NumberedNames(ini.SectionNames(), kPrefix,
                                         ini.ReadInteger(kFormat, QStringLiteral("CONTROLS"), 0))) {
        const QString section = kPrefix + QString::number(n);
        if (ini.ReadString(section, kType, QString()) == QLatin1String("GRAPHIC"))
            sections << section;
    }
    return sections;
}

// A plain description names its pictures by path, beside the label; the controls only know
// their private copies, so the names come from the description as it was read.
void KeepPictureNames(TIniFile& ini, const TIniFile& original) {
    const QStringList now = GraphicSections(ini), before = GraphicSections(original);
    for (qsizetype i = 0; i < now.size() && i < before.size(); ++i)
        ini.WriteString(now[i], kImage, original.ReadString(before[i], kImage, QString()));
}
} // namespace

TLabelFileForm ReadLabelFileForm(const QString& path) {
    const QByteArray bytes = ReadFileBytes(path, TIniFile::MaxFileSize);
    TLabelFileForm form;
    form.Archive = bytes.startsWith(QByteArrayView(Archive::Magic));
    if (!form.Archive) {
        form.Utf8 = StartsWithUtf8Bom(bytes);
        form.Plain = TIniFile::FromBytes(bytes, path);
    }
    return form;
}

void WriteLabelBack(const QString& path, const TLabelFileForm& form, const TSheetSettings& sheet,
                    bool showGrid, const TControlList& controls) {
    if (form.Archive) {
        WriteLabelDocument(path, sheet, showGrid, controls);
        return;
    }
    QStringList pictures;
    TIniFile ini = DescribeLabel(sheet, showGrid, controls, pictures);
    KeepPictureNames(ini, form.Plain);
    QByteArray bytes = ini.ToBytes();
    // Written as Windows-1252 when every character fits; a file that was UTF-8 stays UTF-8.
    if (form.Utf8 && !StartsWithUtf8Bom(bytes))
        bytes = QByteArray(kUtf8Bom) + DecodeWindows1252(bytes).toUtf8();
    WriteFileAtomically(path, bytes);
}
