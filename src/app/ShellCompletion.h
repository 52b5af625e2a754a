#pragma once

#include <QString>

// The bash completion script: the hand-written bashTemplate with @SWITCHES@ (every switch) and
// @VALUE_SWITCHES@ (the switches followed by a value) filled from the --help text. Throws
// TUserError when the template and the placeholders disagree.
QString ShellCompletion(const QString& bashTemplate, const QString& help);
