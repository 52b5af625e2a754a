#include "merge/ImportDialog.h"
#include "MergeTestFiles.h"
#include "StandInImportDialog.h"
#include "TestSupport.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

namespace {
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
