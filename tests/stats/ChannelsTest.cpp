// The channels family: the values of draws and combinations for several
// widths, the table of one window with its pre-seeded values, the value
// texts and their parsing, and the registry entries for each width.
#include <gtest/gtest.h>

#include <QString>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "stats/families/Channels.h"
#include "stats/PartitionTestSupport.h"

using namespace zircon;
using namespace zircon::test;

TEST(ChannelsValues, ValuesOfFiveNumbersInMergeOrder)
{
    struct Case {
        int width;
        const char* code;
        std::array<uint8_t, kMainCount> nums;
        std::vector<const char*> expected;
    };
    const Case cases[] = {
        // Width 10: channels 1, 2, 2, 4, 7.
        {10, "CHAN", {5, 12, 18, 33, 69}, {"01 [1-10]", "02 [11-20]", "02 [11-20]", "04 [31-40]", "07 [61-70]"}},
        {10, "CHNV", {5, 12, 18, 33, 69},
         {"01 [1-10] x 1", "02 [11-20] x 2", "03 [21-30] x 0", "04 [31-40] x 1", "05 [41-50] x 0",
          "06 [51-60] x 0", "07 [61-70] x 1"}},
        {10, "CHNC", {5, 12, 18, 33, 69}, {"4"}},
        {10, "CHN2", {5, 12, 18, 33, 69}, {"2"}},
        {10, "CHN3", {5, 12, 18, 33, 69}, {"0"}},
        {10, "CHN7", {5, 12, 18, 33, 69}, {"1"}},
        {10, "KCS2", {5, 12, 18, 33, 69}, {"1:2", "2:2", "2:4", "4:7"}},
        {10, "KCM2", {5, 12, 18, 33, 69}, {"1:2", "1:2", "1:4", "1:7", "2:2", "2:4", "2:7", "2:4", "2:7", "4:7"}},
        {10, "KCS3", {5, 12, 18, 33, 69}, {"1:2:2", "2:2:4", "2:4:7"}},
        {10, "KCM3", {5, 12, 18, 33, 69},
         {"1:2:2", "1:2:4", "1:2:7", "1:2:4", "1:2:7", "1:4:7", "2:2:4", "2:2:7", "2:4:7", "2:4:7"}},
        {10, "KCS4", {5, 12, 18, 33, 69}, {"1:2:2:4", "2:2:4:7"}},
        {10, "KCM4", {5, 12, 18, 33, 69}, {"1:2:2:4", "1:2:2:7", "1:2:4:7", "1:2:4:7", "2:2:4:7"}},
        // The tuples follow the order the numbers are given in.
        {10, "KCS2", {69, 5, 33, 12, 18}, {"7:1", "1:4", "4:2", "2:2"}},
        // Channel borders: 10 is the last of channel 1, 11 the first of 2.
        {10, "CHAN", {1, 10, 11, 60, 61}, {"01 [1-10]", "01 [1-10]", "02 [11-20]", "06 [51-60]", "07 [61-70]"}},
        // Width 69: one channel.
        {69, "CHAN", {1, 2, 34, 35, 69}, {"01 [1-69]", "01 [1-69]", "01 [1-69]", "01 [1-69]", "01 [1-69]"}},
        {69, "CHNV", {1, 2, 34, 35, 69}, {"01 [1-69] x 5"}},
        {69, "CHNC", {1, 2, 34, 35, 69}, {"1"}},
        {69, "CHN1", {1, 2, 34, 35, 69}, {"5"}},
        // Width 4: 18 channels, the last holding 69 alone.
        {4, "CHAN", {5, 12, 18, 33, 69}, {"02 [5-8]", "03 [9-12]", "05 [17-20]", "09 [33-36]", "18 [69-72]"}},
        {4, "CHNC", {5, 12, 18, 33, 69}, {"5"}},
        {4, "CHN18", {5, 12, 18, 33, 69}, {"1"}},
        {4, "KCS2", {5, 12, 18, 33, 69}, {"2:3", "3:5", "5:9", "9:18"}},
        // Numbers a damaged record may hold belong to no channel: no value,
        // no count, no channel occupied.
        {10, "CHAN", {0, 70, 255, 5, 5}, {"01 [1-10]", "01 [1-10]"}},
        {10, "CHNV", {0, 70, 255, 5, 5},
         {"01 [1-10] x 2", "02 [11-20] x 0", "03 [21-30] x 0", "04 [31-40] x 0", "05 [41-50] x 0",
          "06 [51-60] x 0", "07 [61-70] x 0"}},
        {10, "CHNC", {0, 70, 255, 5, 5}, {"1"}},
        {10, "CHNC", {0, 0, 0, 0, 0}, {"0"}},
        {10, "CHN7", {70, 71, 255, 61, 0}, {"1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " width " + std::to_string(c.width));
        Registry reg(configWith(c.width, 7));
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        EXPECT_EQ(valueTexts(*stat, c.nums), qstrings(c.expected));
    }
}

// CHAN keeps the channel in B1 alone, CHNV the channel in K1 and the count
// in K2; nothing else of the key is used.
TEST(ChannelsValues, KeyParts)
{
    Registry reg;
    const uint8_t nums[kMainCount] = {5, 12, 18, 33, 69};
    const std::unique_ptr<TCustomStat> chan = reg.create("CHAN");
    const std::unique_ptr<TCustomStat> chnv = reg.create("CHNV");
    ASSERT_TRUE(chan && chnv);
    KeyList keys;
    chan->CombKeys(nums, keys);
    ASSERT_EQ(keys.count, 5);
    EXPECT_EQ(keys.keys[1].raw, 2u);
    EXPECT_EQ(keys.keys[4].raw, 7u);
    KeyList counts;
    chnv->CombKeys(nums, counts);
    ASSERT_EQ(counts.count, 7);
    EXPECT_EQ(counts.keys[1], TStatKey::k4(2, 2, 0, 0));
    EXPECT_EQ(counts.keys[2], TStatKey::k4(3, 0, 0, 0));
}

// With a width of 1 there are 69 channels and CHNV yields 69 values per
// draw, every one of them kept.
TEST(ChannelsValues, EveryChannelOfTheNarrowestWidthIsCounted)
{
    Registry reg(configWith(1, 7));
    const std::unique_ptr<TCustomStat> chnv = reg.create("CHNV");
    ASSERT_TRUE(chnv);
    const uint8_t nums[kMainCount] = {1, 2, 40, 68, 69};
    KeyList keys;
    chnv->CombKeys(nums, keys);
    ASSERT_EQ(keys.count, 69);
    int occupied = 0;
    for (int c = 1; c <= 69; ++c) {
        const TStatKey k = keys.keys[static_cast<size_t>(c - 1)];
        EXPECT_EQ(k.K(1), c);
        occupied += k.K(2);
        const bool drawn = c == 1 || c == 2 || c == 40 || c == 68 || c == 69;
        EXPECT_EQ(k.K(2), drawn ? 1 : 0) << c;
    }
    EXPECT_EQ(occupied, 5);
    EXPECT_EQ(valueText(*chnv, keys.keys[68]), QStringLiteral("69 [69-69] x 1"));
}

// A width of 0 or one above 69 cannot come from the settings file, but an
// instance made from such a configuration stays within 1..69.
TEST(ChannelsValues, WidthOutsideTheRangeIsHeldToIt)
{
    struct Case {
        int width;
        int channelSize;  // what the instance holds
        int channels;
        const char* chanText;  // CHAN of the number 69
    };
    const Case cases[] = {{0, 1, 69, "69 [69-69]"}, {-5, 1, 69, "69 [69-69]"}, {70, 69, 1, "01 [1-69]"},
                          {300, 69, 1, "01 [1-69]"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        Registry reg(configWith(c.width, 7));
        const std::vector<QString> chn = reg.groupCodes(3);
        EXPECT_EQ(chn.back(), QStringLiteral("CHN%1").arg(c.channels));
        const std::unique_ptr<TCustomStat> chan = reg.create("CHAN");
        ASSERT_TRUE(chan);
        const auto& channels = dynamic_cast<const TCustomChannelsStat&>(*chan);
        EXPECT_EQ(channels.ChannelSize, c.channelSize);
        EXPECT_EQ(channels.ChannelCount(), c.channels);
        EXPECT_EQ(valueTexts(*chan, {69, 69, 69, 69, 69}).front(), QString::fromUtf8(c.chanText));
        TStatDrawArray items;
        chan->BeginStat(-1, items);
        EXPECT_EQ(items.size(), c.channels);
    }
}

TEST(ChannelsValues, ChannelTextAndChannelOf)
{
    struct Case {
        int width;
        int channel;
        const char* text;
    };
    const Case cases[] = {{10, 1, "01 [1-10]"}, {10, 3, "03 [21-30]"}, {10, 7, "07 [61-70]"},
                          {4, 18, "18 [69-72]"}, {69, 1, "01 [1-69]"},  {23, 3, "03 [47-69]"}};
    for (const Case& c : cases) {
        Registry reg(configWith(c.width, 7));
        const std::unique_ptr<TCustomStat> stat = reg.create("CHAN");
        ASSERT_TRUE(stat);
        const auto& channels = dynamic_cast<const TCustomChannelsStat&>(*stat);
        EXPECT_EQ(channels.ChannelText(c.channel), QString::fromUtf8(c.text)) << c.width;
    }
    Registry reg;
    const std::unique_ptr<TCustomStat> stat = reg.create("CHNC");
    ASSERT_TRUE(stat);
    const auto& channels = dynamic_cast<const TCustomChannelsGraphStat&>(*stat);
    const std::pair<int, int> numberChannel[] = {{1, 1}, {10, 1}, {11, 2}, {60, 6}, {61, 7}, {69, 7},
                                                 {0, 0}, {70, 0}, {255, 0}, {-1, 0}};
    for (const auto& [n, channel] : numberChannel)
        EXPECT_EQ(channels.ChannelOf(n), channel) << n;
}

// ------------------------------------------------------------ one window

TEST(ChannelsWindow, OneDrawWithItsPreSeededValues)
{
    struct Case {
        int width;
        const char* code;
        std::vector<const char*> rows;    // every row's text in table order
        std::vector<int> counts;          // Count of each row
    };
    const Case cases[] = {
        {10, "CHAN",
         {"01 [1-10]", "02 [11-20]", "03 [21-30]", "04 [31-40]", "05 [41-50]", "06 [51-60]", "07 [61-70]"},
         {1, 2, 0, 1, 0, 0, 1}},
        {10, "CHNC", {"1", "2", "3", "4", "5"}, {0, 0, 0, 1, 0}},
        // 1..10 pre-seeded; 2 occurs.
        {10, "CHN2", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, {0, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
        // 0 is not pre-seeded: it comes last, once it occurs.
        {10, "CHN3", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "0"}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
        // With one channel only the value 1 can occur, and only it is listed.
        {69, "CHNC", {"1"}, {1}},
        {69, "CHAN", {"01 [1-69]"}, {5}},
        // Eighteen channels: the draw occupies five of them.
        {4, "CHNC", {"1", "2", "3", "4", "5"}, {0, 0, 0, 0, 1}},
        // Three channels of 23: at most three occupied.
        {23, "CHNC", {"1", "2", "3"}, {0, 0, 1}},
        // Tuples list only what occurred, a repeated tuple once.
        {10, "KCS2", {"1:2", "2:2", "2:4", "4:7"}, {1, 1, 1, 1}},
        {10, "KCM2", {"1:2", "1:4", "1:7", "2:2", "2:4", "2:7", "4:7"}, {2, 1, 1, 1, 2, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " width " + std::to_string(c.width));
        Registry reg(configWith(c.width, 7), {makeDraw(300, {5, 12, 18, 33, 69})});
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        const TStatDrawArray items = computeWindow(*stat, 1);
        EXPECT_EQ(itemTexts(*stat, items), qstrings(c.rows));
        ASSERT_EQ(items.size(), static_cast<int>(c.counts.size()));
        for (int i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i].Count, c.counts[static_cast<size_t>(i)]) << i;
            EXPECT_EQ(items[i].Depth, c.counts[static_cast<size_t>(i)] > 0 ? 1 : 0) << i;
            EXPECT_EQ(items[i].LastDraw, c.counts[static_cast<size_t>(i)] > 0 ? 300 : 0) << i;
        }
    }
}

// Every draw gives CHNV one value per channel; the pre-seeded pairs are
// every channel with every count 0..min(width, 5).
TEST(ChannelsWindow, ChannelCountsOverTwoDraws)
{
    Registry reg({makeDraw(100, {5, 12, 18, 33, 69}), makeDraw(104, {1, 2, 3, 4, 69})});
    const std::unique_ptr<TCustomStat> chnv = reg.create("CHNV");
    ASSERT_TRUE(chnv);
    const TStatDrawArray items = computeWindow(*chnv, 2);
    ASSERT_EQ(items.size(), 7 * 6);
    int64_t total = 0;
    for (const TStatDrawItem& it : items)
        total += it.Count;
    EXPECT_EQ(total, 2 * 7);
    auto row = [&](const char* text) -> const TStatDrawItem& {
        for (const TStatDrawItem& it : items)
            if (chnv->ValueText(it) == QString::fromUtf8(text))
                return it;
        ADD_FAILURE() << "no row " << text;
        return items[0];
    };
    // Channel 7 holds one number in both draws: the gap is 4.
    EXPECT_EQ(row("07 [61-70] x 1").Count, 2);
    EXPECT_EQ(row("07 [61-70] x 1").PeriodMin, 4);
    EXPECT_EQ(row("07 [61-70] x 1").Depth, 1);
    EXPECT_EQ(row("01 [1-10] x 4").Count, 1);
    EXPECT_EQ(row("01 [1-10] x 1").LastDraw, 100);
    EXPECT_EQ(row("01 [1-10] x 1").Depth, 2);
    EXPECT_EQ(row("03 [21-30] x 0").Count, 2);
    EXPECT_EQ(row("02 [11-20] x 5").Count, 0);
}

TEST(ChannelsWindow, ChannelCountIsTheGraphValue)
{
    Registry reg({makeDraw(1, {5, 12, 18, 33, 69}), makeDraw(2, {1, 2, 3, 4, 5})});
    const std::unique_ptr<TCustomStat> chnc = reg.create("CHNC");
    const std::unique_ptr<TCustomStat> chn2 = reg.create("CHN2");
    ASSERT_TRUE(chnc && chn2);
    auto& count = dynamic_cast<TCustomGraphStat&>(*chnc);
    auto& inTwo = dynamic_cast<TCustomGraphStat&>(*chn2);
    EXPECT_EQ(count.DrawGraphValue(0, 1, false), 4);
    EXPECT_EQ(count.DrawGraphValue(1, 1, false), 1);
    EXPECT_EQ(inTwo.DrawGraphValue(0, 1, false), 2);
    EXPECT_EQ(inTwo.DrawGraphValue(1, 1, false), 0);
    // Outside the archive the record is all zeros: no channel at all.
    EXPECT_EQ(count.DrawGraphValue(5, 1, false), 0);
}

// ------------------------------------------------------------ texts

TEST(ChannelsTexts, ParseValue)
{
    struct Case {
        const char* code;
        const char* text;
        int32_t parsed;     // ParseValue
        int32_t tryParsed;  // TryParseValue: 0 for the members without value lists
    };
    const Case cases[] = {
        {"CHAN", "01 [1-10]", 1, 1},   {"CHAN", "07 [61-70]", 7, 7}, {"CHAN", "12", 12, 12},
        {"CHAN", "x [1-10]", 0, 0},    {"CHAN", "", 0, 0},           {"CHNC", "4", 4, 4},
        {"CHN2", "3", 3, 3},           {"CHNV", "5", 5, 0},          {"KCM2", "3", 3, 0},
        {"KCS4", "2", 2, 0},
    };
    Registry reg;
    for (const Case& c : cases) {
        const std::unique_ptr<TCustomStat> stat = reg.create(c.code);
        ASSERT_TRUE(stat);
        EXPECT_EQ(stat->ParseValue(QString::fromUtf8(c.text)), c.parsed) << c.code << " " << c.text;
        EXPECT_EQ(stat->TryParseValue(QString::fromUtf8(c.text)), c.tryParsed) << c.code << " " << c.text;
    }
}

// ------------------------------------------------------------ registry

TEST(ChannelsRegistry, DefaultEntries)
{
    const RegistryEntry cases[] = {
        {"CHAN", "TstChannels", "Каналы", "N", "CHAN", true, 0},
        {"CHNV", "TstChanValues", "Количество чисел в канале", "N", "CHNV", false, 0},
        {"CHNC", "TstChanCount", "Количество каналов в тираже", "NG", "CHNC", true, 0},
        {"KCM2", "TstCombChnMix2", "Сочетания из 2 каналов по всем числам тиража", "S", "KCM2", false, 0},
        {"KCM3", "TstCombChnMix3", "Сочетания из 3 каналов по всем числам тиража", "S", "KCM3", false, 0},
        {"KCM4", "TstCombChnMix4", "Сочетания из 4 каналов по всем числам тиража", "S", "KCM4", false, 0},
        {"KCS2", "TstCombChnSeq2", "Сочетания из 2 каналов по соседним числам", "S", "KCS2", false, 0},
        {"KCS3", "TstCombChnSeq3", "Сочетания из 3 каналов по соседним числам", "S", "KCS3", false, 0},
        {"KCS4", "TstCombChnSeq4", "Сочетания из 4 каналов по соседним числам", "S", "KCS4", false, 0},
        {"CHN1", "TstChnValCnt", "Количество чисел в 1 канале", "NG", "CHNx", true, 1},
        {"CHN2", "TstChnValCnt", "Количество чисел в 2 канале", "NG", "CHNx", true, 2},
        {"CHN3", "TstChnValCnt", "Количество чисел в 3 канале", "NG", "CHNx", true, 3},
        {"CHN4", "TstChnValCnt", "Количество чисел в 4 канале", "NG", "CHNx", true, 4},
        {"CHN5", "TstChnValCnt", "Количество чисел в 5 канале", "NG", "CHNx", true, 5},
        {"CHN6", "TstChnValCnt", "Количество чисел в 6 канале", "NG", "CHNx", true, 6},
        {"CHN7", "TstChnValCnt", "Количество чисел в 7 канале", "NG", "CHNx", true, 7},
    };
    Registry reg;
    std::vector<QString> expectedCodes;
    for (const RegistryEntry& c : cases)
        expectedCodes.push_back(QString::fromUtf8(c.code));
    EXPECT_EQ(reg.groupCodes(3), expectedCodes);
    for (const RegistryEntry& c : cases) {
        SCOPED_TRACE(c.code);
        const int i = reg.list.FindCode(QString::fromUtf8(c.code));
        ASSERT_GE(i, 0);
        expectEntry(reg.list, i, c);
        const std::unique_ptr<TCustomStat> stat = reg.list.CreateStat(i);
        ASSERT_TRUE(stat);
        EXPECT_EQ(stat->Param, c.param);
        EXPECT_EQ(dynamic_cast<TCustomGraphStat*>(stat.get()) != nullptr, reg.list.HasGraph(i));
        const bool channelsBase = dynamic_cast<TCustomChannelsStat*>(stat.get()) != nullptr;
        const bool graphBase = dynamic_cast<TCustomChannelsGraphStat*>(stat.get()) != nullptr;
        EXPECT_NE(channelsBase, graphBase);
        EXPECT_EQ(graphBase, reg.list.HasGraph(i));
    }
    EXPECT_EQ(reg.list.DisplayName(reg.list.FindCode(QStringLiteral("CHNC")), true),
              QStringLiteral("{ grp } Количество каналов в тираже [ NG ]"));
}

TEST(ChannelsRegistry, ChannelEntriesFollowTheWidth)
{
    struct Case {
        int width;
        int channels;
    };
    const Case cases[] = {{10, 7}, {4, 18}, {5, 14}, {23, 3}, {34, 3}, {35, 2}, {68, 2}, {69, 1}};
    for (const Case& c : cases) {
        Registry reg(configWith(c.width, 7));
        std::vector<QString> perChannel;
        for (const QString& code : reg.groupCodes(3))
            if (code.startsWith(QStringLiteral("CHN")) && code != QStringLiteral("CHNV")
                && code != QStringLiteral("CHNC"))
                perChannel.push_back(code);
        std::vector<QString> expected;
        for (int ch = 1; ch <= c.channels; ++ch)
            expected.push_back(QStringLiteral("CHN%1").arg(ch));
        EXPECT_EQ(perChannel, expected) << "width " << c.width;
        EXPECT_EQ(TstChnValCnt::Class.paramRange(configWith(c.width, 7)), std::make_pair(1, c.channels));
    }
}
