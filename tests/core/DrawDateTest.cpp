#include <gtest/gtest.h>

#include "core/DrawDate.h"
#include "core/Error.h"

using namespace zircon;

namespace {

QString q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

}  // namespace

TEST(DrawDate, IntegerForm)
{
    EXPECT_EQ(DateToInt(QDate(2024, 2, 15)), 20240215);
    EXPECT_EQ(DateToInt(QDate(1, 1, 1)), 10101);
    EXPECT_EQ(DateToInt(QDate()), 0);
    EXPECT_EQ(IntToDate(20240215), QDate(2024, 2, 15));
    const int impossible[] = {20200230, 20241301, 20240100, 0, -20240215, 10100, 101};
    for (int i : impossible)
        EXPECT_FALSE(IntToDate(i).isValid()) << i;
}

TEST(DrawDate, IncIntDate)
{
    struct Case { int date, days, expected; };
    const Case cases[] = {
        {20240228, 1, 20240229}, {20230228, 1, 20230301}, {20241231, 1, 20250101}, {20240301, -1, 20240229},
        {20240215, 0, 20240215}, {20240215, 7, 20240222}, {20240215, 366, 20250215},
        {20200230, 0, 20200230},  // no days: unchanged, even when no real day
        {20200230, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IncIntDate(c.date, c.days), c.expected) << c.date << " + " << c.days;
}

TEST(DrawDate, DrawDateText)
{
    EXPECT_EQ(DrawDateText(QDate()).toStdString(), "");
    EXPECT_EQ(DrawDateText(QDate(2024, 2, 5)).toStdString(), "02/05/2024");
    EXPECT_EQ(DrawDateText(QDate(2024, 12, 31)).toStdString(), "12/31/2024");
    EXPECT_EQ(DrawDateText(QDate(999, 1, 1)).toStdString(), "01/01/0999");
}

TEST(DrawDate, ParseDrawDate)
{
    EXPECT_TRUE(ParseDrawDate(q("")).isNull());
    EXPECT_TRUE(ParseDrawDate(q("   ")).isNull());
    EXPECT_EQ(ParseDrawDate(q("02/15/2024")), QDate(2024, 2, 15));
    EXPECT_EQ(ParseDrawDate(q(" 02/15/2024 ")), QDate(2024, 2, 15));
    EXPECT_EQ(ParseDrawDate(q("02/29/2024")), QDate(2024, 2, 29));
    // positions are fixed; the separators themselves are not looked at
    EXPECT_EQ(ParseDrawDate(q("02-15-2024")), QDate(2024, 2, 15));
}

TEST(DrawDate, ParseDrawDateRefusesImpossibleDates)
{
    const char* texts[] = {"02/30/2020", "13/01/2020", "00/10/2020", "02/29/2023", "ab/cd/efgh", "2/15/2024",
                           "02/15/0000", "02/15"};
    for (const char* text : texts) {
        try {
            const QDate d = ParseDrawDate(q(text));
            ADD_FAILURE() << "accepted \"" << text << "\" as " << d.toString(Qt::ISODate).toStdString();
        } catch (const Error& e) {
            EXPECT_EQ(e.text(), q("Некорректная дата: \"") + q(text) + q("\"!"));
        }
    }
}

TEST(DrawDate, TextAndParseRoundTrip)
{
    for (QDate d(2019, 12, 25); d <= QDate(2021, 1, 5); d = d.addDays(1)) {
        ASSERT_EQ(ParseDrawDate(DrawDateText(d)), d);
        ASSERT_EQ(IntToDate(DateToInt(d)), d);
        ASSERT_TRUE(isDrawDateText(DrawDateText(d)));
    }
}

TEST(DrawDate, IsDrawDateText)
{
    struct Case { const char* text; bool ok; };
    const Case cases[] = {
        {"02/15/2024", true}, {"02/29/2024", true}, {"12/31/1999", true},
        {"02/29/2023", false}, {"02/30/2020", false}, {"00/10/2020", false}, {"13/10/2020", false},
        {"2/15/2024", false}, {" 02/15/2024", false}, {"02/15/2024 ", false}, {"", false},
        {"02-15-2024", false}, {"02/15/24", false}, {"+2/15/2024", false}, {"02/15/0000", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isDrawDateText(q(c.text)), c.ok) << '"' << c.text << '"';
}
