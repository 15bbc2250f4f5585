#pragma once
// The program's one exception type: it carries only a message text.
#include <QString>
#include <stdexcept>

class Exception : public std::runtime_error
{
public:
    explicit Exception(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};
