#include "files/IniFile.h"

#include "files/FileAccess.h"
#include "files/FileTexts.h"
#include "files/IniValues.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/TextEncoding.h"

namespace {
// Names are folded to capitals: the names a label file uses are capitals already, and a string
// that needs no change is shared rather than copied, which keeps writing a description cheap.
QString Folded(const QString& name) {
    return name.toUpper();
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

QByteArrayView Trimmed(QByteArrayView v) {
    qsizetype b = 0, e = v.size();
    while (b < e && IsBlank(v[b]))
        ++b;
    while (e > b && IsBlank(v[e - 1]))
        --e;
    return v.sliced(b, e - b);
}

class TDecoder {
public:
    explicit TDecoder(bool utf8) : m_utf8(utf8) {}
    QString operator()(QByteArrayView bytes) const {
        return m_utf8 ? QString::fromUtf8(bytes) : DecodeWindows1252(bytes);
    }
    // Cuts to MaxValueLength characters without decoding more bytes than can matter: no
    // character takes more than four bytes.
    QString Value(QByteArrayView bytes) const {
        const qsizetype limit = TIniFile::MaxValueLength;
        QString s = (*this)(bytes.first(std::min(bytes.size(), limit * 4)));
        if (s.size() > limit) {
            s.truncate(limit);
            if (s.back().isHighSurrogate())
                s.chop(1);
        }
        return s;
    }

private:
    bool m_utf8;
};

QString OneLine(const QString& value) {
    if (!value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n')))
        return value;
    QString s = value;
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}
} // namespace

TIniFile TIniFile::FromBytes(QByteArrayView bytes, const QString& source) {
    const bool utf8 = StartsWithUtf8Bom(bytes);
    if (utf8)
        bytes = bytes.sliced(3);
    const TDecoder decode(utf8);

    TIniFile ini;
    TSection* current = nullptr;
    qsizetype keys = 0;
    const qsizetype n = bytes.size();
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const QByteArrayView line = Trimmed(bytes.sliced(pos, end - pos));
        pos = end + 1;
        if (line.isEmpty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            qsizetype close = line.indexOf(']');
            if (close < 0)
                close = line.size();
            const QString name = decode(Trimmed(line.sliced(1, close - 1)));
            const QString folded = Folded(name);
            if (ini.m_index.contains(folded)) {
                current = nullptr; // a repeated section is never reached
                continue;
            }
            if (qsizetype(ini.m_sections.size()) == MaxSections)
                throw TUserError(
                    QString::fromLatin1(FileText::TooManySections).arg(source).arg(MaxSections));
            ini.m_index.insert(folded, ini.m_sections.size());
            ini.m_sections.push_back({name, {}, {}});
            current = &ini.m_sections.back();
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (!current || eq <= 0)
            continue;
        const QString key = decode(Trimmed(line.first(eq)));
        const QString folded = Folded(key);
        if (key.isEmpty() || current->Index.contains(folded))
            continue;
        if (++keys > MaxKeys)
            throw TUserError(QString::fromLatin1(FileText::TooManyKeys).arg(source).arg(MaxKeys));
        current->Index.insert(folded, current->Keys.size());
        current->Keys.push_back({key, decode.Value(Trimmed(line.sliced(eq + 1)))});
    }
    return ini;
}

TIniFile TIniFile::Load(const QString& path) {
    return FromBytes(ReadFileBytes(path, MaxFileSize), path);
}

QByteArray TIniFile::ToBytes() const {
    qsizetype length = 0;
    for (const TSection& s : m_sections) {
        length += s.Name.size() + 6;
        for (const TKey& k : s.Keys)
            length += k.Name.size() + k.Value.size() + 3;
    }
    QString text;
    text.reserve(length);
    for (const TSection& s : m_sections) {
        if (!text.isEmpty())
            text.append(QLatin1String("\r\n"));
        text.append(QLatin1Char('[')).append(s.Name).append(QLatin1String("]\r\n"));
        for (const TKey& k : s.Keys)
            text.append(k.Name)
                .append(QLatin1Char('='))
                .append(k.Value)
                .append(QLatin1String("\r\n"));
    }
    QByteArray out;
    if (EncodeWindows1252(text, out))
        return out;
    return QByteArray(kUtf8Bom) + text.toUtf8();
}

void TIniFile::Save(const QString& path) const {
    WriteFileAtomically(path, ToBytes());
}

bool TIniFile::SectionExists(const QString& section) const {
    return m_index.contains(Folded(section));
}

QStringList TIniFile::SectionNames() const {
    QStringList names;
    for (const TSection& s : m_sections)
        names << s.Name;
    return names;
}

QStringList TIniFile::KeyNames(const QString& section) const {
    QStringList names;
    const auto s = m_index.constFind(Folded(section));
    if (s != m_index.cend())
        for (const TKey& k : m_sections[*s].Keys)
            names << k.Name;
    return names;
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const {
    return Find(section, key) != nullptr;
}

const QString* TIniFile::Find(const QString& section, const QString& key) const {
    const auto s = m_index.constFind(Folded(section));
    if (s == m_index.cend())
        return nullptr;
    const TSection& sec = m_sections[*s];
    const auto k = sec.Index.constFind(Folded(key));
    return k == sec.Index.cend() ? nullptr : &sec.Keys[*k].Value;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    const QString* v = Find(section, key);
    return v ? *v : def;
}

int32_t TIniFile::ReadInteger(const QString& section, const QString& key, int32_t def) const {
    const QString* v = Find(section, key);
    if (!v)
        return def;
    return ParseIniInteger(*v).value_or(def);
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(const QString& section, const QString& key, double def) const {
    const QString* v = Find(section, key);
    double d = 0;
    if (!v || !TryParseDecimal(*v, d))
        return def;
    return d;
}

TIniFile::TSection& TIniFile::SectionFor(const QString& section) {
    // Writers fill one section after another, so the section written last is the likely one.
    if (m_lastWritten < m_sections.size() && m_sections[m_lastWritten].Name == section)
        return m_sections[m_lastWritten];
    const QString folded = Folded(section);
    const auto s = m_index.constFind(folded);
    if (s != m_index.cend()) {
        m_lastWritten = *s;
        return m_sections[*s];
    }
    m_index.insert(folded, m_sections.size());
    m_sections.push_back({OneLine(section), {}, {}});
    m_lastWritten = m_sections.size() - 1;
    return m_sections.back();
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    TSection& s = SectionFor(section);
    const QString folded = Folded(key);
    const auto k = s.Index.constFind(folded);
    if (k != s.Index.cend()) {
        s.Keys[*k].Value = OneLine(value);
        return;
    }
    s.Index.insert(folded, s.Keys.size());
    s.Keys.push_back({OneLine(key), OneLine(value)});
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int32_t value) {
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::WriteFloat(const QString& section, const QString& key, double value) {
    WriteString(section, key, FormatIniReal(value, LocaleDecimalSeparator()));
}
