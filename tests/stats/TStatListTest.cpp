#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/IniFile.h"
#include "stats/TCustomStat.h"
#include "stats/TStatList.h"

using namespace zircon;

namespace {

// Small classes standing for families: one plain, one with a parameter over
// the channel count, one of the shredding group whose title carries "%s".
class TestPlain : public TCustomValuesStat {
public:
    using TCustomValuesStat::TCustomValuesStat;
    bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
};

class TestGraph : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
};

const StatClassInfo kPlain = statClass<TestPlain>({.className = "TestPlain",
                                                   .codeFormat = "NUMS",
                                                   .titleFormat = "Числа тиража",
                                                   .group = 0,
                                                   .flags = kFlagNorm});
const StatClassInfo kChannels = statClass<TestGraph>(
    {.className = "TestChannels",
     .codeFormat = "CHN%d",
     .titleFormat = "Числа в канале %d",
     .helpCodeFormat = "CHNx",
     .group = 3,
     .flags = kFlagNorm,
     .paramRange = [](const TConfigData& c) { return std::pair{1, c.channelCount()}; }});
const StatClassInfo kHidden = statClass<TestPlain>(
    {.className = "TestHidden", .codeFormat = "KNO2", .titleFormat = "x", .group = 10, .available = false});
const StatClassInfo kShred = statClass<TestGraph>(
    {.className = "TestShred",
     .codeFormat = "SHR%d",
     .titleFormat = "Метод шинковки %d: %%s",
     .group = 12,
     .flags = kFlagSorted | kFlagNorm,
     .paramRange = [](const TConfigData&) { return std::pair{1, 3}; }});

TStatList makeList()
{
    TStatList list;
    list.setRegistrationTable({&kPlain, &kChannels, &kHidden, &kShred});
    list.RegisterAll();
    return list;
}

QStringList codes(const TStatList& list)
{
    QStringList out;
    for (int i = 0; i < list.Count(); ++i)
        out.append(list.ItemCode(i));
    return out;
}

}  // namespace

TEST(TStatList, RegistersOneEntryPerParameterAndSkipsUnavailableClasses)
{
    TStatList list = makeList();
    EXPECT_EQ(codes(list), (QStringList{"NUMS", "CHN1", "CHN2", "CHN3", "CHN4", "CHN5", "CHN6", "CHN7", "SHR1",
                                        "SHR2", "SHR3"}));
    list.Config.ChannelSize = 23;  // 69 / 23 = 3 channels
    list.RegisterAll();
    EXPECT_EQ(list.Count(), 1 + 3 + 3);
    EXPECT_EQ(list.FindCode(QStringLiteral("chn3")), 3);
    EXPECT_EQ(list.FindCode(QStringLiteral("CHN")), -1);  // no prefix matches
    EXPECT_EQ(list.FindCode(QStringLiteral("CHN30")), -1);
    EXPECT_EQ(list.Items(list.FindCode(QStringLiteral("SHR2"))).Formula, list.Formula2);
}

TEST(TStatList, DisplayNamesFollowTheListOptions)
{
    TStatList list = makeList();
    EXPECT_EQ(list.DisplayName(0, true), QStringLiteral("{ num } Числа тиража [ N ]"));
    EXPECT_EQ(list.DisplayName(2, true), QStringLiteral("{ grp } Числа в канале 2 [ NG ]"));
    list.ShowMethodFlags = false;
    EXPECT_EQ(list.DisplayName(2, true), QStringLiteral("{ grp } Числа в канале 2"));
    list.ShowGroupName = false;
    const int shr2 = list.FindCode(QStringLiteral("SHR2"));
    EXPECT_EQ(list.DisplayName(shr2, false), QStringLiteral("Метод шинковки 2: (n4+n5)/(n1+n2+n3)"));
    // An alias is a caption, not a format: only "%s" takes the formula.
    list.Items(shr2).Alias = QStringLiteral("Моя %d шинковка %s");
    EXPECT_EQ(list.DisplayName(shr2, false), QStringLiteral("Моя %d шинковка (n4+n5)/(n1+n2+n3)"));
    EXPECT_EQ(list.DisplayTitle(shr2), QStringLiteral("Моя %d шинковка %s"));
}

TEST(TStatList, Favourites)
{
    TStatList list = makeList();
    EXPECT_EQ(list.GetFavorites(), QString());
    list.SetFavorites(QStringLiteral("nums, chn2"));
    EXPECT_FALSE(list.AllShown);
    EXPECT_EQ(list.GetFavorites(), QStringLiteral("NUMS,CHN2"));
    EXPECT_TRUE(list.IsShown(0));
    EXPECT_FALSE(list.IsShown(1));
    list.SetFavorites(QStringLiteral("   "));
    EXPECT_TRUE(list.AllShown);
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_TRUE(list.IsShown(i));
    // All entries alike: the filter is dropped.
    for (int i = 0; i < list.Count(); ++i)
        list.Items(i).Shown = false;
    list.AllShown = false;
    list.NormalizeShown();
    EXPECT_TRUE(list.AllShown);
    EXPECT_TRUE(list.Items(0).Shown);
}

TEST(TStatList, StakeResult)
{
    TStatList list;
    list.Config.Cost = 2 * kCurrencyScale;
    list.Config.Profits = {{3, 10 * kCurrencyScale}, {5, 1000 * kCurrencyScale}, {3, 99 * kCurrencyScale}};
    struct Case {
        int size;
        int matched;
        TCurrency expected;
    } cases[] = {
        {5, 0, -2 * kCurrencyScale},
        {5, 3, 8 * kCurrencyScale},     // the first prize for 3 matches counts
        {5, 5, 998 * kCurrencyScale},
        {7, -1, -42 * kCurrencyScale},  // C(7,5) = 21 combinations
        {7, 3, -32 * kCurrencyScale},
        {4, 0, -2 * kCurrencyScale},
    };
    for (const Case& c : cases)
        EXPECT_EQ(list.StakeResult(c.size, c.matched), c.expected) << c.size << " " << c.matched;
}

TEST(TStatList, ConfigSurvivesTheSettingsFile)
{
    TStatList a;
    a.Config.MatrixCols = 9;
    a.Config.ChannelSize = 12;
    a.Config.Cost = 25000;  // 2.5
    a.Config.Profits = {{0, 0}, {3, 123456}, {5, 10000000}};
    a.Config.Weights = {0.5, -2, 1.25, true, false};
    a.Config.Segments[0] = 3;
    a.Config.Segments[68] = 9;
    a.GenerateMode = 2;
    a.GenerateParams = QStringLiteral("1;2;3");
    a.Formula1 = QStringLiteral("n1*2");
    a.Formula3Digits = 4;
    IniFile ini;
    a.SaveConfig(ini);
    a.SaveGenerateSettings(ini);
    a.SaveShredding(ini);
    const IniFile reread = IniFile::parse(ini.serialize());

    TStatList b;
    b.LoadConfig(reread);
    b.LoadGenerateSettings(reread);
    b.LoadShredding(reread);
    EXPECT_EQ(b.Config, a.Config);
    EXPECT_EQ(b.GenerateMode, 2);
    EXPECT_EQ(b.GenerateParams, a.GenerateParams);
    EXPECT_EQ(b.Formula1, a.Formula1);
    EXPECT_EQ(b.Formula2, a.Formula2);
    EXPECT_EQ(b.Formula3Digits, 4);
}

TEST(TStatList, SettingsOutOfRangeAreClamped)
{
    IniFile ini = IniFile::parse(QByteArray("[GLOBAL]\r\nMatrixCols=0\r\nChannelSize=500\r\nMatrixSegments=12x4\r\n"
                                            "[SHREDDING]\r\nFormula2Digits=40\r\n"));
    TStatList list;
    list.LoadConfig(ini);
    list.LoadShredding(ini);
    EXPECT_EQ(list.Config.MatrixCols, 1);
    EXPECT_EQ(list.Config.ChannelSize, 69);
    EXPECT_EQ(list.Config.Segments[0], 1);
    EXPECT_EQ(list.Config.Segments[1], 2);
    EXPECT_EQ(list.Config.Segments[2], 1);  // not a digit
    EXPECT_EQ(list.Config.Segments[3], 4);
    EXPECT_EQ(list.Config.Segments[68], 1);  // past the end of a short text
    EXPECT_EQ(list.Formula2Digits, 5);
    // Defaults where nothing is stored.
    TStatList fresh;
    fresh.LoadConfig(IniFile());
    EXPECT_EQ(fresh.Config.MatrixCols, 7);
    EXPECT_EQ(fresh.Config.ChannelSize, 10);
    EXPECT_EQ(fresh.Config.Weights, TWeightCoefs{});
}

TEST(TStatList, MethodListFileKeepsFavouritesAndAliases)
{
    TStatList a = makeList();
    a.SetFavorites(QStringLiteral("CHN1,SHR3"));
    a.Ordered = true;
    a.ShowMethodFlags = false;
    a.Items(1).Alias = QStringLiteral("Первый канал");
    IniFile ini;
    a.SaveFilterList(ini, true, false, QStringLiteral("Russian"));
    EXPECT_EQ(ini.keys(QStringLiteral("STRINGS_Russian")), QStringList{"CHN1"});

    TStatList b = makeList();
    b.LoadFilterList(IniFile::parse(ini.serialize()), true, QStringLiteral("Russian"));
    EXPECT_EQ(b.GetFavorites(), QStringLiteral("CHN1,SHR3"));
    EXPECT_TRUE(b.Ordered);
    EXPECT_FALSE(b.ShowMethodFlags);
    EXPECT_TRUE(b.ShowGroupName);
    EXPECT_EQ(b.Items(1).Alias, QStringLiteral("Первый канал"));
    EXPECT_EQ(b.DisplayTitle(1), QStringLiteral("Первый канал"));

    // All names: every method is written with its caption; a reload without
    // options keeps the list options as they are.
    IniFile all;
    b.SaveFilterList(all, false, true, QStringLiteral("Russian"));
    EXPECT_EQ(all.keys(QStringLiteral("STRINGS_Russian")).size(), b.Count());
    EXPECT_FALSE(all.hasSection(QStringLiteral("FILTERS")));
}

TEST(TStatList, HelpTopicsShareOneTopicPerParametrisedClass)
{
    QTemporaryDir dir;
    const QString help = dir.filePath(QStringLiteral("Kalyx_RUS.chm"));
    TStatList list = makeList();
    list.helpFile = [&] { return help; };
    EXPECT_EQ(list.ItemHelpTopic(2), QString());  // the file does not exist yet
    QFile f(help);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(list.ItemHelpTopic(0), QStringLiteral("ms-its:") + help + QStringLiteral("::/Filters_1049_NUMS.htm"));
    EXPECT_EQ(list.ItemHelpTopic(2), QStringLiteral("ms-its:") + help + QStringLiteral("::/Filters_1049_CHNx.htm"));
    EXPECT_EQ(list.ItemHelpTopic(2), list.ItemHelpTopic(5));
}

TEST(TStatList, FilterStepsApplyTheirOwnWeightsAndTheSavedOnesComeBack)
{
    TStatList list;
    const TWeightCoefs user{0.5, -2, 3, true, false};
    const TWeightCoefs step{1, 1, 1, false, true};
    list.Config.Weights = user;
    list.SaveWeights();
    list.ApplyWeights(true, step);
    EXPECT_EQ(list.Config.Weights, step);
    list.ApplyWeights(false, step);  // a step without its own coefficients
    EXPECT_EQ(list.Config.Weights, user);
    list.Config.Weights = step;
    list.RestoreWeights();
    EXPECT_EQ(list.Config.Weights, user);
}

// The flags shown beside a method are the item's own: a shredding formula
// that reads the draws before has no norm, so its "N" is not shown (nor
// listed by the command line), while the other formulas keep theirs.
TEST(TStatList, ShownFlagsLeaveOutTheNormAnItemLacks)
{
    TDrawsArray draws;
    TStatList list(&draws);
    list.Formula1 = QStringLiteral("n1*p1");
    list.RegisterAll();
    list.ShowGroupName = false;
    const int shr1 = list.FindCode(QStringLiteral("SHR1"));
    const int shr2 = list.FindCode(QStringLiteral("SHR2"));
    ASSERT_GE(shr1, 0);
    ASSERT_GE(shr2, 0);
    EXPECT_FALSE(list.HasNorm(shr1));
    EXPECT_TRUE(list.HasNorm(shr2));
    EXPECT_EQ(statFlagLetters(list.ItemFlags(shr1)), QStringLiteral("SG"));
    EXPECT_EQ(statFlagLetters(list.ItemFlags(shr2)), QStringLiteral("SNG"));
    EXPECT_TRUE(list.DisplayName(shr1, true).endsWith(QStringLiteral("n1*p1 [ SG ]")));
    EXPECT_TRUE(list.DisplayName(shr2, true).endsWith(QStringLiteral("[ SNG ]")));
}
