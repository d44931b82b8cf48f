#include <gtest/gtest.h>

#include "core/IniFile.h"
#include "core/TProxy.h"

using namespace zircon;

TEST(TProxy, AMissingModeFollowsTheStoredServer)
{
    struct Case {
        const char* ini;
        int mode;
        const char* server;
        int port;
    };
    for (const Case& c : {Case{"", 0, "", 80}, Case{"[PROXY]\r\nProxyServer=10.0.0.1\r\n", 2, "10.0.0.1", 80},
                          Case{"[PROXY]\r\nProxyServer=10.0.0.1\r\nProxyMode=0\r\n", 0, "10.0.0.1", 80},
                          Case{"[PROXY]\r\nProxyMode=1\r\nProxyPort=3128\r\n", 1, "", 3128},
                          Case{"[PROXY]\r\nProxyMode=7\r\nProxyPort=99999\r\n", 7, "", 65535},
                          Case{"[proxy]\r\nproxymode=2\r\nproxyserver=gate\r\nproxyport=-5\r\n", 2, "gate", 0}}) {
        TProxy p;
        p.load(IniFile::parse(QByteArray(c.ini)));
        EXPECT_EQ(p.mode, c.mode) << c.ini;
        EXPECT_EQ(p.server, QString::fromLatin1(c.server)) << c.ini;
        EXPECT_EQ(p.port, c.port) << c.ini;
        EXPECT_TRUE(p.saved) << c.ini;
        EXPECT_EQ(p.active(), c.mode == 1 || c.mode == 2) << "other modes act as none: " << c.ini;
    }
}

TEST(TProxy, StoresEveryKeyAndReadsThemBack)
{
    TProxy p;
    p.mode = TProxy::Manual;
    p.server = QStringLiteral("proxy.example.net");
    p.port = 8080;
    p.username = QStringLiteral("иван");
    p.password = QStringLiteral("pa ss=1");
    p.list = {QStringLiteral("1.2.3.4:80")};
    IniFile ini;
    p.store(ini);
    EXPECT_EQ(ini.readString(u"PROXY", u"ProxyMode"), QStringLiteral("2"));
    EXPECT_EQ(ini.readString(u"PROXY", u"ProxyServer"), QStringLiteral("proxy.example.net"));
    EXPECT_EQ(ini.readString(u"PROXY", u"ProxyPort"), QStringLiteral("8080"));
    EXPECT_EQ(ini.readString(u"PROXY", u"ProxyUsername"), QStringLiteral("иван"));
    EXPECT_EQ(ini.readString(u"PROXY", u"ProxyPassword"), QStringLiteral("pa ss=1"));
    EXPECT_FALSE(ini.hasKey(u"PROXY", u"list")) << "the found list is not stored";
    TProxy back;
    back.load(IniFile::parse(ini.serialize()));
    EXPECT_EQ(back.mode, p.mode);
    EXPECT_EQ(back.server, p.server);
    EXPECT_EQ(back.port, p.port);
    EXPECT_EQ(back.username, p.username);
    EXPECT_EQ(back.password, p.password);
    EXPECT_TRUE(back.list.isEmpty());

    back.clear();
    EXPECT_EQ(back.mode, TProxy::None);
    EXPECT_TRUE(back.server.isEmpty());
    EXPECT_EQ(back.port, 80);
    EXPECT_FALSE(back.saved);
}
