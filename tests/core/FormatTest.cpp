#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/Format.h"

using namespace zircon;

namespace {

QString q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

struct Case {
    const char* pattern;
    std::vector<FormatArg> args;
    const char* expected;
};

void runTable(const std::vector<Case>& cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(fmt(q(c.pattern), c.args).toStdString(), std::string(c.expected)) << "pattern \"" << c.pattern << '"';
}

}  // namespace

TEST(Format, IntegerConversions)
{
    runTable({
        {"%d", {42}, "42"},
        {"%d", {-7}, "-7"},
        {"%d", {0}, "0"},
        {"%.3d", {5}, "005"},
        {"%.3d", {-5}, "-005"},  // the sign goes before the zeros
        {"%.3d", {1234}, "1234"},
        {"%.0d", {0}, "0"},
        {"%5d", {42}, "   42"},
        {"%-5d|", {42}, "42   |"},
        {"%5.3d", {7}, "  007"},
        {"%2d", {12345}, "12345"},
        {"%05d", {42}, "   42"},  // a leading 0 is part of the width, not a fill character
        {"%D", {5}, "5"},
        {"%d", {qint64(9223372036854775807LL)}, "9223372036854775807"},
        {"%d", {std::numeric_limits<qint64>::min()}, "-9223372036854775808"},
        {"%d", {std::numeric_limits<uint64_t>::max()}, "18446744073709551615"},
        {"%d", {4294967295u}, "4294967295"},
        {"%d", {uint8_t(69)}, "69"},  // a number byte is a number, not a character
        {"%u", {7}, "7"},
        {"%u", {-1}, "4294967295"},                  // a 32-bit argument
        {"%u", {qint64(-1)}, "18446744073709551615"},  // a 64-bit one
        {"%x", {255}, "FF"},
        {"%.4x", {255}, "00FF"},
        {"%x", {-1}, "FFFFFFFF"},
        {"%X", {48879}, "BEEF"},
    });
}

TEST(Format, RealConversions)
{
    runTable({
        {"%.5f", {3.14159265}, "3.14159"},
        {"%f", {2.5}, "2.50"},
        {"%.0f", {2.4}, "2"},
        {"%.2f", {-0.001}, "0.00"},  // no "-0.00"
        {"%.2f", {-1.5}, "-1.50"},
        {"%.2f", {5}, "5.00"},       // an integer argument is taken as a real
        {"%8.2f", {3.14159}, "    3.14"},
        {"%-8.1f|", {3.14159}, "3.1     |"},
        {"%.*f", {1, 2.26}, "2.3"},
        {"%e", {1234.5}, "1.23450000000000E+003"},
        {"%.3e", {1234.5}, "1.23E+003"},
        {"%.3e", {-0.000123}, "-1.23E-004"},
        {"%g", {0.5}, "0.5"},
        {"%g", {1234.5}, "1234.5"},
        {"%g", {1e20}, "1E20"},
        {"%g", {1e-7}, "1E-7"},
        {"%n", {1234567.891}, "1,234,567.89"},
        {"%.0n", {1234}, "1,234"},
        {"%n", {-1234.5}, "-1,234.50"},
        {"%n", {999}, "999.00"},
        {"%.0n", {-123456}, "-123,456"},
        {"%m", {1234.5}, "1,234.50"},
        {"%f", {std::numeric_limits<double>::infinity()}, "INF"},
        {"%f", {std::numeric_limits<double>::quiet_NaN()}, "NAN"},
    });
}

TEST(Format, TextConversions)
{
    runTable({
        {"%s", {"abc"}, "abc"},
        {"%s", {q("Тираж")}, "Тираж"},
        {"%s", {std::string("std")}, "std"},
        {"%s", {42}, "42"},
        {"%s", {2.5}, "2.5"},
        {"%s", {qint64(-3)}, "-3"},
        {"%.2s", {"abcdef"}, "ab"},
        {"%.10s", {"abc"}, "abc"},
        {"%5s|", {"ab"}, "   ab|"},
        {"%-5s|", {"ab"}, "ab   |"},
        {"%s", {""}, ""},
    });
}

TEST(Format, IndexesPercentAndLiterals)
{
    runTable({
        {"%%", {}, "%"},
        {"100%%", {}, "100%"},
        {"%d%%", {5}, "5%"},
        {"plain", {}, "plain"},
        {"", {}, ""},
        {"%0:s %0:s", {"a"}, "a a"},
        {"%1:s %0:s", {"a", "b"}, "b a"},
        {"%1:s %s", {"a", "b", "c"}, "b c"},  // unindexed ones continue after the index
        {"%0:d x %1:d", {3, 5}, "3 x 5"},
        {"%*d", {5, 42}, "   42"},
        {"%-*d|", {4, 7}, "7   |"},
        {"Тираж № %d от %s, значения: %s", {1275, "02/15/2024", "3;17;25;40;69 e:12"},
         "Тираж № 1275 от 02/15/2024, значения: 3;17;25;40;69 e:12"},
        {"a\rb %d\r", {1}, "a\rb 1\r"},  // line breaks stay as they are
    });
}

TEST(Format, MisfitsGiveTheErrorTextInPlace)
{
    runTable({
        {"%d", {"x"}, "[Ошибка формата: %d]"},
        {"%d", {2.5}, "[Ошибка формата: %d]"},
        {"%x", {2.5}, "[Ошибка формата: %x]"},
        {"%u", {"7"}, "[Ошибка формата: %u]"},
        {"%f", {"x"}, "[Ошибка формата: %f]"},
        {"%.3d", {"x"}, "[Ошибка формата: %.3d]"},
        {"%d", {}, "[Ошибка формата: %d]"},
        {"%s %s", {"a"}, "a [Ошибка формата: %s]"},
        {"%d %s", {"x", "y"}, "[Ошибка формата: %d] y"},  // the misfit still takes its argument
        {"%q", {1}, "[Ошибка формата: %q]"},
        {"%p", {1}, "[Ошибка формата: %p]"},
        {"abc %", {}, "abc [Ошибка формата: %]"},
        {"%5", {1}, "[Ошибка формата: %5]"},
        {"%.3", {1.0}, "[Ошибка формата: %.3]"},
        {"%5:d", {1}, "[Ошибка формата: %5:d]"},
        {"%99999d", {1}, "[Ошибка формата: %99999d]"},
        {"%.99999f", {1.0}, "[Ошибка формата: %.99999f]"},
        {"%*d", {"x", 1}, "[Ошибка формата: %*d]"},
        {"%*d", {-3, 1}, "[Ошибка формата: %*d]"},
        {"%-:d", {1}, "[Ошибка формата: %-:]d"},  // ":" is no type; the rest is plain text
        {"x %d y", {2.0}, "x [Ошибка формата: %d] y"},
    });
}

TEST(Format, VariadicAndListFormsAgree)
{
    EXPECT_EQ(fmt(q("%s=%d (%.1f)"), "n", 7, 0.26).toStdString(), "n=7 (0.3)");
    const std::vector<FormatArg> args{"n", 7, 0.26};
    EXPECT_EQ(fmt(q("%s=%d (%.1f)"), args), fmt(q("%s=%d (%.1f)"), "n", 7, 0.26));
    EXPECT_EQ(fmt(q("%d")).toStdString(), "[Ошибка формата: %d]");
    const size_t count = 11238513;
    EXPECT_EQ(fmt(q("%d"), count).toStdString(), "11238513");
}
