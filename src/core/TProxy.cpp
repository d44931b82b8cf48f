#include "core/TProxy.h"

#include "core/IniFile.h"

namespace zircon {

void TProxy::clear()
{
    *this = TProxy();
}

void TProxy::load(const IniFile& ini)
{
    server = ini.readString(kProxySection, proxykeys::kServer);
    const int fallback = server.isEmpty() ? None : Manual;
    mode = static_cast<uint8_t>(ini.readInt(kProxySection, proxykeys::kMode, fallback, 0, 255));
    port = ini.readInt(kProxySection, proxykeys::kPort, 80, 0, 65535);
    username = ini.readString(kProxySection, proxykeys::kUsername);
    password = ini.readString(kProxySection, proxykeys::kPassword);
    saved = true;
}

void TProxy::store(IniFile& ini) const
{
    ini.writeInt(kProxySection, proxykeys::kMode, mode);
    ini.writeString(kProxySection, proxykeys::kServer, server);
    ini.writeInt(kProxySection, proxykeys::kPort, port);
    ini.writeString(kProxySection, proxykeys::kUsername, username);
    ini.writeString(kProxySection, proxykeys::kPassword, password);
}

}  // namespace zircon
