#pragma once
// The formula language of the shredding methods: an arithmetic formula over
// the five numbers of a draw (n1..n5) and of the two draws before it (p1..p5,
// t1..t5), evaluated in 80-bit extended precision, of which a chosen number of
// decimal digits after the point is kept as the method's value.
//
// The variables are replaced in the text by the decimal numbers before the
// text is parsed, so "2n1" reads 2 followed by the digits of n1. The value a
// formula gives is defined by that replacement (EvalCombFormula); a
// ShreddingFormula reaches the same values faster: it parses the text once
// into a flat program whose variables are loads, which is exact wherever a
// variable stands as a whole number of its own. A formula where the
// replacement glues digits to their neighbours ("2n1", "n1.5", "n1E2") keeps
// its prepared text and puts the digits in each time; one where it may form
// new names ("nn1") is replaced afresh each time, as the definition goes.
#include <QChar>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <optional>

namespace zircon {

// The evaluator of one formula text: blanks and control characters dropped,
// letters taken in upper case, then expression := term {("+"|"-") term},
// term := factor {("*"|"/"|"^") factor} (the three on one level, left to
// right), factor := "(" expression ")" | number | E | PI | function "("
// expression ")". Any error (syntax, division by zero, overflow, a domain
// error) makes the text not evaluable.
class TRxMathParser {
public:
    // `decimalSeparator` is accepted as a decimal point beside ".".
    explicit TRxMathParser(QChar decimalSeparator = QChar(u'.'));

    // The value of the text, or nullopt when it cannot be evaluated.
    std::optional<long double> Evaluate(QStringView text) const;

private:
    char16_t m_separator;
};

// How deeply parentheses and function calls may nest; deeper is an error, so
// that no formula can exhaust the stack.
inline constexpr int kFormulaMaxNesting = 100;
// How many multiplications a power with a whole exponent may take; a power
// that would need more (and does not settle at 0, 1 or an overflow before)
// is an error, so that no formula hangs the evaluation.
inline constexpr int64_t kFormulaMaxPowerSteps = 65536;

// The formula text with n1..n5, p1..p5 and t1..t5 (the letter in either case)
// replaced by the decimal numbers of the three rows, position by position,
// n before p before t.
QString substituteFormulaVariables(const QString& formula, const uint8_t* n, const uint8_t* p, const uint8_t* t);

// The integer part of frac(|result|) x 10^digits; 0 when the formula cannot
// be evaluated. `digits` is taken in 0..9, so that 10^digits fits 32 bits.
int32_t EvalCombFormula(const uint8_t* n, const uint8_t* p, const uint8_t* t, int digits, const QString& formula);

// Whether the formula reads the previous draws (p1..p5 or t1..t5), by name
// or through a name the replacement may form.
bool formulaUsesPreviousDraws(const QString& formula);

// A formula prepared once for many evaluations, with the values of
// EvalCombFormula. Cheap to copy; a copy may be evaluated on another thread.
class ShreddingFormula {
public:
    // An empty formula: every value is 0.
    ShreddingFormula();
    ShreddingFormula(const QString& formula, int digits);

    const QString& text() const;
    int digits() const;
    // False when the formula's text must be parsed afresh every time.
    bool compiled() const;
    bool usesPreviousDraws() const;

    // The raw result for the three rows, nullopt on an error.
    std::optional<long double> evaluate(const uint8_t* n, const uint8_t* p, const uint8_t* t) const;
    // The value: 0 .. 10^digits - 1.
    int32_t value(const uint8_t* n, const uint8_t* p, const uint8_t* t) const;

    struct Impl;

private:
    std::shared_ptr<const Impl> m_impl;
};

}  // namespace zircon
