#pragma once
// The one exception type of the program: a message for the user, already in
// the interface language. Commands catch it and show it in a message box.
#include <QString>

#include <exception>
#include <string>

namespace zircon {

class Error : public std::exception {
public:
    explicit Error(QString text) : m_text(std::move(text)), m_utf8(m_text.toStdString()) {}
    const QString& text() const noexcept { return m_text; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_text;
    std::string m_utf8;
};

// The user's text of any exception: ours as it stands, others by what().
inline QString errorText(const std::exception& e)
{
    if (auto* own = dynamic_cast<const Error*>(&e))
        return own->text();
    return QString::fromLocal8Bit(e.what());
}

}  // namespace zircon
