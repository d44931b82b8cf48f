#include <gtest/gtest.h>

#include "core/Error.h"
#include "shell/BusyState.h"
#include "shell/MessageViewerModel.h"
#include "shell/Progress.h"
#include "support/FakeHost.h"

using namespace zircon;
using zircon::test::FakeHost;

TEST(Progress, OnlyOneAtATimeAndStepsClampAtTheMaximum)
{
    FakeHost host;
    Progress p(host);
    p.start(QStringLiteral("Работа..."), 10);
    try {
        p.start(QStringLiteral("Другая..."), 5);
        FAIL() << "a second progress window opened";
    } catch (const Error& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Окно индикатора уже создано!"));
    }
    p.step(7);
    p.step(7);
    EXPECT_EQ(p.position(), 10);
    EXPECT_EQ(host.progressUpdates.back().position, 10);
    p.requestStop();
    EXPECT_TRUE(p.stopRequested());
    p.close();
    EXPECT_EQ(host.progressCloses, 1);
    // A new operation starts with the stop flag cleared.
    p.start(QStringLiteral("Снова..."), 3);
    EXPECT_FALSE(p.stopRequested());
    p.close();
}

TEST(Progress, RefreshesAboutAHundredTimes)
{
    FakeHost host;
    Progress p(host);
    {
        ProgressScope scope(p, QStringLiteral("Много..."), 1'000'000);
        for (int i = 0; i < 1'000'000; ++i)
            p.step();
    }
    EXPECT_FALSE(p.active());
    EXPECT_GE(host.progressUpdates.size(), 100u);
    EXPECT_LE(host.progressUpdates.size(), 102u);
    EXPECT_GE(host.eventRuns, 100);
}

TEST(BusyScope, LowersTheCounterOnEveryWayOut)
{
    FakeHost host;
    BusyState busy(host);
    try {
        BusyScope outer(busy, host, QStringLiteral("Внешняя..."));
        BusyScope inner(busy, host);
        EXPECT_TRUE(busy.busy());
        EXPECT_EQ(host.panels[6], QStringLiteral("Внешняя..."));
        throw Error(QStringLiteral("сбой"));
    } catch (const Error&) {
    }
    EXPECT_FALSE(busy.busy());
    EXPECT_EQ(host.panels[6], QString());
    EXPECT_EQ(host.busyChanges, (std::vector<bool>{true, false}));
}

TEST(MessageViewerModel, SeparatesMessagesAndCountsThem)
{
    MessageViewerModel m;
    m.add(QStringLiteral("первое"), kViewerMaroon);
    m.add(QStringLiteral("   "), kViewerMaroon);  // blank: only the count line refreshes
    m.add(QStringLiteral("второе\r\nстрока"), 0x000000);
    ASSERT_EQ(m.lines().size(), 4u);
    EXPECT_EQ(m.lines()[0].text, QStringLiteral("первое"));
    EXPECT_EQ(m.lines()[1].text, QString());
    EXPECT_EQ(m.lines()[2].text, QStringLiteral("второе"));
    EXPECT_EQ(m.lines()[3].text, QStringLiteral("строка"));
    EXPECT_EQ(m.lines()[0].rgb, kViewerMaroon);
    EXPECT_EQ(m.count(), 2);
    EXPECT_EQ(m.countText(), QStringLiteral("Всего сообщений: 2"));
    m.clear();
    EXPECT_EQ(m.countText(), QStringLiteral("Всего сообщений: 0"));
}
