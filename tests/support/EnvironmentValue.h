#pragma once

#include <QByteArray>
#include <QtGlobal>

// An environment variable a test changes, put back as it was when this goes out of scope.
class TEnvironmentValue {
public:
    // Keeps the variable's value to restore; the test changes it as it likes.
    explicit TEnvironmentValue(const char* name)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_saved(qgetenv(name)) {}
    // Sets the variable to value, or removes it given a null value.
    TEnvironmentValue(const char* name, const QByteArray& value) : TEnvironmentValue(name) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~TEnvironmentValue() {
        if (m_wasSet)
            qputenv(m_name, m_saved);
        else
            qunsetenv(m_name);
    }
    TEnvironmentValue(const TEnvironmentValue&) = delete;
    TEnvironmentValue& operator=(const TEnvironmentValue&) = delete;

private:
    const char* m_name;
    bool m_wasSet;
    QByteArray m_saved;
};
