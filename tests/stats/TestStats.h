#pragma once
// Small statistic classes of the tests' own, so that the table, the selection
// and the prefetch files are tested against values worked out by hand rather
// than against a family's code.
#include <stdexcept>
#include <vector>

#include "core/Error.h"
#include "core/Types.h"
#include "stats/StatDrawArray.h"
#include "stats/TCustomStat.h"
#include "stats/TStatList.h"

namespace zircon::test {

// Value = each of the five numbers (five values per draw), nothing pre-seeded.
class TstEachNumber : public TCustomValuesStat {
public:
    static const StatClassInfo Class;
    using TCustomValuesStat::TCustomValuesStat;

    void CombKeys(const uint8_t* nums, KeyList& keys) const override
    {
        for (int i = 0; i < kMainCount; ++i)
            keys.addK1(nums[i]);
    }
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override
    {
        for (uint8_t n : comb.n)
            if (MatchKey4(selected, n, 0, 0, 0))
                return true;
        return false;
    }
};

// The same values with 1..69 pre-seeded (Count 0), so never-seen values are rows.
class TstSeededNumber : public TstEachNumber {
public:
    static const StatClassInfo Class;
    using TstEachNumber::TstEachNumber;

    void BeginStat(int end, TStatDrawArray& items) override
    {
        TstEachNumber::BeginStat(end, items);
        preseedK1(items, 1, kMainMax);
    }
};

// Value = the sum of the five numbers (one value per draw).
class TstSumValue : public TCustomGraphStat {
public:
    static const StatClassInfo Class;
    using TCustomGraphStat::TCustomGraphStat;

    void CombKeys(const uint8_t* nums, KeyList& keys) const override
    {
        int s = 0;
        for (int i = 0; i < kMainCount; ++i)
            s += nums[i];
        keys.addK1(s);
    }
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override
    {
        int s = 0;
        for (uint8_t n : comb.n)
            s += n;
        return MatchK(selected, 1, s);
    }
};

// The same values, "Факт" found by one FindNextDraw per value.
template <class Base>
class ScanVariant : public Base {
public:
    static const StatClassInfo Class;
    using Base::Base;
    bool findsNextByScan() const override { return true; }
};

// Two values that exercise every key part and the file's order: combinations
// starting with 1 give K1 = 2 (low raw value), all others K1 = 1 with K2 and
// K4 set (high raw value), so the K1-first order differs from the raw order.
inline TStatKey goldenKey(const uint8_t* nums)
{
    return nums[0] == 1 ? TStatKey::k4(2, 0, 0, 0) : TStatKey::k4(1, 0x0302, 0, 0x0504);
}

class TstGoldenKeys : public TCustomStat {
public:
    static const StatClassInfo Class;
    using TCustomStat::TCustomStat;

    QString ValueText(const TStatDrawItem& item) const override { return QString::number(item.Key.K(1)); }
    void CombKeys(const uint8_t* nums, KeyList& keys) const override { keys.add(goldenKey(nums)); }
    bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
};

// The same values given only through AddCombValues.
class TstGoldenComb : public TCustomStat {
public:
    static const StatClassInfo Class;
    using TCustomStat::TCustomStat;

    QString ValueText(const TStatDrawItem& item) const override { return QString::number(item.Key.K(1)); }
    bool prefetchByKeys() const override { return false; }
    void AddCombValues(const TComb& comb, TStatDrawArray& items) override
    {
        Cur = TStatDrawItem{};
        Cur.Count = 1;
        Cur.Key = goldenKey(comb.n.data());
        items.AddValue(Cur, false);
    }
    bool CombMatches(const TComb&, const TStatDrawArray&, int, bool, bool) override { return false; }
};

// Fails part-way: a draw holding 13 or the combination 10 11 12 13 14.
class TstFailing : public TstEachNumber {
public:
    static const StatClassInfo Class;
    using TstEachNumber::TstEachNumber;

    void CombKeys(const uint8_t* nums, KeyList& keys) const override
    {
        if (nums[0] == 10 && nums[1] == 11 && nums[2] == 12 && nums[3] == 13 && nums[4] == 14)
            throw std::runtime_error("test failure");
        TstEachNumber::CombKeys(nums, keys);
    }
    void AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                       TLastValueArray& last) override
    {
        const TDraw d = GetDraw(index, sorted);
        for (uint8_t n : d.nums)
            if (n == 13)
                throw Error(QStringLiteral("draw failure"));
        TstEachNumber::AddDrawValues(index, end, sorted, items, work, last);
    }
};

// Refuses value lists (LVA).
class TstNoValueList : public TstEachNumber {
public:
    static const StatClassInfo Class;
    using TstEachNumber::TstEachNumber;
};

inline const StatClassInfo TstEachNumber::Class = statClass<TstEachNumber>(
    StatClassInfo{.className = "TstEachNumber", .codeFormat = "TNUM", .titleFormat = "each number", .flags = kFlagNorm});
inline const StatClassInfo TstSeededNumber::Class = statClass<TstSeededNumber>(
    StatClassInfo{.className = "TstSeededNumber", .codeFormat = "TSEED", .titleFormat = "seeded", .flags = kFlagNorm});
inline const StatClassInfo TstSumValue::Class = statClass<TstSumValue>(
    StatClassInfo{.className = "TstSumValue", .codeFormat = "TSUM", .titleFormat = "sum", .group = 1,
                  .flags = kFlagNorm});
template <>
inline const StatClassInfo ScanVariant<TstEachNumber>::Class = statClass<ScanVariant<TstEachNumber>>(
    StatClassInfo{.className = "ScanEachNumber", .codeFormat = "SNUM", .titleFormat = "scan", .flags = kFlagNorm});
template <>
inline const StatClassInfo ScanVariant<TstSumValue>::Class = statClass<ScanVariant<TstSumValue>>(
    StatClassInfo{.className = "ScanSum", .codeFormat = "SSUM", .titleFormat = "scan sum", .group = 1,
                  .flags = kFlagNorm});
inline const StatClassInfo TstGoldenKeys::Class = statClass<TstGoldenKeys>(
    StatClassInfo{.className = "TstGoldenKeys", .codeFormat = "TGK", .titleFormat = "golden", .flags = kFlagNorm});
inline const StatClassInfo TstGoldenComb::Class = statClass<TstGoldenComb>(
    StatClassInfo{.className = "TstGoldenComb", .codeFormat = "TGC", .titleFormat = "golden", .flags = kFlagNorm});
inline const StatClassInfo TstFailing::Class = statClass<TstFailing>(
    StatClassInfo{.className = "TstFailing", .codeFormat = "TFAIL", .titleFormat = "failing", .flags = kFlagNorm});
inline const StatClassInfo TstNoValueList::Class = statClass<TstNoValueList>(
    StatClassInfo{.className = "TstNoValueList", .codeFormat = "TNVL", .titleFormat = "no list",
                  .valueListSelectable = false});

// A registry over the given draws holding exactly the given classes.
class TestRegistry {
public:
    TestRegistry(std::vector<const StatClassInfo*> classes, TDrawsArray draws = {})
        : m_draws(std::move(draws)), m_list(&m_draws)
    {
        m_list.setRegistrationTable(std::move(classes));
        m_list.RegisterAll();
    }
    TStatList& list() { return m_list; }
    TDrawsArray& draws() { return m_draws; }
    int index(const char* code) const { return m_list.FindCode(QString::fromLatin1(code)); }

private:
    TDrawsArray m_draws;
    TStatList m_list;
};

inline TDraw makeDraw(int number, std::array<uint8_t, kMainCount> nums)
{
    TDraw d;
    d.number = number;
    d.nums = nums;
    return d;
}

}  // namespace zircon::test
