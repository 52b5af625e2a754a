#include "files/ControlSection.h"
#include "files/DataSection.h"
#include "files/FileAccess.h"
#include "files/FileOperations.h"
#include "files/FileTexts.h"
#include "files/IniFile.h"
#include "files/NumberedNames.h"
#include "files/PictureSource.h"
#include "files/RunKeys.h"
#include "files/SheetSection.h"
#include "platform/Errors.h"
#include "platform/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {
const QString kFormat = QString::fromLatin1(FormatSection);
const QString kControlPrefix = QStringLiteral("CNT_");

QString ControlSectionName(int32_t n) {
    return kControlPrefix + QString::number(n);
}

// The control sections a reader visits, in order: CNT_1 .. CNT_CONTROLS as far as they exist.
std::vector<int32_t> ControlNumbers(const TIniFile& ini) {
    return NumberedNames(ini.SectionNames(), kControlPrefix,
                         ini.ReadInteger(kFormat, QStringLiteral("CONTROLS"), 0));
}

QStringList ImageNames(const TIniFile& ini) {
    QStringList names;
    for (const int32_t n : ControlNumbers(ini)) {
        const QString section = ControlSectionName(n);
        if (ini.ReadString(section, QStringLiteral("TYPE"), QString()) == QLatin1String("GRAPHIC"))
            names << ini.ReadString(section, QStringLiteral("IMG_NAME"), QString());
    }
    return names;
}

} // namespace

TLabelContents BuildLabelDocument(const TIniFile& ini, TPictureSource& pictures,
                                  const QString& path) {
    if (!ini.SectionExists(kFormat))
        throw TUserError(QString::fromLatin1(FileText::NoFormatSection).arg(path));
    TLabelContents doc;
    doc.ShowGrid = ReadSheetSection(ini, doc.Sheet, TSheetKeys::Description);
    CheckSheetLimits(doc.Sheet, path);
    doc.Sheet.Paper = ReadPaperKeys(ini, path);
    doc.Sheet.DataImport = ReadDataSection(ini);
    ReadStockKeys(ini, doc.Sheet);
    ReadRunKeys(ini, doc.Sheet);
    for (const int32_t n : ControlNumbers(ini))
        if (auto c = ReadControlSection(ini, ControlSectionName(n), pictures))
            doc.Controls.push_back(std::move(c));
    return doc;
}

namespace {
// Removes a file when the scope ends, however it ends.
class TRemoveOnExit {
public:
    explicit TRemoveOnExit(QString path) : m_path(std::move(path)) {}
    ~TRemoveOnExit() { QFile::remove(m_path); }
    TRemoveOnExit(const TRemoveOnExit&) = delete;
    TRemoveOnExit& operator=(const TRemoveOnExit&) = delete;

private:
    QString m_path;
};

TLabelContents ReadArchive(const QString& path) {
    QStringList extracted, names;
    if (!ReadLabelArchive(path, extracted, &names))
        throw TUserError(QString::fromLatin1(FileText::UnknownArchive).arg(path));
    if (extracted.isEmpty())
        throw TUserError(QString::fromLatin1(FileText::Damaged)
                             .arg(path, QString::fromLatin1(FileText::NoDescription)));
    TIniFile ini;
    try {
        const TRemoveOnExit description(extracted.first());
        ini = TIniFile::Load(extracted.first());
    } catch (...) {
        for (const QString& picture : extracted)
            QFile::remove(picture);
        throw;
    }
    // The pictures belong to the source until a control takes them, so none is left behind.
    TArchivePictures pictures(extracted.mid(1), names.mid(1), ImageNames(ini));
    return BuildLabelDocument(ini, pictures, path);
}
} // namespace

TIniFile DescribeLabel(const TSheetSettings& sheet, bool showGrid, const TControlList& controls,
                       QStringList& files) {
    TIniFile ini;
    WriteSheetSection(ini, sheet, TSheetKeys::Description, showGrid);
    int32_t count = 0;
    for (const auto& c : controls)
        count += IsStorable(*c) ? 1 : 0;
    ini.WriteInteger(kFormat, QStringLiteral("CONTROLS"), count);
    WritePaperKeys(ini, sheet.Paper);
    WriteStockKeys(ini, sheet);
    WriteDataSection(ini, sheet.DataImport);
    WriteRunKeys(ini, sheet);

    int32_t n = 0;
    for (const auto& c : controls)
        if (IsStorable(*c))
            WriteControlSection(ini, ControlSectionName(++n), *c, files);
    return ini;
}

void WriteLabelDocument(const QString& path, const TSheetSettings& sheet, bool showGrid,
                        const TControlList& controls) {
    QStringList files{QString()}; // the description comes first
    const TIniFile ini = DescribeLabel(sheet, showGrid, controls, files);

    // A folder of its own for the description, so that two saves never share its fixed name.
    const QTemporaryDir folder(QDir(TempFolder()).filePath(QStringLiteral("saveXXXXXX")));
    if (!folder.isValid())
        throw TUserError(
            QString::fromLatin1(FileText::CannotWrite).arg(folder.path(), folder.errorString()));
    files.first() = folder.filePath(QString::fromLatin1(Archive::DescriptionName));
    ini.Save(files.first());
    WriteLabelArchive(path, files);
}

TLabelContents ReadLabelDocument(const QString& path) {
    QFile file(path);
    OpenForReading(file);
    const QByteArray head = file.read(qsizetype(sizeof Archive::Magic) - 1);
    file.close();
    if (head.size() < qsizetype(sizeof Archive::Magic) - 1)
        throw TUserError(QString::fromLatin1(FileText::TooShort).arg(path));
    if (head == Archive::Magic)
        return ReadArchive(path);
    const TIniFile ini = TIniFile::Load(path);
    TFolderPictures pictures(QFileInfo(path).absolutePath());
    return BuildLabelDocument(ini, pictures, path);
}

void WriteLabelDescription(const QString& path, const TLabelDocument& label) {
    WriteLabelDocument(path, label.Sheet(), label.ShowGrid(), label.Controls());
}

void ReadLabelDescription(const QString& path, TLabelDocument& label) {
    TLabelContents doc = ReadLabelDocument(path);
    const TSheetSettings sheet = doc.Sheet;
    label.SetSheet(sheet);
    label.SetShowGrid(doc.ShowGrid);
    label.SetLabelSize(LabelPixelWidth(sheet), LabelPixelHeight(sheet));
    label.LoadControls(std::move(doc.Controls));
    for (const auto& c : label.Controls())
        c->SetLoading(false);
}
