#include "app/ShownRecord.h"

#include "merge/DataFileReader.h"

TShownRecord ReadShownRecord(const QString& fileName, const TTextImportSettings& settings,
                             int64_t number) {
    TDataFileReader reader(settings);
    reader.OpenDataFile(fileName);
    TShownRecord shown;
    if (!reader.HasRecord())
        return shown; // an empty or header-only file: nothing a run would print
    shown.Number = 1;
    while (shown.Number < number && !reader.AtEndOfData()) {
        reader.ReadNextRecord();
        ++shown.Number;
    }
    shown.Record = reader.ImportRecord();
    shown.Columns = reader.HeaderRecord();
    return shown;
}
