#include "merge/TextImport.h"

#include <QFileInfo>

namespace {
TTextImportDialog* g_dialog = nullptr;

QString& Choice() {
    static QString chosen;
    return chosen;
}

bool SameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo x(a), y(b);
    const QString cx = x.canonicalFilePath(), cy = y.canonicalFilePath();
    return !cx.isEmpty() && !cy.isEmpty() ? cx == cy : x.absoluteFilePath() == y.absoluteFilePath();
}

// Stands in when no window is registered: the settings are prepared, nothing is confirmed.
class TNoImportDialog : public TTextImportDialog {
public:
    bool Execute(const QString&, TTextImportSettings&, const QStringList&) override {
        return false;
    }
};
} // namespace

TTextImportSettings& TextImportSettings() {
    static TTextImportSettings settings;
    return settings;
}

QStringList& PreviewLines() {
    static QStringList lines;
    return lines;
}

TDataFileReader& DataFileReader() {
    static TDataFileReader reader(TextImportSettings());
    return reader;
}

void SetTextImportDialog(TTextImportDialog* dialog) {
    g_dialog = dialog;
}

void FormatFromExtension(const QString& fileName) {
    FormatFromExtension(TextImportSettings(), fileName, PreviewLines());
}

TImportRecord ParseLine(QStringView line) {
    return ParseLine(TextImportSettings(), line);
}

bool ExecuteImportDialog(const QString& fileName) {
    DataFileReader().CloseDataFile();
    TNoImportDialog none;
    TTextImportDialog& dialog = g_dialog ? *g_dialog : none;
    return ExecuteImportDialog(fileName, TextImportSettings(), PreviewLines(), dialog);
}

const QString& ChosenDataFile() {
    return Choice();
}

bool ChooseDataFile(const QString& fileName, TSameDataFile same) {
    const bool chosen = SameFile(fileName, Choice());
    if (chosen && same == TSameDataFile::Keep)
        return true;
    // The dialog edits the settings even when cancelled; while a file is the choice they are
    // that file's and must stay so.
    const TTextImportSettings settings = TextImportSettings();
    const QStringList preview = PreviewLines();
    bool confirmed = false;
    if (chosen) {
        DataFileReader().CloseDataFile();
        TNoImportDialog none;
        confirmed = ReviewImportDialog(fileName, TextImportSettings(), PreviewLines(),
                                       g_dialog ? *g_dialog : none);
    } else {
        confirmed = ExecuteImportDialog(fileName);
    }
    if (confirmed) {
        Choice() = fileName;
        return true;
    }
    if (!Choice().isEmpty()) {
        TextImportSettings() = settings;
        PreviewLines() = preview;
    }
    return chosen; // a cancelled review leaves the file chosen as it was
}

void ForgetDataFile() {
    Choice().clear();
}

void OpenDataFile(const QString& fileName) {
    DataFileReader().OpenDataFile(fileName);
}

void ReadNextRecord() {
    DataFileReader().ReadNextRecord();
}

bool AtEndOfData() {
    return DataFileReader().AtEndOfData();
}

void CloseDataFile() {
    DataFileReader().CloseDataFile();
}

const TImportRecord& ImportRecord() {
    return DataFileReader().ImportRecord();
}
