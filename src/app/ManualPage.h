#pragma once

#include <QString>

// The page vellumtrace(1) in roff: the hand-written roffTemplate with its placeholders
// (@VERSION@, @DATE@, @SYNOPSIS@, @OPTIONS@, @OUTPUT@, @EXIT_STATUS@) filled from the --help
// text. Throws TUserError when the template lacks one or names one unknown.
QString ManualPage(const QString& roffTemplate, const QString& help, const QString& version,
                   const QString& date);

// Text as roff prints it literally: backslashes and hyphens escaped, no line read as a request.
QString RoffText(const QString& text);
