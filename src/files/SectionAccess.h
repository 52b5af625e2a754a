#pragma once

#include "files/EscapeText.h"
#include "files/IniFile.h"

// One section of a description, read or written key by key.
class TSectionWriter {
public:
    TSectionWriter(TIniFile& ini, QString section) : m_ini(ini), m_section(std::move(section)) {}
    void Integer(const char* key, int32_t v) { m_ini.WriteInteger(m_section, Name(key), v); }
    void Bool(const char* key, bool v) { m_ini.WriteBool(m_section, Name(key), v); }
    void Real(const char* key, double v) { m_ini.WriteFloat(m_section, Name(key), v); }
    void Plain(const char* key, const QString& v) { m_ini.WriteString(m_section, Name(key), v); }
    void Escaped(const char* key, const QString& v) { Plain(key, EscapeText(v)); }
    void Escaped(const QString& key, const QString& v) {
        m_ini.WriteString(m_section, key, EscapeText(v));
    }

private:
    static QString Name(const char* key) { return QString::fromLatin1(key); }
    TIniFile& m_ini;
    QString m_section;
};

class TSectionReader {
public:
    TSectionReader(const TIniFile& ini, QString section)
        : m_ini(ini), m_section(std::move(section)) {}
    const QString& Section() const { return m_section; }
    const TIniFile& Ini() const { return m_ini; }
    int32_t Integer(const char* key, int32_t def) const {
        return m_ini.ReadInteger(m_section, Name(key), def);
    }
    // A byte-sized value; anything outside 0..255 takes the default rather than wrapping.
    uint8_t Byte(const char* key, uint8_t def) const {
        const int32_t v = Integer(key, def);
        return v >= 0 && v <= 255 ? uint8_t(v) : def;
    }
    bool Bool(const char* key, bool def) const { return m_ini.ReadBool(m_section, Name(key), def); }
    double Real(const char* key, double def) const {
        return m_ini.ReadFloat(m_section, Name(key), def);
    }
    QString Plain(const char* key, const QString& def) const {
        return m_ini.ReadString(m_section, Name(key), def);
    }
    QString Escaped(const QString& key) const {
        return UnescapeText(m_ini.ReadString(m_section, key, QString()));
    }
    QString Escaped(const char* key) const { return Escaped(Name(key)); }

private:
    static QString Name(const char* key) { return QString::fromLatin1(key); }
    const TIniFile& m_ini;
    QString m_section;
};
