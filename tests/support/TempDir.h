#pragma once
// A fresh data directory per test, removed afterwards.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zircon::test {

class TempDir {
public:
    TempDir() { EXPECT_TRUE(m_dir.isValid()); }
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const QString& name) const
    {
        QFile f(file(name));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return f.readAll();
    }

private:
    QTemporaryDir m_dir;
};

inline QString testDataPath(const char* name)
{
    return QStringLiteral(ZIRCON_TEST_DATA_DIR "/") + QString::fromUtf8(name);
}

}  // namespace zircon::test
