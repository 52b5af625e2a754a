#pragma once

#include "app/ActionIds.h"

#include <array>

class QAction;
class QObject;

// Every command of the main window is one action, made from the table in MainActions.cpp and
// shared by menus, tool buttons, the context menu and shortcuts.
struct TActionSpec {
    TActionId Id;
    const char* Caption;  // menu text
    const char* Hint;     // tool tip and status tip; the caption when empty
    const char* Shortcut; // QKeySequence text, empty for none
    const char* Icon;     // resource picture, empty for none
    bool Checkable;
    bool Checked;
    const char* Group; // exclusive group name, empty for none
};

class TMainActions {
public:
    explicit TMainActions(QObject* owner);
    QAction* operator[](TActionId id) const { return m_actions[std::size_t(id)]; }

private:
    std::array<QAction*, ActionCount> m_actions{};
};
