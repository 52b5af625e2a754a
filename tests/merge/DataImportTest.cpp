#include "merge/DataImport.h"
#include "MergeTestFiles.h"
#include "StandInImportDialog.h"
#include "TestSupport.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

// Settings, preview, reader and dialog of one session work together.
TEST(DataImport, PreviewThenReadThroughOneSession) {
    TScratchFolder scratch;
    const QString path =
        WriteBytes(scratch.File("people.csv"), "name,age\r\n\"Doe, Jane\",41\r\nRoe,7\r\n");
    TStandInDialog ok(true);
    TDataImport session(&ok);

    session.OpenDataFile(path);
    EXPECT_TRUE(session.DataFileReader().IsOpen());
    EXPECT_TRUE(session.ExecuteImportDialog(path));
    EXPECT_FALSE(session.DataFileReader().IsOpen()) << "the dialog leaves the reader closed";
    EXPECT_EQ(session.PreviewLines().size(), 3);
    EXPECT_EQ(session.TextImportSettings().ImportFormat, TImportFormat::CommaDelimited);
    EXPECT_EQ(session.PreviewHeader(), QStringList({"name", "age"}));

    session.OpenDataFile(path);
    EXPECT_EQ(session.ImportRecord(), QStringList({"Doe, Jane", "41"}));
    EXPECT_FALSE(session.AtEndOfData());
    session.ReadNextRecord();
    EXPECT_EQ(session.ImportRecord(), QStringList({"Roe", "7"}));
    EXPECT_TRUE(session.AtEndOfData());
    session.CloseDataFile();
    EXPECT_EQ(session.ParseLine(QStringLiteral("a,\"b,c\"")), QStringList({"a", "b,c"}));
    session.TextImportSettings().IgnoreHeader = false;
    EXPECT_TRUE(session.PreviewHeader().isEmpty()) << "no header skipped, none to name fields";

    session.SetTextImportDialog(nullptr);
    EXPECT_FALSE(session.ExecuteImportDialog(path)) << "no window: nothing confirmed";
    EXPECT_EQ(ok.Calls, 1);
    session.TextImportSettings() = TTextImportSettings();
    session.FormatFromExtension(QStringLiteral("batch.prn"));
    EXPECT_EQ(session.TextImportSettings().ColumnSizes, QList<int>{14}) << "from the last preview";
    EXPECT_THROW(session.ExecuteImportDialog(scratch.File("gone.csv")), TUserError);
}

// The session's data file: one choice with its settings, until the user picks another.
TEST(DataImport, TheChosenFileKeepsItsSettingsUntilAnotherIsPicked) {
    TScratchFolder scratch;
    const QString orders = WriteBytes(scratch.File("orders.csv"), "a;b\r\n1;2\r\n");
    const QString other = WriteBytes(scratch.File("other.txt"), "x\ty\r\n");
    TStandInDialog ok(true);
    ok.UserQuote = QStringLiteral("'");
    TDataImport session(&ok);
    EXPECT_TRUE(session.ChosenDataFile().isEmpty());
    ASSERT_TRUE(session.ChooseDataFile(orders));
    EXPECT_EQ(session.ChosenDataFile(), orders);
    EXPECT_EQ(ok.Calls, 1);
    // The same file, also by another spelling of its path: no second wizard, settings kept.
    session.TextImportSettings().Separator = QStringLiteral(";");
    EXPECT_TRUE(session.ChooseDataFile(scratch.File("./orders.csv")));
    EXPECT_EQ(ok.Calls, 1);
    EXPECT_EQ(session.TextImportSettings().Separator, QStringLiteral(";"));
    EXPECT_EQ(session.TextImportSettings().QuoteChar, QStringLiteral("'"));

    // Reviewed (picked again in the print dialog): the wizard starts from the kept settings,
    // not from the extension's; its Cancel keeps them and the choice, its Ok takes its changes.
    TStandInDialog review(false);
    review.UserQuote = QStringLiteral("`");
    session.SetTextImportDialog(&review);
    EXPECT_TRUE(session.ChooseDataFile(orders, TSameDataFile::Review));
    EXPECT_EQ(review.Calls, 1);
    EXPECT_EQ(review.ShownSeparator, QStringLiteral(";"));
    EXPECT_EQ(review.ShownLines, (QStringList{"a;b", "1;2"}));
    EXPECT_EQ(session.TextImportSettings().QuoteChar, QStringLiteral("'"));
    EXPECT_EQ(session.TextImportSettings().Separator, QStringLiteral(";"));
    TStandInDialog reviewOk(true);
    reviewOk.UserQuote = QStringLiteral("|");
    session.SetTextImportDialog(&reviewOk);
    EXPECT_TRUE(session.ChooseDataFile(orders, TSameDataFile::Review));
    EXPECT_EQ(session.TextImportSettings().QuoteChar, QStringLiteral("|"));
    EXPECT_EQ(session.TextImportSettings().Separator, QStringLiteral(";"));
    EXPECT_EQ(session.ChosenDataFile(), orders);
    session.TextImportSettings().QuoteChar = QStringLiteral("'");

    // Another file whose wizard is cancelled: the choice and its settings stay as they were,
    // although the wizard changed them.
    TStandInDialog cancel(false);
    cancel.UserQuote = QStringLiteral("`");
    session.SetTextImportDialog(&cancel);
    EXPECT_FALSE(session.ChooseDataFile(other));
    EXPECT_EQ(cancel.Calls, 1);
    EXPECT_EQ(session.ChosenDataFile(), orders);
    EXPECT_EQ(session.TextImportSettings().ImportFormat, TImportFormat::CommaDelimited);
    EXPECT_EQ(session.TextImportSettings().QuoteChar, QStringLiteral("'"));
    EXPECT_EQ(session.PreviewLines(), (QStringList{"a;b", "1;2"}));
    // Confirmed, it is the new choice.
    session.SetTextImportDialog(&ok);
    EXPECT_TRUE(session.ChooseDataFile(other));
    EXPECT_EQ(session.ChosenDataFile(), other);
    EXPECT_EQ(session.TextImportSettings().ImportFormat, TImportFormat::TabDelimited);
    // A file that cannot be read changes nothing.
    EXPECT_THROW(session.ChooseDataFile(scratch.File("gone.csv")), TUserError);
    EXPECT_EQ(session.ChosenDataFile(), other);
    // Forgotten, the same file is a new choice and goes through the wizard again.
    session.ForgetDataFile();
    EXPECT_TRUE(session.ChosenDataFile().isEmpty());
    EXPECT_TRUE(session.ChooseDataFile(other));
    EXPECT_EQ(ok.Calls, 3);
}

// Two sessions (two windows, or a test beside the application's) share nothing: each has its
// own choice, settings, preview, reader and dialog.
TEST(DataImport, TwoSessionsKeepTheirOwnChoiceSettingsAndReader) {
    TScratchFolder scratch;
    const QString orders = WriteBytes(scratch.File("orders.dat"), "h\r\nAda;Paris\r\nBo;Rome\r\n");
    TStandInDialog semicolon(true);
    semicolon.UserSeparator = QStringLiteral(";");
    TStandInDialog pipe(true);
    pipe.UserSeparator = QStringLiteral("|");
    TDataImport first(&semicolon);
    TDataImport second(&pipe);

    ASSERT_TRUE(first.ChooseDataFile(orders));
    EXPECT_EQ(semicolon.Calls, 1);
    EXPECT_EQ(pipe.Calls, 0) << "a session shows its own dialog only";
    EXPECT_TRUE(second.ChosenDataFile().isEmpty());
    EXPECT_TRUE(second.PreviewLines().isEmpty());
    EXPECT_EQ(second.TextImportSettings().ImportFormat, TImportFormat::TabDelimited);

    // The same file in the other session is a new choice there, through its own dialog.
    ASSERT_TRUE(second.ChooseDataFile(orders));
    EXPECT_EQ(pipe.Calls, 1);
    EXPECT_EQ(first.TextImportSettings().Separator, QStringLiteral(";"));
    EXPECT_EQ(second.TextImportSettings().Separator, QStringLiteral("|"));

    // Both read the file at once, each cutting its lines with its own settings.
    first.OpenDataFile(orders);
    second.OpenDataFile(orders);
    EXPECT_EQ(first.ImportRecord(), QStringList({"Ada", "Paris"}));
    EXPECT_EQ(second.ImportRecord(), QStringList{"Ada;Paris"});
    first.ReadNextRecord();
    EXPECT_EQ(first.ImportRecord(), QStringList({"Bo", "Rome"}));
    EXPECT_EQ(second.ImportRecord(), QStringList{"Ada;Paris"}) << "the other reader did not move";
    first.CloseDataFile();
    EXPECT_TRUE(second.DataFileReader().IsOpen());
    EXPECT_FALSE(second.AtEndOfData());
    second.CloseDataFile();

    first.ForgetDataFile();
    EXPECT_EQ(second.ChosenDataFile(), orders);
}
