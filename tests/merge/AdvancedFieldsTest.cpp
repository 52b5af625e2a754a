#include "merge/FieldEvaluation.h"
#include "merge/FieldPadding.h"

#include <gtest/gtest.h>

#include <limits>

namespace {
const QDateTime kFixedTime(QDate(2026, 12, 6), QTime(14, 5, 9));

TDateSource FixedDates() {
    return TDateSource{[] { return kFixedTime; }, QLocale(QLocale::English, QLocale::UnitedStates)};
}

// A kind this program does not know, as another version might have written.
class TForeignField final : public TAdvancedField {
public:
    TForeignField() : TAdvancedField(QStringLiteral("BARCODE")) {}
    std::unique_ptr<TAdvancedField> Clone() const override {
        return std::make_unique<TForeignField>(*this);
    }
};

std::unique_ptr<TAdvancedField> Text(const QString& text) {
    return std::make_unique<TTextField>(text);
}

std::unique_ptr<TAdvancedField> Imported(int32_t number, int32_t minSize = 0, uint8_t pad = ' ',
                                         bool padLeft = false) {
    auto field = std::make_unique<TImportedField>();
    field->FieldNumber = number;
    field->MinSize = minSize;
    field->PadChar = pad;
    field->PadLeft = padLeft;
    return field;
}

std::unique_ptr<TSequenceField> Sequence(int32_t current, int32_t min = 0,
                                         int32_t max = TSequenceField::DefaultMaxValue,
                                         int32_t minSize = 0) {
    auto field = std::make_unique<TSequenceField>();
    field->CurrentValue = current;
    field->MinValue = min;
    field->MaxValue = max;
    field->MinSize = minSize;
    return field;
}

template <class... TFields> TFieldList List(TFields&&... fields) {
    TFieldList list;
    (list.push_back(std::forward<TFields>(fields)), ...);
    return list;
}

TSequenceField& SequenceAt(TFieldList& list, size_t index) {
    return dynamic_cast<TSequenceField&>(*list.at(index));
}
} // namespace

TEST(AdvancedField, KindsAreCreatedByTheirExactNameWithDefaults) {
    for (const char* kind : {"TEXT", "FIELD", "SEQUENCE", "DATE"}) {
        const auto field = CreateAdvancedField(QString::fromLatin1(kind));
        ASSERT_TRUE(field) << kind;
        EXPECT_EQ(field->FieldKind(), QString::fromLatin1(kind));
    }
    for (const char* kind : {"UNKNOWN", "text", "Field", "", "DATE "})
        EXPECT_FALSE(CreateAdvancedField(QString::fromLatin1(kind))) << kind;

    const auto imported = CreateAdvancedField("FIELD");
    const auto& field = dynamic_cast<const TImportedField&>(*imported);
    EXPECT_EQ(field.FieldNumber, 1);
    EXPECT_EQ(field.MinSize, 0);
    EXPECT_EQ(field.PadChar, ' ');
    EXPECT_FALSE(field.PadLeft);
    const auto counter = CreateAdvancedField("SEQUENCE");
    const auto& sequence = dynamic_cast<const TSequenceField&>(*counter);
    EXPECT_EQ(sequence.CurrentValue, 0);
    EXPECT_EQ(sequence.MinValue, 0);
    EXPECT_EQ(sequence.MaxValue, 999999999);
    EXPECT_FALSE(sequence.ResetOnPrint);
    EXPECT_EQ(dynamic_cast<const TDateField&>(*CreateAdvancedField("DATE")).DateFormat, "yyyymmdd");
    EXPECT_TRUE(
        dynamic_cast<const TTextField&>(*CreateAdvancedField("TEXT")).LiteralText.isEmpty());
}

TEST(FieldPadding, PadsOnEitherSideUntilTheMinimumLength) {
    const struct {
        const char* Text;
        int32_t Length;
        QChar Pad;
        const char* Left;
        const char* Right;
    } rows[] = {
        {"ab", 5, u'*', "***ab", "ab***"},
        {"abcdef", 3, u'*', "abcdef", "abcdef"}, // longer values are never cut
        {"ab", 2, u'*', "ab", "ab"},
        {"ab", 0, u'*', "ab", "ab"},
        {"ab", -4, u'*', "ab", "ab"},
        {"ab", 5, QChar(0), "ab", "ab"}, // code 0: no padding
        {"", 3, u' ', "   ", "   "},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PadOnLeft(row.Text, row.Length, row.Pad), row.Left) << row.Text << row.Length;
        EXPECT_EQ(PadOnRight(row.Text, row.Length, row.Pad), row.Right) << row.Text << row.Length;
    }
    EXPECT_EQ(PadCharacter(0x80), QChar(0x20AC)) << "pad codes are Windows-1252";
}

TEST(EvaluateAdvancedFields, ImportedFieldsTakeTheirColumnAndPad) {
    const TImportRecord twoFields = {"Jane", "Doe"};
    const struct {
        int32_t Number;
        int32_t MinSize;
        uint8_t Pad;
        bool PadLeft;
        const TImportRecord* Record;
        const char* Expected;
    } rows[] = {
        {1, 0, ' ', false, &twoFields, "Jane"},
        {2, 6, '*', false, &twoFields, "Doe***"},
        {2, 6, '*', true, &twoFields, "***Doe"},
        {1, 2, '*', true, &twoFields, "Jane"},  // longer than MinSize: whole
        {3, 4, ' ', false, &twoFields, "    "}, // beyond the record: padded empty value
        {3, 4, 0, false, &twoFields, ""},       // pad code 0: no padding
        {0, 2, '-', false, &twoFields, "--"},   // below 1: empty
        {-1, 0, ' ', false, &twoFields, ""},
        {1, 3, '.', true, nullptr, "..."}, // no record: empty value
    };
    for (const auto& row : rows) {
        const TFieldList list = List(Imported(row.Number, row.MinSize, row.Pad, row.PadLeft));
        EXPECT_EQ(EvaluateAdvancedFields(list, row.Record, false), row.Expected)
            << "field " << row.Number << " size " << row.MinSize;
    }
}

// A field that names its column finds it among the data's column names wherever it stands; data
// without that name, or without names, gives the numbered column.
TEST(EvaluateAdvancedFields, ImportedFieldsMayGoByTheirColumnsName) {
    const TImportRecord record = {"Leeds", "Ann", "LS1"};
    const TImportRecord columns = {"Town", "Name", "Post code"};
    const auto named = [](int32_t number, const char* name) {
        auto field = std::make_unique<TImportedField>();
        field->FieldNumber = number;
        field->FieldName = QString::fromUtf8(name);
        return List(std::move(field));
    };
    EXPECT_EQ(EvaluateAdvancedFields(named(1, "Name"), &record, false, {}, &columns), "Ann");
    EXPECT_EQ(EvaluateAdvancedFields(named(1, " post CODE "), &record, false, {}, &columns), "LS1");
    EXPECT_EQ(EvaluateAdvancedFields(named(3, "Street"), &record, false, {}, &columns), "LS1");
    EXPECT_EQ(EvaluateAdvancedFields(named(1, "Name"), &record, false), "Leeds");
    EXPECT_EQ(EvaluateAdvancedFields(named(2, ""), &record, false, {}, &columns), "Ann");
    // An exact name wins over one that only matches ignoring case.
    const TImportRecord twice = {"name", "Name"};
    EXPECT_EQ(NamedColumn(twice, "Name"), 1);
    EXPECT_EQ(NamedColumn(twice, "NAME"), 0);
    EXPECT_EQ(NamedColumn(twice, ""), -1);
    // The design surface still shows the number.
    EXPECT_EQ(AdvancedFieldsDesignText(named(2, "Name")), "F_2");
}

TEST(EvaluateAdvancedFields, ElementsJoinInOrder) {
    const TImportRecord record = {"A-17"};
    const TFieldList list =
        List(Text("Part "), Imported(1), Text(""), Text(" #"), Sequence(7, 0, 99, 3),
             std::make_unique<TForeignField>(), std::make_unique<TDateField>());
    EXPECT_EQ(EvaluateAdvancedFields(list, &record, false, FixedDates()), "Part A-17 #00720261206");
    EXPECT_EQ(EvaluateAdvancedFields(TFieldList(), &record, true), "");
}

TEST(EvaluateAdvancedFields, CountersStepAfterShowingAndWrap) {
    TFieldList list = List(Sequence(3, 1, 3));
    QStringList shown;
    for (int label = 0; label < 3; ++label)
        shown << EvaluateAdvancedFields(list, nullptr, true);
    EXPECT_EQ(shown, QStringList({"3", "1", "2"}));
    EXPECT_EQ(SequenceAt(list, 0).CurrentValue, 3);

    TFieldList padded = List(Sequence(7, 0, TSequenceField::DefaultMaxValue, 3));
    EXPECT_EQ(EvaluateAdvancedFields(padded, nullptr, false), "007");
    SequenceAt(padded, 0).MinSize = 0;
    EXPECT_EQ(EvaluateAdvancedFields(padded, nullptr, false), "7");
    EXPECT_EQ(SequenceAt(padded, 0).CurrentValue, 7) << "no advance flag: no step";
}

TEST(EvaluateAdvancedFields, CountersNeverOverflow) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    TFieldList list = List(Sequence(kMax, -3, kMax));
    EXPECT_EQ(EvaluateAdvancedFields(list, nullptr, true), "2147483647");
    EXPECT_EQ(EvaluateAdvancedFields(list, nullptr, true), "-3");

    TFieldList inverted = List(Sequence(10, 10, 5)); // MinValue above MaxValue, as read
    EXPECT_EQ(EvaluateAdvancedFields(inverted, nullptr, true), "10");
    EXPECT_EQ(SequenceAt(inverted, 0).CurrentValue, 10);
}

TEST(EvaluateAdvancedFields, EachCounterStepsOnItsOwnOncePerLabel) {
    TFieldList list = List(Sequence(1), Text("/"), Sequence(50, 50, 51));
    EXPECT_EQ(EvaluateAdvancedFields(list, nullptr, true), "1/50");
    EXPECT_EQ(EvaluateAdvancedFields(list, nullptr, true), "2/51");
    EXPECT_EQ(EvaluateAdvancedFields(list, nullptr, true), "3/50");

    // With two duplicates per label, only the last copy advances.
    TFieldList counter = List(Sequence(5));
    QStringList printed;
    for (int label = 0; label < 4; ++label) {
        const bool lastDuplicate = label % 2 == 1;
        printed << EvaluateAdvancedFields(counter, nullptr, lastDuplicate);
    }
    EXPECT_EQ(printed, QStringList({"5", "5", "6", "6"}));
    EXPECT_EQ(SequenceAt(counter, 0).CurrentValue, 7);
}

TEST(EvaluateAdvancedFields, DateElementsReadTheClockEachTime) {
    int reads = 0;
    const TDateSource ticking{[&reads] {
                                  ++reads;
                                  return kFixedTime.addSecs(reads);
                              },
                              QLocale::c()};
    auto first = std::make_unique<TDateField>();
    first->DateFormat = "ss";
    auto second = std::make_unique<TDateField>();
    second->DateFormat = "-ss";
    const TFieldList list = List(std::move(first), std::move(second));
    EXPECT_EQ(EvaluateAdvancedFields(list, nullptr, false, ticking), "10-11");
    EXPECT_EQ(reads, 2);
}

TEST(AdvancedFieldsDesignText, ShowsPlaceholdersAndNeverSteps) {
    TFieldList list = List(Text("No. "), Imported(2, 5, '*'), Text(" "), Sequence(41),
                           Imported(12, 6, '0', true));
    const TImportRecord record = {"x", "y"};
    EXPECT_EQ(AdvancedFieldsDesignText(list), "No. F_2** 4100F_12");
    EXPECT_EQ(AdvancedFieldsDesignText(list), "No. F_2** 4100F_12");
    EXPECT_EQ(SequenceAt(list, 3).CurrentValue, 41);
    EXPECT_EQ(EvaluateAdvancedFields(list, &record, false), "No. y**** 41000000");
}

TEST(DescribeField, OneLinePerKind) {
    auto text = std::make_unique<TTextField>("Lot ");
    auto imported = Imported(2, 5);
    auto sequence = Sequence(7, 0, 99, 4);
    auto date = std::make_unique<TDateField>();
    const TDateSource dates = FixedDates();
    EXPECT_EQ(DescribeField(*text, dates), "TEXT FIELD [\"Lot \"]");
    EXPECT_EQ(DescribeField(*imported, dates),
              "IMPORTED FIELD [Field #2, Min Size=5, Pad Char=\" \"]");
    EXPECT_EQ(DescribeField(*Sequence(0), dates), "SEQUENCE [0...999999999]");
    EXPECT_EQ(DescribeField(*sequence, dates), "SEQUENCE [0007...0099]");
    EXPECT_EQ(DescribeField(*date, dates), "DATE [Format=\"yyyymmdd\",20261206]");
    EXPECT_EQ(DescribeField(TForeignField(), dates), "");
}

TEST(CloneFields, CopiesEveryElementByClassWithIndependentCounters) {
    auto date = std::make_unique<TDateField>();
    date->DateFormat = "yy";
    TFieldList original = List(Text("a"), Imported(3, 4, '#', true), Sequence(9, 2, 11, 2),
                               std::move(date), std::make_unique<TForeignField>());
    SequenceAt(original, 2).ResetOnPrint = true;
    TFieldList copy = CloneFields(original);
    ASSERT_EQ(copy.size(), original.size());
    for (size_t i = 0; i < copy.size(); ++i) {
        EXPECT_NE(copy[i].get(), original[i].get());
        EXPECT_EQ(copy[i]->FieldKind(), original[i]->FieldKind());
        EXPECT_EQ(DescribeField(*copy[i], FixedDates()), DescribeField(*original[i], FixedDates()));
    }
    EXPECT_TRUE(SequenceAt(copy, 2).ResetOnPrint);
    EXPECT_EQ(SequenceAt(copy, 2).MinValue, 2);

    EvaluateAdvancedFields(copy, nullptr, true);
    EXPECT_EQ(SequenceAt(copy, 2).CurrentValue, 10);
    EXPECT_EQ(SequenceAt(original, 2).CurrentValue, 9);
}

TEST(LabelQueries, OnlyAdvancedControlsCount) {
    TFieldList withField = List(Text("x"), Imported(1));
    TFieldList withSequence = List(Sequence(1));
    TFieldList empty;
    const struct {
        std::vector<TControlFields> Controls;
        bool UsesImported;
        bool HasAdvanced;
        bool HasSequences;
    } rows[] = {
        {{}, false, false, false},
        {{{false, &withField}, {false, &withSequence}}, false, false, false},
        {{{true, &empty}}, false, true, false},
        {{{true, nullptr}}, false, true, false},
        {{{false, &withField}, {true, &withSequence}}, false, true, true},
        {{{true, &withField}, {false, &withSequence}}, true, true, false},
        {{{true, &withField}, {true, &withSequence}}, true, true, true},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(UsesImportedFields(rows[i].Controls), rows[i].UsesImported) << "row " << i;
        EXPECT_EQ(HasAdvancedFields(rows[i].Controls), rows[i].HasAdvanced) << "row " << i;
        EXPECT_EQ(HasSequences(rows[i].Controls), rows[i].HasSequences) << "row " << i;
    }
}

TEST(LabelQueries, ResetOnPrintRestartsOnlyMarkedCountersOfAdvancedControls) {
    TFieldList marked = List(Sequence(40, 5), Sequence(40, 5));
    SequenceAt(marked, 0).ResetOnPrint = true;
    TFieldList plainControl = List(Sequence(40, 5));
    SequenceAt(plainControl, 0).ResetOnPrint = true;
    const std::vector<TControlFields> controls = {{true, &marked}, {false, &plainControl}};

    ResetSequences(controls);
    EXPECT_EQ(SequenceAt(marked, 0).CurrentValue, 5);
    EXPECT_EQ(SequenceAt(marked, 1).CurrentValue, 40) << "not marked";
    EXPECT_EQ(SequenceAt(plainControl, 0).CurrentValue, 40) << "control not advanced";

    // Every run starts again from MinValue, whatever the last run left.
    EvaluateAdvancedFields(marked, nullptr, true);
    ResetSequences(controls);
    EXPECT_EQ(EvaluateAdvancedFields(marked, nullptr, false), "541");
}

TEST(LabelQueries, TextVariesByLabelWithImportedFieldsCountersOrDates) {
    TFieldList fixed;
    fixed.push_back(std::make_unique<TTextField>("Lot "));
    EXPECT_FALSE(VariesByLabel(fixed));
    EXPECT_FALSE(VariesByLabel(TFieldList()));
    for (const char* kind : {"FIELD", "SEQUENCE", "DATE"}) {
        TFieldList list;
        list.push_back(std::make_unique<TTextField>("Lot "));
        list.push_back(CreateAdvancedField(QString::fromLatin1(kind)));
        EXPECT_TRUE(VariesByLabel(list)) << kind;
    }
}
