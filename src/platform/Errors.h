#pragma once

#include <QString>

#include <exception>
#include <string>

// The one error type for failures the user must read: unreadable files, bad data, refused runs.
// The message is complete and user-readable; it is shown once per user action (a message box in
// the editor, stderr in unattended runs).
class TUserError : public std::exception {
public:
    explicit TUserError(QString message)
        : m_message(std::move(message)), m_utf8(m_message.toStdString()) {}
    const QString& Message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};
