#include "print/dialogs/PrintDialogRules.h"

#include "print/CommandLine.h"
#include "print/dialogs/PrintDialogTexts.h"

#include <algorithm>
#include <cstdint>

namespace {
// The count fields take digits only, so anything else reads as zero.
int32_t CountValue(const QString& text) {
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok || v < 1)
        return 1;
    return int32_t(std::min<qlonglong>(v, INT32_MAX));
}
} // namespace

TPrintChoices ChoicesFromOptions(const TCommandLineOptions& o) {
    TPrintChoices c;
    c.Range = o.Range;
    if (o.Range == TPrintRange::Labels)
        c.LabelCount = QString::number(o.Count);
    else if (o.Range == TPrintRange::Pages)
        c.PageCount = QString::number(o.Count);
    c.Copies = QString::number(o.Copies);
    c.DataFile = o.DataFile;
    c.SkipCount = o.Skip;
    return c;
}

TPrintSettings SettingsFromChoices(const TPrintChoices& c) {
    TPrintSettings s;
    s.Range = c.Range;
    s.PageCount = CountValue(c.PageCount);
    s.LabelCount = CountValue(c.LabelCount);
    s.Duplicates = c.CopiesShown ? CountValue(c.Copies) : 1;
    s.DataFile = c.DataFile;
    s.Skip = std::max(0, c.SkipCount);
    return s;
}

int32_t ClampSkipCount(int32_t n, int32_t rows, int32_t columns) {
    const int64_t perPage = int64_t(std::max(0, rows)) * std::max(0, columns);
    int64_t v = n;
    if (v >= perPage)
        v = perPage - 1;
    return int32_t(std::max<int64_t>(v, 0));
}

QString SkipCountText(int32_t n) {
    if (n == 1)
        return QString::fromLatin1(PrintDialogText::SkipOne);
    return QString::fromLatin1(PrintDialogText::SkipPrefix) + QString::number(n) +
           QString::fromLatin1(PrintDialogText::SkipSuffix);
}

TSheetLines SheetLines(int32_t rows, int32_t columns) {
    return {QString::fromLatin1(PrintDialogText::RowsPrefix) + QString::number(rows),
            QString::fromLatin1(PrintDialogText::ColumnsPrefix) + QString::number(columns),
            QString::fromLatin1(PrintDialogText::LabelsPerPagePrefix) +
                QString::number(int64_t(rows) * columns)};
}

QString CountOnExit(const QString& text) {
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (text.isEmpty() || (ok && v == 0))
        return QStringLiteral("1");
    return text;
}

QString FileMissingText(const QString& path) {
    return path + QString::fromLatin1(PrintDialogText::FileMissingSuffix);
}

QString PrintRefusal(TPrintRange range, const QString& dataFile, bool fileExists,
                     const QString& sheetProblem) {
    if (range == TPrintRange::All && dataFile.isEmpty())
        return QString::fromLatin1(PrintDialogText::AllWithoutFile);
    if (!dataFile.isEmpty() && !fileExists)
        return FileMissingText(dataFile);
    // A sheet whose positions run past the paper would be refused by the run itself; saying so
    // here keeps the dialog open for a different printer or paper.
    return sheetProblem;
}
