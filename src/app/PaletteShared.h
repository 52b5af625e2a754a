#pragma once

#include <QString>

#include <optional>
#include <type_traits>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

// What several selected controls have in common, and how the palette's widgets show a value
// they share or a blank when they differ.

// The value every control of the list has; none when they differ or the list is empty.
template <class C, class F>
auto SharedValue(const std::vector<C*>& controls, F get)
    -> std::optional<std::decay_t<decltype(get(*controls.front()))>> {
    if (controls.empty())
        return std::nullopt;
    auto value = get(*controls.front());
    for (const C* c : controls)
        if (!(get(*c) == value))
            return std::nullopt;
    return value;
}

// The entry at that position, or no entry.
void ShowShared(QComboBox* list, std::optional<int> index);
// The button of that id pressed, or none.
void ShowShared(QButtonGroup* group, std::optional<int> id);
// Checked or unchecked, or partially checked until the user clicks it.
void ShowShared(QCheckBox* box, std::optional<bool> checked);
// One of two radio buttons checked, or neither.
void ShowShared(QAbstractButton* on, QAbstractButton* off, std::optional<bool> isOn);
// The text, or an empty field.
void ShowShared(QLineEdit* field, const std::optional<QString>& text);
