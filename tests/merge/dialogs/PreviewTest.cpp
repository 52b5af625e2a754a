#include "DialogTestSupport.h"
#include "TestSupport.h"
#include "merge/DataImport.h"
#include "merge/FieldEvaluation.h"
#include "merge/dialogs/DateHelp.h"
#include "merge/dialogs/FAdvanced.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>

namespace {
// Stands in for the import window: answers Ok or Cancel without showing anything.
class TImportAnswer : public TTextImportDialog {
public:
    bool Execute(const QString& fileName, TTextImportSettings&, const QStringList&) override {
        Shown << fileName;
        return Confirm;
    }
    bool Confirm = true;
    QStringList Shown;
};

const QByteArray kShipping =
    "Name,Street,Town,Order,Weight\r\n"
    "Ada Okafor,742 Birch St,Springfield 62704,ORD0001001,1.2 kg\r\n"
    "Bruno Brennan,\"137 Cedar Ave, Unit 4\",Ashford 30215,ORD0001002,0.8 kg\r\n";
} // namespace

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.MergeDialogServices() = services.Services();
        dialog.SetDateSource(
            {[] { return QDateTime(QDate(2026, 12, 6), QTime(14, 5, 9)); }, QLocale::c()});
    }
    void TearDown() override {
        dialog.hide();
        dialog.EndEditing();
    }
    void Begin() {
        dialog.BeginEditing(fields);
        ShowActive(&dialog);
    }
    void AddImported(int number) {
        auto field = std::make_unique<TImportedField>();
        field->FieldNumber = number;
        fields.push_back(std::move(field));
    }
    void AddCounter(int current, int size) {
        auto counter = std::make_unique<TSequenceField>();
        counter->CurrentValue = current;
        counter->MinSize = size;
        fields.push_back(std::move(counter));
    }
    void Preview() {
        QTest::mouseClick(FindIn<QPushButton>(&dialog, "PreviewBtn"), Qt::LeftButton);
    }
    QString Result() { return FindIn<QLabel>(&dialog, "lResult")->text(); }
    QString FieldName() { return FindIn<QLabel>(&dialog, "lFieldName")->text(); }

    TScratchFolder scratch;
    TServicesStandIn services;
    TImportAnswer import;
    TDataImport session{&import};
    TFieldList fields;
    TFAdvanced dialog{session};
};

TEST_F(PreviewTest, WithoutImportedFieldsTheResultStandsAlone) {
    fields.push_back(std::make_unique<TTextField>(QStringLiteral("Order ")));
    AddCounter(7, 3);
    Begin();
    Preview();
    EXPECT_EQ(services.Messages,
              QStringList({"ADVANCED FIELDS PREVIEW\r\n\r\nRESULT = \"Order 007\""}));
    EXPECT_TRUE(services.FileRequests.empty());
    EXPECT_EQ(dynamic_cast<TSequenceField&>(*fields[1]).CurrentValue, 7);
}

// Each editor asks through the services it was given; another editor's stand-ins hear nothing.
TEST_F(PreviewTest, AnotherEditorAsksThroughItsOwnServices) {
    TServicesStandIn otherServices;
    TDataImport otherSession;
    TFAdvanced other(otherSession);
    other.MergeDialogServices() = otherServices.Services();
    TFieldList otherFields;
    otherFields.push_back(std::make_unique<TTextField>(QStringLiteral("Lot")));
    other.BeginEditing(otherFields);
    ShowActive(&other);
    QTest::mouseClick(FindIn<QPushButton>(&other, "PreviewBtn"), Qt::LeftButton);
    other.hide();
    other.EndEditing();
    EXPECT_TRUE(services.Messages.isEmpty());

    fields.push_back(std::make_unique<TTextField>(QStringLiteral("Order")));
    Begin();
    Preview();
    EXPECT_EQ(services.Messages,
              QStringList({"ADVANCED FIELDS PREVIEW\r\n\r\nRESULT = \"Order\""}));
    EXPECT_EQ(otherServices.Messages,
              QStringList({"ADVANCED FIELDS PREVIEW\r\n\r\nRESULT = \"Lot\""}));
}

TEST_F(PreviewTest, ShowsTheFirstRecordCutTo40CharactersAndTenFields) {
    const QString longField(45, u'x');
    QByteArray data = "header\r\n" + longField.toLatin1();
    for (char c = 'b'; c <= 'l'; ++c)
        data += QByteArray(",") + c;
    data += "\r\nsecond,record\r\n";
    const QString path = WriteFile(scratch.File("wide.csv"), data);
    fields.push_back(std::make_unique<TTextField>(QStringLiteral("Order ")));
    AddImported(2);
    AddCounter(5, 0);
    Begin();
    services.FileAnswer = path;
    Preview();

    ASSERT_EQ(services.FileRequests.size(), 1u);
    EXPECT_EQ(services.FileRequests[0].Title, QString("Select Import File"));
    EXPECT_EQ(services.FileRequests[0].Filter, QString("Text Files (*.txt *.prn *.csv *.dat)"));
    EXPECT_EQ(services.FileRequests[0].DefaultExtension, QString("txt"));
    EXPECT_EQ(import.Shown, QStringList({path}));
    const QString expected = "ADVANCED FIELDS PREVIEW\r\n\r\n"
                             "IMPORTED DATA SAMPLE:\r\n"
                             "=====================\r\n"
                             "Field #1 = " +
                             QString(40, u'x') +
                             "...\r\n"
                             "Field #2 = b\r\nField #3 = c\r\nField #4 = d\r\nField #5 = e\r\n"
                             "Field #6 = f\r\nField #7 = g\r\nField #8 = h\r\nField #9 = i\r\n"
                             "Field #10 = j\r\n"
                             "Continued...\r\n"
                             "\r\n"
                             "RESULT = \"Order b5\"";
    EXPECT_EQ(services.Messages, QStringList({expected}));
    // Nothing changed: placeholders, counters, and the reader is closed again.
    EXPECT_EQ(AdvancedFieldsDesignText(fields), QString("Order F_25"));
    EXPECT_EQ(dynamic_cast<TSequenceField&>(*fields[2]).CurrentValue, 5);
    EXPECT_FALSE(session.DataFileReader().IsOpen());
}

TEST_F(PreviewTest, AShortRecordListsOnlyItsFields) {
    const QString path = WriteFile(scratch.File("short.csv"), "a,b\r\n");
    session.TextImportSettings().IgnoreHeader = false;
    AddImported(3);
    Begin();
    services.FileAnswer = path;
    import.Confirm = true;
    Preview();
    EXPECT_EQ(services.Messages,
              QStringList({"ADVANCED FIELDS PREVIEW\r\n\r\nIMPORTED DATA SAMPLE:\r\n"
                           "=====================\r\nField #1 = a\r\nField #2 = b\r\n\r\n"
                           "RESULT = \"\""}));
}

TEST_F(PreviewTest, StopsWhenTheUserCancelsAndReportsAFileThatCannotBeRead) {
    AddImported(1);
    Begin();
    const QString before = Result();
    Preview(); // no file chosen
    services.FileAnswer = WriteFile(scratch.File("data.csv"), kShipping);
    import.Confirm = false;
    Preview(); // the import window cancelled
    EXPECT_TRUE(services.Messages.isEmpty());
    EXPECT_EQ(import.Shown.size(), 1);

    services.FileAnswer = scratch.File("missing.csv");
    import.Confirm = true;
    Preview();
    ASSERT_EQ(services.Errors.size(), 1);
    EXPECT_TRUE(services.Errors[0].startsWith(
        QString("Cannot open the data file \"%1\": ").arg(services.FileAnswer)))
        << services.Errors[0].toStdString();
    EXPECT_TRUE(services.Messages.isEmpty());
    EXPECT_EQ(Result(), before);
    EXPECT_FALSE(session.DataFileReader().IsOpen());
}

TEST_F(PreviewTest, ResultLineFollowsEditsAndTheLastPreviewedRecord) {
    fields.push_back(std::make_unique<TTextField>(QStringLiteral("Order ")));
    AddImported(4);
    Begin();
    EXPECT_EQ(Result(), QString("Result: \"Order \""));
    EXPECT_TRUE(FieldName().isEmpty()); // no data file yet
    services.FileAnswer = WriteFile(scratch.File("shipping.csv"), kShipping);
    Preview();
    EXPECT_EQ(Result(), QString("Result: \"Order ORD0001001\""));
    // The field panel names the column from the header line.
    EXPECT_EQ(FieldName(), QString("Order"));
    auto* number = FindIn<QLineEdit>(&dialog, "eFieldNumber");
    number->setFocus(Qt::TabFocusReason);
    number->selectAll();
    QTest::keyClicks(number, "2");
    EXPECT_EQ(FieldName(), QString("Street"));
    QTest::keyClick(number, Qt::Key_Return);
    EXPECT_EQ(Result(), QString("Result: \"Order 742 Birch St\""));
    QTest::keyClicks(number, "9");
    EXPECT_TRUE(FieldName().isEmpty()); // field 29: beyond the header

    // The editor is reused: the next control sees the same record.
    dialog.hide();
    dialog.EndEditing();
    TFieldList other;
    auto name = std::make_unique<TImportedField>();
    other.push_back(std::move(name));
    dialog.BeginEditing(other);
    ShowActive(&dialog);
    EXPECT_EQ(Result(), QString("Result: \"Ada Okafor\""));
    dialog.hide();
    dialog.EndEditing();

    // Without a header line there is no column name.
    session.TextImportSettings().IgnoreHeader = false;
    Begin();
    Preview();
    EXPECT_EQ(Result(), QString("Result: \"Order Street\"")); // field 2 of the header line
    EXPECT_TRUE(FieldName().isEmpty());
}

TEST_F(PreviewTest, DateHelpListsTheSpecifiersInAFixedFace) {
    fields.push_back(std::make_unique<TDateField>());
    Begin();
    QTest::mouseClick(FindIn<QWidget>(&dialog, "sbDateHelp"), Qt::LeftButton);
    auto* help = FindIn<TFDateHelp>(&dialog, "TFDateHelp");
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->isModal());
    EXPECT_EQ(help->windowTitle(), QString("Date/Time Picker Format Strings"));
    EXPECT_EQ(help->size(), QSize(455, 300));
    EXPECT_TRUE(help->windowFlags() & Qt::WindowStaysOnTopHint);
    auto* text = FindIn<QPlainTextEdit>(help, "mHelp");
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(QFontInfo(text->font()).family(), QString("Liberation Mono"));
    EXPECT_EQ(text->font().pointSize(), 8);
    const QStringList expected = {
        "Date Format Specifiers",
        "Specifier  Displays",
        "=========  ========",
        "\"d\"        Displays the day as a number without a leading",
        "           zero (1-31).",
        "\"dd\"       Displays the day as a number with a leading",
        "           zero (01-31).",
        "\"ddd\"      Displays the day as an abbreviation (Sun-Sat).",
        "\"dddd\"     Displays the day as a full name (Sunday-Saturday).",
        "\"m\"        Displays the month as a number without a leading",
        "           zero (1-12).",
        "\"mm\"       Displays the month as a number with a leading",
        "           zero (01-12).",
        "\"mmm\"      Displays the month as an abbreviation (Jan-Dec).",
        "\"mmmm\"     Displays the month as a full name (January-",
        "           December)",
        "\"yy\"       Displays the year as a two-digit number (00-99).",
        "\"yyyy\"     Displays the year as a four-digit number (0000-",
        "           9999).",
        "\"h\"        Displays the hour without a leading zero (0-23).",
        "\"hh\"       Displays the hour with a leading zero (00-23).",
        "\"n\"        Displays the minute without a leading zero (0-59).",
        "\"nn\"       Displays the minute with a leading zero (00-59).",
        "\"s\"        Displays the second without a leading zero (0-59).",
        "\"ss\"       Displays the second with a leading zero (00-59).",
        "\"am\"/\"pm\"  Uses the 12-hour clock for the preceding h or hh",
        "           specifier.",
        "\"a\"/\"p\"    Uses the 12-hour clock for the preceding h or hh",
        "           specifier.",
        "\"ampm\"     Displays the 12-hour clock specifier am or pm.",
        "\"/\"        Displays the date separator character.",
        "\":\"        Displays the time separator character.",
    };
    const QStringList shown = text->toPlainText().split(u'\n');
    ASSERT_EQ(shown.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_EQ(shown[i], expected[i]) << "line " << i + 1;
    help->close();
}
