#include <gtest/gtest.h>

#include "core/SegmentMap.h"

using namespace zircon;

namespace {

QString q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TSegmentMap allOnes()
{
    TSegmentMap map;
    map.fill(1);
    return map;
}

}  // namespace

TEST(SegmentMap, ShortOrOddTextsGiveSegmentOne)
{
    EXPECT_EQ(ParseSegmentMap(q("")), allOnes());

    TSegmentMap expected = allOnes();
    expected[1] = 2;
    expected[3] = 9;
    EXPECT_EQ(ParseSegmentMap(q("12x9")), expected);
    EXPECT_EQ(ParseSegmentMap(q("0203")), (TSegmentMap{1, 2, 1, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                                       1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                                       1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                                       1, 1, 1, 1, 1, 1}));
}

TEST(SegmentMap, TextRoundTrip)
{
    // 1..34 in segment 1, 35..69 in segment 2, as the settings dialog might draw it.
    QString text = QString(34, QLatin1Char('1')) + QString(35, QLatin1Char('2'));
    const TSegmentMap map = ParseSegmentMap(text);
    for (int n = 1; n <= 69; ++n)
        ASSERT_EQ(map[n - 1], n <= 34 ? 1 : 2) << n;
    EXPECT_EQ(SegmentMapText(map), text);

    TSegmentMap every{};
    for (int n = 1; n <= 69; ++n)
        every[n - 1] = uint8_t(n % 9 + 1);
    EXPECT_EQ(ParseSegmentMap(SegmentMapText(every)), every);
    EXPECT_EQ(SegmentMapText(every).size(), 69);
}

TEST(SegmentMap, CharactersBeyondTheSixtyNinthAreIgnored)
{
    const QString text = QString(69, QLatin1Char('3')) + q("999");
    TSegmentMap expected;
    expected.fill(3);
    EXPECT_EQ(ParseSegmentMap(text), expected);
}

TEST(SegmentMap, EntriesOutsideOneToNineAreWrittenAsOne)
{
    TSegmentMap map = allOnes();
    map[0] = 12;
    map[1] = 0;
    map[2] = 5;
    const QString text = SegmentMapText(map);
    EXPECT_EQ(text.size(), 69);
    EXPECT_EQ(text.left(4).toStdString(), "1151");
}
