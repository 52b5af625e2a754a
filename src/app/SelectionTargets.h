#pragma once

#include "app/CommandStates.h"

#include <QFont>
#include <QString>

#include <optional>
#include <vector>

class TLabelControl;
class TLabelDocument;

// Which of several selected controls a command for the selection acts on, and what the
// window's text and font boxes show of them.

// The control selected first (as when it is alone), then every other selected control the
// command applies to by its own states.
std::vector<TLabelControl*> CommandTargets(const TLabelDocument& document,
                                           bool TCommandStates::*applies);

// The text the selected controls that take typed text all show; empty when they differ.
QString SharedText(const TLabelDocument& document);

// The font the selected controls with a font all have; none when they differ or nothing is
// selected.
std::optional<QFont> SharedFont(const TLabelDocument& document);
