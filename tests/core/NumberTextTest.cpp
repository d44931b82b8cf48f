#include <gtest/gtest.h>

#include <optional>

#include "support/DrawFixtures.h"
#include "core/Error.h"
#include "core/NumberText.h"

using namespace zircon;

using zircon::test::makeDraw;

namespace {

QString q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

}  // namespace

TEST(NumberText, NumberTextHasNoLeadingZeros)
{
    EXPECT_EQ(numberText(7).toStdString(), "7");
    EXPECT_EQ(numberText(0).toStdString(), "0");
    EXPECT_EQ(numberText(1275).toStdString(), "1275");
    EXPECT_EQ(numberText(-3).toStdString(), "-3");
}

TEST(NumberText, StrictAndLenientIntegerConversion)
{
    struct Case { const char* text; std::optional<int32_t> value; };
    const Case cases[] = {
        {"12", 12}, {" 12 ", 12}, {"007", 7}, {"+5", 5}, {"-5", -5}, {"0", 0},
        {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
        {"", std::nullopt}, {"   ", std::nullopt}, {"x", std::nullopt}, {"1.5", std::nullopt},
        {"12a", std::nullopt}, {"1 2", std::nullopt}, {"-", std::nullopt}, {"+", std::nullopt},
        {"2147483648", std::nullopt}, {"-2147483649", std::nullopt}, {"99999999999999999999", std::nullopt},
        {"\xD9\xA3", std::nullopt},  // ARABIC-INDIC DIGIT THREE is a digit, but not a decimal one we read
        {"0x10", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseIntStrict(q(c.text)), c.value) << '"' << c.text << '"';
        EXPECT_EQ(textToInt(q(c.text)), c.value.value_or(0)) << '"' << c.text << '"';
        EXPECT_EQ(textToIntDef(q(c.text), -1), c.value.value_or(-1)) << '"' << c.text << '"';
    }
}

TEST(NumberText, CombTexts)
{
    const TComb comb{{3, 17, 25, 40, 69}};
    EXPECT_EQ(CombText(comb).toStdString(), "3;17;25;40;69");
    EXPECT_EQ(CombSpacedText(comb).toStdString(), "03 17 25 40 69");
    EXPECT_EQ(CombText(TComb{{69, 1, 2, 3, 10}}).toStdString(), "69;1;2;3;10");
    EXPECT_EQ(CombSpacedText(TComb{{69, 1, 2, 3, 10}}).toStdString(), "69 01 02 03 10");
}

TEST(NumberText, TextToCombAcceptsEverySeparator)
{
    struct Case { const char* text; TComb comb; };
    const Case cases[] = {
        {"1, 2, 3, 4, 5", {{1, 2, 3, 4, 5}}},
        {"01 02 03 04 05", {{1, 2, 3, 4, 5}}},
        {"1;2;3;4;x", {{1, 2, 3, 4, 0}}},
        {"3|17:25.40-69", {{3, 17, 25, 40, 69}}},
        {"\t69  68\t67 ;; 66 65 ", {{69, 68, 67, 66, 65}}},  // order kept, runs of separators
        {";1;2;3;4;5;", {{1, 2, 3, 4, 5}}},
        {"1 2 3 4 5\r", {{1, 2, 3, 4, 5}}},                  // a line end left on the last word
        {"1 2 3 4 300", {{1, 2, 3, 4, 0}}},                  // does not fit a number: refused as 0
        {"1 2 3 4 256", {{1, 2, 3, 4, 0}}},
        {"1 2 3 4 255", {{1, 2, 3, 4, 255}}},                // no range check here
        {"5 5 5 5 5", {{5, 5, 5, 5, 5}}},                    // nor a duplicate check
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextToComb(q(c.text)), c.comb) << '"' << c.text << '"';
}

TEST(NumberText, TextToCombRefusesOtherWordCounts)
{
    const char* texts[] = {"1;2;3;4", "1 2 3 4 5 6", "", "  ;  ", "1+2+3+4+5"};
    for (const char* text : texts) {
        try {
            TextToComb(q(text));
            ADD_FAILURE() << "accepted \"" << text << '"';
        } catch (const Error& e) {
            EXPECT_EQ(e.text(), q("Некорректная комбинация: \"") + q(text) + q("\"!"));
        }
    }
}

TEST(NumberText, DrawSummaryText)
{
    EXPECT_EQ(DrawSummaryText(makeDraw(1275, {3, 17, 25, 40, 69}, 12, "02/15/2024")),
              q("Тираж № 1275 от 02/15/2024, значения: 3;17;25;40;69 e:12"));
    // drawn order, and a draw without a date
    EXPECT_EQ(DrawSummaryText(makeDraw(7, {40, 3, 69, 17, 25}, 1, "")),
              q("Тираж № 7 от , значения: 40;3;69;17;25 e:1"));
}

TEST(NumberText, StakeTypeNames)
{
    struct Case { int type; const char* name; };
    const Case cases[] = {{1, "Вручную"}, {2, "Регуляр"}, {3, "Сценарий"}, {4, "Система"}, {0, ""}, {5, ""}, {-1, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(StakeTypeName(c.type), q(c.name)) << c.type;
}

TEST(NumberText, DiffText)
{
    struct Case { const char* text; int base; const char* expected; };
    const Case cases[] = {
        {"7", 5, "+2"}, {"5", 5, "0"}, {"", 5, "-"}, {"3", 5, "-2"}, {"x", 5, "-"},
        {"-3", 5, "-"},  // a negative value reads as no value
        {"0", 0, "0"}, {"0", 3, "-3"}, {" 12 ", 2, "+10"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DiffText(q(c.text), c.base).toStdString(), c.expected) << '"' << c.text << "\" - " << c.base;
}
