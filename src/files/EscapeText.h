#pragma once

#include <QString>

// Texts stored as description values lose blanks at either end and cannot span lines, so they
// are escaped: tab "\t", carriage return "\n", space "\s", backslash "\\"; line feeds are
// dropped (a CR LF pair becomes one "\n").
QString EscapeText(const QString& text);

// The inverse: "\n" becomes CR LF; a backslash followed by any other character is dropped
// together with it; a backslash at the very end stays.
QString UnescapeText(const QString& text);
