#pragma once
// One ini-format file on disk, read and written one value at a time: every
// read loads the file and takes one value; every write loads the file,
// changes it and writes it back at once (atomically), so nothing is cached
// between operations and a crash never leaves half a file.
//
// A file that exists but cannot be loaded (unreadable, not a text file) gives
// the defaults to reads, and refuses writes with an Error: saving over it
// would replace the user's good copy with a file of defaults.
#include "core/IniFile.h"

#include <QString>
#include <QStringView>

#include <functional>

namespace zircon {

class IniStore {
public:
    explicit IniStore(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }

    // The current content; a missing file is empty. Throws Error when the file
    // exists but cannot be read or holds something other than text.
    IniFile load() const;

    // Reads never throw: a missing or unloadable file gives the default.
    QString readString(QStringView section, QStringView key, const QString& def = {}) const;
    int readInt(QStringView section, QStringView key, int def) const;
    int readInt(QStringView section, QStringView key, int def, int min, int max) const;
    bool readBool(QStringView section, QStringView key, bool def) const;
    double readDouble(QStringView section, QStringView key, double def) const;

    // Each write is one load, one change and one atomic rewrite; throws Error
    // when the file cannot be loaded or written (the file is then unchanged).
    void writeString(QStringView section, QStringView key, const QString& value);
    void writeInt(QStringView section, QStringView key, int value);
    void writeBool(QStringView section, QStringView key, bool value);
    void writeDouble(QStringView section, QStringView key, double value);
    void eraseKey(QStringView section, QStringView key);
    void eraseSection(QStringView section);

    // Many changes with one load and one rewrite (the shutdown stores dozens
    // of keys). The file is rewritten only when its content changed (so a
    // first write creates it); nothing is written when `change` throws.
    void update(const std::function<void(IniFile&)>& change);

    // The content for reading: an unloadable file reads as a missing one.
    IniFile loadOrEmpty() const;

private:
    QString m_path;
};

}  // namespace zircon
