#include "platform/Preferences.h"

#include <QSettings>

#include <cstring>

namespace {
// Integers are stored with a marker so they can never be confused with strings of digits.
constexpr const char* kIntPrefix = "int:";
constexpr const char* kStrPrefix = "str:";
} // namespace

TPreferenceStore::TPreferenceStore()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Ostravane"),
                                             QStringLiteral("Vellumtrace"))) {}

TPreferenceStore::TPreferenceStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

TPreferenceStore::~TPreferenceStore() = default;

std::optional<double> TPreferenceStore::ReadFloat(const QString& name) const {
    const QVariant v = m_settings->value(name);
    if (v.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    const QByteArray bytes = v.toByteArray();
    if (bytes.size() != int(sizeof(double)))
        return std::nullopt;
    double d = 0;
    std::memcpy(&d, bytes.constData(), sizeof d); // little-endian as the Windows registry stores it
    return d;
}

std::optional<int32_t> TPreferenceStore::ReadInteger(const QString& name) const {
    const QVariant v = m_settings->value(name);
    if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong)
        return int32_t(v.toLongLong());
    if (v.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString s = v.toString();
    if (!s.startsWith(QLatin1String(kIntPrefix)))
        return std::nullopt;
    bool ok = false;
    const int value = s.mid(int(std::strlen(kIntPrefix))).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<bool> TPreferenceStore::ReadBool(const QString& name) const {
    const auto i = ReadInteger(name);
    if (!i)
        return std::nullopt;
    return *i != 0;
}

std::optional<QString> TPreferenceStore::ReadString(const QString& name) const {
    const QVariant v = m_settings->value(name);
    if (v.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString s = v.toString();
    if (!s.startsWith(QLatin1String(kStrPrefix)))
        return std::nullopt;
    return s.mid(int(std::strlen(kStrPrefix)));
}

bool TPreferenceStore::WriteFloat(const QString& name, double value) {
    QByteArray bytes(int(sizeof value), '\0');
    std::memcpy(bytes.data(), &value, sizeof value);
    m_settings->setValue(name, bytes);
    return Status(nullptr);
}

bool TPreferenceStore::WriteInteger(const QString& name, int32_t value) {
    m_settings->setValue(name, QLatin1String(kIntPrefix) + QString::number(value));
    return Status(nullptr);
}

bool TPreferenceStore::WriteBool(const QString& name, bool value) {
    return WriteInteger(name, value ? 1 : 0);
}

bool TPreferenceStore::WriteString(const QString& name, const QString& value) {
    m_settings->setValue(name, QLatin1String(kStrPrefix) + value);
    return Status(nullptr);
}

bool TPreferenceStore::ValueExists(const QString& name) const {
    return m_settings->contains(name);
}

void TPreferenceStore::DeleteValue(const QString& name) {
    m_settings->remove(name);
}

bool TPreferenceStore::Flush(QString* error) {
    m_settings->sync();
    return Status(error);
}

bool TPreferenceStore::Status(QString* error) const {
    switch (m_settings->status()) {
    case QSettings::NoError:
        return true;
    case QSettings::AccessError:
        if (error)
            *error = QStringLiteral("The preferences file %1 cannot be written.")
                         .arg(m_settings->fileName());
        return false;
    case QSettings::FormatError:
        if (error)
            *error =
                QStringLiteral("The preferences file %1 is damaged.").arg(m_settings->fileName());
        return false;
    }
    return false;
}
