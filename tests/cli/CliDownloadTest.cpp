#include <gtest/gtest.h>

#include <QDate>

#include "core/DrawArchive.h"
#include "core/ExclusiveFile.h"
#include "support/CliRun.h"
#include "support/DrawFixtures.h"
#include "support/FakeDrawService.h"
#include "support/TempDir.h"

using namespace zircon;
using namespace zircon::test;

namespace {

// The program against the test's own HTTPS service, dated from today as the
// program reads its clock.
class CliDownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.start();
        today = QDate::currentDate();
        // Two draws, the newest 150 days ago: two ranges to catch up.
        dir.write(QStringLiteral("Zircon_5x69.ldr"),
                  encodeArchive({makeDraw(500, {1, 2, 3, 4, 5}, 1, dateText(-160).c_str()),
                                 makeDraw(501, {6, 7, 8, 9, 10}, 2, dateText(-150).c_str())}));
        service.setDraws({{today.addDays(-200), {1, 2, 3, 4, 5, 6}},
                          {today.addDays(-10), {10, 20, 30, 40, 50, 10}},
                          {today.addDays(-140), {14, 24, 34, 44, 54, 14}},
                          {today.addDays(-90), {9, 19, 29, 39, 49, 9}}});
    }
    std::string dateText(int days) const
    {
        return today.addDays(days).toString(QStringLiteral("MM/dd/yyyy")).toStdString();
    }
    CliRun download(QStringList extra = {})
    {
        QStringList args{QStringLiteral("download"), QStringLiteral("--service"), server.url()};
        return runCli(dir, args + extra);
    }
    QStringList trusted() const { return {QStringLiteral("--ca-file"), testPki().caFile}; }
    DrawArchive stored() const
    {
        DrawArchive a;
        a.load(dir.file(QStringLiteral("Zircon_5x69.ldr")));
        return a;
    }

    TempDir dir;
    TestHttpServer server{TestHttpServer::Tls::On};
    FakeDrawService service{server};
    QDate today;
};

}  // namespace

TEST_F(CliDownloadTest, AddsTheServedDrawsInOrderAndASecondRunAddsNone)
{
    const CliRun first = download(trusted());
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(first.lines(), QStringList{QStringLiteral("Добавлено тиражей: 3")});
    EXPECT_EQ(service.targets().size(), 2u) << "two ranges of 100 days up to today";
    const DrawArchive a = stored();
    ASSERT_EQ(a.count(), 5);
    const std::string expectedDates[] = {dateText(-140), dateText(-90), dateText(-10)};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a.draws()[static_cast<size_t>(2 + i)].date(), expectedDates[i]);
        EXPECT_EQ(a.draws()[static_cast<size_t>(2 + i)].number, 502 + i);
    }
    EXPECT_EQ(a.draws()[4].nums, (std::array<uint8_t, 5>{10, 20, 30, 40, 50}));

    const CliRun second = download(trusted());
    ASSERT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_EQ(second.lines(), QStringList{QStringLiteral("Добавлено тиражей: 0")});
    EXPECT_EQ(service.targets().size(), 3u) << "one range from the day after the newest draw";
    EXPECT_EQ(stored().count(), 5);
}

TEST_F(CliDownloadTest, AFailureEndsWithANonZeroExitAndNoQuestion)
{
    struct Case {
        const char* name;
        bool trust;
        bool fault;
        const char* message;
    };
    for (const Case& c : {Case{"the server's answer is 500", true, true, "Сервер ответил ошибкой HTTP 500"},
                          Case{"no trust in the server", false, false, "Сертификат сервера не прошел проверку"}}) {
        if (c.fault)
            service.pushFault(FakeDrawService::Fault::Status500);
        const QByteArray before = dir.read(QStringLiteral("Zircon_5x69.ldr"));
        const CliRun r = download(c.trust ? trusted() : QStringList{});
        EXPECT_EQ(r.exitCode, 1) << c.name;
        EXPECT_EQ(r.lines(), QStringList{QStringLiteral("Добавлено тиражей: 0")}) << c.name;
        EXPECT_TRUE(
            r.err.contains(QStringLiteral("Ошибка загрузки архива тиражей с сайта: \"") + QString::fromUtf8(c.message)))
            << c.name << ": " << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("Повторить попытку?"))) << c.name;
        EXPECT_EQ(dir.read(QStringLiteral("Zircon_5x69.ldr")), before) << c.name;
    }
}

TEST_F(CliDownloadTest, MalformedOptionsShowTheUsage)
{
    for (const QStringList& args :
         {QStringList{QStringLiteral("download"), QStringLiteral("--service")},
          QStringList{QStringLiteral("download"), QStringLiteral("--proxy"), QStringLiteral("x")}}) {
        const CliRun r = runCli(dir, args);
        EXPECT_EQ(r.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("download [--service URL] [--ca-file FILE]")));
    }
    EXPECT_TRUE(service.targets().empty());
}

TEST_F(CliDownloadTest, TheStakesAreCheckedAgainstTheNewDraws)
{
    // Stakes on the next draw (502), which the download brings: 14, 24, 34, 44, 54.
    dir.write(QStringLiteral("in.lcv"), "14;24;34;44;1\r\n1;2;3;4;5\r\n");
    const CliRun add = runCli(dir, {QStringLiteral("stakes"), QStringLiteral("add"), QStringLiteral("--from"),
                                    dir.file(QStringLiteral("in.lcv"))});
    ASSERT_EQ(add.exitCode, 0) << add.err.toStdString();
    const CliRun r = download(trusted());
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const CliRun list = runCli(dir, {QStringLiteral("stakes"), QStringLiteral("list")});
    ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
    const QStringList lines = list.lines();
    ASSERT_EQ(lines.size(), 3);
    const QStringList first = lines[1].split(u'\t');
    const QStringList second = lines[2].split(u'\t');
    ASSERT_GE(first.size(), 5);
    ASSERT_GE(second.size(), 5);
    EXPECT_EQ(first[1], QStringLiteral("502"));
    EXPECT_EQ(first[3], QStringLiteral("4")) << "checked by the download";
    EXPECT_EQ(first[4], QStringLiteral("14 24 34 44"));
    EXPECT_EQ(second[3], QStringLiteral("0"));
}

TEST_F(CliDownloadTest, ADataDirectoryInUseIsLeftAlone)
{
    ExclusiveFile holder;
    ASSERT_TRUE(holder.open(dir.file(QStringLiteral("Zircon_5x69.lsk"))));
    const QByteArray before = dir.read(QStringLiteral("Zircon_5x69.ldr"));
    const CliRun r = download(trusted());
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Невозможно получить монопольный доступ"))) << r.err.toStdString();
    EXPECT_TRUE(service.targets().empty());
    EXPECT_EQ(dir.read(QStringLiteral("Zircon_5x69.ldr")), before);
}
