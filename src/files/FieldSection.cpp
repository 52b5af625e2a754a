#include "files/FieldSection.h"

#include "files/EscapeText.h"
#include "files/IniFile.h"
#include "files/NumberedNames.h"
#include "merge/DateOffset.h"

#include <algorithm>

namespace {
QString Key(const char* name, int32_t k) {
    return QString::fromLatin1(name) + QString::number(k);
}

// Reads and writes the keys of one element kind.
class TElementKeys {
public:
    TElementKeys(TIniFile& ini, const QString& section, int32_t k)
        : m_ini(ini), m_section(section), m_k(k) {}
    void Integer(const char* name, int32_t v) { m_ini.WriteInteger(m_section, Key(name, m_k), v); }
    void Bool(const char* name, bool v) { m_ini.WriteBool(m_section, Key(name, m_k), v); }
    void Text(const char* name, const QString& v) {
        m_ini.WriteString(m_section, Key(name, m_k), EscapeText(v));
    }

private:
    TIniFile& m_ini;
    const QString& m_section;
    int32_t m_k;
};

class TElementReader {
public:
    TElementReader(const TIniFile& ini, const QString& section, int32_t k)
        : m_ini(ini), m_section(section), m_k(k) {}
    int32_t Integer(const char* name, int32_t def) const {
        return m_ini.ReadInteger(m_section, Key(name, m_k), def);
    }
    bool Bool(const char* name, bool def) const {
        return m_ini.ReadBool(m_section, Key(name, m_k), def);
    }
    // Texts are stored escaped; the default is not.
    QString Text(const char* name, const QString& def) const {
        const QString key = Key(name, m_k);
        return m_ini.ValueExists(m_section, key)
                   ? UnescapeText(m_ini.ReadString(m_section, key, QString()))
                   : def;
    }

private:
    const TIniFile& m_ini;
    const QString& m_section;
    int32_t m_k;
};

void WriteElement(TElementKeys& keys, const TAdvancedField& element) {
    if (const auto* t = dynamic_cast<const TTextField*>(&element)) {
        keys.Text("ADVTXT_", t->LiteralText);
    } else if (const auto* f = dynamic_cast<const TImportedField*>(&element)) {
        keys.Integer("ADVNUM_", f->FieldNumber);
        keys.Integer("ADVSIZE_", f->MinSize);
        keys.Integer("ADVCHAR_", f->PadChar);
        keys.Bool("ADVLPAD_", f->PadLeft);
        // Only fields that go by a column's name have the key, so other labels are written as
        // they always were.
        if (!f->FieldName.isEmpty())
            keys.Text("ADVNAME_", f->FieldName);
    } else if (const auto* s = dynamic_cast<const TSequenceField*>(&element)) {
        keys.Integer("ADVCUR_", s->CurrentValue);
        keys.Integer("ADVMIN_", s->MinValue);
        keys.Integer("ADVMAX_", s->MaxValue);
        keys.Integer("ADVSIZE_", s->MinSize);
        keys.Bool("ADVRST_", s->ResetOnPrint);
    } else if (const auto* d = dynamic_cast<const TDateField*>(&element)) {
        keys.Text("ADVFMT_", d->DateFormat);
        // Dates without an offset are written as they always were.
        if (d->AddMonths != 0)
            keys.Integer("ADVMONTHS_", d->AddMonths);
        if (d->AddDays != 0)
            keys.Integer("ADVDAYS_", d->AddDays);
    }
}

void ReadElement(const TElementReader& keys, TAdvancedField& element) {
    if (auto* t = dynamic_cast<TTextField*>(&element)) {
        // A text element is never empty once stored: the editor cannot hold an empty one.
        t->LiteralText = keys.Text("ADVTXT_", QStringLiteral(" "));
        if (t->LiteralText.isEmpty())
            t->LiteralText = QStringLiteral(" ");
    } else if (auto* f = dynamic_cast<TImportedField*>(&element)) {
        f->FieldNumber = keys.Integer("ADVNUM_", 1);
        f->MinSize = std::min(keys.Integer("ADVSIZE_", 0), MaxImportedMinSize);
        const int32_t pad = keys.Integer("ADVCHAR_", ' ');
        f->PadChar = uint8_t(pad >= 0 && pad <= 255 ? pad : ' ');
        f->PadLeft = keys.Bool("ADVLPAD_", false);
        f->FieldName = keys.Text("ADVNAME_", QString());
    } else if (auto* s = dynamic_cast<TSequenceField*>(&element)) {
        s->CurrentValue = keys.Integer("ADVCUR_", 0);
        s->MinValue = keys.Integer("ADVMIN_", 0);
        s->MaxValue = keys.Integer("ADVMAX_", TSequenceField::DefaultMaxValue);
        s->MinSize = std::min(keys.Integer("ADVSIZE_", 0), MaxSequenceMinSize);
        s->ResetOnPrint = keys.Bool("ADVRST_", false);
    } else if (auto* d = dynamic_cast<TDateField*>(&element)) {
        d->DateFormat = keys.Text("ADVFMT_", QStringLiteral("YYYYMMDD"));
        d->AddMonths = BoundedAddMonths(keys.Integer("ADVMONTHS_", 0));
        d->AddDays = BoundedAddDays(keys.Integer("ADVDAYS_", 0));
    }
}
} // namespace

void WriteFieldElements(TIniFile& ini, const QString& section, const TFieldList& fields) {
    int32_t k = 0;
    for (const auto& element : fields) {
        ++k;
        ini.WriteString(section, Key("ADVTYPE_", k), element->FieldKind());
        TElementKeys keys(ini, section, k);
        WriteElement(keys, *element);
    }
}

std::unique_ptr<TAdvancedField> ReadFieldElement(const TIniFile& ini, const QString& section,
                                                 int32_t k) {
    const QString kind = ini.ReadString(section, Key("ADVTYPE_", k), QStringLiteral("UNKNOWN"));
    std::unique_ptr<TAdvancedField> element = CreateAdvancedField(kind);
    if (element)
        ReadElement(TElementReader(ini, section, k), *element);
    return element;
}

TFieldList ReadFieldElements(const TIniFile& ini, const QString& section, int32_t count) {
    TFieldList fields;
    // An element without its ADVTYPE_k key reads as unknown and is skipped, so only the
    // numbers that have one need a visit.
    for (const int32_t k : NumberedNames(ini.KeyNames(section), QStringLiteral("ADVTYPE_"), count))
        if (auto element = ReadFieldElement(ini, section, k))
            fields.push_back(std::move(element));
    return fields;
}
