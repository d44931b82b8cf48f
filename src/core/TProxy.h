#pragma once
// The proxy settings of the draw download, kept by the main window and stored
// in section PROXY of the settings file. In automatic mode the server and port
// are the proxy found last (stored so the next start tries it first) and the
// list holds what the proxy-list service offered.
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>

namespace zircon {

class IniFile;

inline constexpr QStringView kProxySection = u"PROXY";

namespace proxykeys {
inline constexpr QStringView kMode = u"ProxyMode";
inline constexpr QStringView kServer = u"ProxyServer";
inline constexpr QStringView kPort = u"ProxyPort";
inline constexpr QStringView kUsername = u"ProxyUsername";
inline constexpr QStringView kPassword = u"ProxyPassword";
}  // namespace proxykeys

struct TProxy {
    enum Mode : uint8_t { None = 0, Automatic = 1, Manual = 2 };  // other values act as None

    uint8_t mode = None;
    QString server;      // host name or address
    int port = 80;
    QString username;    // optional
    QString password;    // optional, stored in plain text as the file always had it
    bool saved = false;  // false after a change that still has to be written
    QStringList list;    // "host:port" entries of automatic mode, in the service's order

    // Whether a proxy is in use in this mode (None and unknown modes: no).
    bool active() const { return mode == Automatic || mode == Manual; }

    // Back to no proxy and an empty list (the window's creation step).
    void clear();

    // A missing `ProxyMode` is 2 when a server is stored and 0 otherwise; the
    // port is brought into 0..65535. `saved` becomes true.
    void load(const IniFile& ini);
    void store(IniFile& ini) const;
};

}  // namespace zircon
