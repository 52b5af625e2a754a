#pragma once

#include "merge/ImportRecord.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Where DATE elements read the time and the names of the user's locale. Tests fix both.
struct TDateSource {
    std::function<QDateTime()> Now; // empty: the local clock
    QLocale Locale;                 // default: the user's locale

    QDateTime CurrentDateTime() const { return Now ? Now() : QDateTime::currentDateTime(); }
};

// What an element's value depends on.
struct TFieldInput {
    const TImportRecord* Record = nullptr; // none: imported fields are empty
    bool Design = false;                   // design surface: imported fields show F_n
    const TDateSource& Dates;
    // The names of the data's columns (its header, a query's columns), when it has them.
    const TImportRecord* Columns = nullptr;
};

// One element of an advanced field: the text of an advanced control is its elements' values
// joined in order. Each kind is a class of its own with its own kind string, set at creation.
class TAdvancedField {
public:
    virtual ~TAdvancedField() = default;
    TAdvancedField& operator=(const TAdvancedField&) = delete;

    const QString& FieldKind() const { return m_fieldKind; }

    // A new element of the same class with the same fields; its counter runs on its own.
    virtual std::unique_ptr<TAdvancedField> Clone() const = 0;
    // The element's part of the text; kinds this program does not know contribute nothing.
    virtual QString Value(const TFieldInput& input) const;
    // The element's line in the field editor's list.
    virtual QString Describe(const TDateSource& dates) const;
    // Called after the last copy of a printed label; only counters move.
    virtual void Advance() {}

protected:
    explicit TAdvancedField(QString kind) : m_fieldKind(std::move(kind)) {}
    TAdvancedField(const TAdvancedField&) = default;

private:
    const QString m_fieldKind;
};

// Fixed text, copied as it stands.
class TTextField final : public TAdvancedField {
public:
    TTextField();
    explicit TTextField(QString literalText);
    std::unique_ptr<TAdvancedField> Clone() const override;
    QString Value(const TFieldInput& input) const override;
    QString Describe(const TDateSource& dates) const override;

    QString LiteralText;
};

// One column of the current data record, padded to a minimum width.
class TImportedField final : public TAdvancedField {
public:
    TImportedField();
    std::unique_ptr<TAdvancedField> Clone() const override;
    QString Value(const TFieldInput& input) const override;
    QString Describe(const TDateSource& dates) const override;

    // The column the value comes from: the one named FieldName when the data has a column of
    // that name, so that reordered columns still land right; otherwise number FieldNumber.
    int32_t ColumnIn(const TImportRecord* columns) const;

    int32_t FieldNumber = 1; // counts from 1
    QString FieldName;       // the column's name, or empty to go by the number alone
    int32_t MinSize = 0;
    uint8_t PadChar = ' '; // code 0: no padding
    bool PadLeft = false;  // pad in front (value right-aligned)
};

// A counter that shows its current value and steps once per printed label, wrapping from
// MaxValue to MinValue.
class TSequenceField final : public TAdvancedField {
public:
    static constexpr int32_t DefaultMaxValue = 999999999;

    TSequenceField();
    std::unique_ptr<TAdvancedField> Clone() const override;
    QString Value(const TFieldInput& input) const override;
    QString Describe(const TDateSource& dates) const override;
    void Advance() override;

    int32_t CurrentValue = 0;
    int32_t MinValue = 0;
    int32_t MaxValue = DefaultMaxValue;
    int32_t MinSize = 0; // zero-padded on the left to this width
    bool ResetOnPrint = false;
};

// The current local date and time in a format (see FormatDateTimeText), optionally moved by
// whole months and days (DateOffset.h).
class TDateField final : public TAdvancedField {
public:
    static constexpr const char* DefaultFormat = "yyyymmdd";

    TDateField();
    std::unique_ptr<TAdvancedField> Clone() const override;
    QString Value(const TFieldInput& input) const override;
    QString Describe(const TDateSource& dates) const override;

    QString DateFormat = QString::fromLatin1(DefaultFormat);

    // Dates ahead or behind: months first, then days; 0 is today.
    int32_t AddMonths = 0;
    int32_t AddDays = 0;

    // The date and time this element shows when the clock reads now.
    QDateTime ShownDateTime(const QDateTime& now) const;
};

// The elements of one control, in order; the control owns them.
using TFieldList = std::vector<std::unique_ptr<TAdvancedField>>;

// A new element of the kind named by the kind string (compared exactly), with its defaults;
// nullptr for a kind this program does not know.
std::unique_ptr<TAdvancedField> CreateAdvancedField(const QString& kind);

// Copies every element by its class, for a copied control.
TFieldList CloneFields(const TFieldList& fields);
