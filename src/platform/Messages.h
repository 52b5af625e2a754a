#pragma once

#include <QString>

#include <functional>

// Messages the user must read outside an error path (a picture that cannot be loaded, a value
// that was corrected). The editor shows them in a message box; without a handler (unattended
// runs, tests) they go to stderr, so nothing ever blocks on a dialog.
using TMessageHandler = std::function<void(const QString&)>;

void ShowMessage(const QString& text);
// Installs a handler and returns the previous one.
TMessageHandler SetMessageHandler(TMessageHandler handler);
