#include "stats/ShreddingFormula.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <numbers>
#include <string>
#include <vector>

namespace zircon {
namespace {

constexpr int kRows = 3;       // n, p, t
constexpr int kRowSize = 5;    // positions 1..5
constexpr int kSlots = kRows * kRowSize;
// A character of the private use area stands for variable `slot` in a text
// being compiled, so that the parse sees one token where the replacement
// would put the digits of a number.
constexpr char16_t kSlotBase = 0xE000;
// Each level of nesting keeps at most two values waiting (the sum and the
// product being built) while the level below is evaluated.
constexpr int kMaxStack = 2 * kFormulaMaxNesting + 8;
constexpr long double kTwo63 = 9223372036854775808.0L;
constexpr long double kHalfPi = std::numbers::pi_v<long double> / 2;
constexpr uint8_t kZeroRow[kRowSize] = {};

constexpr char16_t kVariableLetters[kRows] = {u'N', u'P', u'T'};

bool isSlot(char16_t c) { return c >= kSlotBase && c < kSlotBase + kSlots; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isLetter(char16_t c) { return c >= u'A' && c <= u'Z'; }
char16_t upperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - (u'a' - u'A')) : c; }
int hexValue(char16_t c)
{
    if (isDigit(c))
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// What may follow a number or a constant.
bool endsNumber(char16_t c)
{
    return c == 0 || c == u')' || c == u'*' || c == u'+' || c == u'-' || c == u'/' || c == u'^';
}

// What may follow an expression.
bool endsExpression(char16_t c)
{
    return c == 0 || c == u')' || c == u',' || c == u'<' || c == u'=' || c == u'>';
}

enum class Op : uint8_t {
    Const,
    Load,
    LoadNegative,
    Add,
    Sub,
    Mul,
    Div,
    Pow,
    ArcTan,
    Cos,
    Sin,
    Tan,
    Abs,
    Exp,
    Ln,
    Log,
    Sqrt,
    Sqr,
    Int,
    Frac,
    Trunc,
    Round,
    ArcSin,
    ArcCos,
    Sign,
    Not,
};

struct FunctionName {
    std::u16string_view name;
    Op op;
};

// In the order names are tried, so SQRT is found before SQR.
constexpr FunctionName kFunctions[] = {
    {u"ARCTAN", Op::ArcTan}, {u"COS", Op::Cos},       {u"SIN", Op::Sin},       {u"TAN", Op::Tan},
    {u"ABS", Op::Abs},       {u"EXP", Op::Exp},       {u"LN", Op::Ln},         {u"LOG", Op::Log},
    {u"SQRT", Op::Sqrt},     {u"SQR", Op::Sqr},       {u"INT", Op::Int},       {u"FRAC", Op::Frac},
    {u"TRUNC", Op::Trunc},   {u"ROUND", Op::Round},   {u"ARCSIN", Op::ArcSin}, {u"ARCCOS", Op::ArcCos},
    {u"SIGN", Op::Sign},     {u"NOT", Op::Not},
};

struct Instr {
    Op op = Op::Const;
    uint8_t row = 0;
    uint8_t pos = 0;
    long double value = 0;
};

// A compiled text: the instructions of a stack machine in evaluation order,
// or not valid when the text has a syntax error.
struct Program {
    std::vector<Instr> code;
    bool valid = false;

    void clear()
    {
        code.clear();
        valid = false;
    }
};

// The C locale for reading decimal numbers, whatever locale the process runs in.
locale_t cLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

// Drops every character of code 32 or less and takes letters in upper case;
// false when the parentheses do not balance. A leading sign gets a 0 in front.
bool prepareText(std::u16string_view text, std::u16string& out)
{
    out.clear();
    long long balance = 0;
    for (char16_t c : text) {
        if (c <= 32)
            continue;
        c = upperAscii(c);
        if (c == u'(')
            ++balance;
        else if (c == u')')
            --balance;
        out.push_back(c);
    }
    if (balance != 0)
        return false;
    if (!out.empty() && (out.front() == u'+' || out.front() == u'-'))
        out.insert(out.begin(), u'0');
    return true;
}

// Recursive descent over a prepared text, emitting the program as it goes.
// The parse never depends on a value, so a variable token parses exactly as
// the digits that would stand in its place.
class Compiler {
public:
    Compiler(const std::u16string& text, char16_t separator, bool variables, Program& out, std::string& number)
        : m_text(text), m_separator(separator), m_variables(variables), m_out(out), m_number(number)
    {
    }

    void run()
    {
        m_out.clear();
        m_out.valid = expression() && m_stack == 1;
    }

private:
    enum class NumberResult { NotNumber, Number, Failed };

    char16_t at(size_t i) const { return i < m_text.size() ? m_text[i] : char16_t{0}; }
    char16_t cur() const { return at(m_pos); }

    bool put(Op op, long double value = 0, int row = 0, int pos = 0)
    {
        switch (op) {
        case Op::Const:
        case Op::Load:
        case Op::LoadNegative:
            if (++m_stack > kMaxStack)
                return false;
            break;
        case Op::Add:
        case Op::Sub:
        case Op::Mul:
        case Op::Div:
        case Op::Pow:
            --m_stack;
            break;
        default:
            break;
        }
        Instr in;
        in.op = op;
        in.row = static_cast<uint8_t>(row);
        in.pos = static_cast<uint8_t>(pos);
        in.value = value;
        m_out.code.push_back(in);
        return true;
    }

    bool expression()
    {
        if (!term())
            return false;
        for (;;) {
            const char16_t c = cur();
            if (c != u'+' && c != u'-')
                break;
            ++m_pos;
            if (!term() || !put(c == u'+' ? Op::Add : Op::Sub))
                return false;
        }
        return endsExpression(cur());
    }

    bool term()
    {
        if (!factor())
            return false;
        for (;;) {
            const char16_t c = cur();
            Op op;
            if (c == u'*')
                op = Op::Mul;
            else if (c == u'/')
                op = Op::Div;
            else if (c == u'^')
                op = Op::Pow;
            else
                break;
            ++m_pos;
            if (!factor() || !put(op))
                return false;
        }
        return true;
    }

    // "(" expression ")" once the opening parenthesis is current.
    bool parenthesised()
    {
        if (++m_depth > kFormulaMaxNesting)
            return false;
        ++m_pos;
        if (!expression() || cur() != u')')
            return false;
        ++m_pos;
        --m_depth;
        return true;
    }

    bool factor()
    {
        const char16_t c = cur();
        if (c == u'(')
            return parenthesised();
        switch (number()) {
        case NumberResult::Number: return true;
        case NumberResult::Failed: return false;
        case NumberResult::NotNumber: break;
        }
        if (c == u'E' && endsNumber(at(m_pos + 1))) {
            ++m_pos;
            return put(Op::Const, std::numbers::e_v<long double>);
        }
        if (c == u'P' && at(m_pos + 1) == u'I' && endsNumber(at(m_pos + 2))) {
            m_pos += 2;
            return put(Op::Const, std::numbers::pi_v<long double>);
        }
        const std::u16string_view rest = std::u16string_view(m_text).substr(std::min(m_pos, m_text.size()));
        for (const FunctionName& f : kFunctions) {
            if (!rest.starts_with(f.name))
                continue;
            m_pos += f.name.size();
            if (cur() != u'(')
                return false;
            return parenthesised() && put(f.op);
        }
        return false;
    }

    NumberResult number()
    {
        size_t i = m_pos;
        if (at(i) == u'$') {
            ++i;
            uint32_t v = 0;
            int digits = 0;
            while (digits < 8 && hexValue(at(i)) >= 0) {
                v = v * 16 + static_cast<uint32_t>(hexValue(at(i)));
                ++i;
                ++digits;
            }
            if (digits == 0 || !endsNumber(at(i)))
                return NumberResult::NotNumber;
            m_pos = i;
            // Eight digits fill the 32 bits of a signed integer: $FFFFFFFF is -1.
            return put(Op::Const, static_cast<long double>(static_cast<int32_t>(v))) ? NumberResult::Number
                                                                                       : NumberResult::Failed;
        }

        m_number.clear();
        bool negative = false;
        if (at(i) == u'+' || at(i) == u'-') {
            negative = at(i) == u'-';
            m_number.push_back(negative ? '-' : '+');
            ++i;
        }
        if (m_variables && isSlot(at(i))) {
            const int slot = at(i) - kSlotBase;
            ++i;
            if (!endsNumber(at(i)))
                return NumberResult::NotNumber;
            m_pos = i;
            return put(negative ? Op::LoadNegative : Op::Load, 0, slot / kRowSize, slot % kRowSize)
                       ? NumberResult::Number
                       : NumberResult::Failed;
        }

        const size_t intStart = i;
        while (isDigit(at(i)))
            ++i;
        const size_t intEnd = i;
        bool point = false;
        size_t fracStart = i;
        size_t fracEnd = i;
        if (at(i) == u'.' || at(i) == m_separator) {
            point = true;
            ++i;
            fracStart = i;
            while (isDigit(at(i)))
                ++i;
            fracEnd = i;
        }
        if (intEnd == intStart && !point)
            return NumberResult::NotNumber;
        // A number that starts with the point gets a leading 0, one that
        // ends with it a trailing 0.
        if (intEnd == intStart)
            m_number.push_back('0');
        for (size_t k = intStart; k < intEnd; ++k)
            m_number.push_back(static_cast<char>(m_text[k]));
        m_number.push_back('.');
        if (fracEnd == fracStart)
            m_number.push_back('0');
        for (size_t k = fracStart; k < fracEnd; ++k)
            m_number.push_back(static_cast<char>(m_text[k]));
        if (at(i) == u'E') {
            size_t j = i + 1;
            if (at(j) == u'+' || at(j) == u'-')
                ++j;
            if (isDigit(at(j))) {
                m_number.push_back('E');
                for (size_t k = i + 1; k < j; ++k)
                    m_number.push_back(static_cast<char>(m_text[k]));
                while (isDigit(at(j)))
                    m_number.push_back(static_cast<char>(m_text[j++]));
                i = j;
            }
        }
        if (!endsNumber(at(i)))
            return NumberResult::NotNumber;
        m_pos = i;
        char* end = nullptr;
        const long double v = strtold_l(m_number.c_str(), &end, cLocale());
        // Too large is an overflow; too small reads as 0 (or a denormal).
        if (!std::isfinite(v))
            return NumberResult::Failed;
        return put(Op::Const, v) ? NumberResult::Number : NumberResult::Failed;
    }

    const std::u16string& m_text;
    char16_t m_separator;
    bool m_variables;
    Program& m_out;
    std::string& m_number;
    size_t m_pos = 0;
    int m_depth = 0;
    int m_stack = 0;
};

// SIN and COS leave magnitudes of 2^63 and more alone, as the FPU does: 0.
long double boundedSin(long double x) { return std::fabs(x) >= kTwo63 ? 0.0L : std::sin(x); }
long double boundedCos(long double x) { return std::fabs(x) >= kTwo63 ? 0.0L : std::cos(x); }

// arctan(x / sqrt(1 - x*x)); false for |x| >= 1 (x = 1 is answered before).
bool arcSinFormula(long double x, long double& r)
{
    const long double d = 1.0L - x * x;
    if (!(d >= 0))
        return false;
    const long double s = std::sqrt(d);
    if (s == 0)
        return false;
    r = std::atan(x / s);
    return true;
}

bool power(long double a, long double b, long double& r)
{
    if (b == 0) {
        r = 1;
        return true;
    }
    if (a == 0 && b > 0) {
        r = 0;
        return true;
    }
    if (b == std::trunc(b) && std::fabs(b) <= 2147483647.0L) {
        const auto e = static_cast<int64_t>(std::fabs(b));
        long double x = 1;
        if (a == 1) {
            x = 1;
        } else if (a == -1) {
            x = e % 2 != 0 ? -1 : 1;
        } else {
            int64_t steps = 0;
            for (int64_t k = 0; k < e; ++k) {
                const long double next = x * a;
                // Once the product reaches 0, an overflow or stops changing
                // (a denormal times a factor near 1), every further step
                // gives the same, so the loop may stop there.
                const bool settled = next == x || next == 0 || std::isinf(next);
                x = next;
                if (settled)
                    break;
                if (++steps >= kFormulaMaxPowerSteps && k + 1 < e)
                    return false;
            }
        }
        if (!std::isfinite(x))
            return false;
        if (b < 0) {
            if (x == 0)
                return false;
            x = 1.0L / x;
        }
        r = x;
        return true;
    }
    if (a <= 0)
        return false;
    r = std::exp(b * std::log(a));
    return true;
}

bool applyFunction(Op op, long double x, long double& r)
{
    switch (op) {
    case Op::ArcTan: r = std::atan(x); return true;
    case Op::Cos: r = boundedCos(x); return true;
    case Op::Sin: r = boundedSin(x); return true;
    case Op::Tan: {
        const long double c = boundedCos(x);
        if (c == 0)
            return false;
        r = boundedSin(x) / c;
        return true;
    }
    case Op::Abs: r = std::fabs(x); return true;
    case Op::Exp: r = std::exp(x); return true;
    case Op::Ln:
        if (!(x > 0))
            return false;
        r = std::log(x);
        return true;
    case Op::Log:
        if (!(x > 0))
            return false;
        r = std::log(x) / std::log(10.0L);
        return true;
    case Op::Sqrt:
        if (x < 0)
            return false;
        r = std::sqrt(x);
        return true;
    case Op::Sqr: r = x * x; return true;
    case Op::Int:
    case Op::Round: r = std::nearbyint(x); return true;
    case Op::Frac: r = x - std::trunc(x); return true;
    case Op::Trunc: r = std::trunc(x); return true;
    case Op::ArcSin:
        if (x == 1) {
            r = kHalfPi;
            return true;
        }
        return arcSinFormula(x, r);
    case Op::ArcCos:
        if (x == 1) {
            r = 0;
            return true;
        }
        if (!arcSinFormula(x, r))
            return false;
        r = kHalfPi - r;
        return true;
    case Op::Sign: r = x > 0 ? 1 : x < 0 ? -1 : 0; return true;
    case Op::Not: {
        const long double t = std::trunc(x);
        if (t < -kTwo63 || t >= kTwo63)
            return false;
        r = static_cast<long double>(~static_cast<int64_t>(t));
        return true;
    }
    default: return false;
    }
}

// Runs a program; false on any error. Every intermediate result must be
// finite: an overflow or an invalid operation anywhere fails the whole.
bool execute(const Program& program, const uint8_t* const rows[kRows], long double& result)
{
    if (!program.valid)
        return false;
    std::array<long double, kMaxStack> stack;
    int top = -1;
    for (const Instr& in : program.code) {
        long double r = 0;
        switch (in.op) {
        case Op::Const: stack[static_cast<size_t>(++top)] = in.value; continue;
        case Op::Load: stack[static_cast<size_t>(++top)] = rows[in.row][in.pos]; continue;
        case Op::LoadNegative:
            stack[static_cast<size_t>(++top)] = -static_cast<long double>(rows[in.row][in.pos]);
            continue;
        case Op::Add:
        case Op::Sub:
        case Op::Mul:
        case Op::Div:
        case Op::Pow: {
            const long double a = stack[static_cast<size_t>(top - 1)];
            const long double b = stack[static_cast<size_t>(top)];
            --top;
            switch (in.op) {
            case Op::Add: r = a + b; break;
            case Op::Sub: r = a - b; break;
            case Op::Mul: r = a * b; break;
            case Op::Div:
                if (b == 0)
                    return false;
                r = a / b;
                break;
            default:
                if (!power(a, b, r))
                    return false;
                break;
            }
            break;
        }
        default:
            if (!applyFunction(in.op, stack[static_cast<size_t>(top)], r))
                return false;
            break;
        }
        if (!std::isfinite(r))
            return false;
        stack[static_cast<size_t>(top)] = r;
    }
    if (top != 0)
        return false;
    result = stack[0];
    return true;
}

// The text's value, evaluated through the scratch buffers given.
bool evaluateText(std::u16string_view text, char16_t separator, std::u16string& prepared, Program& program,
                  std::string& number, long double& result)
{
    if (!prepareText(text, prepared))
        return false;
    Compiler(prepared, separator, false, program, number).run();
    static const uint8_t* const kNoRows[kRows] = {kZeroRow, kZeroRow, kZeroRow};
    return execute(program, kNoRows, result);
}

void appendDecimal(std::u16string& out, unsigned v)
{
    char16_t digits[3];
    int n = 0;
    do {
        digits[n++] = static_cast<char16_t>(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    while (n > 0)
        out.push_back(digits[--n]);
}

// The plain text replacement: position by position, n before p before t,
// every occurrence of the letter (either case) followed by the position's
// digit, left to right.
void substitute(std::u16string_view formula, const uint8_t* const rows[kRows], std::u16string& out,
                std::u16string& scratch)
{
    out.assign(formula);
    for (int pos = 0; pos < kRowSize; ++pos) {
        const auto digit = static_cast<char16_t>(u'1' + pos);
        for (int row = 0; row < kRows; ++row) {
            scratch.clear();
            bool replaced = false;
            for (size_t i = 0; i < out.size(); ++i) {
                if (i + 1 < out.size() && upperAscii(out[i]) == kVariableLetters[row] && out[i + 1] == digit) {
                    appendDecimal(scratch, rows[row][pos]);
                    ++i;
                    replaced = true;
                } else {
                    scratch.push_back(out[i]);
                }
            }
            if (replaced)
                out.swap(scratch);
        }
    }
}

bool isVariableLetter(char16_t c)
{
    c = upperAscii(c);
    return c == u'N' || c == u'P' || c == u'T';
}

// The replacement done with a token per variable in place of its digits.
struct TokenText {
    std::u16string text;
    bool namesFormed = false;    // a variable stood right after n, p or t
    bool previousDraws = false;  // p or t is read
    bool foreignTokens = false;  // the formula itself holds token characters
};

TokenText tokenise(std::u16string_view formula)
{
    TokenText r;
    r.foreignTokens = std::any_of(formula.begin(), formula.end(), isSlot);
    r.text.assign(formula);
    std::u16string scratch;
    for (int pos = 0; pos < kRowSize; ++pos) {
        const auto digit = static_cast<char16_t>(u'1' + pos);
        for (int row = 0; row < kRows; ++row) {
            scratch.clear();
            for (size_t i = 0; i < r.text.size(); ++i) {
                if (i + 1 < r.text.size() && upperAscii(r.text[i]) == kVariableLetters[row]
                    && r.text[i + 1] == digit) {
                    // A letter before it would meet the number's first digit
                    // and may form a name replaced later.
                    if (i > 0 && isVariableLetter(r.text[i - 1])) {
                        r.namesFormed = true;
                        if (upperAscii(r.text[i - 1]) != u'N')
                            r.previousDraws = true;
                    }
                    if (row > 0)
                        r.previousDraws = true;
                    scratch.push_back(static_cast<char16_t>(kSlotBase + row * kRowSize + pos));
                    ++i;
                } else {
                    scratch.push_back(r.text[i]);
                }
            }
            r.text.swap(scratch);
        }
    }
    return r;
}

// Whether a token of the prepared text stands where the digits of a number
// would merge with their neighbours: after a digit, a point, "$", a letter
// (hexadecimal digits, E) or another token, after the sign of an exponent,
// or before a digit, a point, E or another token.
bool tokensGlue(const std::u16string& prepared, char16_t separator)
{
    const auto at = [&](size_t i) { return i < prepared.size() ? prepared[i] : char16_t{0}; };
    for (size_t i = 0; i < prepared.size(); ++i) {
        if (!isSlot(prepared[i]))
            continue;
        if (i > 0) {
            const char16_t left = prepared[i - 1];
            if (isDigit(left) || left == u'.' || left == separator || left == u'$' || isLetter(left) || isSlot(left))
                return true;
            if ((left == u'+' || left == u'-') && i > 1 && prepared[i - 2] == u'E')
                return true;
        }
        const char16_t right = at(i + 1);
        if (isDigit(right) || right == u'.' || right == separator || right == u'E' || isSlot(right))
            return true;
    }
    return false;
}

int clampDigits(int digits)
{
    return std::clamp(digits, 0, 9);
}

int32_t scaleOf(int digits)
{
    int32_t scale = 1;
    for (int i = 0; i < digits; ++i)
        scale *= 10;
    return scale;
}

int32_t digitsValue(long double result, int32_t scale)
{
    const long double a = std::fabs(result);
    const long double f = a - std::trunc(a);
    const long double v = std::trunc(f * static_cast<long double>(scale));
    if (!(v > 0))
        return 0;
    return std::min(static_cast<int32_t>(v), scale - 1);
}

// Scratch buffers of one thread for formulas evaluated as text.
struct TextScratch {
    std::u16string substituted;
    std::u16string spare;
    std::u16string prepared;
    std::string number;
    Program program;
};

TextScratch& textScratch()
{
    thread_local TextScratch scratch;
    return scratch;
}

std::u16string_view viewOf(const QString& s)
{
    return std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size()));
}

bool evaluateWithRows(std::u16string_view formula, const uint8_t* const rows[kRows], long double& result)
{
    TextScratch& s = textScratch();
    substitute(formula, rows, s.substituted, s.spare);
    return evaluateText(s.substituted, u'.', s.prepared, s.program, s.number, result);
}

// A prepared text with a token per variable: the digits put in, then parsed.
bool evaluateExpanded(const std::u16string& prepared, const uint8_t* const rows[kRows], long double& result)
{
    TextScratch& s = textScratch();
    s.substituted.clear();
    for (char16_t c : prepared) {
        if (isSlot(c)) {
            const int slot = c - kSlotBase;
            appendDecimal(s.substituted, rows[slot / kRowSize][slot % kRowSize]);
        } else {
            s.substituted.push_back(c);
        }
    }
    Compiler(s.substituted, u'.', false, s.program, s.number).run();
    return execute(s.program, rows, result);
}

}  // namespace

// ---------------------------------------------------------------- TRxMathParser

TRxMathParser::TRxMathParser(QChar decimalSeparator) : m_separator(decimalSeparator.unicode()) {}

std::optional<long double> TRxMathParser::Evaluate(QStringView text) const
{
    TextScratch& s = textScratch();
    long double r = 0;
    const std::u16string_view view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
    if (!evaluateText(view, m_separator, s.prepared, s.program, s.number, r))
        return std::nullopt;
    return r;
}

// ---------------------------------------------------------------- free functions

QString substituteFormulaVariables(const QString& formula, const uint8_t* n, const uint8_t* p, const uint8_t* t)
{
    const uint8_t* const rows[kRows] = {n ? n : kZeroRow, p ? p : kZeroRow, t ? t : kZeroRow};
    std::u16string out;
    std::u16string scratch;
    substitute(viewOf(formula), rows, out, scratch);
    return QString::fromUtf16(out.data(), static_cast<qsizetype>(out.size()));
}

int32_t EvalCombFormula(const uint8_t* n, const uint8_t* p, const uint8_t* t, int digits, const QString& formula)
{
    const uint8_t* const rows[kRows] = {n ? n : kZeroRow, p ? p : kZeroRow, t ? t : kZeroRow};
    long double r = 0;
    if (!evaluateWithRows(viewOf(formula), rows, r))
        return 0;
    return digitsValue(r, scaleOf(clampDigits(digits)));
}

bool formulaUsesPreviousDraws(const QString& formula)
{
    return tokenise(viewOf(formula)).previousDraws;
}

// ---------------------------------------------------------------- ShreddingFormula

struct ShreddingFormula::Impl {
    enum class Mode {
        Compiled,  // the program, with the variables as loads
        Expanded,  // the prepared text with a token per variable, digits put in each time
        Replaced,  // the whole text replaced afresh each time (names may form)
    };

    QString text;
    int digits = 0;
    int32_t scale = 1;
    Mode mode = Mode::Compiled;
    bool previousDraws = false;
    Program program;          // Compiled; not valid: every value is 0
    std::u16string prepared;  // Expanded
};

ShreddingFormula::ShreddingFormula() : ShreddingFormula(QString(), 0) {}

ShreddingFormula::ShreddingFormula(const QString& formula, int digits)
{
    auto impl = std::make_shared<Impl>();
    impl->text = formula;
    impl->digits = clampDigits(digits);
    impl->scale = scaleOf(impl->digits);
    const TokenText tokens = tokenise(viewOf(formula));
    impl->previousDraws = tokens.previousDraws;
    std::u16string prepared;
    if (tokens.foreignTokens || tokens.namesFormed) {
        impl->mode = Impl::Mode::Replaced;
    } else if (prepareText(tokens.text, prepared)) {
        // No name can form, so one pass over the tokens gives the replaced
        // text; blanks and case do not touch digits, so the tokens may be
        // prepared before the digits go in.
        if (tokensGlue(prepared, u'.')) {
            impl->mode = Impl::Mode::Expanded;
            impl->prepared = std::move(prepared);
        } else {
            std::string number;
            Compiler(prepared, u'.', true, impl->program, number).run();
        }
    }
    // Unbalanced parentheses stay a compiled program that is never valid.
    m_impl = std::move(impl);
}

const QString& ShreddingFormula::text() const
{
    return m_impl->text;
}

int ShreddingFormula::digits() const
{
    return m_impl->digits;
}

bool ShreddingFormula::compiled() const
{
    return m_impl->mode == Impl::Mode::Compiled;
}

bool ShreddingFormula::usesPreviousDraws() const
{
    return m_impl->previousDraws;
}

std::optional<long double> ShreddingFormula::evaluate(const uint8_t* n, const uint8_t* p, const uint8_t* t) const
{
    const uint8_t* const rows[kRows] = {n ? n : kZeroRow, p ? p : kZeroRow, t ? t : kZeroRow};
    long double r = 0;
    bool ok = false;
    switch (m_impl->mode) {
    case Impl::Mode::Compiled: ok = execute(m_impl->program, rows, r); break;
    case Impl::Mode::Expanded: ok = evaluateExpanded(m_impl->prepared, rows, r); break;
    case Impl::Mode::Replaced: ok = evaluateWithRows(viewOf(m_impl->text), rows, r); break;
    }
    if (!ok)
        return std::nullopt;
    return r;
}

int32_t ShreddingFormula::value(const uint8_t* n, const uint8_t* p, const uint8_t* t) const
{
    const std::optional<long double> r = evaluate(n, p, t);
    return r ? digitsValue(*r, m_impl->scale) : 0;
}

}  // namespace zircon
