#include "LabelTestSupport.h"
#include "files/FieldSection.h"

// A date element's offsets in the label file: written only when set, so that labels without
// them are written as they always were, and read back within their bounds.

namespace {
TFieldList OneDate(int32_t months, int32_t days) {
    TFieldList fields;
    auto date = std::make_unique<TDateField>();
    date->DateFormat = "dd/mm/yyyy";
    date->AddMonths = months;
    date->AddDays = days;
    fields.push_back(std::move(date));
    return fields;
}

QStringList ElementKeys(const TIniFile& ini) {
    const QStringList keys = ini.KeyNames("CNT_1");
    return keys.mid(keys.indexOf("ADVTYPE_1"));
}

// The date element a description section holds as its first element.
const TDateField& ReadDate(const TFieldList& fields) {
    return dynamic_cast<const TDateField&>(*fields.at(0));
}
} // namespace

class DateOffsetKeys : public TLabelFileTest {
protected:
    TControlList LabelWith(TFieldList fields) {
        TControlList controls;
        auto& text = Add<TTextLabel>(controls);
        text.Fields = std::move(fields);
        text.SetAdvanced(true);
        return controls;
    }
};

TEST_F(DateOffsetKeys, OffsetsAreWrittenWhenSetAndComeBack) {
    const TControlList saved = LabelWith(OneDate(1, -30));
    const TIniFile ini = SavedDescription(saved);
    EXPECT_EQ(ElementKeys(ini), QStringList({"ADVTYPE_1", "ADVFMT_1", "ADVMONTHS_1", "ADVDAYS_1"}));
    EXPECT_EQ(ini.ReadString("CNT_1", "ADVMONTHS_1", "-"), "1");
    EXPECT_EQ(ini.ReadString("CNT_1", "ADVDAYS_1", "-"), "-30");

    const TLabelContents read = RoundTrip(saved);
    const TDateField& back = ReadDate(read.Controls.front()->Fields);
    EXPECT_EQ(back.DateFormat, "dd/mm/yyyy");
    EXPECT_EQ(back.AddMonths, 1);
    EXPECT_EQ(back.AddDays, -30);

    // Only the offset that is set has a key.
    EXPECT_EQ(ElementKeys(SavedDescription(LabelWith(OneDate(0, 7)))),
              QStringList({"ADVTYPE_1", "ADVFMT_1", "ADVDAYS_1"}));
    EXPECT_EQ(ElementKeys(SavedDescription(LabelWith(OneDate(-6, 0)))),
              QStringList({"ADVTYPE_1", "ADVFMT_1", "ADVMONTHS_1"}));
}

TEST_F(DateOffsetKeys, ADateWithoutOffsetsIsWrittenAsBefore) {
    const TIniFile ini = SavedDescription(LabelWith(OneDate(0, 0)));
    EXPECT_EQ(ElementKeys(ini), QStringList({"ADVTYPE_1", "ADVFMT_1"}));
}

TEST_F(DateOffsetKeys, OlderFilesReadTodayAndOddValuesStayInBounds) {
    const TIniFile ini = TIniFile::FromBytes("[CNT_1]\r\n"
                                             "ADVTYPE_1=DATE\r\nADVFMT_1=yyyy\r\n"
                                             "ADVTYPE_2=DATE\r\nADVMONTHS_2=99999\r\n"
                                             "ADVDAYS_2=-2000000\r\n"
                                             "ADVTYPE_3=DATE\r\nADVMONTHS_3=soon\r\n"
                                             "ADVDAYS_3=12x\r\n");
    const TFieldList fields = ReadFieldElements(ini, "CNT_1", 3);
    ASSERT_EQ(fields.size(), 3u);
    const auto& older = dynamic_cast<const TDateField&>(*fields[0]);
    EXPECT_EQ(older.DateFormat, "yyyy");
    EXPECT_EQ(older.AddMonths, 0);
    EXPECT_EQ(older.AddDays, 0);
    const auto& far = dynamic_cast<const TDateField&>(*fields[1]);
    EXPECT_EQ(far.AddMonths, 1200);
    EXPECT_EQ(far.AddDays, -36500);
    const auto& garbled = dynamic_cast<const TDateField&>(*fields[2]);
    EXPECT_EQ(garbled.AddMonths, 0);
    EXPECT_EQ(garbled.AddDays, 0);
}
