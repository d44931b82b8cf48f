#include "core/IniFile.h"

#include "core/TextCodec.h"

#include <gtest/gtest.h>

#include <limits>

namespace zircon {
namespace {

TEST(IniFile, SectionsAndKeysIgnoreCase)
{
    const IniFile ini = IniFile::parse("[TFormMain]\r\nDrawsStatLen=750\r\n");
    EXPECT_EQ(ini.readInt(u"tformmain", u"DRAWSSTATLEN", 1), 750);
    EXPECT_TRUE(ini.hasSection(u"TFORMMAIN"));
    EXPECT_TRUE(ini.hasKey(u"TFormMain", u"drawsstatlen"));
    EXPECT_FALSE(ini.hasKey(u"TFormMain", u"DrawsStatLen2"));

    IniFile copy = ini;
    copy.writeInt(u"TFORMMAIN", u"drawsstatlen", 20);
    // The existing spelling of section and key stays; no second key appears.
    EXPECT_EQ(copy.toText(), QStringLiteral("[TFormMain]\r\nDrawsStatLen=20\r\n"));
}

TEST(IniFile, OrderOfSectionsAndKeysIsKept)
{
    IniFile ini;
    ini.writeString(u"Zeta", u"b", QStringLiteral("1"));
    ini.writeString(u"Alpha", u"z", QStringLiteral("2"));
    ini.writeString(u"Zeta", u"a", QStringLiteral("3"));
    ini.writeString(u"Alpha", u"y", QStringLiteral("4"));
    EXPECT_EQ(ini.sectionNames(), (QStringList{QStringLiteral("Zeta"), QStringLiteral("Alpha")}));
    EXPECT_EQ(ini.keys(u"Zeta"), (QStringList{QStringLiteral("b"), QStringLiteral("a")}));
    EXPECT_EQ(ini.toText(), QStringLiteral("[Zeta]\r\nb=1\r\na=3\r\n\r\n[Alpha]\r\nz=2\r\ny=4\r\n"));

    // A reparsed file keeps the order as well.
    const IniFile again = IniFile::parse(ini.serialize());
    EXPECT_EQ(again.sectionNames(), ini.sectionNames());
    EXPECT_EQ(again.keys(u"Alpha"), (QStringList{QStringLiteral("z"), QStringLiteral("y")}));
}

TEST(IniFile, AnyLineEndReads)
{
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"CR LF", "[S]\r\na=1\r\nb=2\r\n"},
        {"LF", "[S]\na=1\nb=2\n"},
        {"CR", "[S]\ra=1\rb=2\r"},
        {"mixed, no final end", "[S]\r\na=1\nb=2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const IniFile ini = IniFile::parse(c.bytes);
        EXPECT_EQ(ini.readInt(u"S", u"a", 0), 1);
        EXPECT_EQ(ini.readInt(u"S", u"b", 0), 2);
        EXPECT_EQ(ini.serialize(), QByteArray("[S]\r\na=1\r\nb=2\r\n"));
    }
}

TEST(IniFile, CyrillicValuesRoundTripThroughCp1251)
{
    const QString name = QStringLiteral("Мои фильтры: сумма и «чёт»");
    IniFile ini;
    ini.writeString(u"Раздел", u"Имя", name);
    const QByteArray bytes = ini.serialize();
    // One byte per letter: "Раздел" is C0..FF in Windows-1251, not UTF-8.
    EXPECT_TRUE(bytes.startsWith(QByteArray("[\xD0\xE0\xE7\xE4\xE5\xEB]\r\n")));
    EXPECT_EQ(bytes, toCp1251(QStringLiteral("[Раздел]\r\nИмя=") + name + QStringLiteral("\r\n")));

    const IniFile back = IniFile::parse(bytes);
    EXPECT_EQ(back.readString(u"РАЗДЕЛ", u"имя"), name);
}

TEST(IniFile, Utf8FileWithByteOrderMarkReads)
{
    const IniFile ini = IniFile::parse(QByteArray("\xEF\xBB\xBF") + QStringLiteral("[S]\nИмя=Тест\n").toUtf8());
    EXPECT_EQ(ini.readString(u"S", u"Имя"), QStringLiteral("Тест"));
}

TEST(IniFile, FirstOfDuplicatedKeysWins)
{
    IniFile ini = IniFile::parse("[S]\r\nk=first\r\nK=second\r\n[T]\r\nx=1\r\n[s]\r\nk=third\r\nextra=4\r\n");
    EXPECT_EQ(ini.readString(u"S", u"k"), QStringLiteral("first"));
    // A repeated section adds its other keys to the first one.
    EXPECT_EQ(ini.readInt(u"S", u"extra", 0), 4);
    EXPECT_EQ(ini.sectionNames(), (QStringList{QStringLiteral("S"), QStringLiteral("T")}));
    EXPECT_EQ(ini.keys(u"S"), (QStringList{QStringLiteral("k"), QStringLiteral("extra")}));

    ini.writeString(u"S", u"k", QStringLiteral("new"));
    EXPECT_EQ(ini.readString(u"S", u"k"), QStringLiteral("new"));
    // Erasing removes every copy, so no older value shows through.
    EXPECT_TRUE(ini.eraseKey(u"S", u"K"));
    EXPECT_FALSE(ini.hasKey(u"S", u"k"));
    EXPECT_FALSE(ini.eraseKey(u"S", u"k"));
}

TEST(IniFile, MalformedAndCommentLinesAreSafe)
{
    const QByteArray bytes = "stray=before any section\r\n"
                             "; a comment before sections\r\n"
                             "[S]\r\n"
                             "; key=commented out\r\n"
                             "no equals sign here\r\n"
                             "=value without key\r\n"
                             "  spaced key  =  spaced value  \r\n"
                             "empty=\r\n"
                             "[ Broken\r\n"
                             "[]\r\n"
                             "x=in nameless section\r\n";
    IniFile ini = IniFile::parse(bytes);
    EXPECT_FALSE(ini.hasKey(u"S", u"stray"));
    EXPECT_FALSE(ini.hasKey(u"S", u"; key"));
    EXPECT_FALSE(ini.hasKey(u"S", u"key"));
    EXPECT_EQ(ini.readString(u"S", u"spaced key"), QStringLiteral("spaced value"));
    EXPECT_TRUE(ini.hasKey(u"S", u"empty"));
    EXPECT_EQ(ini.readString(u"S", u"empty", QStringLiteral("def")), QString());
    EXPECT_EQ(ini.keys(u"S"), (QStringList{QStringLiteral("spaced key"), QStringLiteral("empty")}));
    EXPECT_EQ(ini.readString(u"", u"x"), QStringLiteral("in nameless section"));

    // A rewrite keeps comments and odd lines where they were.
    ini.writeInt(u"S", u"empty", 5);
    const QString text = ini.toText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("stray=before any section\r\n; a comment before sections\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("; key=commented out\r\nno equals sign here\r\n=value without key\r\n"
                                             "spaced key=spaced value\r\nempty=5\r\n[ Broken\r\n")));
}

TEST(IniFile, WrittenValuesStayOnOneLine)
{
    IniFile ini;
    ini.writeString(u"S", u"text", QStringLiteral("one\r\n[Evil]\r\nk=2"));
    ini.writeString(u"S", u"bad=key", QStringLiteral("x"));
    ini.writeString(u"S", u"", QStringLiteral("x"));
    const IniFile back = IniFile::parse(ini.serialize());
    EXPECT_EQ(back.sectionNames(), QStringList{QStringLiteral("S")});
    EXPECT_EQ(back.keys(u"S"), QStringList{QStringLiteral("text")});
}

TEST(IniFile, IntegersAreStrict)
{
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"42", 42},           {"-17", -17},       {"+8", 8},         {" 12 ", 12},
        {"2147483647", 2147483647}, {"-2147483648", std::numeric_limits<int>::min()},
        {"2147483648", -1},   {"12abc", -1},      {"1.5", -1},       {"", -1},
        {"-", -1},            {"0x10", -1},       {"1 2", -1},       {"١٢", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        IniFile ini;
        ini.writeString(u"S", u"k", QString::fromUtf8(c.text));
        EXPECT_EQ(ini.readInt(u"S", u"k", -1), c.expected);
    }
    EXPECT_EQ(IniFile().readInt(u"S", u"missing", 77), 77);
}

TEST(IniFile, BooleansAreAnyNonZeroInteger)
{
    const struct {
        const char* text;
        bool def;
        bool expected;
    } cases[] = {
        {"1", false, true}, {"0", true, false}, {"-1", false, true}, {"7", false, true},
        {"yes", false, false}, {"yes", true, true}, {"true", false, false}, {"", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        IniFile ini;
        ini.writeString(u"S", u"b", QString::fromUtf8(c.text));
        EXPECT_EQ(ini.readBool(u"S", u"b", c.def), c.expected);
    }
    IniFile ini;
    ini.writeBool(u"S", u"on", true);
    ini.writeBool(u"S", u"off", false);
    EXPECT_EQ(ini.toText(), QStringLiteral("[S]\r\non=1\r\noff=0\r\n"));
}

TEST(IniFile, RealsAcceptEitherDecimalPoint)
{
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"2.5", 2.5}, {"2,5", 2.5}, {"-0,0001", -0.0001}, {"3", 3.0}, {"1e3", 1000.0},
        {"abc", -9.0}, {"1.2.3", -9.0}, {"inf", -9.0}, {"nan", -9.0}, {"", -9.0}, {"1,5e", -9.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        IniFile ini;
        ini.writeString(u"S", u"r", QString::fromUtf8(c.text));
        EXPECT_DOUBLE_EQ(ini.readDouble(u"S", u"r", -9.0), c.expected);
    }

    IniFile ini;
    ini.writeDouble(u"S", u"cost", 2.5);
    ini.writeDouble(u"S", u"tiny", 0.1);
    EXPECT_EQ(ini.readString(u"S", u"cost"), QStringLiteral("2.5"));
    EXPECT_EQ(ini.readString(u"S", u"tiny"), QStringLiteral("0.1"));
    for (double v : {1234567.125, -0.0001, 1e20, 3.141592653589793}) {
        ini.writeDouble(u"S", u"v", v);
        EXPECT_FALSE(ini.readString(u"S", u"v").contains(u','));
        EXPECT_EQ(ini.readDouble(u"S", u"v", 0.0), v);
    }
}

TEST(IniFile, ClampedReadsStayInRange)
{
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"50", 50}, {"-5", 0}, {"0", 0}, {"100", 100}, {"101", 100}, {"99999999999", 20}, {"junk", 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        IniFile ini;
        ini.writeString(u"S", u"k", QString::fromUtf8(c.text));
        EXPECT_EQ(ini.readInt(u"S", u"k", 20, 0, 100), c.expected);
    }
}

TEST(IniFile, EraseSectionRemovesAllItsKeys)
{
    IniFile ini = IniFile::parse("[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
    EXPECT_TRUE(ini.eraseSection(u"a"));
    EXPECT_FALSE(ini.hasSection(u"A"));
    EXPECT_FALSE(ini.hasKey(u"A", u"x"));
    EXPECT_EQ(ini.readInt(u"B", u"y", 0), 2);
    EXPECT_FALSE(ini.eraseSection(u"A"));
    EXPECT_EQ(ini.serialize(), QByteArray("[B]\r\ny=2\r\n"));
}

}  // namespace
}  // namespace zircon
