#include "merge/PreviewRecords.h"

#include "merge/DataFileReader.h"

TPreviewRecords ReadPreviewRecords(const QString& name, const TTextImportSettings& settings,
                                   int maxRecords) {
    TDataFileReader reader(settings);
    reader.OpenDataFile(name);
    TPreviewRecords preview;
    preview.Header = reader.HeaderRecord();
    if (reader.HasRecord() && maxRecords > 0)
        preview.Records << reader.ImportRecord();
    while (preview.Records.size() < maxRecords && !reader.AtEndOfData()) {
        const int64_t before = reader.RecordNumber();
        reader.ReadNextRecord();
        if (reader.RecordNumber() == before)
            break; // nothing more came
        preview.Records << reader.ImportRecord();
    }
    reader.CloseDataFile();
    return preview;
}

QString ColumnCaption(const TImportRecord& header, qsizetype column) {
    const QString number = QString::number(column + 1);
    const QString name = column < header.size() ? header[column].trimmed() : QString();
    if (name.isEmpty())
        return QStringLiteral("Field #") + number;
    return number + QStringLiteral(" \u2013 ") + name;
}
