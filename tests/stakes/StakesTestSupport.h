#pragma once
// An open stakes file in a fresh directory, and stake records built field by
// field, for the stakes tests.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <array>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "core/ExclusiveFile.h"
#include "stakes/StakeRecord.h"
#include "stakes/StakesFile.h"
#include "support/TempDir.h"

namespace zircon::test {

inline StakeRecord plainStake(int draw, std::array<uint8_t, 5> nums, StakeKind kind = StakeKind::Manual)
{
    StakeRecord r;
    r.kind = kind;
    r.drawNumber = draw;
    r.listSize = 10;
    r.numbers.count = 5;
    std::copy(nums.begin(), nums.end(), r.numbers.nums.begin());
    r.matched.count = -1;
    r.profit = -20000;
    r.setComment(QStringLiteral("test"));
    return r;
}

inline QByteArray encodeAll(const std::vector<StakeRecord>& records)
{
    QByteArray out;
    for (const StakeRecord& r : records)
        encodeStake(r, out);
    return out;
}

// The stakes file of a temporary data directory, held and checked as at
// start-up.
class OpenStakes {
public:
    explicit OpenStakes(const QByteArray& initial = {})
    {
        if (!initial.isEmpty())
            m_dir.write(QStringLiteral("Zircon_5x69.lsk"), initial);
        EXPECT_TRUE(m_hold.open(path()));
        m_file = std::make_unique<StakesFile>(m_hold);
        m_report = m_file->checkAtStartUp();
    }

    QString path() const { return m_dir.file(QStringLiteral("Zircon_5x69.lsk")); }
    const TempDir& dir() const { return m_dir; }
    StakesFile& file() { return *m_file; }
    ExclusiveFile& hold() { return m_hold; }
    const StakesStartupReport& report() const { return m_report; }
    QByteArray bytes() const { return m_dir.read(QStringLiteral("Zircon_5x69.lsk")); }

    std::vector<StakeRecord> records()
    {
        std::vector<StakeRecord> out;
        const int n = m_file->count();
        for (int i = 0; i < n; ++i)
            out.push_back(m_file->read(i));
        return out;
    }

    // Whether another opener (a second copy of the program) would get the file.
    bool secondOpenerRefused() const
    {
        ExclusiveFile other;
        return !other.open(path());
    }

private:
    TempDir m_dir;
    ExclusiveFile m_hold;
    std::unique_ptr<StakesFile> m_file;
    StakesStartupReport m_report;
};

}  // namespace zircon::test
