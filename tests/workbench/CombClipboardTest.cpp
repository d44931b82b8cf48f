#include <gtest/gtest.h>

#include "core/NumberText.h"
#include "workbench/CombClipboard.h"
#include "workbench/CombListFixtures.h"

using namespace zircon;
using zircon::test::listOf;

namespace {

QString q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

}  // namespace

TEST(CombClipboard, SelectedRowsAsSpacedLines)
{
    const CombList list = listOf({TComb{{3, 17, 25, 40, 69}}, TComb{{69, 1, 2, 3, 10}}, TComb{{1, 2, 3, 4, 5}}});
    EXPECT_EQ(combsClipboardText(list, {0, 2}), q("03 17 25 40 69\n01 02 03 04 05"));
    EXPECT_EQ(combsClipboardText(list, {1}), q("69 01 02 03 10"));
    EXPECT_EQ(combsClipboardText(list, {5, -1}), QString());  // rows outside the list are left out
    EXPECT_EQ(combsClipboardText(list, {}), QString());
}

TEST(CombClipboard, CopiedTextPastesBackAsTheSameCombinations)
{
    const CombList list = listOf({TComb{{3, 17, 25, 40, 69}}, TComb{{69, 1, 2, 3, 10}}});
    const ClipboardCombs back = parseClipboardCombs(combsClipboardText(list, {0, 1}));
    ASSERT_TRUE(back.ok()) << back.error.toStdString();
    EXPECT_EQ(back.combs, (TCombsArray{list[0], list[1]}));
}

TEST(CombClipboard, EachLineMustBeAProperCombination)
{
    struct Case {
        const char* text;
        int failedLine;        // -1: every line reads
        const char* badLine;   // the line the message quotes
        size_t combs;
        size_t lines;
    };
    const Case cases[] = {
        {"03 17 25 40 69", -1, "", 1, 1},
        {"1,2,3,4,5\r\n6-7-8-9-10\n11.12.13.14.15\r16:17:18:19:20\n21|22|23|24|25\t", -1, "", 5, 5},
        {"1 2 3 4 5\n", -1, "", 1, 1},  // a final line end adds no line
        {"", -1, "", 0, 0},             // nothing to paste
        {"1 2 3 4 5\n\n6 7 8 9 10", 1, "", 0, 3},  // an empty line in the middle fails
        {"1 2 3 4 5\n1 2 3 4", 1, "1 2 3 4", 0, 2},
        {"1 2 3 4 5 6", 0, "1 2 3 4 5 6", 0, 1},
        {"1 2 3 4 70", 0, "1 2 3 4 70", 0, 1},
        {"0 1 2 3 4", 0, "0 1 2 3 4", 0, 1},
        {"5 5 6 7 8", 0, "5 5 6 7 8", 0, 1},
        {"1 2 3 4 x", 0, "1 2 3 4 x", 0, 1},
        {"1 2 3 4 261", 0, "1 2 3 4 261", 0, 1},  // would wrap to 5 in a byte
        {"1 2 3 4 5\n9 9 9 9 9\n1 2 3 4", 1, "9 9 9 9 9", 0, 3},  // the first failing line speaks
    };
    for (const Case& c : cases) {
        const ClipboardCombs r = parseClipboardCombs(q(c.text));
        EXPECT_EQ(r.failedLine, c.failedLine) << c.text;
        EXPECT_EQ(r.combs.size(), c.combs) << c.text;
        EXPECT_EQ(r.lines, c.lines) << c.text;
        if (c.failedLine < 0) {
            EXPECT_TRUE(r.ok()) << c.text;
        } else {
            EXPECT_FALSE(r.ok()) << c.text;
            EXPECT_EQ(r.error, QStringLiteral("Некорректная комбинация: \"%1\"!").arg(q(c.badLine))) << c.text;
        }
    }
}

TEST(CombClipboard, MoreLinesThanTheListHoldsFail)
{
    const ClipboardCombs r = parseClipboardCombs(q("1 2 3 4 5\n1 2 3 4 6\n1 2 3 4 7"), 2);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.combs.empty());
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_TRUE(parseClipboardCombs(q("1 2 3 4 5\n1 2 3 4 6"), 2).ok());
}
