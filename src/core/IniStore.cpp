#include "core/IniStore.h"

#include "core/AtomicFile.h"
#include "core/Error.h"
#include "core/Tr.h"

#include <QFileInfo>

namespace zircon {

IniFile IniStore::load() const
{
    const QFileInfo info(m_path);
    if (!info.exists())
        return {};
    QByteArray bytes;
    try {
        if (info.isDir())
            throw Error(tr(ZT("Это каталог, а не файл")));
        bytes = readWholeFile(m_path);
    } catch (const Error& e) {
        throw Error(tr(ZT("Ошибка чтения файла \"%1\": %2")).arg(m_path, e.text()));
    }
    // No text file of ours holds a zero byte; a file that does was damaged
    // (typically zero-filled by a crash) and must not be taken for an empty one.
    if (bytes.contains('\0'))
        throw Error(tr(ZT("Файл \"%1\" поврежден: это не текстовый файл параметров")).arg(m_path));
    return IniFile::parse(bytes);
}

IniFile IniStore::loadOrEmpty() const
{
    try {
        return load();
    } catch (const Error&) {
        return {};
    }
}

QString IniStore::readString(QStringView section, QStringView key, const QString& def) const
{
    return loadOrEmpty().readString(section, key, def);
}

int IniStore::readInt(QStringView section, QStringView key, int def) const
{
    return loadOrEmpty().readInt(section, key, def);
}

int IniStore::readInt(QStringView section, QStringView key, int def, int min, int max) const
{
    return loadOrEmpty().readInt(section, key, def, min, max);
}

bool IniStore::readBool(QStringView section, QStringView key, bool def) const
{
    return loadOrEmpty().readBool(section, key, def);
}

double IniStore::readDouble(QStringView section, QStringView key, double def) const
{
    return loadOrEmpty().readDouble(section, key, def);
}

void IniStore::update(const std::function<void(IniFile&)>& change)
{
    IniFile ini = load();  // throws for an unloadable file: never save over it
    const QByteArray before = ini.serialize();
    change(ini);
    const QByteArray after = ini.serialize();
    if (after == before)
        return;  // nothing changed: spare the disk (a missing file stays missing)
    writeFileAtomically(m_path, after);
}

void IniStore::writeString(QStringView section, QStringView key, const QString& value)
{
    update([&](IniFile& ini) { ini.writeString(section, key, value); });
}

void IniStore::writeInt(QStringView section, QStringView key, int value)
{
    update([&](IniFile& ini) { ini.writeInt(section, key, value); });
}

void IniStore::writeBool(QStringView section, QStringView key, bool value)
{
    update([&](IniFile& ini) { ini.writeBool(section, key, value); });
}

void IniStore::writeDouble(QStringView section, QStringView key, double value)
{
    update([&](IniFile& ini) { ini.writeDouble(section, key, value); });
}

void IniStore::eraseKey(QStringView section, QStringView key)
{
    update([&](IniFile& ini) { ini.eraseKey(section, key); });
}

void IniStore::eraseSection(QStringView section)
{
    update([&](IniFile& ini) { ini.eraseSection(section); });
}

}  // namespace zircon
