#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// A sections-and-keys text file: "[SECTION]" lines followed by "KEY=value" lines. Section and
// key names match without regard to case; the first of duplicate sections or keys wins. Values
// lose blanks at either end and are cut to MaxValueLength characters when read. Keys keep the
// order in which they were first written.
//
// Files are 8-bit text: read as Windows-1252 unless they start with a UTF-8 byte-order mark;
// written as Windows-1252 when every character fits, otherwise as UTF-8 with the mark.
class TIniFile {
public:
    static constexpr qsizetype MaxValueLength = 2047;
    // Larger files are refused rather than read into memory.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;
    // Sections, and keys in all sections together, a file may hold: a label of a thousand
    // controls has about a thousand sections and fifty thousand keys. Beyond these a file of
    // empty lines' worth of names could take gigabytes once read.
    static constexpr qsizetype MaxSections = 100'000;
    static constexpr qsizetype MaxKeys = 1'000'000;

    // Throws TUserError naming source when the bytes hold more sections or keys than allowed.
    static TIniFile FromBytes(QByteArrayView bytes, const QString& source = QString());
    // Throws TUserError naming the path when the file is missing, unreadable, too large or
    // holds too many sections or keys.
    static TIniFile Load(const QString& path);

    QByteArray ToBytes() const;
    // Replaces the file only once the new contents are completely written; throws TUserError.
    void Save(const QString& path) const;

    bool SectionExists(const QString& section) const;
    // Names as they stand in the file, in file order.
    QStringList SectionNames() const;
    QStringList KeyNames(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Not a whole number: def.
    int32_t ReadInteger(const QString& section, const QString& key, int32_t def) const;
    // Any whole number other than 0 is true; not a whole number: def.
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    // "." or "," as decimal separator; empty or not a number: def.
    double ReadFloat(const QString& section, const QString& key, double def) const;

    // Line breaks in a value would end it, so they are written as blanks.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int32_t value);
    void WriteBool(const QString& section, const QString& key, bool value);
    // With the decimal separator of the user's locale.
    void WriteFloat(const QString& section, const QString& key, double value);

private:
    struct TKey {
        QString Name;
        QString Value;
    };
    struct TSection {
        QString Name;
        std::vector<TKey> Keys;
        QHash<QString, size_t> Index;
    };

    const QString* Find(const QString& section, const QString& key) const;
    TSection& SectionFor(const QString& section);

    std::vector<TSection> m_sections;
    QHash<QString, size_t> m_index;
    size_t m_lastWritten = SIZE_MAX;
};
