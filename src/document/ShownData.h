#pragma once

#include "merge/ImportRecord.h"

#include <QString>

#include <cstdint>

// What the design surface shows instead of the placeholders of imported fields: one record of
// the data file, and the resolution of the printer whose whole pixels the barcodes' modules
// take, so that a symbol shows as long as paper prints it.
struct TShownData {
    TImportRecord Record;
    TImportRecord Columns;  // the names of the record's columns, when the data has them
    int32_t PrinterX = 600; // pixels per inch
    int32_t PrinterY = 600;

    // Where the names of pictures an image control takes from the record start: the data
    // file's folder.
    QString DataFolder;

    bool operator==(const TShownData&) const = default;
};
