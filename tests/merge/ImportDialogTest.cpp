#include "merge/ImportDialog.h"
#include "MergeTestFiles.h"
#include "TestSupport.h"
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
