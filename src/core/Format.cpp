#include "core/Format.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/Tr.h"

namespace zircon {
namespace {

// Widths and precisions beyond this are refused: no real text needs them and
// a stray "%999999999d" must not allocate gigabytes.
constexpr int kMaxField = 1000;
// Precision of the general form when none is given, and of a real shown by
// "%s" (the 15 significant digits a double holds).
constexpr int kGeneralDigits = 15;

QString errorText(QStringView placeholder)
{
    QString text = QLatin1Char('[') + tr("Ошибка формата") + QStringLiteral(": %");
    text.append(placeholder);
    text.append(QLatin1Char(']'));
    return text;
}

QString unsignedDigits(uint64_t value, int base)
{
    return QString::number(value, base).toUpper();
}

// Zero-pads digits to `precision` characters, then puts the sign in front.
QString withMinimumDigits(QString digits, bool negative, int precision)
{
    if (precision > digits.size())
        digits.prepend(QString(precision - digits.size(), QLatin1Char('0')));
    if (negative)
        digits.prepend(QLatin1Char('-'));
    return digits;
}

std::optional<QString> nonFinite(double v)
{
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    return std::nullopt;
}

// A rounded negative value with only zeros left ("-0.00") reads as 0.
QString dropNegativeZero(QString text)
{
    if (text.startsWith(QLatin1Char('-'))) {
        bool allZero = true;
        for (qsizetype i = 1; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c != QLatin1Char('0') && c != QLatin1Char('.')) {
                allZero = false;
                break;
            }
        }
        if (allZero)
            text.remove(0, 1);
    }
    return text;
}

QString fixedText(double v, int decimals)
{
    if (auto special = nonFinite(v))
        return *special;
    return dropNegativeZero(QString::number(v, 'f', decimals));
}

// Qt writes the exponent as "E+03"; the program's texts show at least three
// exponent digits ("E+003") in the scientific form.
QString scientificText(double v, int digits)
{
    if (auto special = nonFinite(v))
        return *special;
    const int significant = std::max(digits, 1);
    QString text = QString::number(v, 'E', significant - 1);
    const qsizetype e = text.indexOf(QLatin1Char('E'));
    if (e < 0 || e + 2 > text.size())
        return text;
    const QString mantissa = text.left(e);
    const QChar sign = text[e + 1];
    QString exponent = text.mid(e + 2);
    if (exponent.size() < 3)
        exponent.prepend(QString(3 - exponent.size(), QLatin1Char('0')));
    return mantissa + QLatin1Char('E') + sign + exponent;
}

// The general form: fixed when it is short enough, else scientific with a
// plain exponent ("1E20", "1E-7").
QString generalText(double v, int digits)
{
    if (auto special = nonFinite(v))
        return *special;
    QString text = QString::number(v, 'g', std::max(digits, 1));
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e < 0)
        return text;
    QString mantissa = text.left(e);
    QString exponent = text.mid(e + 1);
    bool negative = false;
    if (exponent.startsWith(QLatin1Char('+')) || exponent.startsWith(QLatin1Char('-'))) {
        negative = exponent.startsWith(QLatin1Char('-'));
        exponent.remove(0, 1);
    }
    while (exponent.size() > 1 && exponent.startsWith(QLatin1Char('0')))
        exponent.remove(0, 1);
    return mantissa + QLatin1Char('E') + (negative ? QStringLiteral("-") : QString()) + exponent;
}

QString groupedText(double v, int decimals)
{
    QString text = fixedText(v, decimals);
    if (nonFinite(v))
        return text;
    const qsizetype signEnd = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    qsizetype intEnd = text.indexOf(QLatin1Char('.'));
    if (intEnd < 0)
        intEnd = text.size();
    for (qsizetype pos = intEnd - 3; pos > signEnd; pos -= 3)
        text.insert(pos, QLatin1Char(','));
    return text;
}

// The text of any argument, for "%s".
QString argumentText(const FormatArg& arg)
{
    switch (arg.kind()) {
    case FormatArg::Kind::Int:
        return QString::number(arg.intValue());
    case FormatArg::Kind::UInt:
        return QString::number(arg.uintValue());
    case FormatArg::Kind::Double:
        return generalText(arg.doubleValue(), kGeneralDigits);
    case FormatArg::Kind::Text:
        return arg.textValue();
    }
    return {};
}

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

bool isInteger(const FormatArg& arg)
{
    return arg.kind() == FormatArg::Kind::Int || arg.kind() == FormatArg::Kind::UInt;
}

// One conversion; nullopt when the argument does not fit the type.
std::optional<QString> convert(QChar type, const FormatArg& arg, std::optional<int> precision)
{
    switch (type.unicode()) {
    case 'd': {
        if (!isInteger(arg))
            return std::nullopt;
        if (arg.kind() == FormatArg::Kind::UInt)
            return withMinimumDigits(unsignedDigits(arg.uintValue(), 10), false, precision.value_or(0));
        const int64_t v = arg.intValue();
        // The magnitude in unsigned arithmetic, so INT64_MIN has one too.
        const uint64_t magnitude = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
        return withMinimumDigits(unsignedDigits(magnitude, 10), v < 0, precision.value_or(0));
    }
    case 'u':
    case 'x': {
        if (!isInteger(arg))
            return std::nullopt;
        uint64_t bits = arg.uintValue();
        if (arg.kind() == FormatArg::Kind::Int) {
            const int64_t v = arg.intValue();
            bits = arg.isNarrow() ? static_cast<uint64_t>(static_cast<uint32_t>(v)) : static_cast<uint64_t>(v);
        }
        return withMinimumDigits(unsignedDigits(bits, type == QLatin1Char('x') ? 16 : 10), false,
                                 precision.value_or(0));
    }
    case 'f':
    case 'e':
    case 'g':
    case 'n':
    case 'm': {
        double v = 0.0;
        switch (arg.kind()) {
        case FormatArg::Kind::Double:
            v = arg.doubleValue();
            break;
        case FormatArg::Kind::Int:
            v = static_cast<double>(arg.intValue());
            break;
        case FormatArg::Kind::UInt:
            v = static_cast<double>(arg.uintValue());
            break;
        case FormatArg::Kind::Text:
            return std::nullopt;
        }
        if (type == QLatin1Char('f'))
            return fixedText(v, precision.value_or(2));
        if (type == QLatin1Char('e'))
            return scientificText(v, precision.value_or(kGeneralDigits));
        if (type == QLatin1Char('g'))
            return generalText(v, precision.value_or(kGeneralDigits));
        return groupedText(v, precision.value_or(2));
    }
    case 's': {
        QString text = argumentText(arg);
        if (precision && *precision < text.size())
            text.truncate(*precision);
        return text;
    }
    default:
        return std::nullopt;
    }
}

// Reads the placeholders of one pattern from left to right.
class Formatter {
public:
    Formatter(const QString& pattern, const std::vector<FormatArg>& args) : m_pattern(pattern), m_args(args) {}

    QString run()
    {
        QString out;
        out.reserve(m_pattern.size() + 8 * static_cast<qsizetype>(m_args.size()));
        const qsizetype n = m_pattern.size();
        while (m_pos < n) {
            qsizetype next = m_pattern.indexOf(QLatin1Char('%'), m_pos);
            if (next < 0)
                next = n;
            out.append(QStringView(m_pattern).mid(m_pos, next - m_pos));
            m_pos = next;
            if (m_pos < n)
                out += placeholder();
        }
        return out;
    }

private:
    // Digits or "*" (taken from the next argument, which must be an integer).
    // nullopt when neither is there; false in `ok` when it cannot be read.
    std::optional<int> number(bool& ok)
    {
        const qsizetype n = m_pattern.size();
        if (m_pos < n && m_pattern[m_pos] == QLatin1Char('*')) {
            ++m_pos;
            if (m_arg >= m_args.size() || !isInteger(m_args[m_arg])) {
                ok = false;
                return 0;
            }
            const FormatArg& arg = m_args[m_arg++];
            const int64_t v = arg.kind() == FormatArg::Kind::Int ? arg.intValue()
                                                                 : static_cast<int64_t>(std::min<uint64_t>(arg.uintValue(), INT64_MAX));
            if (v < 0 || v > kMaxField) {
                ok = false;
                return 0;
            }
            return static_cast<int>(v);
        }
        if (m_pos >= n || !isAsciiDigit(m_pattern[m_pos]))
            return std::nullopt;
        int64_t v = 0;
        while (m_pos < n && isAsciiDigit(m_pattern[m_pos])) {
            v = v * 10 + (m_pattern[m_pos].unicode() - '0');
            if (v > kMaxField)
                ok = false;  // keep reading so the whole placeholder is shown
            if (v > INT32_MAX)
                v = INT32_MAX;
            ++m_pos;
        }
        return static_cast<int>(v);
    }

    QString placeholder()
    {
        const qsizetype start = m_pos;  // at the "%"
        ++m_pos;
        const qsizetype n = m_pattern.size();
        if (m_pos < n && m_pattern[m_pos] == QLatin1Char('%')) {
            ++m_pos;
            return QStringLiteral("%");
        }
        bool ok = true;
        std::optional<int> value = number(ok);
        if (m_pos < n && m_pattern[m_pos] == QLatin1Char(':')) {
            ++m_pos;
            if (value)
                m_arg = static_cast<size_t>(*value);
            else
                ok = false;
            value.reset();
        }
        bool leftAlign = false;
        if (!value && m_pos < n && m_pattern[m_pos] == QLatin1Char('-')) {
            leftAlign = true;
            ++m_pos;
            value = number(ok);
        }
        const std::optional<int> width = value;
        std::optional<int> precision;
        if (m_pos < n && m_pattern[m_pos] == QLatin1Char('.')) {
            ++m_pos;
            precision = number(ok).value_or(0);
        }
        if (m_pos >= n)
            return errorText(QStringView(m_pattern).mid(start + 1));
        const QChar type = m_pattern[m_pos].toLower();
        ++m_pos;
        const QStringView text = QStringView(m_pattern).mid(start + 1, m_pos - start - 1);
        if (!ok || m_arg >= m_args.size())
            return errorText(text);
        const std::optional<QString> converted = convert(type, m_args[m_arg++], precision);
        if (!converted)
            return errorText(text);
        QString result = *converted;
        if (width && *width > result.size()) {
            const QString pad(*width - result.size(), QLatin1Char(' '));
            result = leftAlign ? result + pad : pad + result;
        }
        return result;
    }

    const QString& m_pattern;
    const std::vector<FormatArg>& m_args;
    qsizetype m_pos = 0;
    size_t m_arg = 0;  // the argument the next unindexed placeholder takes
};

}  // namespace

QString fmt(const QString& pattern, const std::vector<FormatArg>& args)
{
    return Formatter(pattern, args).run();
}

}  // namespace zircon
