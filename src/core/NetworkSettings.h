#pragma once
// Where the network services are and what the client trusts, section NETWORK
// of the settings file. The addresses are settings, not constants, so a user
// can follow a service that moves and the tests can point them at a server of
// their own.
#include <QString>
#include <QStringView>

namespace zircon {

class IniFile;

inline constexpr QStringView kNetworkSection = u"NETWORK";

namespace networkkeys {
inline constexpr QStringView kDrawsService = u"DrawsService";        // the operator's draw-results service
inline constexpr QStringView kProxyListService = u"ProxyListService";  // the public proxy list
inline constexpr QStringView kCaFile = u"CAFile";                    // extra trusted certificates (PEM)
}  // namespace networkkeys

inline constexpr const char* kDefaultDrawsService = "https://www.zircon-lottery.com";
inline constexpr const char* kDefaultProxyListService = "https://proxylist.example.com";

struct NetworkSettings {
    QString drawsService = QString::fromLatin1(kDefaultDrawsService);
    QString proxyListService = QString::fromLatin1(kDefaultProxyListService);
    QString caFile;  // empty: the system's certificates alone

    // Missing or empty keys keep the defaults; a trailing "/" of an address
    // is dropped (the paths are appended with their own).
    void load(const IniFile& ini);
    void store(IniFile& ini) const;

    // The CA file as an absolute path, a relative one taken from `dataDir`;
    // empty when none is set.
    QString caFilePath(const QString& dataDir) const;
};

}  // namespace zircon
