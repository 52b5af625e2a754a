#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// A spreadsheet number format code cut into its pieces, shared by the number and the date
// formatting.
struct TCodePiece {
    enum TKind {
        Literal,   // text shown as it stands: "quoted", \x, _x (a space), [$€-407]
        Char,      // one unquoted character of the code: 0 # ? . , % y m d h s / : and the like
        Elapsed,   // [h], [mm], [ss]: text holds the letters in lower case
        Condition, // [>100] and the like
        General,   // the word General
        AmPm,      // AM/PM or A/P as written
    };
    TKind kind;
    QString text;
};

namespace SheetFormatCode {
// The sections of a code, split at semicolons outside quotes and brackets.
QStringList Sections(const QString& code);
// The pieces of one section.
std::vector<TCodePiece> Pieces(const QString& section);
// True when the pieces show a date or time.
bool IsDate(const std::vector<TCodePiece>& pieces);
} // namespace SheetFormatCode
