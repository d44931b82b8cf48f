#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QLineEdit>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <deque>

#include "core/DrawArchive.h"
#include "core/IniFile.h"
#include "shell/Workspace.h"
#include "support/DrawFixtures.h"
#include "support/FakeDrawService.h"
#include "support/TempDir.h"
#include "ui/ActionSet.h"
#include "ui/DialogRunner.h"
#include "ui/DrawDownloadCommands.h"
#include "ui/QtHost.h"
#include "ui/TFormMain.h"
#include "ui/TFormProxy.h"
#include "ui/WaitWindow.h"

namespace zircon {
namespace {

struct Shown {
    MessageKind kind;
    QString text;
};

const QString kStartQuestion = QStringLiteral(
    "Обновить список тиражей?\r\rДля выполнения обновления необходимо действующее подключение к сети Интернет.");

// The main window on a small archive whose newest draw is 20 days old, with
// the operator's service played by the test over HTTPS.
class DrawDownloadWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.start();
        today = QDate::currentDate();
        m_dir.write(QStringLiteral("Zircon_5x69.ldr"),
                    encodeArchive({test::makeDraw(70, {1, 2, 3, 4, 5}, 1, dateText(-25).c_str()),
                                   test::makeDraw(71, {6, 7, 8, 9, 10}, 2, dateText(-20).c_str())}));
        m_dir.write(QStringLiteral("Zircon_5x69.ini"),
                    QStringLiteral("[NETWORK]\r\nDrawsService=%1\r\nCAFile=%2\r\n")
                        .arg(server.url(), test::testPki().caFile)
                        .toUtf8());
        setStartMode(2);
        service.setDraws({{today.addDays(-15), {15, 25, 35, 45, 55, 15}}, {today.addDays(-5), {5, 6, 7, 8, 9, 5}}});
    }
    void TearDown() override { setDialogRunner({}); }

    void setStartMode(int mode)
    {
        m_dir.write(QStringLiteral("Zircon_5x69.frm"), QStringLiteral("[TFormMain]\r\nDownloadDrawsOnStart=%1\r\n")
                                                           .arg(mode)
                                                           .toUtf8());
    }
    std::string dateText(int days) const
    {
        return today.addDays(days).toString(QStringLiteral("MM/dd/yyyy")).toStdString();
    }
    std::unique_ptr<TFormMain> open(const QStringList& args = {})
    {
        TFormMain::StartOptions options;
        options.dataDir = m_dir.path();
        options.arguments = args;
        auto w = std::make_unique<TFormMain>(options);
        w->host().setAnswerer([this](MessageKind k, const QString& t, bool) {
            m_shown.push_back({k, t});
            if (!isQuestion(k))
                return true;
            if (m_answers.empty())
                return false;
            const bool a = m_answers.front();
            m_answers.pop_front();
            return a;
        });
        w->setProgramEnder([this] { ++m_ends; });
        w->runStartupNow();
        QCoreApplication::processEvents();
        return w;
    }
    int storedCount() const
    {
        DrawArchive a;
        a.load(m_dir.file(QStringLiteral("Zircon_5x69.ldr")));
        return a.count();
    }
    // Runs `step` from the event loop once the service has a request waiting.
    void onceRequestArrives(QObject* context, std::function<void()> step)
    {
        auto* timer = new QTimer(context);
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, context, [this, timer, step] {
            if (service.targets().empty())
                return;
            timer->stop();
            timer->deleteLater();
            step();
        });
        timer->start();
    }
    std::vector<QString> questions() const
    {
        std::vector<QString> q;
        for (const Shown& s : m_shown)
            if (isQuestion(s.kind))
                q.push_back(s.text);
        return q;
    }

    test::TempDir m_dir;
    test::TestHttpServer server{test::TestHttpServer::Tls::On};
    test::FakeDrawService service{server};
    QDate today;
    std::vector<Shown> m_shown;
    std::deque<bool> m_answers;
    int m_ends = 0;
};

}  // namespace

TEST_F(DrawDownloadWindowTest, TheCommandsHaveTheirCaptionsHintsAndPlaces)
{
    auto w = open();
    struct Case {
        const char* name;
        const char* caption;
        const char* hint;
    };
    for (const Case& c :
         {Case{"DrawsDownload", "Загрузка", "Загрузка архива тиражей с сайта лотереи"},
          Case{"AutoDownload0", "По запросу (по умолчанию)", "Спросить пользователя"},
          Case{"AutoDownload1", "Автоматически", "Автоматическая загрузка тиражей при запуске программы"},
          Case{"AutoDownload2", "Отключено", "Без автоматической загрузки при запуске программы"},
          Case{"EditProxy", "Параметры proxy-сервера", "Параметры proxy-сервера"}}) {
        QAction* a = w->actions().action(QString::fromLatin1(c.name));
        ASSERT_NE(a, nullptr) << c.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(c.caption)) << c.name;
        EXPECT_EQ(a->statusTip(), QString::fromUtf8(c.hint)) << c.name;
        EXPECT_TRUE(a->isEnabled()) << c.name;
    }
    EXPECT_EQ(w->actions().action(QStringLiteral("DrawsDownload"))->shortcut(), QKeySequence(Qt::Key_F3));
    QActionGroup* group = w->actions().action(QStringLiteral("AutoDownload0"))->actionGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->isExclusive());
    EXPECT_EQ(group->actions().size(), 3);
    EXPECT_EQ(w->actions().action(QStringLiteral("AutoDownload2"))->actionGroup(), group);

    auto* draws = w->menuBar()->findChild<QMenu*>(QStringLiteral("mnDraws"));
    ASSERT_NE(draws, nullptr);
    EXPECT_TRUE(draws->actions().contains(w->actions().action(QStringLiteral("DrawsDownload"))));
    auto* start = draws->findChild<QMenu*>(QStringLiteral("mnAutoDownload"));
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->actions(), group->actions());
    auto* program = w->menuBar()->findChild<QMenu*>(QStringLiteral("mnProgram"));
    ASSERT_NE(program, nullptr);
    EXPECT_TRUE(program->actions().contains(w->actions().action(QStringLiteral("EditProxy"))));
}

TEST_F(DrawDownloadWindowTest, TheStartChoiceIsMarkedAndStoredAtOnce)
{
    auto w = open();
    auto checked = [&] {
        QStringList names;
        for (const char* n : {"AutoDownload0", "AutoDownload1", "AutoDownload2"})
            if (w->actions().action(QString::fromLatin1(n))->isChecked())
                names << QString::fromLatin1(n);
        return names;
    };
    EXPECT_EQ(checked(), QStringList{QStringLiteral("AutoDownload2")});
    for (int mode : {1, 0, 2}) {
        ASSERT_TRUE(w->actions().trigger(QStringLiteral("AutoDownload%1").arg(mode)));
        EXPECT_EQ(checked(), QStringList{QStringLiteral("AutoDownload%1").arg(mode)});
        EXPECT_EQ(IniFile::parse(m_dir.read(QStringLiteral("Zircon_5x69.frm"))).readString(u"TFormMain",
                                                                                         u"DownloadDrawsOnStart"),
                  QString::number(mode));
        EXPECT_EQ(w->keys().downloadDrawsOnStart, mode);
    }
    EXPECT_TRUE(service.targets().empty());
}

TEST_F(DrawDownloadWindowTest, DownloadShowsTheWaitWindowAndRefreshesTheList)
{
    auto w = open();
    EXPECT_TRUE(m_shown.empty());
    QString waitText;
    bool hadStop = false;
    bool busyMeanwhile = false;
    // The first request waits until the step has looked at the window; it is
    // then answered 503 and the retry brings the draws.
    service.pushFault(test::FakeDrawService::Fault::Hang);
    onceRequestArrives(w.get(), [&] {
        if (WaitWindow* wait = w->host().waitWindow()) {
            waitText = wait->text();
            hadStop = wait->stopButton() != nullptr && wait->stopButton()->isVisible();
        }
        busyMeanwhile = !w->actions().action(QStringLiteral("DrawsDownload"))->isEnabled();
        service.gate().open();
    });
    m_answers = {true};
    ASSERT_TRUE(w->actions().trigger(QStringLiteral("DrawsDownload")));
    EXPECT_EQ(waitText, QStringLiteral("Загрузка архива тиражей..."));
    EXPECT_TRUE(hadStop);
    EXPECT_TRUE(busyMeanwhile) << "every command is disabled while the download runs";
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_TRUE(questions()[0].startsWith(
        QStringLiteral("Ошибка загрузки архива тиражей с сайта: \"Сервер ответил ошибкой HTTP 503")));
    EXPECT_EQ(storedCount(), 4);
    EXPECT_EQ(w->workspace().archive().count(), 4);
    EXPECT_EQ(w->host().statusText(0), QStringLiteral("Архив тиражей: 4"));
    EXPECT_EQ(w->host().statusText(6), QString());
    EXPECT_EQ(w->host().waitWindow(), nullptr) << "closed afterwards";
    EXPECT_TRUE(w->actions().action(QStringLiteral("DrawsDownload"))->isEnabled());
}

TEST_F(DrawDownloadWindowTest, TheStopButtonAndACloseRequestEndTheDownload)
{
    struct Case {
        const char* name;
        bool close;
    };
    for (const Case c : {Case{"stop button", false}, Case{"close request", true}}) {
        m_shown.clear();
        auto w = open();
        TFormMain* window = w.get();
        const size_t before = service.targets().size();
        service.pushFault(test::FakeDrawService::Fault::Hang);
        auto* timer = new QTimer(window);
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, window, [&, timer, window, before] {
            if (service.targets().size() <= before)
                return;
            timer->stop();
            if (c.close)
                window->close();
            else if (WaitWindow* wait = window->host().waitWindow())
                wait->stopButton()->click();
        });
        timer->start();
        ASSERT_TRUE(w->actions().trigger(QStringLiteral("DrawsDownload"))) << c.name;
        EXPECT_TRUE(w->downloadCommands()->download().lastReport().stopped) << c.name;
        EXPECT_TRUE(questions().empty()) << c.name;
        EXPECT_EQ(storedCount(), 2) << c.name;
        EXPECT_EQ(service.targets().size(), before + 1) << c.name;
        if (c.close) {
            // The window finishes the close once the work has ended.
            for (int i = 0; i < 50 && w->workspace().stakesFile().isOpen(); ++i)
                QCoreApplication::processEvents();
            EXPECT_FALSE(w->workspace().stakesFile().isOpen()) << c.name;
        }
    }
}

TEST_F(DrawDownloadWindowTest, TheStartAsksDownloadsOrLeavesItAsTheSettingSays)
{
    struct Case {
        int mode;
        std::deque<bool> answers;
        bool asked;
        bool moreServed;  // two more draws appear before this start
        int draws;        // in the archive afterwards
    };
    for (const Case& c : {Case{0, {false}, true, false, 2}, Case{0, {true}, true, false, 4},
                          Case{1, {}, false, true, 6}, Case{2, {}, false, true, 6}}) {
        setStartMode(c.mode);
        m_shown.clear();
        m_answers = c.answers;
        if (c.moreServed)
            service.setDraws({{today.addDays(-15), {15, 25, 35, 45, 55, 15}},
                              {today.addDays(-5), {5, 6, 7, 8, 9, 5}},
                              {today.addDays(-3), {3, 13, 23, 33, 43, 3}},
                              {today.addDays(-1), {1, 11, 21, 31, 41, 1}}});
        auto w = open();
        EXPECT_EQ(questions(), c.asked ? std::vector<QString>{kStartQuestion} : std::vector<QString>{}) << c.mode;
        EXPECT_EQ(storedCount(), c.draws) << c.mode;
        EXPECT_EQ(m_ends, 0);
        EXPECT_TRUE(w->startupDone());
    }
}

TEST_F(DrawDownloadWindowTest, LoadOnlyDownloadsThenEndsTheProgram)
{
    auto w = open({QStringLiteral("/LOADONLY")});
    EXPECT_EQ(storedCount(), 4);
    EXPECT_EQ(m_ends, 1);
    EXPECT_TRUE(questions().empty());
    EXPECT_EQ(service.targets().size(), 1u);

    // Nothing new: one empty request and the end.
    w.reset();
    auto again = open({QStringLiteral("loadonly")});
    EXPECT_EQ(storedCount(), 4);
    EXPECT_EQ(m_ends, 2);
    EXPECT_EQ(service.targets().size(), 2u);
}

TEST_F(DrawDownloadWindowTest, TheProxyDialogStoresItsChoice)
{
    auto w = open();
    setDialogRunner([](QDialog& d) {
        auto& dialog = static_cast<TFormProxy&>(d);
        EXPECT_TRUE(dialog.noneButton()->isChecked());
        dialog.manualButton()->setChecked(true);
        dialog.serverEdit()->setText(QStringLiteral("proxy.example.net"));
        dialog.portEdit()->setValue(3128);
        dialog.userEdit()->setText(QStringLiteral("ivan"));
        dialog.passwordEdit()->setText(QStringLiteral("s3cret"));
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(w->actions().trigger(QStringLiteral("EditProxy")));
    const IniFile ini = IniFile::parse(m_dir.read(QStringLiteral("Zircon_5x69.ini")));
    EXPECT_EQ(ini.readString(u"PROXY", u"ProxyMode"), QStringLiteral("2"));
    EXPECT_EQ(ini.readString(u"PROXY", u"ProxyServer"), QStringLiteral("proxy.example.net"));
    EXPECT_EQ(ini.readString(u"PROXY", u"ProxyPort"), QStringLiteral("3128"));
    EXPECT_EQ(ini.readString(u"PROXY", u"ProxyUsername"), QStringLiteral("ivan"));
    EXPECT_EQ(ini.readString(u"PROXY", u"ProxyPassword"), QStringLiteral("s3cret"));
    EXPECT_TRUE(w->downloadCommands()->download().proxy().saved);

    // Cancelled: nothing changes.
    setDialogRunner([](QDialog& d) {
        static_cast<TFormProxy&>(d).noneButton()->setChecked(true);
        return int(QDialog::Rejected);
    });
    w->actions().trigger(QStringLiteral("EditProxy"));
    EXPECT_EQ(w->downloadCommands()->download().proxy().mode, TProxy::Manual);

    // The next start reads the section back.
    w.reset();
    auto next = open();
    EXPECT_EQ(next->downloadCommands()->download().proxy().server, QStringLiteral("proxy.example.net"));
}

}  // namespace zircon
