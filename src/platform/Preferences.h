#pragma once

#include <QString>

#include <memory>
#include <optional>

class QSettings;

// The per-user typed key-value store that keeps preferences and default sheet settings
// (organisation "Ostravane", application "Vellumtrace"). Types stay distinguishable so that a
// value of the wrong type or size reads as unreadable: reals are 8 raw bytes, integers are
// integers and booleans are the integers 0 and 1. Names may contain a sub-key path with "/".
class TPreferenceStore {
public:
    // The user's store.
    TPreferenceStore();
    // A store in the given INI file (tests, portable installs).
    explicit TPreferenceStore(const QString& iniPath);
    ~TPreferenceStore();
    TPreferenceStore(const TPreferenceStore&) = delete;
    TPreferenceStore& operator=(const TPreferenceStore&) = delete;

    std::optional<double> ReadFloat(const QString& name) const;
    std::optional<int32_t> ReadInteger(const QString& name) const;
    // Any integer other than 0 is true.
    std::optional<bool> ReadBool(const QString& name) const;
    std::optional<QString> ReadString(const QString& name) const;

    // Writers report failure (store not writable) by returning false.
    bool WriteFloat(const QString& name, double value);
    bool WriteInteger(const QString& name, int32_t value);
    bool WriteBool(const QString& name, bool value);
    bool WriteString(const QString& name, const QString& value);

    bool ValueExists(const QString& name) const;
    void DeleteValue(const QString& name);
    // Flushes to storage; false with a reason when the store cannot be written.
    bool Flush(QString* error = nullptr);

private:
    bool Status(QString* error) const;
    std::unique_ptr<QSettings> m_settings;
};
