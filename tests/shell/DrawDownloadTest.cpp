#include <gtest/gtest.h>

#include <QDate>

#include "core/DrawArchive.h"
#include "core/IniFile.h"
#include "shell/DrawDownload.h"
#include "shell/Workspace.h"
#include "support/DrawFixtures.h"
#include "support/FakeDrawService.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"
#include "support/TestProxy.h"

using namespace zircon;
using namespace zircon::test;

namespace {

// A host whose event pump can play the stop button.
class PumpingHost : public FakeHost {
public:
    void processEvents() override
    {
        FakeHost::processEvents();
        if (onEvents)
            onEvents();
    }
    std::function<void()> onEvents;
};

std::string rangeTarget(const char* from, const char* to)
{
    return std::string("/api/v1/numbers/zircon?_format=json&min=") + from + "%2000:00:00&max=" + to + "%2023:59:59";
}

ServedDraw served(int y, int m, int d, std::array<int, 6> numbers)
{
    return {QDate(y, m, d), numbers};
}

QString dateText(const QDate& d)
{
    return d.toString(QStringLiteral("MM/dd/yyyy"));
}

// One data directory with its settings pointing at the test's own HTTPS
// service, and a workspace and download on it.
class DrawDownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.start();
        writeSettings(QStringLiteral("[NETWORK]\r\nDrawsService=%1\r\nCAFile=%2\r\n")
                          .arg(server.url(), testPki().caFile));
    }
    void writeSettings(const QString& ini) { dir.write(QStringLiteral("Zircon_5x69.ini"), ini.toUtf8()); }
    void seed(const TDrawsArray& draws) { dir.write(QStringLiteral("Zircon_5x69.ldr"), encodeArchive(draws)); }
    QByteArray archiveBytes() const { return dir.read(QStringLiteral("Zircon_5x69.ldr")); }
    IniFile settingsFile() const { return IniFile::parse(dir.read(QStringLiteral("Zircon_5x69.ini"))); }

    // Opens the workspace on the directory as it now stands.
    DrawDownload& open(const QDate& today)
    {
        ws = std::make_unique<Workspace>(dir.path(), host);
        EXPECT_TRUE(ws->loadArchive());
        download = std::make_unique<DrawDownload>(*ws);
        download->setToday([today] { return today; });
        download->LoadProxySettings();
        return *download;
    }
    // The archive as the file holds it.
    DrawArchive stored() const
    {
        DrawArchive a;
        a.load(dir.file(QStringLiteral("Zircon_5x69.ldr")));
        return a;
    }
    std::vector<QString> questions() const
    {
        std::vector<QString> q;
        for (const auto& m : host.messages)
            if (isQuestion(m.kind))
                q.push_back(m.text);
        return q;
    }

    TempDir dir;
    PumpingHost host;
    TestHttpServer server{TestHttpServer::Tls::On};
    FakeDrawService service{server};
    std::unique_ptr<Workspace> ws;
    std::unique_ptr<DrawDownload> download;
};

}  // namespace

TEST_F(DrawDownloadTest, AnEmptyArchiveStartsOnTheFirstDayAndGoesOnInRangesOf100Days)
{
    // Nothing in the first range: the download goes on to the next ones.
    service.setDraws({served(1998, 3, 4, {11, 22, 33, 44, 55, 6}), served(1998, 2, 9, {1, 2, 3, 4, 5, 6}),
                      served(1998, 5, 30, {69, 68, 67, 66, 65, 26}), served(1998, 6, 2, {7, 8, 9, 10, 11, 12})});
    DrawDownload& dl = open(QDate(1998, 6, 1));
    EXPECT_EQ(dl.DownloadDraws(), 3);
    EXPECT_EQ(service.targets(), (std::vector<std::string>{rangeTarget("1997-11-01", "1998-02-08"),
                                                           rangeTarget("1998-02-09", "1998-05-19"),
                                                           rangeTarget("1998-05-20", "1998-06-01")}));
    const DrawArchive a = stored();
    ASSERT_EQ(a.count(), 3);
    EXPECT_EQ(a.draws()[0].date(), "02/09/1998");
    EXPECT_EQ(a.draws()[0].number, 1);
    EXPECT_EQ(a.draws()[1].date(), "03/04/1998");
    EXPECT_EQ(a.draws()[1].nums, (std::array<uint8_t, 5>{11, 22, 33, 44, 55}));
    EXPECT_EQ(a.draws()[1].extra, 6);
    EXPECT_EQ(a.draws()[1].number, 2);
    EXPECT_EQ(a.draws()[2].date(), "05/30/1998");
    EXPECT_EQ(a.draws()[2].number, 3);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(ws->archive().count(), 3) << "the workspace holds what the file holds";
    EXPECT_FALSE(dl.lastReport().failed);
}

TEST_F(DrawDownloadTest, NewDrawsAreNumberedAfterTheNewestDrawAndStoredOldestFirst)
{
    struct Case {
        const char* name;
        std::vector<int> numbers;  // of the archive's ten draws, oldest first
        int first;                 // the number the first new draw gets
    };
    const Case cases[] = {
        {"numbered by position", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 11},
        {"after an import", {501, 502, 503, 504, 505, 506, 507, 508, 509, 510}, 511},
        {"after deletions", {1, 2, 3, 4, 5, 8, 9, 10, 11, 12}, 13},
    };
    service.setDraws({served(2024, 3, 9, {9, 19, 29, 39, 49, 9}), served(2024, 3, 4, {4, 14, 24, 34, 44, 4}),
                      served(2024, 3, 6, {6, 16, 26, 36, 46, 6}), served(2024, 2, 28, {1, 2, 3, 4, 5, 6})});
    for (const Case& c : cases) {
        TDrawsArray draws;
        QDate date = QDate(2024, 3, 2).addDays(-18);
        for (int n : c.numbers) {
            draws.push_back(makeDraw(n, {1, 2, 3, 4, 5}, 1, dateText(date).toLatin1().constData()));
            date = date.addDays(2);
        }
        ASSERT_EQ(draws.back().date(), "03/02/2024");
        seed(draws);
        DrawDownload& dl = open(QDate(2024, 3, 10));
        const size_t before = service.targets().size();
        EXPECT_EQ(dl.DownloadDraws(), 3) << c.name;
        const std::vector<std::string> targets = service.targets();
        ASSERT_EQ(targets.size(), before + 1) << c.name;
        EXPECT_EQ(targets.back(), rangeTarget("2024-03-03", "2024-03-10")) << c.name;
        const DrawArchive a = stored();
        ASSERT_EQ(a.count(), 13) << c.name;
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(a.draws()[static_cast<size_t>(i)], draws[static_cast<size_t>(i)]) << c.name;
        EXPECT_EQ(a.draws()[10].date(), "03/04/2024") << c.name;
        EXPECT_EQ(a.draws()[11].date(), "03/06/2024") << c.name;
        EXPECT_EQ(a.draws()[12].date(), "03/09/2024") << c.name;
        EXPECT_EQ(a.draws()[12].nums, (std::array<uint8_t, 5>{9, 19, 29, 39, 49})) << c.name;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(a.draws()[static_cast<size_t>(10 + i)].number, c.first + i) << c.name;
    }
}

TEST_F(DrawDownloadTest, WhenTheNewestDrawIsDatedTodayNothingIsAsked)
{
    seed({makeDraw(7, {1, 2, 3, 4, 5}, 1, "03/10/2024")});
    const QByteArray before = archiveBytes();
    DrawDownload& dl = open(QDate(2024, 3, 10));
    EXPECT_EQ(dl.DownloadDraws(), 0);
    EXPECT_TRUE(service.targets().empty());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(archiveBytes(), before);
}

TEST_F(DrawDownloadTest, ANewestDateThatDoesNotReadStopsTheDownloadBeforeItDuplicatesTheArchive)
{
    seed({makeDraw(1, {1, 2, 3, 4, 5}, 1, "03/01/2024"), makeDraw(2, {1, 2, 3, 4, 5}, 1, "")});
    const QByteArray before = archiveBytes();
    DrawDownload& dl = open(QDate(2024, 3, 10));
    EXPECT_EQ(dl.DownloadDraws(), 0);
    EXPECT_TRUE(service.targets().empty());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(host.messages[0].text.startsWith(QStringLiteral("Дата последнего тиража архива (\"\") не распознана")));
    EXPECT_TRUE(dl.lastReport().failed);
    EXPECT_EQ(archiveBytes(), before);
}

TEST_F(DrawDownloadTest, OnlyReadableDrawsOfTheRangeAskedForAreStored)
{
    seed({makeDraw(40, {1, 2, 3, 4, 5}, 1, "03/02/2024")});
    // Out of order, with pieces that must never reach the archive.
    service.pushRawAnswer(FakeDrawService::listOf({
        FakeDrawService::jsonOf(served(2024, 3, 6, {6, 16, 26, 36, 46, 6})),
        FakeDrawService::jsonOf(served(2024, 3, 9, {9, 19, 29, 39, 49, 9})),
        R"({"field_draw_date":"2024-03-05T22:59:00"})",
        R"({"field_draw_date":"2024-03-05T22:59:00","field_winning_numbers":"01,02,03,04,70,05"})",
        R"({"field_draw_date":"2024-03-05T22:59:00","field_winning_numbers":"01,02,03,04,05,27"})",
        R"({"field_draw_date":"2024-02-31T22:59:00","field_winning_numbers":"01,02,03,04,05,06"})",
        FakeDrawService::jsonOf(served(2024, 3, 2, {1, 2, 3, 4, 5, 1})),   // already in the archive
        FakeDrawService::jsonOf(served(2024, 3, 11, {1, 2, 3, 4, 5, 1})),  // after the range
        FakeDrawService::jsonOf(served(2024, 3, 6, {1, 2, 3, 4, 5, 1})),   // the same day again
        FakeDrawService::jsonOf(served(2024, 3, 4, {4, 14, 24, 34, 44, 4})),
    }));
    DrawDownload& dl = open(QDate(2024, 3, 10));
    EXPECT_EQ(dl.DownloadDraws(), 3);
    EXPECT_EQ(dl.lastReport().skipped, 7);
    const DrawArchive a = stored();
    ASSERT_EQ(a.count(), 4);
    EXPECT_EQ(a.draws()[1].date(), "03/04/2024");
    EXPECT_EQ(a.draws()[2].date(), "03/06/2024");
    EXPECT_EQ(a.draws()[2].nums, (std::array<uint8_t, 5>{6, 16, 26, 36, 46})) << "the first of the day counts";
    EXPECT_EQ(a.draws()[3].date(), "03/09/2024");
    EXPECT_EQ(a.draws()[3].number, 43);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DrawDownloadTest, FailuresAskToRetryAndARetryGoesOn)
{
    struct Case {
        const char* name;
        FakeDrawService::Fault fault;
        QString failure;  // the text inside the question, its start
    };
    const Case cases[] = {
        {"status 500", FakeDrawService::Fault::Status500,
         QStringLiteral("Сервер ответил ошибкой HTTP 500 на запрос \"%1%2\"")
             .arg(server.url(), QString::fromStdString(rangeTarget("2024-03-03", "2024-03-10")))},
        {"a page without a list", FakeDrawService::Fault::Junk,
         QStringLiteral("Ответ сервера не содержит списка тиражей:\r\r<html><body>Service temporarily unavailable")},
        {"a list that does not end", FakeDrawService::Fault::Unclosed,
         QStringLiteral("Не удалось найти пару идентификаторов \"[\" - \"]\" в тексте\r\r[[{")},
    };
    service.setDraws({served(2024, 3, 4, {4, 14, 24, 34, 44, 4})});
    for (const Case& c : cases) {
        seed({makeDraw(40, {1, 2, 3, 4, 5}, 1, "03/02/2024")});
        host.messages.clear();
        DrawDownload& dl = open(QDate(2024, 3, 10));
        // Declined: nothing is added and the archive stays as it was.
        service.pushFault(c.fault);
        const QByteArray before = archiveBytes();
        host.answers = {false};
        EXPECT_EQ(dl.DownloadDraws(), 0) << c.name;
        EXPECT_TRUE(dl.lastReport().failed) << c.name;
        EXPECT_EQ(archiveBytes(), before) << c.name;
        ASSERT_EQ(questions().size(), 1u) << c.name;
        const QString q = questions()[0];
        EXPECT_TRUE(q.startsWith(QStringLiteral("Ошибка загрузки архива тиражей с сайта: \"") + c.failure))
            << c.name << ": " << q.toStdString();
        EXPECT_TRUE(q.endsWith(QStringLiteral("\"\r\rПовторить попытку?"))) << c.name;
        EXPECT_EQ(dl.attempt(), 2) << c.name;

        // Accepted: the same range is asked again and its draw arrives.
        host.messages.clear();
        service.pushFault(c.fault);
        host.answers = {true};
        const size_t asked = service.targets().size();
        EXPECT_EQ(dl.DownloadDraws(), 1) << c.name;
        EXPECT_FALSE(dl.lastReport().failed) << c.name;
        EXPECT_EQ(questions().size(), 1u) << c.name;
        const std::vector<std::string> targets = service.targets();
        ASSERT_EQ(targets.size(), asked + 2) << c.name;
        EXPECT_EQ(targets[asked], targets[asked + 1]) << c.name;
        EXPECT_EQ(stored().count(), 2) << c.name;
    }
}

TEST_F(DrawDownloadTest, ASilentServerTimesOutIntoTheRetryQuestion)
{
    seed({makeDraw(40, {1, 2, 3, 4, 5}, 1, "03/02/2024")});
    DrawDownload& dl = open(QDate(2024, 3, 10));
    dl.setTimeouts(DrawDownload::kConnectTimeoutMs, 300);
    service.pushFault(FakeDrawService::Fault::Hang);
    EXPECT_EQ(dl.DownloadDraws(), 0);
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_EQ(questions()[0],
              QStringLiteral("Ошибка загрузки архива тиражей с сайта: \"Сервер не ответил за отведенное "
                             "время (300 мс)\"\r\rПовторить попытку?"));
    EXPECT_GT(host.eventRuns, 0) << "events ran while the request waited";
}

TEST_F(DrawDownloadTest, StopEndsTheDownloadWithoutAQuestionKeepingWhatArrived)
{
    // The first range arrives; the second hangs until the stop.
    service.setDraws({served(1998, 1, 10, {1, 2, 3, 4, 5, 6})});
    DrawDownload& dl = open(QDate(1998, 6, 1));
    int eventsInHang = 0;
    host.onEvents = [&] {
        if (service.targets().size() == 2 && ++eventsInHang == 3)
            dl.requestStop();
    };
    // The first request is answered; the hang is the second.
    service.pushRawAnswer(FakeDrawService::listOf({FakeDrawService::jsonOf(served(1998, 1, 10, {1, 2, 3, 4, 5, 6}))}));
    service.pushFault(FakeDrawService::Fault::Hang);
    const DownloadReport report = dl.runCommand();
    EXPECT_TRUE(report.stopped);
    EXPECT_FALSE(report.failed);
    EXPECT_EQ(report.added, 1);
    EXPECT_TRUE(questions().empty());
    EXPECT_EQ(service.targets().size(), 2u);
    EXPECT_EQ(stored().count(), 1);
    EXPECT_EQ(host.waitCloses, 1);
}

TEST_F(DrawDownloadTest, AServerTheClientDoesNotTrustIsRefused)
{
    writeSettings(QStringLiteral("[NETWORK]\r\nDrawsService=%1\r\n").arg(server.url()));
    DrawDownload& dl = open(QDate(1998, 1, 1));
    EXPECT_EQ(dl.DownloadDraws(), 0);
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_TRUE(questions()[0].startsWith(
        QStringLiteral("Ошибка загрузки архива тиражей с сайта: \"Сертификат сервера не прошел проверку: ")))
        << questions()[0].toStdString();
    EXPECT_TRUE(service.targets().empty()) << "no request reached the server";
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Zircon_5x69.ldr"))));
}

TEST_F(DrawDownloadTest, AnArchiveThatCannotBeSavedEndsTheDownload)
{
    // A damaged record: the archive loads up to it and refuses to be saved.
    QByteArray bytes = encodeArchive({makeDraw(1, {1, 2, 3, 4, 5}, 1, "01/01/1998")});
    bytes += QByteArray(24, '\xFF');
    dir.write(QStringLiteral("Zircon_5x69.ldr"), bytes);
    service.setDraws({served(1998, 1, 5, {1, 2, 3, 4, 5, 6}), served(1998, 5, 5, {1, 2, 3, 4, 5, 6})});
    ws = std::make_unique<Workspace>(dir.path(), host);
    ws->loadArchive();
    host.messages.clear();
    DrawDownload dl(*ws);
    dl.setToday([] { return QDate(1998, 6, 1); });
    EXPECT_EQ(dl.DownloadDraws(), 0);
    EXPECT_TRUE(dl.lastReport().failed);
    EXPECT_EQ(service.targets().size(), 1u) << "no range after the one that could not be stored";
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.startsWith(QStringLiteral("Ошибка записи в файл тиражей!\r\r")));
    EXPECT_EQ(dir.read(QStringLiteral("Zircon_5x69.ldr")), bytes);
}

TEST_F(DrawDownloadTest, TheCommandHoldsTheBusyStateTheWaitWindowAndTheStakesCheck)
{
    seed({makeDraw(40, {1, 2, 3, 4, 5}, 1, "03/02/2024")});
    service.setDraws({served(2024, 3, 4, {4, 14, 24, 34, 44, 4})});
    DrawDownload& dl = open(QDate(2024, 3, 10));
    int checks = 0;
    bool busyWhileChecking = false;
    dl.setStakesCheck([&] {
        ++checks;
        busyWhileChecking = ws->busy();
    });
    int refreshes = 0;
    ws->addViewRefresher([&](bool force) { refreshes += force; });
    host.busyChanges.clear();
    host.waitTexts.clear();
    const DownloadReport report = dl.runCommand();
    EXPECT_EQ(report.added, 1);
    EXPECT_EQ(checks, 1);
    EXPECT_TRUE(busyWhileChecking);
    EXPECT_EQ(refreshes, 1) << "one range brought draws";
    EXPECT_EQ(host.busyChanges, (std::vector<bool>{true, false}));
    ASSERT_FALSE(host.waitTexts.isEmpty());
    EXPECT_EQ(host.waitTexts.front(), QStringLiteral("Загрузка архива тиражей..."));
    EXPECT_EQ(host.waitCloses, 1);
    EXPECT_EQ(host.panels[kProgressPanel], QString()) << "the status is cleared afterwards";
    EXPECT_FALSE(dl.running());

    // A failure that is declined still checks the stakes.
    service.pushFault(FakeDrawService::Fault::Status500);
    host.answers = {false};
    dl.setToday([] { return QDate(2024, 3, 20); });
    EXPECT_TRUE(dl.runCommand().failed);
    EXPECT_EQ(checks, 2);
    EXPECT_EQ(host.waitCloses, 2);
}

TEST_F(DrawDownloadTest, WithoutQuestionsAFailureEndsTheRun)
{
    seed({makeDraw(40, {1, 2, 3, 4, 5}, 1, "03/02/2024")});
    DrawDownload& dl = open(QDate(2024, 3, 10));
    dl.setAskToRetry(false);
    service.pushFault(FakeDrawService::Fault::Status500);
    const DownloadReport report = dl.runCommand();
    EXPECT_TRUE(report.failed);
    EXPECT_TRUE(questions().empty());
    ASSERT_EQ(host.count(MessageKind::Error), 1);
    EXPECT_TRUE(host.messages.back().text.startsWith(
        QStringLiteral("Ошибка загрузки архива тиражей с сайта: \"Сервер ответил ошибкой HTTP 500")));
    EXPECT_EQ(service.targets().size(), 1u);
}

TEST_F(DrawDownloadTest, AManualProxyCarriesTheRequestsWithItsPassword)
{
    TestProxy proxy(TestProxy::Protocol::HttpConnect, "ivan", "s3cret");
    writeSettings(
        QStringLiteral("[NETWORK]\r\nDrawsService=%1\r\nCAFile=%2\r\n[PROXY]\r\nProxyMode=2\r\n"
                       "ProxyServer=127.0.0.1\r\nProxyPort=%3\r\nProxyUsername=ivan\r\nProxyPassword=s3cret\r\n")
            .arg(server.url(), testPki().caFile)
            .arg(proxy.port()));
    seed({makeDraw(40, {1, 2, 3, 4, 5}, 1, "03/02/2024")});
    service.setDraws({served(2024, 3, 4, {4, 14, 24, 34, 44, 4})});
    DrawDownload& dl = open(QDate(2024, 3, 10));
    EXPECT_EQ(dl.proxy().mode, TProxy::Manual);
    host.waitTexts.clear();
    EXPECT_EQ(dl.runCommand().added, 1);
    EXPECT_EQ(proxy.targets(), std::vector<std::string>{"127.0.0.1:" + std::to_string(server.port())});
    EXPECT_EQ(proxy.credentials(), std::vector<std::string>{"ivan:s3cret"});
    EXPECT_TRUE(host.waitTexts.contains(
        QStringLiteral("Загрузка архива тиражей...\r\rПопытка 1, proxy 127.0.0.1 : %1").arg(proxy.port())));
}

TEST_F(DrawDownloadTest, AutomaticModeMovesToTheNextProxyAndKeepsTheOneThatWorked)
{
    TestProxy proxy(TestProxy::Protocol::HttpConnect);
    const int dead = closedLoopbackPort();
    TestHttpServer list(TestHttpServer::Tls::Off);
    std::vector<std::string> listTargets;
    std::mutex listMutex;
    list.http().Get("/", [&](const httplib::Request& req, httplib::Response& res) {
        std::lock_guard lock(listMutex);
        listTargets.push_back(req.target);
        res.set_content("<table><tr><th>IP address</th><th>Port</th></tr>"
                        "<tr><td>127.0.0.1</td><td>" + std::to_string(dead) + "</td><td>HTTPS</td></tr>"
                        "<tr><td>127.0.0.1</td><td>" + std::to_string(proxy.port()) + "</td><td>HTTPS</td></tr></table>",
                        "text/html");
    });
    list.start();
    writeSettings(QStringLiteral("[NETWORK]\r\nDrawsService=%1\r\nProxyListService=%2\r\nCAFile=%3\r\n[PROXY]\r\n"
                                 "ProxyMode=1\r\n")
                      .arg(server.url(), list.url(), testPki().caFile));
    seed({makeDraw(40, {1, 2, 3, 4, 5}, 1, "03/02/2024")});
    service.setDraws({served(2024, 3, 4, {4, 14, 24, 34, 44, 4})});
    DrawDownload& dl = open(QDate(2024, 3, 10));
    host.waitTexts.clear();
    EXPECT_EQ(dl.runCommand().added, 1);
    EXPECT_TRUE(questions().empty()) << "a failing proxy is replaced without asking";
    EXPECT_EQ(listTargets, std::vector<std::string>{"/?protocol=https&min_uptime=75"});
    EXPECT_EQ(proxy.targets(), std::vector<std::string>{"127.0.0.1:" + std::to_string(server.port())});
    EXPECT_EQ(host.waitTexts,
              (QStringList{
                  QStringLiteral("Загрузка архива тиражей..."),
                  QStringLiteral("Загрузка архива тиражей...\r\rПоиск proxy-серверов"),
                  QStringLiteral("Загрузка архива тиражей...\r\rПопытка 1, proxy 127.0.0.1 : %1").arg(dead),
                  QStringLiteral("Загрузка архива тиражей...\r\rПопытка 2, proxy 127.0.0.1 : %1").arg(proxy.port())}));
    // The proxy that worked is stored for the next start; the list is not.
    const IniFile ini = settingsFile();
    EXPECT_EQ(ini.readString(u"PROXY", u"ProxyMode"), QStringLiteral("1"));
    EXPECT_EQ(ini.readString(u"PROXY", u"ProxyServer"), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(ini.readString(u"PROXY", u"ProxyPort"), QString::number(proxy.port()));
    EXPECT_TRUE(dl.proxy().list.isEmpty());
    EXPECT_TRUE(dl.proxy().saved);
}

TEST_F(DrawDownloadTest, TheProxySearchReadsPagesUntilItHasEnough)
{
    struct Case {
        const char* name;
        const char* address;
        std::vector<int> pageSizes;  // entries on each page the service has
        std::vector<std::string> asked;
        int found;
    };
    const Case cases[] = {
        {"two full pages", "https://draws.example", {15, 15, 15},
         {"/?protocol=https&min_uptime=75", "/?protocol=https&min_uptime=75&offset=15"}, 30},
        {"a short second page", "https://draws.example", {15, 7},
         {"/?protocol=https&min_uptime=75", "/?protocol=https&min_uptime=75&offset=15"}, 22},
        {"plain http asks for both protocols", "http://draws.example", {4},
         {"/?protocol=http&protocol=https&min_uptime=75"}, 4},
        {"nothing at all", "https://draws.example", {0}, {"/?protocol=https&min_uptime=75"}, 0},
    };
    for (const Case& c : cases) {
        TestHttpServer list(TestHttpServer::Tls::Off);
        std::vector<std::string> asked;
        std::mutex m;
        list.http().Get("/", [&](const httplib::Request& req, httplib::Response& res) {
            std::lock_guard lock(m);
            asked.push_back(req.target);
            const size_t page = req.has_param("offset") ? std::stoul(req.get_param_value("offset")) / 15 : 0;
            std::string html = "<table>";
            for (int i = 0; page < c.pageSizes.size() && i < c.pageSizes[page]; ++i)
                html
                    += "<tr><td>10.0." + std::to_string(page) + "." + std::to_string(i + 1) + "</td><td>8080</td></tr>";
            res.set_content(html + "</table>", "text/html");
        });
        list.start();
        writeSettings(QStringLiteral("[NETWORK]\r\nProxyListService=%1\r\n").arg(list.url()));
        host.messages.clear();
        DrawDownload& dl = open(QDate(2024, 3, 10));
        EXPECT_EQ(dl.FindProxies(QString::fromLatin1(c.address)), c.found > 0) << c.name;
        EXPECT_EQ(asked, c.asked) << c.name;
        EXPECT_EQ(dl.proxy().list.size(), c.found) << c.name;
        if (c.found > 0) {
            EXPECT_EQ(dl.proxy().list.front(), QStringLiteral("10.0.0.1:8080")) << c.name;
            EXPECT_TRUE(host.messages.empty()) << c.name;
        } else {
            ASSERT_EQ(host.messages.size(), 1u) << c.name;
            EXPECT_EQ(host.messages[0].text, QStringLiteral("Ошибка получения списка proxy-серверов!\r\rНе найдено ни "
                                                            "одного proxy-сервера с заданными параметрами"));
        }
    }
}

TEST_F(DrawDownloadTest, AutomaticModeWithoutAnyProxyAsksNothingOfTheService)
{
    TestHttpServer list(TestHttpServer::Tls::Off);
    list.http().Get("/", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("<html>No proxies match</html>", "text/html");
    });
    list.start();
    writeSettings(QStringLiteral("[NETWORK]\r\nDrawsService=%1\r\nProxyListService=%2\r\nCAFile=%3\r\n[PROXY]\r\n"
                                 "ProxyMode=1\r\n")
                      .arg(server.url(), list.url(), testPki().caFile));
    DrawDownload& dl = open(QDate(2024, 3, 10));
    EXPECT_EQ(dl.DownloadDraws(), 0);
    EXPECT_TRUE(service.targets().empty());
    EXPECT_TRUE(dl.lastReport().failed);
    EXPECT_TRUE(questions().empty());
    EXPECT_EQ(host.count(MessageKind::Error), 1);
}

TEST_F(DrawDownloadTest, NextProxyDropsTheCurrentOneOnlyInAutomaticMode)
{
    DrawDownload& dl = open(QDate(2024, 3, 10));
    TProxy& p = dl.proxy();
    for (uint8_t mode : {uint8_t{0}, uint8_t{2}, uint8_t{5}}) {
        p.mode = mode;
        p.server = QStringLiteral("gate");
        p.list = {QStringLiteral("a:1"), QStringLiteral("b:2")};
        EXPECT_FALSE(dl.NextProxy()) << int(mode);
        EXPECT_EQ(p.server, QStringLiteral("gate")) << int(mode);
        EXPECT_EQ(p.list.size(), 2) << int(mode);
    }
    p.mode = TProxy::Automatic;
    p.username = QStringLiteral("u");
    p.saved = true;
    EXPECT_TRUE(dl.NextProxy());
    EXPECT_TRUE(p.server.isEmpty());
    EXPECT_EQ(p.port, 0);
    EXPECT_TRUE(p.username.isEmpty());
    EXPECT_FALSE(p.saved);
    EXPECT_EQ(p.list, QStringList{QStringLiteral("b:2")});
    EXPECT_FALSE(dl.NextProxy());
    EXPECT_TRUE(p.list.isEmpty());
}

TEST_F(DrawDownloadTest, ProxySettingsAreStoredInTheirSection)
{
    DrawDownload& dl = open(QDate(2024, 3, 10));
    EXPECT_EQ(dl.proxy().mode, TProxy::None);
    dl.proxy().mode = TProxy::Manual;
    dl.proxy().server = QStringLiteral("proxy.example.net");
    dl.proxy().port = 3128;
    dl.proxy().saved = false;
    host.panels.clear();
    EXPECT_TRUE(dl.SaveProxySettings(true));
    EXPECT_TRUE(dl.proxy().saved);
    const IniFile ini = settingsFile();
    EXPECT_EQ(ini.readString(u"PROXY", u"ProxyServer"), QStringLiteral("proxy.example.net"));
    EXPECT_EQ(ini.readString(u"PROXY", u"ProxyPort"), QStringLiteral("3128"));
    EXPECT_EQ(ini.readString(u"NETWORK", u"DrawsService"), server.url()) << "the rest of the file stays";

    DrawDownload again(*ws);
    again.LoadProxySettings();
    EXPECT_EQ(again.proxy().mode, TProxy::Manual);
    EXPECT_EQ(again.proxy().server, QStringLiteral("proxy.example.net"));
    EXPECT_TRUE(host.messages.empty());
}
