#include <gtest/gtest.h>

#include "core/IniFile.h"
#include "core/NetworkSettings.h"

using namespace zircon;

TEST(NetworkSettings, AddressesDefaultAndLoseTheirTrailingSlash)
{
    NetworkSettings s;
    s.load(IniFile());
    EXPECT_EQ(s.drawsService, QString::fromLatin1(kDefaultDrawsService));
    EXPECT_EQ(s.proxyListService, QString::fromLatin1(kDefaultProxyListService));
    EXPECT_TRUE(s.caFile.isEmpty());
    EXPECT_TRUE(s.caFilePath(QStringLiteral("/data")).isEmpty());

    s.load(IniFile::parse("[NETWORK]\r\nDrawsService=https://127.0.0.1:8443//\r\nProxyListService=  \r\n"
                          "CAFile=certs/test.pem\r\n"));
    EXPECT_EQ(s.drawsService, QStringLiteral("https://127.0.0.1:8443"));
    EXPECT_EQ(s.proxyListService, QString::fromLatin1(kDefaultProxyListService)) << "an empty key keeps the default";
    EXPECT_EQ(s.caFilePath(QStringLiteral("/data")), QStringLiteral("/data/certs/test.pem"));
    s.caFile = QStringLiteral("/etc/zircon/ca.pem");
    EXPECT_EQ(s.caFilePath(QStringLiteral("/data")), QStringLiteral("/etc/zircon/ca.pem"));

    IniFile ini;
    s.store(ini);
    NetworkSettings back;
    back.load(IniFile::parse(ini.serialize()));
    EXPECT_EQ(back.drawsService, s.drawsService);
    EXPECT_EQ(back.proxyListService, s.proxyListService);
    EXPECT_EQ(back.caFile, s.caFile);
}
