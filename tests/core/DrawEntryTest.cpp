#include <gtest/gtest.h>

#include "core/DrawEntry.h"

using namespace zircon;

TEST(DrawEntry, AcceptsSixValidNumbersAndRejectsTheRest)
{
    struct Case {
        const char* text;
        bool accepted;
    } cases[] = {
        {"5;12;33;41;69;26", true},
        {"5,12,33,41,69,26", true},
        {"5;;12,33;41;69;26", true},   // runs of separators count once
        {" 5 ; 12;33;41;69 ;26 ", true},
        {"5;12;33;41;5;3", false},     // repeated main number
        {"0;12;33;41;69;3", false},
        {"5;12;33;41;70;3", false},
        {"5;12;33;41;69;27", false},
        {"5;12;33;41;69;0", false},
        {"5;12;33;41;69;26;7", false}, // seven numbers
        {"5;12;33;41;69", false},
        {"5;12;a;41;69;26", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseDrawNumbersText(QString::fromUtf8(c.text)).has_value(), c.accepted) << c.text;

    auto r = parseDrawNumbersText(QStringLiteral("69,1;33;12;5;26"));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->nums, (std::array<uint8_t, 5>{69, 1, 33, 12, 5}));  // drawn order kept
    EXPECT_EQ(r->extra, 26);
}

TEST(DrawEntry, TextOfADrawReadsBack)
{
    TDraw d;
    d.nums = {3, 17, 25, 40, 69};
    d.extra = 12;
    EXPECT_EQ(drawNumbersText(d), QStringLiteral("3;17;25;40;69;12"));
    auto r = parseDrawNumbersText(drawNumbersText(d));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->nums, d.nums);
    EXPECT_EQ(r->extra, d.extra);
}
