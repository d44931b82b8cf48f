#pragma once
// The formatter of the program's format strings, which keep their original
// form: "%s", "%d", "%.5f", "%.3d", "%0:s", "%%", widths ("%5d", "%-5d") and
// "*" taken from the arguments.
//
// Placeholder: "%" [index ":"] ["-"] [width] ["." precision] type, where
// index, width and precision are decimal digits or "*". Types:
//   d  signed integer; precision = minimum digits, zero padded after the sign
//   u  unsigned integer (a negative 32-bit argument reads as its 32-bit bits)
//   x  hexadecimal, upper case; precision as for d
//   f  fixed point; precision = decimals (default 2)
//   e  scientific "d.dddE+ddd"; precision = significant digits (default 15)
//   g  the shorter of fixed and scientific, trailing zeros dropped (default 15)
//   n  fixed point with "," between thousands (default 2 decimals)
//   m  as n: amounts of money, shown without a currency sign
//   s  text; any argument by its text form; precision = most characters
// The decimal point is always "." whatever the system's locale, so that the
// same text is produced on every machine.
//
// A placeholder that does not fit its argument (d, u or x given a real number
// or a text; a real conversion given a text), a missing argument, an unknown
// type or a malformed placeholder is replaced by the visible text
// "[Ошибка формата: %<placeholder>]"; the formatter never throws. Line breaks
// ("\r") in the pattern pass through untouched.
#include <QString>

#include <concepts>
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace zircon {

class FormatArg {
public:
    enum class Kind { Int, UInt, Double, Text };

    template <std::signed_integral T>
        requires(!std::same_as<T, char>)
    FormatArg(T v) : m_kind(Kind::Int), m_int(v), m_narrow(sizeof(T) <= 4) {}

    template <std::unsigned_integral T>
        requires(!std::same_as<T, bool> && !std::same_as<T, char>)
    FormatArg(T v) : m_kind(Kind::UInt), m_uint(v) {}

    template <std::floating_point T>
    FormatArg(T v) : m_kind(Kind::Double), m_double(static_cast<double>(v)) {}

    FormatArg(QString text) : m_kind(Kind::Text), m_text(std::move(text)) {}
    FormatArg(const char* utf8) : m_kind(Kind::Text), m_text(QString::fromUtf8(utf8)) {}
    FormatArg(const std::string& utf8) : m_kind(Kind::Text), m_text(QString::fromStdString(utf8)) {}

    // A bool or a plain char would silently print as a number; say what is meant.
    FormatArg(bool) = delete;
    FormatArg(char) = delete;

    Kind kind() const { return m_kind; }
    int64_t intValue() const { return m_int; }
    uint64_t uintValue() const { return m_uint; }
    double doubleValue() const { return m_double; }
    const QString& textValue() const { return m_text; }
    // The value came from a type of at most 32 bits (its "%u"/"%x" width).
    bool isNarrow() const { return m_narrow; }

private:
    Kind m_kind;
    int64_t m_int = 0;
    uint64_t m_uint = 0;
    double m_double = 0.0;
    QString m_text;
    bool m_narrow = false;
};

QString fmt(const QString& pattern, const std::vector<FormatArg>& args);

template <class... A>
    requires(std::is_constructible_v<FormatArg, A> && ...)
QString fmt(const QString& pattern, A&&... args)
{
    return fmt(pattern, std::vector<FormatArg>{FormatArg(std::forward<A>(args))...});
}

}  // namespace zircon
