#pragma once

#include "merge/AdvancedField.h"
#include "merge/ImportRecord.h"
#include "merge/dialogs/KeyFilters.h"

#include <QString>

#include <array>
#include <memory>
#include <optional>

// The rules of the advanced field editor's edit boxes, apart from its window: what each box
// holds and takes, how boxes and elements are copied into each other, and what happens when a
// box is left.

// The four edit panels, one per element kind (in the order of the kinds' pictures).
enum class TFieldPanel { Text, Imported, Sequence, Date };
inline constexpr int FieldPanelCount = 4;

// The panel an element is edited in; kinds without a panel of their own use the date panel.
TFieldPanel PanelOf(const TAdvancedField& field);

enum class TFieldBox {
    TextString,
    FieldNumber,
    FieldSize,
    PadChar,
    CurrentValue,
    MinValue,
    MaxValue,
    SequenceSize,
    DateFormat,
};
inline constexpr int FieldBoxCount = 9;

struct TFieldBoxInfo {
    TFieldBox Box;
    TFieldPanel Panel;
    const char* Name;    // the widget's object name
    const char* Caption; // the caption beside it
    int MaxLength;
    TKeyFilter Filter;
    bool SelectOnEntry; // entering the box selects its whole text
    const char* Initial;
};

const TFieldBoxInfo& FieldBoxInfo(TFieldBox box);
// The box the focus goes to after an element of the panel's kind was added.
TFieldBox FirstBoxOf(TFieldPanel panel);

// The contents of every box, the pad side and the reset check box.
struct TFieldBoxes {
    TFieldBoxes(); // the initial contents
    QString& operator[](TFieldBox box) { return Texts[size_t(box)]; }
    const QString& operator[](TFieldBox box) const { return Texts[size_t(box)]; }

    std::array<QString, FieldBoxCount> Texts;
    bool PadLeft = false;
    bool ResetOnPrint = false;
    bool ByName = false; // "Find the column by its name"

    // The date panel's offsets (its number boxes always hold a number within bounds).
    int32_t AddMonths = 0;
    int32_t AddDays = 0;
};

// Shows an element's values in the boxes of its panel; the other boxes keep theirs.
void LoadFieldBoxes(TFieldBoxes& boxes, const TAdvancedField& field);

// Copies the boxes of the element's panel into it. When a number box holds no number the
// element is left exactly as it was and the returned message says which box.
std::optional<QString> StoreFieldBoxes(const TFieldBoxes& boxes, TAdvancedField& field);

// The column name an imported element keeps (its FieldName) after its boxes were stored: none
// unless byName; by name, the header's name of its column, or its name as it was when no header
// is known (no data chosen, or data without one). Other elements are left alone.
void StoreColumnName(TAdvancedField& field, bool byName, const TImportRecord& header);

// A new element of the panel's kind with the boxes' values, or the message of a number box that
// holds no number.
struct TNewField {
    std::unique_ptr<TAdvancedField> Field;
    QString Message;
};
TNewField CreateFromBoxes(TFieldPanel panel, const TFieldBoxes& boxes);

// What leaving a box did besides correcting the boxes: a message to show, and whether the focus
// goes back into the box.
struct TBoxExit {
    QString Message;
    bool ReturnFocus = false;
};
TBoxExit ExitFieldBox(TFieldBoxes& boxes, TFieldBox box);
