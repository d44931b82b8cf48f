// The formula language of the shredding methods: the evaluator's grammar,
// numbers, constants, functions, powers and errors; the replacement of the
// variables; the digits rule; and the prepared form against the plain text.
#include <gtest/gtest.h>

#include <QString>

#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "stats/ShreddingFormula.h"

using namespace zircon;

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kE = std::numbers::e_v<long double>;
constexpr long double kError = -12345.0L;  // marks a text that must not evaluate

using Row = std::array<uint8_t, 5>;

std::string describe(const std::optional<long double>& v)
{
    return v ? std::to_string(static_cast<double>(*v)) : std::string("error");
}

}  // namespace

// ------------------------------------------------------------ the evaluator

TEST(ShreddingFormulaParser, EvaluatesTheLanguage)
{
    struct Case {
        const char* text;
        long double expected;  // kError: the text cannot be evaluated
        long double tolerance = 0;
    };
    const Case cases[] = {
        // One level for * / ^, left to right; + and - below it.
        {"2*3^2", 36},
        {"2^3^2", 64},
        {"8/2*4", 16},
        {"12/3/2", 2},
        {"2-3-4", -5},
        {"2+3*4", 14},
        {"2+3^2", 11},
        {"(2+3)*4", 20},
        {"((1))", 1},
        // A leading sign gets a 0 in front; a sign before a number is its own.
        {"-2^2", -4},
        {"+5", 5},
        {"-5+2", -3},
        {"--5", 5},
        {"2*-3", -6},
        {"2*+3", 6},
        {"2^-1", 0.5L},
        {"2*-PI", kError},
        {"2*-(3)", kError},
        // Blanks and control characters vanish, letters are upper case.
        {" ( 1 + 2 ) / 3 ", 1},
        {"2 3", 23},
        {"1\t+\r\n1", 2},
        {"sqrt(16)", 4},
        // Numbers.
        {".5", 0.5L},
        {"5.", 5},
        {".", 0},
        {"0.1", 0.1L},
        {"1.5E2", 150},
        {"1.5e-2", 0.015L},
        {"2E+3", 2000},
        {"2E", kError},
        {"2E+", kError},
        {"1.2.3", kError},
        {"1E4933", kError},
        {"1E-5000", 0},
        {"5,3", kError},
        {"$10", 16},
        {"$ff", 255},
        {"$7FFFFFFF", 2147483647},
        {"$FFFFFFFF", -1},
        {"$123456789", kError},
        {"$", kError},
        {"$G", kError},
        {"-$10", -16},
        {"2*-$10", kError},
        {"2(3)", kError},
        {"(2)(3)", kError},
        // Constants.
        {"E", kE},
        {"PI", kPi},
        {"pi*2", 2 * kPi},
        {"-PI", -kPi},
        {"PI2", kError},
        {"E5", kError},
        // Functions, SQRT before SQR.
        {"SQRT(16)", 4},
        {"SQR(3)", 9},
        {"SQRT(SQR(3)+SQR(4))", 5},
        {"SQRT(-1)", kError},
        {"SQRTT(4)", kError},
        {"SQRT 4", kError},
        {"SQRT(4,5)", kError},
        {"FOO(1)", kError},
        {"ABS(-2.5)", 2.5L},
        {"EXP(0)", 1},
        {"EXP(20000)", kError},
        {"LN(E)", 1, 1e-18L},
        {"LN(0)", kError},
        {"LN(-1)", kError},
        {"LOG(1000)", 3, 1e-17L},
        {"LOG(0)", kError},
        {"INT(2.5)", 2},
        {"INT(3.5)", 4},
        {"ROUND(-2.5)", -2},
        {"ROUND(2.6)", 3},
        {"FRAC(-2.75)", -0.75L},
        {"TRUNC(-2.75)", -2},
        {"SIGN(-3)", -1},
        {"SIGN(0)", 0},
        {"SIGN(7)", 1},
        {"NOT(5)", -6},
        {"NOT(-1)", 0},
        {"NOT(2.9)", -3},
        {"NOT(1E19)", kError},
        {"ARCTAN(1)", kPi / 4, 1e-18L},
        {"ARCSIN(1)", kPi / 2},
        {"ARCSIN(0)", 0},
        {"ARCSIN(0.5)", kPi / 6, 1e-18L},
        {"ARCSIN(-1)", kError},
        {"ARCSIN(2)", kError},
        {"ARCCOS(1)", 0},
        {"ARCCOS(0)", kPi / 2},
        {"ARCCOS(-1)", kError},
        {"COS(0)", 1},
        {"SIN(0)", 0},
        {"SIN(PI/6)", 0.5L, 1e-18L},
        {"SIN(1E19)", 0},
        {"COS(1E19)", 0},
        {"TAN(0)", 0},
        {"TAN(1E19)", kError},
        // Powers.
        {"0^0", 1},
        {"0^2", 0},
        {"0^0.5", 0},
        {"0^-1", kError},
        {"(-2)^3", -8},
        {"(-2)^-2", 0.25L},
        {"1.5^3", 3.375L},
        {"4^-0.5", 0.5L, 1e-18L},
        {"2^0.5", std::sqrt(2.0L), 1e-18L},
        {"(-8)^(1/3)", kError},
        {"1^2000000000", 1},
        {"(-1)^2000000001", -1},
        {"2^100000", kError},
        {"0.5^100000", 0},
        {"0.5^-100000", kError},
        {"1.0001^100000", kError},
        {"1.0001^60000", std::exp(60000 * std::log(1.0001L)), 1e-9L},
        // Division by zero and overflow anywhere in the text.
        {"1/0", kError},
        {"0/0", kError},
        {"1/(2-2)", kError},
        {"1E4000*1E4000", kError},
        {"1E4000*1E4000*0", kError},
        // Structure.
        {"", kError},
        {"   ", kError},
        {"+", kError},
        {"1+", kError},
        {"2*(3", kError},
        {"2)", kError},
        {")2(", kError},
        // After a closing ")" or "," an expression ends; what follows is not read.
        {"(1+2),5", 3},
        {"5)+(3", 5},
        {"(1+2)<x", 3},
        {"N1", kError},
        {"n1+1", kError},
    };
    const TRxMathParser parser;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<long double> v = parser.Evaluate(QString::fromUtf8(c.text));
        if (c.expected == kError) {
            EXPECT_FALSE(v.has_value()) << "gave " << describe(v);
            continue;
        }
        ASSERT_TRUE(v.has_value());
        if (c.tolerance == 0)
            EXPECT_EQ(*v, c.expected) << describe(v);
        else
            EXPECT_NEAR(static_cast<double>(*v - c.expected), 0.0, static_cast<double>(c.tolerance)) << describe(v);
    }
}

TEST(ShreddingFormulaParser, SecondDecimalSeparator)
{
    const TRxMathParser comma(QChar(u','));
    EXPECT_EQ(comma.Evaluate(u"5,25"), 5.25L);
    EXPECT_EQ(comma.Evaluate(u"5.25"), 5.25L);
    EXPECT_EQ(comma.Evaluate(u",5*2"), 1.0L);
    EXPECT_FALSE(TRxMathParser().Evaluate(u"5,25").has_value());
}

TEST(ShreddingFormulaParser, NestingIsBounded)
{
    const auto nested = [](int depth, const QString& open, const QString& inner) {
        QString s;
        for (int i = 0; i < depth; ++i)
            s += open;
        s += inner;
        for (int i = 0; i < depth; ++i)
            s += u')';
        return s;
    };
    const TRxMathParser parser;
    EXPECT_EQ(parser.Evaluate(nested(kFormulaMaxNesting, QStringLiteral("("), QStringLiteral("7"))), 7.0L);
    EXPECT_FALSE(parser.Evaluate(nested(kFormulaMaxNesting + 1, QStringLiteral("("), QStringLiteral("7"))));
    EXPECT_EQ(parser.Evaluate(nested(kFormulaMaxNesting, QStringLiteral("ABS("), QStringLiteral("-7"))), 7.0L);
    EXPECT_FALSE(parser.Evaluate(nested(kFormulaMaxNesting + 1, QStringLiteral("ABS("), QStringLiteral("-7"))));
    // Far beyond the bound: refused without exhausting the stack.
    EXPECT_FALSE(parser.Evaluate(nested(200000, QStringLiteral("("), QStringLiteral("1"))));
    // A long flat text is no nesting at all.
    QString flat = QStringLiteral("1");
    for (int i = 0; i < 5000; ++i)
        flat += QStringLiteral("+(1)");
    EXPECT_EQ(parser.Evaluate(flat), 5001.0L);
}

// ------------------------------------------------------------ replacement and value

TEST(ShreddingFormulaValue, ReplacesVariablesAsText)
{
    struct Case {
        const char* formula;
        Row n, p, t;
        const char* expected;
    };
    const Row z{};
    const Case cases[] = {
        {"(n1+n2+n3)/(n4+n5)", {5, 12, 33, 45, 69}, z, z, "(5+12+33)/(45+69)"},
        {"N1+n1-P2*t5", {5, 0, 0, 0, 0}, {0, 7, 0, 0, 0}, {0, 0, 0, 0, 200}, "5+5-7*200"},
        {"n 1+n6+n0+x1", {5, 0, 0, 0, 0}, z, z, "n 1+n6+n0+x1"},
        // The digits of n1 form n5, replaced in its turn.
        {"nn1", {5, 0, 0, 0, 69}, z, z, "69"},
        {"pn1", {3, 0, 0, 0, 0}, {0, 0, 20, 0, 0}, z, "20"},
        {"2n1.5", {5, 0, 0, 0, 0}, z, z, "25.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(substituteFormulaVariables(QString::fromUtf8(c.formula), c.n.data(), c.p.data(), c.t.data()),
                  QString::fromUtf8(c.expected))
            << c.formula;
}

TEST(ShreddingFormulaValue, DigitsOfTheResult)
{
    struct Case {
        const char* formula;
        Row n;
        Row p;
        int digits;
        int32_t expected;
    };
    const Row draw{5, 12, 33, 45, 69};
    const Row z{};
    const Case cases[] = {
        // 50/114 = 0.43859...; 17/147 = 0.11564...; 147/17 = 8.6470...
        {"(n1+n2+n3)/(n4+n5)", draw, z, 2, 43},
        {"(n1+n2+n3)/(n4+n5)", draw, z, 3, 438},
        {"(n1+n2+n3)/(n4+n5)", draw, z, 1, 4},
        {"(n1+n2+n3)/(n4+n5)", draw, z, 5, 43859},
        {"(n1+n2+n3)/(n4+n5)", draw, z, 0, 0},
        {"(n1+n2)/(n3+n4+n5)", draw, z, 2, 11},
        {"(n1+n2+n3)/(n4+n5)", {69, 45, 33, 12, 5}, z, 2, 64},
        // 69/4 = 17.25: the digits after the point only; the sign is dropped.
        {"n5/4", draw, z, 2, 25},
        {"0-n5/4", draw, z, 2, 25},
        {"0.999999", draw, z, 5, 99999},
        {"n1-n1", draw, z, 2, 0},
        {"N1/(n2-n2)", draw, z, 2, 0},
        {"SQRT(-n1)", draw, z, 2, 0},
        {"( n1 + n2 ) / n3", draw, z, 2, 51},
        {"(n1+n2)/n3", draw, z, 2, 51},
        {"(n 1+n2)/n3", draw, z, 2, 0},
        {"", draw, z, 2, 0},
        {"(n1+n2", draw, z, 2, 0},
        // The previous draw; zeros in its place.
        {"p1/7", draw, {3, 0, 0, 0, 0}, 2, 42},
        {"p1/7", draw, z, 2, 0},
        {"n1*p1", draw, z, 2, 0},
        // The replaced digits meet their neighbours: 25/7, 5.5, 500/7, 69/7, $15/8.
        {"2n1/7", draw, z, 2, 57},
        {"n1.5", draw, z, 2, 50},
        {"n1E2/7", draw, z, 2, 42},
        {"nn1/7", draw, z, 2, 85},
        {"$1n1/8", draw, z, 2, 62},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.formula) + " with " + std::to_string(c.digits) + " digits");
        const QString f = QString::fromUtf8(c.formula);
        const Row t{};
        EXPECT_EQ(EvalCombFormula(c.n.data(), c.p.data(), t.data(), c.digits, f), c.expected);
        EXPECT_EQ(ShreddingFormula(f, c.digits).value(c.n.data(), c.p.data(), t.data()), c.expected);
    }
}

TEST(ShreddingFormulaValue, WhichFormulasReadThePreviousDraws)
{
    struct Case {
        const char* formula;
        bool previous;
    };
    const Case cases[] = {
        {"(n1+n2+n3)/(n4+n5)", false}, {"n1*p1", true},        {"T5/3", true},      {"p 1+n1", false},
        {"PI*n1", false},              {"SQRT(n1)+EXP(n2)", false}, {"p6+t0", false}, {"pn1", true},
        {"tn2", true},                 {"nn1", false},         {"P3", true},        {"", false},
    };
    for (const Case& c : cases) {
        const QString f = QString::fromUtf8(c.formula);
        EXPECT_EQ(formulaUsesPreviousDraws(f), c.previous) << c.formula;
        EXPECT_EQ(ShreddingFormula(f, 2).usesPreviousDraws(), c.previous) << c.formula;
    }
}

// ------------------------------------------------------------ prepared form

// The prepared formula against the replaced text, over rows that include
// 0 and bytes beyond the range (a combination read from a file).
TEST(ShreddingFormulaPrepared, AgreesWithTheReplacedText)
{
    struct Case {
        const char* formula;
        bool compiled;  // whether it is parsed once (else the text is replaced every time)
    };
    const Case cases[] = {
        {"(n1+n2+n3)/(n4+n5)", true},
        {"(n4+n5)/(n1+n2+n3)", true},
        {"(n1+n2)/(n3+n4+n5)", true},
        {" ( N1 * p2 - t3 ) / ( n4 + 1.5 ) ", true},
        {"-n1/n2", true},
        {"n1^2/(p1+t1)", true},
        {"2*-n1/(n2^-p2)", true},
        {"SQRT(n1*n2)/LN(n3)", true},
        {"ARCSIN(n1/(n2+n3))+ARCCOS(p1/255)", true},
        {"NOT(n1)*INT(n2/3)/FRAC(n3/7)", true},
        {"SIN(n1)+COS(p2)*TAN(t3)", true},
        {"n1/(n2-p2)", true},
        {"(n1+n2),n3", true},
        {"n1/7)+(n2", true},
        {"n1<n2", true},
        {"(n1", true},
        {"n1/7E", true},
        {"n1-n1+PI", true},
        {"n1$", true},
        {"2n1/7", false},
        {"n1.5/n2", false},
        {"n1E1/n2", false},
        {"1E-n1", false},
        {"1E+n1*n2", false},
        {"$n1/7", false},
        {"$1n1/7", false},
        {"n1n2/n3", false},
        {"n 1 + n 2", true},
        {"n1 2/n3", false},
        {"nn1/7", false},
        {"pn1/7", false},
        {"PIn1", false},
        {"SQRn1", false},
        {".n1/3", false},
    };
    std::mt19937 rng(20240611u);
    std::uniform_int_distribution<int> small(0, 70);
    std::uniform_int_distribution<int> byte(0, 255);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formula);
        const QString f = QString::fromUtf8(c.formula);
        for (int digits : {2, 5}) {
            const ShreddingFormula prepared(f, digits);
            EXPECT_EQ(prepared.compiled(), c.compiled);
            int mismatches = 0;
            for (int k = 0; k < 600; ++k) {
                Row n, p, t;
                for (int i = 0; i < 5; ++i) {
                    n[i] = static_cast<uint8_t>(k % 3 == 0 ? byte(rng) : small(rng));
                    p[i] = static_cast<uint8_t>(k % 4 == 0 ? 0 : small(rng));
                    t[i] = static_cast<uint8_t>(k % 5 == 0 ? 0 : small(rng));
                }
                const std::optional<long double> plain = TRxMathParser().Evaluate(
                    substituteFormulaVariables(f, n.data(), p.data(), t.data()));
                const std::optional<long double> fast = prepared.evaluate(n.data(), p.data(), t.data());
                const int32_t expected = EvalCombFormula(n.data(), p.data(), t.data(), digits, f);
                const bool same = plain.has_value() == fast.has_value() && (!plain || *plain == *fast)
                                  && prepared.value(n.data(), p.data(), t.data()) == expected;
                if (!same && ++mismatches <= 3)
                    ADD_FAILURE() << "n1 " << int(n[0]) << " n2 " << int(n[1]) << ": text " << describe(plain)
                                  << ", prepared " << describe(fast);
            }
        }
    }
}

TEST(ShreddingFormulaPrepared, CopiesShareThePreparedForm)
{
    const ShreddingFormula a(QStringLiteral("(n1+n2)/n3"), 3);
    const ShreddingFormula b = a;
    const Row n{5, 12, 33, 0, 0};
    const Row z{};
    EXPECT_EQ(b.text(), QStringLiteral("(n1+n2)/n3"));
    EXPECT_EQ(b.digits(), 3);
    EXPECT_EQ(b.value(n.data(), z.data(), z.data()), 515);
    // An empty formula gives 0, also through null rows.
    const ShreddingFormula empty;
    EXPECT_EQ(empty.value(nullptr, nullptr, nullptr), 0);
    EXPECT_FALSE(empty.evaluate(n.data(), nullptr, nullptr).has_value());
    // Digits beyond 9 are taken as 9, so the scale fits 32 bits.
    EXPECT_EQ(ShreddingFormula(QStringLiteral("1/3"), 40).digits(), 9);
    EXPECT_EQ(EvalCombFormula(n.data(), z.data(), z.data(), 40, QStringLiteral("1/3")), 333333333);
    EXPECT_EQ(EvalCombFormula(n.data(), z.data(), z.data(), -3, QStringLiteral("1/3")), 0);
}
