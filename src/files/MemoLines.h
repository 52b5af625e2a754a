#pragma once

#include <QString>
#include <QStringList>

// Formatted text is stored one line per key. A line break is a carriage return or a line feed;
// a CR or LF right after it belongs to the same break (CR LF, LF CR, CR CR and LF LF each end one
// line). The piece after the last break is a line too, even when empty, so an empty text is one
// empty line.
QStringList SplitMemoLines(const QString& text);

// The lines joined with CR LF, as the text reads back.
QString JoinMemoLines(const QStringList& lines);
