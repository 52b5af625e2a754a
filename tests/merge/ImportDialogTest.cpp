#include "MergeTestFiles.h"
#include "TestSupport.h"
#include "merge/TextImport.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <optional>

namespace {
// Stands in for the import window: remembers what it was shown, optionally changes a setting
// the way a user would, and answers Ok or Cancel.
class TStandInDialog : public TTextImportDialog {
public:
    explicit TStandInDialog(bool confirm) : m_confirm(confirm) {}

    bool Execute(const QString& fileName, TTextImportSettings& settings,
                 const QStringList& previewLines) override {
        ++Calls;
        ShownFile = fileName;
        ShownFormat = settings.ImportFormat;
        ShownSeparator = settings.Separator;
        ShownColumns = settings.ColumnSizes;
        ShownLines = previewLines;
        if (UserQuote)
            settings.QuoteChar = *UserQuote;
        return m_confirm;
    }

    int Calls = 0;
    QString ShownFile;
    TImportFormat ShownFormat{};
    QString ShownSeparator;
    QList<int> ShownColumns;
    QStringList ShownLines;
    std::optional<QString> UserQuote;

private:
    bool m_confirm;
};

QByteArray NumberedLines(int count) {
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += "line " + QByteArray::number(i) + "\r\n";
    return bytes;
}
} // namespace

TEST(ExecuteImportDialog, ShowsTheFirstTenLinesWithTheFormatOfTheExtension) {
    TScratchFolder scratch;
    const QString path = WriteBytes(scratch.File("names.csv"), NumberedLines(12));
    TTextImportSettings settings;
    QStringList preview = {"stale"};
    TStandInDialog ok(true);
    EXPECT_TRUE(ExecuteImportDialog(path, settings, preview, ok));
    EXPECT_EQ(ok.Calls, 1);
    EXPECT_EQ(ok.ShownFile, path);
    EXPECT_EQ(ok.ShownFormat, TImportFormat::CommaDelimited);
    ASSERT_EQ(preview.size(), MaxPreviewLines);
    EXPECT_EQ(preview.first(), "line 1");
    EXPECT_EQ(preview.last(), "line 10");
    EXPECT_EQ(ok.ShownLines, preview);

    const QString shortFile = WriteBytes(scratch.File("short.xyz"), "only\r\n");
    TStandInDialog cancel(false);
    EXPECT_FALSE(ExecuteImportDialog(shortFile, settings, preview, cancel));
    EXPECT_EQ(preview, QStringList{"only"});
    EXPECT_EQ(cancel.ShownFormat, TImportFormat::CommaDelimited) << "unknown extension keeps it";
}

TEST(ExecuteImportDialog, ShowingReappliesTheFormatsSideEffects) {
    TScratchFolder scratch;
    const QString path = WriteBytes(scratch.File("data.list"), "0123456789abcdef\r\nx\r\n");
    TStandInDialog ok(true);
    QStringList preview;

    TTextImportSettings custom;
    custom.ImportFormat = TImportFormat::CustomDelimiter;
    custom.Separator = QStringLiteral(";");
    ExecuteImportDialog(path, custom, preview, ok);
    EXPECT_EQ(ok.ShownSeparator, QStringLiteral(",")) << "a typed separator is not offered again";

    TTextImportSettings fixed;
    fixed.ImportFormat = TImportFormat::FixedField;
    fixed.ColumnSizes = {2, 3, 4};
    ExecuteImportDialog(path, fixed, preview, ok);
    EXPECT_EQ(ok.ShownColumns, QList<int>{16}) << "columns start again from the longest line";
}

TEST(ExecuteImportDialog, SettingsChangedInTheDialogStayEvenWhenCancelled) {
    TScratchFolder scratch;
    const QString path = WriteBytes(scratch.File("data.txt"), "a\tb\r\n");
    TTextImportSettings settings;
    QStringList preview;
    TStandInDialog cancel(false);
    cancel.UserQuote = QStringLiteral("'");
    EXPECT_FALSE(ExecuteImportDialog(path, settings, preview, cancel));
    EXPECT_EQ(settings.QuoteChar, QStringLiteral("'"));
}

TEST(ExecuteImportDialog, AnUnreadableFileIsReportedAndTheDialogNotShown) {
    TScratchFolder scratch;
    TTextImportSettings settings;
    settings.ImportFormat = TImportFormat::TabDelimited;
    QStringList preview = {"kept"};
    TStandInDialog ok(true);
    const QString missing = scratch.File("gone.csv");
    EXPECT_THROW(ExecuteImportDialog(missing, settings, preview, ok), TUserError);
    EXPECT_EQ(ok.Calls, 0);
    EXPECT_EQ(preview, QStringList{"kept"});
    EXPECT_EQ(settings.ImportFormat, TImportFormat::TabDelimited);
}

// The application's single import: settings, preview, reader and registered dialog together.
TEST(ProcessWideImport, PreviewThenPrintRunThroughTheSharedInstances) {
    TScratchFolder scratch;
    const QString path =
        WriteBytes(scratch.File("people.csv"), "name,age\r\n\"Doe, Jane\",41\r\nRoe,7\r\n");
    TextImportSettings() = TTextImportSettings();
    TStandInDialog ok(true);
    SetTextImportDialog(&ok);

    OpenDataFile(path);
    EXPECT_TRUE(DataFileReader().IsOpen());
    EXPECT_TRUE(ExecuteImportDialog(path));
    EXPECT_FALSE(DataFileReader().IsOpen()) << "the dialog leaves the reader closed";
    EXPECT_EQ(PreviewLines().size(), 3);
    EXPECT_EQ(TextImportSettings().ImportFormat, TImportFormat::CommaDelimited);

    OpenDataFile(path);
    EXPECT_EQ(ImportRecord(), QStringList({"Doe, Jane", "41"}));
    EXPECT_FALSE(AtEndOfData());
    ReadNextRecord();
    EXPECT_EQ(ImportRecord(), QStringList({"Roe", "7"}));
    EXPECT_TRUE(AtEndOfData());
    CloseDataFile();
    EXPECT_EQ(ParseLine(QStringLiteral("a,\"b,c\"")), QStringList({"a", "b,c"}));

    SetTextImportDialog(nullptr);
    EXPECT_FALSE(ExecuteImportDialog(path)) << "no window registered: nothing confirmed";
    TextImportSettings() = TTextImportSettings();
    FormatFromExtension(QStringLiteral("batch.prn"));
    EXPECT_EQ(TextImportSettings().ColumnSizes, QList<int>{14}) << "from the last preview";
    TextImportSettings() = TTextImportSettings();
    PreviewLines().clear();
}

// The session's data file: one choice with its settings, until the user picks another.
TEST(ProcessWideImport, TheChosenFileKeepsItsSettingsUntilAnotherIsPicked) {
    TScratchFolder scratch;
    const QString orders = WriteBytes(scratch.File("orders.csv"), "a;b\r\n1;2\r\n");
    const QString other = WriteBytes(scratch.File("other.txt"), "x\ty\r\n");
    TextImportSettings() = TTextImportSettings();
    ForgetDataFile();
    TStandInDialog ok(true);
    ok.UserQuote = QStringLiteral("'");
    SetTextImportDialog(&ok);
    ASSERT_TRUE(ChooseDataFile(orders));
    EXPECT_EQ(ChosenDataFile(), orders);
    EXPECT_EQ(ok.Calls, 1);
    // The same file, also by another spelling of its path: no second wizard, settings kept.
    TextImportSettings().Separator = QStringLiteral(";");
    EXPECT_TRUE(ChooseDataFile(scratch.File("./orders.csv")));
    EXPECT_EQ(ok.Calls, 1);
    EXPECT_EQ(TextImportSettings().Separator, QStringLiteral(";"));
    EXPECT_EQ(TextImportSettings().QuoteChar, QStringLiteral("'"));

    // Reviewed (picked again in the print dialog): the wizard starts from the kept settings,
    // not from the extension's; its Cancel keeps them and the choice, its Ok takes its changes.
    TStandInDialog review(false);
    review.UserQuote = QStringLiteral("`");
    SetTextImportDialog(&review);
    EXPECT_TRUE(ChooseDataFile(orders, TSameDataFile::Review));
    EXPECT_EQ(review.Calls, 1);
    EXPECT_EQ(review.ShownSeparator, QStringLiteral(";"));
    EXPECT_EQ(review.ShownLines, (QStringList{"a;b", "1;2"}));
    EXPECT_EQ(TextImportSettings().QuoteChar, QStringLiteral("'"));
    EXPECT_EQ(TextImportSettings().Separator, QStringLiteral(";"));
    TStandInDialog reviewOk(true);
    reviewOk.UserQuote = QStringLiteral("|");
    SetTextImportDialog(&reviewOk);
    EXPECT_TRUE(ChooseDataFile(orders, TSameDataFile::Review));
    EXPECT_EQ(TextImportSettings().QuoteChar, QStringLiteral("|"));
    EXPECT_EQ(TextImportSettings().Separator, QStringLiteral(";"));
    EXPECT_EQ(ChosenDataFile(), orders);
    TextImportSettings().QuoteChar = QStringLiteral("'");
    SetTextImportDialog(&ok);

    // Another file whose wizard is cancelled: the choice and its settings stay as they were,
    // although the wizard changed them.
    TStandInDialog cancel(false);
    cancel.UserQuote = QStringLiteral("`");
    SetTextImportDialog(&cancel);
    EXPECT_FALSE(ChooseDataFile(other));
    EXPECT_EQ(cancel.Calls, 1);
    EXPECT_EQ(ChosenDataFile(), orders);
    EXPECT_EQ(TextImportSettings().ImportFormat, TImportFormat::CommaDelimited);
    EXPECT_EQ(TextImportSettings().QuoteChar, QStringLiteral("'"));
    EXPECT_EQ(PreviewLines(), (QStringList{"a;b", "1;2"}));
    // Confirmed, it is the new choice.
    SetTextImportDialog(&ok);
    EXPECT_TRUE(ChooseDataFile(other));
    EXPECT_EQ(ChosenDataFile(), other);
    EXPECT_EQ(TextImportSettings().ImportFormat, TImportFormat::TabDelimited);
    // A file that cannot be read changes nothing.
    EXPECT_THROW(ChooseDataFile(scratch.File("gone.csv")), TUserError);
    EXPECT_EQ(ChosenDataFile(), other);

    SetTextImportDialog(nullptr);
    ForgetDataFile();
    TextImportSettings() = TTextImportSettings();
    PreviewLines().clear();
}
