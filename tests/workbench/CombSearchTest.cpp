#include <gtest/gtest.h>

#include "core/NumberText.h"
#include "workbench/CombListFixtures.h"
#include "workbench/CombSearch.h"
#include "workbench/CombTexts.h"

using namespace zircon;
using zircon::test::archiveOf;
using zircon::test::listOf;
using zircon::test::makeDraw;
using zircon::test::TempDir;

TEST(CombSearch, SameNumbersInAnyOrder)
{
    struct Case {
        std::array<uint8_t, 5> draw;
        TComb comb;
        bool same;
    };
    const Case cases[] = {
        {{3, 17, 25, 40, 69}, TComb{{3, 17, 25, 40, 69}}, true},
        {{40, 3, 69, 25, 17}, TComb{{3, 17, 25, 40, 69}}, true},
        {{3, 17, 25, 40, 69}, TComb{{69, 40, 25, 17, 3}}, true},
        {{3, 17, 25, 40, 69}, TComb{{3, 17, 25, 40, 68}}, false},
        {{5, 5, 10, 20, 30}, TComb{{5, 10, 20, 30, 40}}, false},  // a repeated number is no draw
        {{5, 5, 10, 20, 30}, TComb{{5, 5, 10, 20, 30}}, false},
        {{0, 10, 20, 30, 40}, TComb{{0, 10, 20, 30, 40}}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sameNumbers(makeDraw(1, c.draw), c.comb), c.same) << int(c.draw[0]) << ' ' << int(c.comb.n[4]);
}

TEST(CombSearch, ACombinationDrawnThirtyTimesListsTheNewest26)
{
    TempDir dir;
    const TComb mine{{9, 1, 30, 45, 60}};
    TDrawsArray draws;
    for (int i = 0; i < 60; ++i) {
        // Every other draw is the combination, in an order of its own; the
        // others differ by one number.
        if (i % 2 == 0)
            draws.push_back(makeDraw(1000 + i, {60, 45, 30, 9, 1}, 3, "05/06/2021"));
        else
            draws.push_back(makeDraw(1000 + i, {60, 45, 30, 9, 2}));
    }
    // The offset hides nothing from this search.
    const DrawArchive archive = archiveOf(dir, draws, 10);
    const QStringList lines = findCombInDraws(archive, mine);
    ASSERT_EQ(lines.size(), 26);
    for (int j = 0; j < lines.size(); ++j)
        EXPECT_EQ(lines[j], DrawSummaryText(draws[static_cast<size_t>(58 - 2 * j)])) << j;
    EXPECT_TRUE(lines[0].contains(QStringLiteral("1058")));

    const QString text = findInDrawsText(lines);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Выделенная комбинация найдена в следующих тиражах:\r\r") + lines[0] +
                                QStringLiteral("\r") + lines[1]));
    EXPECT_TRUE(text.endsWith(lines[25]));
}

TEST(CombSearch, FewerFindsAreAllListedAndNoneGivesTheNotFoundText)
{
    TempDir dir;
    const TDrawsArray draws{makeDraw(1, {1, 2, 3, 4, 5}), makeDraw(2, {6, 7, 8, 9, 10}), makeDraw(3, {5, 4, 3, 2, 1})};
    const DrawArchive archive = archiveOf(dir, draws, 2);
    EXPECT_EQ(findCombInDraws(archive, TComb{{1, 2, 3, 4, 5}}),
              (QStringList{DrawSummaryText(draws[2]), DrawSummaryText(draws[0])}));
    const QStringList none = findCombInDraws(archive, TComb{{1, 2, 3, 4, 6}});
    EXPECT_TRUE(none.isEmpty());
    EXPECT_EQ(findInDrawsText(none), QStringLiteral("Выделенная комбинация не найдена архиве тиражей!"));
    EXPECT_TRUE(findCombInDraws(DrawArchive{}, TComb{{1, 2, 3, 4, 5}}).isEmpty());
}

TEST(CombSearch, UniqueNumbersOfTheList)
{
    EXPECT_EQ(UniqueNumberCount(listOf({})), 0);
    EXPECT_EQ(UniqueNumberCount(listOf({TComb{{1, 2, 3, 4, 5}}, TComb{{5, 4, 3, 2, 6}}})), 6);
    // Entries past the count are not the list's.
    CombList list = listOf({TComb{{1, 2, 3, 4, 5}}, TComb{{60, 61, 62, 63, 64}}});
    list.setCount(1);
    EXPECT_EQ(UniqueNumberCount(list), 5);
    EXPECT_EQ(uniqueNumbersText(6), QStringLiteral("В текущем списке комбинаций содержится 6 уникальных номеров"));
}

TEST(CombTexts, ProgressAndFailureTexts)
{
    EXPECT_EQ(removeDrawsStatusText(12), QStringLiteral("Удаление из списка комбинаций 12 последних тиражей..."));
    EXPECT_EQ(removeDrawsProgressText(12, progressPercent(1, 3)),
              QStringLiteral("Удаление из списка комбинаций 12 последних тиражей ( завершено 33 % )..."));
    EXPECT_EQ(saveStartCacheProgressText(progressPercent(2, 3)),
              QStringLiteral("Создание буфера комбинаций ( завершено 67 % )..."));
    EXPECT_EQ(loadStartCacheProgressText(progressPercent(0, 0)),
              QStringLiteral("Загрузка буфера комбинаций ( завершено 100 % )..."));
    EXPECT_EQ(combsCountText(11238513), QStringLiteral("Комбинаций: 11238513"));
    EXPECT_EQ(combsWriteErrorText(QStringLiteral("a.lcv"), QStringLiteral("диск полон")),
              QStringLiteral("Ошибка записи в файл \"a.lcv\"!\r\rдиск полон"));
    EXPECT_EQ(generateCombsErrorText(QStringLiteral("x")), QStringLiteral("Ошибка генерации файла комбинаций!\r\rx"));
    EXPECT_EQ(loadCombsStatusText(QStringLiteral("a.lcv")), QStringLiteral("Загрузка файла \"a.lcv\"..."));
}
