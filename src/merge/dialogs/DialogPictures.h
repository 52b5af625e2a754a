#pragma once

#include "merge/dialogs/FieldBoxes.h"

#include <QIcon>

// The small pictures of the advanced field editor, painted here so that no picture files are
// needed: one per element kind (the list lines and the add actions) and the two removals.
QIcon FieldKindPicture(TFieldPanel kind);
// An element kind's picture with a plus, for the add actions.
QIcon AddFieldPicture(TFieldPanel kind);
QIcon RemoveFieldPicture();
QIcon RemoveAllFieldsPicture();
