#include "merge/AdvancedField.h"

#include "merge/DateOffset.h"
#include "merge/DateTimeFormat.h"
#include "merge/FieldPadding.h"
#include "merge/MergeTexts.h"

#include <array>

namespace {
QString Text(const char* latin1) {
    return QString::fromLatin1(latin1);
}

const QChar kDoubleQuote = u'"';

template <class TField> std::unique_ptr<TAdvancedField> Make() {
    return std::make_unique<TField>();
}

struct TKindEntry {
    const char* Kind;
    std::unique_ptr<TAdvancedField> (*Create)();
};

// Every kind this program knows, by its stored kind string.
const std::array<TKindEntry, 4> kKinds = {{
    {MergeText::KindText, &Make<TTextField>},
    {MergeText::KindImported, &Make<TImportedField>},
    {MergeText::KindSequence, &Make<TSequenceField>},
    {MergeText::KindDate, &Make<TDateField>},
}};
} // namespace

QString TAdvancedField::Value(const TFieldInput&) const {
    return {};
}

QString TAdvancedField::Describe(const TDateSource&) const {
    return {};
}

TTextField::TTextField() : TAdvancedField(Text(MergeText::KindText)) {}

TTextField::TTextField(QString literalText) : TTextField() {
    LiteralText = std::move(literalText);
}

std::unique_ptr<TAdvancedField> TTextField::Clone() const {
    return std::make_unique<TTextField>(*this);
}

QString TTextField::Value(const TFieldInput&) const {
    return LiteralText;
}

QString TTextField::Describe(const TDateSource&) const {
    return Text(MergeText::DescribeText) + kDoubleQuote + LiteralText + kDoubleQuote +
           Text(MergeText::DescribeEnd);
}

TImportedField::TImportedField() : TAdvancedField(Text(MergeText::KindImported)) {}

std::unique_ptr<TAdvancedField> TImportedField::Clone() const {
    return std::make_unique<TImportedField>(*this);
}

int32_t TImportedField::ColumnIn(const TImportRecord* columns) const {
    if (FieldName.isEmpty() || !columns)
        return FieldNumber;
    const qsizetype at = NamedColumn(*columns, FieldName);
    return at >= 0 ? int32_t(at + 1) : FieldNumber;
}

QString TImportedField::Value(const TFieldInput& input) const {
    QString value;
    const int32_t column = ColumnIn(input.Columns);
    if (input.Design)
        value = Text(MergeText::FieldPlaceholder) + QString::number(FieldNumber);
    else if (input.Record && column >= 1 && input.Record->size() >= column)
        value = input.Record->at(column - 1);
    const QChar pad = PadCharacter(PadChar);
    return PadLeft ? PadOnLeft(value, MinSize, pad) : PadOnRight(value, MinSize, pad);
}

QString TImportedField::Describe(const TDateSource&) const {
    // A column found by its name says so; without one the line is as it always was.
    const QString named =
        FieldName.isEmpty() ? QString() : QStringLiteral(" \"") + FieldName + kDoubleQuote;
    return Text(MergeText::DescribeImported) + QString::number(FieldNumber) + named +
           Text(MergeText::DescribeMinSize) + QString::number(MinSize) +
           Text(MergeText::DescribePadChar) + kDoubleQuote + PadCharacter(PadChar) + kDoubleQuote +
           Text(MergeText::DescribeEnd);
}

TSequenceField::TSequenceField() : TAdvancedField(Text(MergeText::KindSequence)) {}

std::unique_ptr<TAdvancedField> TSequenceField::Clone() const {
    return std::make_unique<TSequenceField>(*this);
}

QString TSequenceField::Value(const TFieldInput&) const {
    return PadOnLeft(QString::number(CurrentValue), MinSize, u'0');
}

QString TSequenceField::Describe(const TDateSource&) const {
    return Text(MergeText::DescribeSequence) +
           PadOnLeft(QString::number(CurrentValue), MinSize, u'0') +
           Text(MergeText::DescribeRangeDots) +
           PadOnLeft(QString::number(MaxValue), MinSize, u'0') + Text(MergeText::DescribeEnd);
}

void TSequenceField::Advance() {
    // Stepped in 64 bits so that a counter at the largest int32 wraps instead of overflowing.
    const int64_t next = int64_t(CurrentValue) + 1;
    CurrentValue = next > MaxValue ? MinValue : int32_t(next);
}

TDateField::TDateField() : TAdvancedField(Text(MergeText::KindDate)) {}

std::unique_ptr<TAdvancedField> TDateField::Clone() const {
    return std::make_unique<TDateField>(*this);
}

QDateTime TDateField::ShownDateTime(const QDateTime& now) const {
    return AddDateOffset(now, AddMonths, AddDays);
}

QString TDateField::Value(const TFieldInput& input) const {
    return FormatDateTimeText(DateFormat, ShownDateTime(input.Dates.CurrentDateTime()),
                              input.Dates.Locale);
}

QString TDateField::Describe(const TDateSource& dates) const {
    // The offsets are named only when set, so that a plain date reads as it always did.
    QString offsets;
    if (AddMonths != 0)
        offsets += Text(MergeText::DescribeAddMonths) + QString::number(AddMonths);
    if (AddDays != 0)
        offsets += Text(MergeText::DescribeAddDays) + QString::number(AddDays);
    return Text(MergeText::DescribeDate) + kDoubleQuote + DateFormat + kDoubleQuote + offsets +
           u',' +
           FormatDateTimeText(DateFormat, ShownDateTime(dates.CurrentDateTime()), dates.Locale) +
           Text(MergeText::DescribeEnd);
}

std::unique_ptr<TAdvancedField> CreateAdvancedField(const QString& kind) {
    for (const TKindEntry& entry : kKinds)
        if (kind == QLatin1String(entry.Kind))
            return entry.Create();
    return nullptr;
}

TFieldList CloneFields(const TFieldList& fields) {
    TFieldList copies;
    copies.reserve(fields.size());
    for (const auto& field : fields)
        if (field)
            copies.push_back(field->Clone());
    return copies;
}
