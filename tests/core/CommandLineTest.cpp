#include "core/CommandLine.h"

#include <gtest/gtest.h>

namespace zircon {
namespace {

TEST(CommandLine, SwitchMatching)
{
    const struct {
        const char* arg;
        QStringView name;
        bool matches;
    } cases[] = {
        {"restart", kSwitchRestart, true},
        {"-RESTART", kSwitchRestart, true},
        {"--Restart", kSwitchRestart, true},
        {"/restart", kSwitchRestart, true},
        {"\\restart", kSwitchRestart, true},
        {"restart2", kSwitchRestart, false},
        {"xrestart", kSwitchRestart, false},
        {"---restart", kSwitchRestart, false},
        {"//restart", kSwitchRestart, false},
        {"-restart-", kSwitchRestart, false},
        {" restart", kSwitchRestart, false},
        {"", kSwitchRestart, false},
        {"-", kSwitchRestart, false},
        {"/NO-LANGUAGE", kSwitchNoLanguage, true},
        {"--no-language", kSwitchNoLanguage, true},
        {"nolanguage", kSwitchNoLanguage, false},
        {"LoadOnly", kSwitchLoadOnly, true},
        {"-fullrecreate", kSwitchFullRecreate, true},
        {"fullrefresh", kSwitchFullRecreate, false},
        {"\\FullRefresh", kSwitchFullRefresh, true},
        {"--restart-pid=12", kSwitchRestart, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arg);
        EXPECT_EQ(hasSwitch({QString::fromUtf8(c.arg)}, c.name), c.matches);
    }
}

TEST(CommandLine, SwitchFoundAmongOtherArguments)
{
    const QStringList args{QStringLiteral("--data-dir"), QStringLiteral("/tmp/x"), QStringLiteral("/LOADONLY")};
    EXPECT_TRUE(hasSwitch(args, kSwitchLoadOnly));
    EXPECT_FALSE(hasSwitch(args, kSwitchRestart));
    EXPECT_FALSE(hasSwitch({}, kSwitchRestart));
    EXPECT_FALSE(hasSwitch({QString()}, QStringView()));
}

TEST(CommandLine, RestartHandsOverTheOwnProcessId)
{
    const QStringList args = restartArguments(4321);
    EXPECT_TRUE(hasSwitch(args, kSwitchRestart));
    EXPECT_EQ(restartPid(args), 4321);
}

TEST(CommandLine, RestartPidParsing)
{
    const struct {
        QStringList args;
        qint64 pid;
    } cases[] = {
        {{QStringLiteral("restart"), QStringLiteral("--restart-pid=987")}, 987},
        {{QStringLiteral("--RESTART-PID=5")}, 5},
        {{QStringLiteral("restart")}, 0},
        {{}, 0},
        {{QStringLiteral("--restart-pid=")}, 0},
        {{QStringLiteral("--restart-pid=abc")}, 0},
        {{QStringLiteral("--restart-pid=-3")}, 0},
        {{QStringLiteral("--restart-pid=0")}, 0},
        {{QStringLiteral("--restart-pid=12x")}, 0},
        {{QStringLiteral("--restart-pid")}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        EXPECT_EQ(restartPid(c.args), c.pid);
    }
}

}  // namespace
}  // namespace zircon
