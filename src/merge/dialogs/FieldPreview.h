#pragma once

#include "merge/AdvancedField.h"
#include "merge/ImportRecord.h"

#include <QString>

// The texts the advanced field editor shows of an element list: the preview message and the
// live result line. Nothing here advances a counter.

// Up to ten fields of a record, one line each ("Field #n = " and the first 40 characters), then
// "Continued..." when the record has more.
QString ImportedDataSample(const TImportRecord& record);

// The preview message: with a record, the data sample above the result; without one (a list
// that uses no imported field), the result alone.
QString PreviewMessage(const TFieldList& fields, const TImportRecord* record,
                       const TDateSource& dates = {});

// The line under the list: what the elements give against record (none before a data file was
// previewed).
QString ResultLine(const TFieldList& fields, const TImportRecord* record,
                   const TDateSource& dates = {});

// The column name of field number fieldNumber in a header record, empty when it has none.
QString HeaderName(const TImportRecord& header, int fieldNumber);
