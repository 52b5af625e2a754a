// The spreadsheet reader (.xlsx and .ods): the input is the file, read sheet by sheet. Rows must
// come numbered 1, 2, 3 ... and no record may end in an empty field or be wider than a sheet.

#include "FuzzSupport.h"
#include "merge/SheetRows.h"
#include "platform/Errors.h"

namespace {
// Enough rows to pass any repeat a small input can hold without making each run slow.
constexpr int64_t kMaxRows = 20000;

void ReadSheet(const QString& path, const QString& sheet) {
    TSheetRows rows(path, sheet);
    TImportRecord record;
    int64_t position = 0;
    for (int64_t expected = 1; expected <= kMaxRows && !rows.AtEnd(); ++expected) {
        FuzzCheck(rows.ReadRecord(record, position), "a record before the end");
        FuzzCheck(position == expected, "rows numbered in order without gaps");
        FuzzCheck(record.isEmpty() || !record.last().isEmpty(), "a trailing empty field");
        FuzzCheck(record.size() <= 16384, "a record wider than a sheet");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = WriteFuzzInput(QStringLiteral("data.xlsx"), data, size);
    try {
        const QStringList names = SpreadsheetSheetNames(path);
        for (const QString& name : names.mid(0, 3))
            ReadSheet(path, name);
    } catch (const TUserError&) {
    }
    try {
        ReadSheet(path, QString());
    } catch (const TUserError&) {
    }
    return 0;
}
