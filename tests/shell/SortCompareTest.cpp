#include <gtest/gtest.h>

#include "shell/SortCompare.h"

namespace zircon {
namespace {

struct CompareCase {
    const char* a;
    const char* b;
    const char* captionA;
    const char* captionB;
    int expected;  // sign of the result
    const char* why;
};

int sign(int v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

const CompareCase kCases[] = {
    {"2", "10", "", "", -1, "numbers compare by value, not as text"},
    {"10", "2", "", "", 1, "numbers compare by value, the other way"},
    {"2,5", "10", "", "", -1, "a comma is a decimal point"},
    {"2,5", "2.4", "", "", 1, "comma and point mix"},
    {"-3", "1", "", "", -1, "negative numbers"},
    {"1e3", "999", "", "", 1, "exponent form is a number"},
    {" 7 ", "10", "", "", -1, "spaces around a number are ignored"},
    {"abc", "ABD", "", "", -1, "texts ignore letter case"},
    {"Б", "а", "", "", 1, "Cyrillic texts ignore letter case"},
    {"10", "9a", "", "", -1, "a number against a text compares as text"},
    {"nan", "1", "", "", 1, "nan is not taken for a number"},
    {"", "1", "", "", -1, "an empty text against a number compares as text"},
    {"5", "5,0", "2", "10", -1, "equal numbers fall back to the captions, as numbers"},
    {"x", "X", "b", "a", 1, "equal texts fall back to the captions"},
    {"x", "x", "same", "SAME", 0, "equal texts and equal captions"},
    {"1.2.3", "1.2.4", "", "", -1, "a dotted text is not a number"},
};

TEST(SortCompare, Table)
{
    for (const auto& c : kCases) {
        const int r = compareListTexts(QString::fromUtf8(c.a), QString::fromUtf8(c.b), QString::fromUtf8(c.captionA),
                                       QString::fromUtf8(c.captionB));
        EXPECT_EQ(sign(r), c.expected) << c.why << ": \"" << c.a << "\" vs \"" << c.b << "\"";
        // The rule is antisymmetric, so a descending list is the exact reverse.
        const int back = compareListTexts(QString::fromUtf8(c.b), QString::fromUtf8(c.a),
                                          QString::fromUtf8(c.captionB), QString::fromUtf8(c.captionA));
        EXPECT_EQ(sign(back), -c.expected) << c.why << " (swapped)";
    }
}

}  // namespace
}  // namespace zircon
