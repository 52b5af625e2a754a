#pragma once

#include <QString>
#include <QStringView>

// Lengths typed by the user, with or without a unit.

// How many of a unit make an inch: "in" or '"', "cm", "mm", "pt" (any letter case); 0 for a
// unit the program does not know.
double UnitsPerInch(QStringView unit);

// Reads a length such as "2.5", "2,5 cm", "30mm", "1.2in" or "1.2\"" into inches. A number
// without a unit is in centimetres when metric is set, in inches otherwise. Blanks around the
// number and the unit are ignored. False, with inches untouched, when the text is no length.
bool ParseLength(const QString& text, bool metric, double& inches);
