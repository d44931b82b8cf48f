#include <gtest/gtest.h>

#include "core/DrawsAnswer.h"
#include "core/Error.h"

using namespace zircon;

namespace {

QString failureOf(const QString& text)
{
    try {
        parseDrawsAnswer(text);
    } catch (const Error& e) {
        return e.text();
    }
    return QStringLiteral("<no failure>");
}

}  // namespace

TEST(DrawsAnswer, TheRangeQueryHasTheServicesExactForm)
{
    struct Case {
        int from;
        int to;
        const char* query;
    };
    for (const Case& c :
         {Case{19971101, 19980208,
               "/api/v1/numbers/zircon?_format=json&min=1997-11-01%2000:00:00&max=1998-02-08%2023:59:59"},
          Case{20240303, 20240303,
               "/api/v1/numbers/zircon?_format=json&min=2024-03-03%2000:00:00&max=2024-03-03%2023:59:59"},
          Case{20091231, 20100410,
               "/api/v1/numbers/zircon?_format=json&min=2009-12-31%2000:00:00&max=2010-04-10%2023:59:59"}})
        EXPECT_EQ(drawsRangeQuery(c.from, c.to), QString::fromLatin1(c.query));
}

TEST(DrawsAnswer, ReadsTheDrawsInTheAnswersOrder)
{
    const QString text = QStringLiteral(
        "[{\"field_draw_date\":\"2024-03-06T22:59:00\",\"field_winning_numbers\":\"09,69,01,33,27,26\","
        "\"field_multiplier\":\"3\"},"
        "{\"field_draw_date\":\"2024-03-04T22:59:00\",\"field_winning_numbers\":\"05,06,07,08,10,01\"}]");
    const DrawsAnswer a = parseDrawsAnswer(text);
    ASSERT_EQ(a.draws.size(), 2u);
    EXPECT_EQ(a.skipped, 0);
    EXPECT_EQ(a.draws[0].date(), "03/06/2024");
    EXPECT_EQ(a.draws[0].nums, (std::array<uint8_t, 5>{9, 69, 1, 33, 27})) << "drawn order is kept";
    EXPECT_EQ(a.draws[0].extra, 26);
    EXPECT_EQ(a.draws[0].number, 0);
    EXPECT_EQ(a.draws[1].date(), "03/04/2024");
    EXPECT_EQ(a.draws[1].extra, 1);
}

TEST(DrawsAnswer, PiecesThatDoNotReadAsADrawAreSkipped)
{
    struct Case {
        const char* name;
        const char* piece;
        bool kept;
    };
    const Case cases[] = {
        {"a good draw", R"({"field_draw_date":"2024-03-04T22:59:00","field_winning_numbers":"1,2,3,4,5,6"})", true},
        {"white space and letter case",
         R"({ "FIELD_DRAW_DATE" : "2024-03-04" , "Field_Winning_Numbers": " 01, 02 ,03,04,05,06 " })", true},
        {"more than six words", R"({"field_draw_date":"2024-03-04","field_winning_numbers":"1,2,3,4,5,6,2"})", true},
        {"no numbers", R"({"field_draw_date":"2024-03-04T22:59:00"})", false},
        {"no date", R"({"field_winning_numbers":"1,2,3,4,5,6"})", false},
        {"main number 70", R"({"field_draw_date":"2024-03-04","field_winning_numbers":"1,2,3,4,70,6"})", false},
        {"main number 0", R"({"field_draw_date":"2024-03-04","field_winning_numbers":"0,2,3,4,5,6"})", false},
        {"extra number 27", R"({"field_draw_date":"2024-03-04","field_winning_numbers":"1,2,3,4,5,27"})", false},
        {"extra number missing", R"({"field_draw_date":"2024-03-04","field_winning_numbers":"1,2,3,4,5"})", false},
        {"a repeated main number", R"({"field_draw_date":"2024-03-04","field_winning_numbers":"1,2,3,3,5,6"})", false},
        {"a word that is no number", R"({"field_draw_date":"2024-03-04","field_winning_numbers":"1,2,x,4,5,6"})", false},
        {"a day that does not exist", R"({"field_draw_date":"2024-02-30","field_winning_numbers":"1,2,3,4,5,6"})", false},
        {"a date in another form", R"({"field_draw_date":"03/04/2024","field_winning_numbers":"1,2,3,4,5,6"})", false},
        {"a number field that is no text", R"({"field_draw_date":"2024-03-04","field_winning_numbers":123456})", false},
    };
    for (const Case& c : cases) {
        const DrawsAnswer a = parseDrawsAnswer(QStringLiteral("[") + QString::fromUtf8(c.piece) + QStringLiteral("]"));
        EXPECT_EQ(a.draws.size(), c.kept ? 1u : 0u) << c.name;
        EXPECT_EQ(a.skipped, c.kept ? 0 : 1) << c.name;
        if (c.kept) {
            EXPECT_EQ(a.draws[0].date(), "03/04/2024") << c.name;
            EXPECT_EQ(a.draws[0].comb().n, (std::array<uint8_t, 5>{1, 2, 3, 4, 5})) << c.name;
            EXPECT_EQ(a.draws[0].extra, 6) << c.name;
        }
    }
}

TEST(DrawsAnswer, AnEmptyListIsNoDrawsButNoListIsAFailure)
{
    for (const char* empty : {"[]", "  [ ]  ", "prefix [] suffix"}) {
        const DrawsAnswer a = parseDrawsAnswer(QString::fromLatin1(empty));
        EXPECT_TRUE(a.draws.empty()) << empty;
        EXPECT_EQ(a.skipped, 0) << empty;
    }
    EXPECT_EQ(failureOf(QStringLiteral("<html>Service unavailable</html>")),
              QStringLiteral("Ответ сервера не содержит списка тиражей:\r\r<html>Service unavailable</html>"));
    EXPECT_EQ(failureOf(QString()), QStringLiteral("Ответ сервера не содержит списка тиражей:\r\r"));
    EXPECT_EQ(failureOf(QStringLiteral("[{\"field_draw_date\":")),
              QStringLiteral("Не удалось найти пару идентификаторов \"[\" - \"]\" в тексте\r\r[[{\"field_draw_date\":]!"));
    // A long page is shown by its beginning only.
    const QString page = QStringLiteral("<html>") + QString(1000, u'x');
    const QString failure = failureOf(page);
    EXPECT_EQ(failure, QStringLiteral("Ответ сервера не содержит списка тиражей:\r\r") + page.left(300) + QStringLiteral("..."));
}

TEST(DrawsAnswer, FieldsAreReadBetweenTheirMarkers)
{
    struct Case {
        const char* piece;
        const char* name;
        const char* value;  // nullptr: missing
    };
    for (const Case& c : {Case{R"("a":"1","b":"2")", "b", "2"}, Case{R"("a" : "  spaced  ")", "a", "spaced"},
                          Case{R"("A":"upper")", "a", "upper"}, Case{R"("ab":"x","b":"y")", "b", "y"},
                          Case{R"("b","a":"1","b":"z")", "b", "z"}, Case{R"("a":"unterminated)", "a", nullptr},
                          Case{R"("a":5)", "a", nullptr}, Case{R"("c":"1")", "a", nullptr}}) {
        const std::optional<QString> v = answerField(QString::fromUtf8(c.piece), QString::fromLatin1(c.name));
        if (!c.value) {
            EXPECT_FALSE(v.has_value()) << c.piece;
            continue;
        }
        ASSERT_TRUE(v.has_value()) << c.piece;
        EXPECT_EQ(*v, QString::fromLatin1(c.value)) << c.piece;
    }
}
