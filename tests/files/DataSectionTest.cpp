#include "files/DataSection.h"
#include "LabelTestSupport.h"
#include "document/TextLabel.h"
#include "files/IniFile.h"
#include "files/LabelWriteBack.h"
#include "merge/AdvancedField.h"

#include <QFile>

// The data import settings a label keeps, in its [DATA] section.
namespace {
class DataSectionTest : public TLabelFileTest {
protected:
    QString PlainLabel(const QByteArray& data) {
        const QString path = Scratch.File("plain.lbl");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[FORMAT]\r\nHEIGHT=1\r\nWIDTH=2\r\nCONTROLS=0\r\n" + data);
        return path;
    }
};

TEST_F(DataSectionTest, EverySettingTravelsWithTheLabel) {
    TTextImportSettings fixed;
    fixed.ImportFormat = TImportFormat::FixedField;
    fixed.ColumnSizes = {10, 25, 8};
    fixed.TrimLeft = false;
    fixed.IgnoreHeader = false;
    fixed.Encoding = TDataEncoding::Windows1252;
    TTextImportSettings custom;
    custom.ImportFormat = TImportFormat::CustomDelimiter;
    custom.Separator = " "; // blanks at a value's ends would be lost unescaped
    custom.QuoteChar.clear();
    custom.Encoding = TDataEncoding::Utf16;
    TTextImportSettings database;
    database.Table = "Sheet 2";
    // Longer than a value may be read back, with escapes at every piece's border.
    database.Query = "SELECT name, town\tFROM orders WHERE note = '\\ x' AND id IN (" +
                     QString("1, ").repeated(1500) + "2)";
    for (const TTextImportSettings& settings : {fixed, custom, database}) {
        TSheetSettings sheet;
        sheet.DataImport = settings;
        const TLabelContents doc = RoundTrip({}, sheet);
        ASSERT_TRUE(doc.Sheet.DataImport.has_value());
        EXPECT_EQ(*doc.Sheet.DataImport, settings);
        EXPECT_EQ(doc.Sheet.DataImport->Query, settings.Query);
    }
}

TEST_F(DataSectionTest, LabelsWithoutSettingsHaveNoSectionAndOlderFilesReadAsBefore) {
    EXPECT_FALSE(SavedDescription({}).SectionExists("DATA"));
    const TLabelContents old = ReadLabelDocument(PlainLabel({}));
    EXPECT_FALSE(old.Sheet.DataImport.has_value());

    // Damaged values take the setting's default; widths that are no widths are left out.
    const TLabelContents damaged = ReadLabelDocument(
        PlainLabel("[DATA]\r\nFORMAT=SPREAD\r\nHEADER=yes\r\nCOLUMNS=4,x,-2,0,99999999999,7\r\n"
                   "ENCODING=EBCDIC\r\nQUERY_PIECES=99999\r\n"));
    ASSERT_TRUE(damaged.Sheet.DataImport.has_value());
    const TTextImportSettings defaults;
    EXPECT_EQ(damaged.Sheet.DataImport->ImportFormat, defaults.ImportFormat);
    EXPECT_EQ(damaged.Sheet.DataImport->IgnoreHeader, defaults.IgnoreHeader);
    EXPECT_EQ(damaged.Sheet.DataImport->ColumnSizes, (QList<int>{4, 7}));
    EXPECT_EQ(damaged.Sheet.DataImport->Encoding, TDataEncoding::Automatic);
    EXPECT_TRUE(damaged.Sheet.DataImport->Query.isEmpty());
}

TEST_F(DataSectionTest, WritingBackKeepsTheSettings) {
    const QString path = PlainLabel("[DATA]\r\nFORMAT=CUSTOM\r\nSEPARATOR=;\r\nHEADER=0\r\n");
    TLabelContents doc = ReadLabelDocument(path);
    ASSERT_TRUE(doc.Sheet.DataImport.has_value());
    EXPECT_EQ(doc.Sheet.DataImport->Separator, ";");
    WriteLabelBack(path, ReadLabelFileForm(path), doc.Sheet, doc.ShowGrid, doc.Controls);
    const TLabelContents back = ReadLabelDocument(path);
    EXPECT_EQ(back.Sheet.DataImport, doc.Sheet.DataImport);
}

// A field that goes by a column's name keeps the name; others are written as they always were.
TEST_F(DataSectionTest, FieldsKeepTheirColumnsName) {
    auto text = std::make_unique<TTextLabel>();
    text->SetAdvanced(true);
    auto named = std::make_unique<TImportedField>();
    named->FieldNumber = 3;
    named->FieldName = "Post code";
    text->Fields.push_back(std::move(named));
    auto plain = std::make_unique<TImportedField>();
    plain->FieldNumber = 2;
    text->Fields.push_back(std::move(plain));
    TControlList controls;
    controls.push_back(std::move(text));
    const TIniFile ini = SavedDescription(controls);
    EXPECT_EQ(ini.ReadString("CNT_1", "ADVNAME_1", {}), "Post\\scode");
    EXPECT_FALSE(ini.ValueExists("CNT_1", "ADVNAME_2"));
    const TLabelContents doc = RoundTrip(controls);
    ASSERT_EQ(doc.Controls.size(), 1u);
    const auto& fields = doc.Controls.front()->Fields;
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(static_cast<const TImportedField&>(*fields[0]).FieldName, "Post code");
    EXPECT_EQ(static_cast<const TImportedField&>(*fields[0]).FieldNumber, 3);
    EXPECT_TRUE(static_cast<const TImportedField&>(*fields[1]).FieldName.isEmpty());
}
} // namespace
