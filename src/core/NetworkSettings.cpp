#include "core/NetworkSettings.h"

#include <QDir>

#include "core/IniFile.h"

namespace zircon {

namespace {

QString serviceAddress(const IniFile& ini, QStringView key, const QString& def)
{
    QString value = ini.readString(kNetworkSection, key).trimmed();
    while (value.endsWith(u'/'))
        value.chop(1);
    return value.isEmpty() ? def : value;
}

}  // namespace

void NetworkSettings::load(const IniFile& ini)
{
    drawsService = serviceAddress(ini, networkkeys::kDrawsService, QString::fromLatin1(kDefaultDrawsService));
    proxyListService =
        serviceAddress(ini, networkkeys::kProxyListService, QString::fromLatin1(kDefaultProxyListService));
    caFile = ini.readString(kNetworkSection, networkkeys::kCaFile).trimmed();
}

void NetworkSettings::store(IniFile& ini) const
{
    ini.writeString(kNetworkSection, networkkeys::kDrawsService, drawsService);
    ini.writeString(kNetworkSection, networkkeys::kProxyListService, proxyListService);
    ini.writeString(kNetworkSection, networkkeys::kCaFile, caFile);
}

QString NetworkSettings::caFilePath(const QString& dataDir) const
{
    if (caFile.isEmpty())
        return {};
    return QDir::cleanPath(QDir(dataDir).absoluteFilePath(caFile));
}

}  // namespace zircon
