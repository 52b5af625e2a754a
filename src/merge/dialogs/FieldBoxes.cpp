#include "merge/dialogs/FieldBoxes.h"

#include "merge/DateOffset.h"
#include "merge/FieldPadding.h"
#include "merge/dialogs/MergeDialogTexts.h"
#include "platform/TextEncoding.h"

namespace {
using B = TFieldBox;
using P = TFieldPanel;
using K = TKeyFilter;

// In the order of TFieldBox.
const std::array<TFieldBoxInfo, FieldBoxCount> kBoxes = {{
    {B::TextString, P::Text, "eTextString", MergeDialogText::EnterTextString, 99, K::Any, false,
     ""},
    {B::FieldNumber, P::Imported, "eFieldNumber", MergeDialogText::FieldNumber, 2, K::Digits, true,
     "1"},
    {B::FieldSize, P::Imported, "eFieldSize", MergeDialogText::MinimumSize, 2, K::Digits, true,
     "0"},
    {B::PadChar, P::Imported, "ePadChar", MergeDialogText::PadCharacter, 1, K::Any, true, " "},
    {B::CurrentValue, P::Sequence, "eCurrentValue", MergeDialogText::CurrentValue, 9, K::Digits,
     true, "0"},
    {B::MinValue, P::Sequence, "eMinValue", MergeDialogText::Range, 9, K::Digits, true, "0"},
    {B::MaxValue, P::Sequence, "eMaxValue", MergeDialogText::RangeTo, 9, K::Digits, true,
     "999999999"},
    {B::SequenceSize, P::Sequence, "eSequenceSize", MergeDialogText::MinimumSize, 1, K::Digits,
     true, "0"},
    {B::DateFormat, P::Date, "eDateFormat", MergeDialogText::DateFormat, 32767, K::DateFormat,
     false, TDateField::DefaultFormat},
}};

QString Latin(const char* text) {
    return QString::fromLatin1(text);
}

std::optional<int> Number(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The numbers of a panel's boxes, converted all at once so that a failure changes nothing.
struct TConverted {
    std::array<int32_t, FieldBoxCount> Values{};
    QString Message;
};

TConverted Convert(const TFieldBoxes& boxes, std::initializer_list<TFieldBox> numberBoxes) {
    TConverted result;
    for (TFieldBox box : numberBoxes) {
        const std::optional<int> value = Number(boxes[box]);
        if (!value) {
            result.Message = Latin(MergeDialogText::NotANumber)
                                 .arg(boxes[box], Latin(FieldBoxInfo(box).Caption));
            return result;
        }
        result.Values[size_t(box)] = *value;
    }
    return result;
}

// The 8-bit code of the pad box's first character; an empty box pads with spaces.
uint8_t PadCode(const QString& text) {
    if (text.isEmpty())
        return ' ';
    QByteArray code;
    EncodeWindows1252(text.left(1), code);
    return uint8_t(code.at(0));
}

QString Decimal(int32_t value) {
    return QString::number(value);
}

std::optional<QString> StoreImported(const TFieldBoxes& boxes, TImportedField& field) {
    const TConverted n = Convert(boxes, {B::FieldNumber, B::FieldSize});
    if (!n.Message.isEmpty())
        return n.Message;
    field.FieldNumber = n.Values[size_t(B::FieldNumber)];
    field.MinSize = n.Values[size_t(B::FieldSize)];
    field.PadChar = PadCode(boxes[B::PadChar]);
    field.PadLeft = boxes.PadLeft;
    return std::nullopt;
}

std::optional<QString> StoreSequence(const TFieldBoxes& boxes, TSequenceField& field) {
    const TConverted n =
        Convert(boxes, {B::CurrentValue, B::MinValue, B::MaxValue, B::SequenceSize});
    if (!n.Message.isEmpty())
        return n.Message;
    field.CurrentValue = n.Values[size_t(B::CurrentValue)];
    field.MinValue = n.Values[size_t(B::MinValue)];
    field.MaxValue = n.Values[size_t(B::MaxValue)];
    field.MinSize = n.Values[size_t(B::SequenceSize)];
    field.ResetOnPrint = boxes.ResetOnPrint;
    return std::nullopt;
}

// Boxes that become a fixed text when left empty.
struct TEmptyDefault {
    TFieldBox Box;
    const char* Text;
};
const std::array<TEmptyDefault, 7> kEmptyDefaults = {{
    {B::PadChar, " "},
    {B::FieldNumber, "1"},
    {B::FieldSize, "0"},
    {B::SequenceSize, "0"},
    {B::DateFormat, TDateField::DefaultFormat},
    {B::MinValue, "0"},
    {B::MaxValue, "999999999"},
}};

TBoxExit Refuse(const char* message, const QString& bound) {
    return {Latin(message).arg(bound), true};
}

// The three sequence boxes check each other; a box that holds no number is not compared.
TBoxExit ExitSequenceBox(TFieldBoxes& boxes, TFieldBox box) {
    const std::optional<int> current = Number(boxes[B::CurrentValue]);
    const std::optional<int> minimum = Number(boxes[B::MinValue]);
    const std::optional<int> maximum = Number(boxes[B::MaxValue]);
    switch (box) {
    case B::CurrentValue:
        if (current && minimum && *current < *minimum)
            return Refuse(MergeDialogText::BelowMinimum, boxes[B::MinValue]);
        if (current && maximum && *current > *maximum)
            return Refuse(MergeDialogText::AboveMaximum, boxes[B::MaxValue]);
        break;
    case B::MinValue:
        if (minimum && current && *minimum > *current)
            boxes[B::CurrentValue] = boxes[B::MinValue];
        else if (minimum && maximum && *minimum >= *maximum)
            return Refuse(MergeDialogText::MinimumNotBelowMaximum, boxes[B::MaxValue]);
        break;
    case B::MaxValue:
        if (maximum && current && *maximum < *current)
            boxes[B::CurrentValue] = boxes[B::MinValue];
        else if (maximum && minimum && *maximum <= *minimum)
            return Refuse(MergeDialogText::MaximumNotAboveMinimum, boxes[B::MinValue]);
        break;
    default:
        break;
    }
    return {};
}
} // namespace

TFieldPanel PanelOf(const TAdvancedField& field) {
    if (dynamic_cast<const TTextField*>(&field))
        return TFieldPanel::Text;
    if (dynamic_cast<const TImportedField*>(&field))
        return TFieldPanel::Imported;
    if (dynamic_cast<const TSequenceField*>(&field))
        return TFieldPanel::Sequence;
    return TFieldPanel::Date;
}

const TFieldBoxInfo& FieldBoxInfo(TFieldBox box) {
    return kBoxes[size_t(box)];
}

TFieldBox FirstBoxOf(TFieldPanel panel) {
    for (const TFieldBoxInfo& info : kBoxes)
        if (info.Panel == panel)
            return info.Box;
    return TFieldBox::DateFormat;
}

TFieldBoxes::TFieldBoxes() {
    for (const TFieldBoxInfo& info : kBoxes)
        Texts[size_t(info.Box)] = Latin(info.Initial);
}

void LoadFieldBoxes(TFieldBoxes& boxes, const TAdvancedField& field) {
    if (const auto* text = dynamic_cast<const TTextField*>(&field)) {
        boxes[B::TextString] = text->LiteralText;
    } else if (const auto* imported = dynamic_cast<const TImportedField*>(&field)) {
        boxes[B::FieldNumber] = Decimal(imported->FieldNumber);
        boxes[B::FieldSize] = Decimal(imported->MinSize);
        boxes[B::PadChar] = QString(PadCharacter(imported->PadChar));
        boxes.PadLeft = imported->PadLeft;
        boxes.ByName = !imported->FieldName.isEmpty();
    } else if (const auto* sequence = dynamic_cast<const TSequenceField*>(&field)) {
        boxes[B::CurrentValue] = Decimal(sequence->CurrentValue);
        boxes[B::MinValue] = Decimal(sequence->MinValue);
        boxes[B::MaxValue] = Decimal(sequence->MaxValue);
        boxes[B::SequenceSize] = Decimal(sequence->MinSize);
        boxes.ResetOnPrint = sequence->ResetOnPrint;
    } else if (const auto* date = dynamic_cast<const TDateField*>(&field)) {
        boxes[B::DateFormat] = date->DateFormat;
        boxes.AddMonths = date->AddMonths;
        boxes.AddDays = date->AddDays;
    }
}

std::optional<QString> StoreFieldBoxes(const TFieldBoxes& boxes, TAdvancedField& field) {
    if (auto* text = dynamic_cast<TTextField*>(&field))
        text->LiteralText = boxes[B::TextString];
    else if (auto* imported = dynamic_cast<TImportedField*>(&field))
        return StoreImported(boxes, *imported);
    else if (auto* sequence = dynamic_cast<TSequenceField*>(&field))
        return StoreSequence(boxes, *sequence);
    else if (auto* date = dynamic_cast<TDateField*>(&field)) {
        date->DateFormat = boxes[B::DateFormat];
        date->AddMonths = BoundedAddMonths(boxes.AddMonths);
        date->AddDays = BoundedAddDays(boxes.AddDays);
    }
    return std::nullopt;
}

TNewField CreateFromBoxes(TFieldPanel panel, const TFieldBoxes& boxes) {
    TNewField result;
    switch (panel) {
    case TFieldPanel::Text:
        result.Field = std::make_unique<TTextField>();
        break;
    case TFieldPanel::Imported:
        result.Field = std::make_unique<TImportedField>();
        break;
    case TFieldPanel::Sequence:
        result.Field = std::make_unique<TSequenceField>();
        break;
    case TFieldPanel::Date:
        result.Field = std::make_unique<TDateField>();
        break;
    }
    if (const std::optional<QString> message = StoreFieldBoxes(boxes, *result.Field)) {
        result.Field.reset();
        result.Message = *message;
    }
    return result;
}

TBoxExit ExitFieldBox(TFieldBoxes& boxes, TFieldBox box) {
    if (box == B::FieldNumber && boxes[box] == u"0") {
        boxes[box] = QStringLiteral("1");
        return {};
    }
    if (boxes[box].isEmpty()) {
        if (box == B::CurrentValue)
            boxes[box] = boxes[B::MinValue];
        for (const TEmptyDefault& entry : kEmptyDefaults)
            if (entry.Box == box)
                boxes[box] = Latin(entry.Text);
        return {};
    }
    return ExitSequenceBox(boxes, box);
}

void StoreColumnName(TAdvancedField& field, bool byName, const TImportRecord& header) {
    auto* imported = dynamic_cast<TImportedField*>(&field);
    if (!imported)
        return;
    if (!byName) {
        imported->FieldName.clear();
        return;
    }
    if (header.isEmpty())
        return;
    const int column = imported->FieldNumber - 1;
    imported->FieldName =
        column >= 0 && column < header.size() ? header[column].trimmed() : QString();
}
