#pragma once

#include "merge/ImportRecord.h"

#include <QString>

#include <cstdint>
#include <functional>

// Copies of each record taken from a field of its own: a whole number from 0 to MaxRecordCopies
// after trimming spaces; 0 prints the record on no label.
inline constexpr int32_t MaxRecordCopies = 9999;

// The field (from 1) that gives the copies: the column called name when the header has one, else
// number. Throws TUserError when neither names a field.
int32_t CopiesColumn(int32_t number, const QString& name, const TImportRecord& header,
                     const QString& dataFile);

// What one record asks for: its copies, or why it asks for none that can be printed.
struct TRecordCopies {
    int32_t Copies = 0;
    QString Problem; // "asks for "x" copies", "has no field 4"; empty when Copies holds
};
TRecordCopies RecordCopies(const TImportRecord& record, int32_t column);

// A record whose copies cannot be read, as the preflight lists it.
struct TCopiesProblem {
    int32_t Label = 0;  // the label the record would have started on, from 1
    int64_t Record = 0; // from 1
    int64_t Line = 0;   // the record's line of the data file
    int32_t Column = 0; // the copies field, from 1
    QString Problem;
};
// Given to a walk, problems are told here and their records skipped; without one the run
// stops at the first with CopiesRefusal.
using TCopiesProblemSink = std::function<void(const TCopiesProblem&)>;

// "Record on line 7 of orders.csv asks for "x" copies; the copies field must hold ..."
QString CopiesRefusal(const TCopiesProblem& problem, const QString& dataFile);
// What the preflight says of it after the record's place: "asks for "x" copies (field 4); ..."
QString CopiesProblemText(const TCopiesProblem& problem);
