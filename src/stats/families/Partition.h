#pragma once
// The numbers 1..69 cut into parts: channels of a fixed width, the columns
// or the rows of the number matrix, the user's segments. The channel, matrix
// and segment families count the same way over their partition: the part of
// each number, how many numbers each part holds, how many parts a draw
// occupies, how many numbers one chosen part holds. Those members are built
// here once, over a Partition; a family only says which partition it counts
// over and what its values look like.
//
// The table covers every byte value. A combination read from a file may hold
// 0 or 70..255; such a number belongs to no part (part 0): it yields no
// part value, adds to no count and occupies nothing, in the plain test and
// in the prepared filter alike.
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <utility>

#include "core/Format.h"
#include "core/SegmentMap.h"
#include "stats/TCustomStat.h"

namespace zircon {

struct Partition {
    std::array<uint8_t, 256> of{};           // part of each byte value; 0 outside 1..69
    std::array<uint8_t, kMainMax> listed{};  // the parts in use, in order of first appearance over 1..69
    int listedCount = 0;
    int highest = 0;                         // the largest part number in use

    // Channels of `size` numbers: ceil(n / size).
    static Partition channels(int size);
    // The columns and the rows of a matrix `columns` wide, laid out row by row.
    static Partition columns(int columns);
    static Partition rows(int columns);
    // The user's segment of each number.
    static Partition segments(const TSegmentMap& map);
};

// The layout settings as the instances use them. The settings file is
// clamped when read, but a configuration can come from elsewhere; a width
// of 0 would divide by zero and one above 69 (or 256) would wrap the byte
// fields, so every instance holds its copy to 1..69.
int partitionWidth(int width);
// ceil(69 / width) with the width held to 1..69: channels of that width,
// rows of a matrix that wide.
int partitionCount(int width);
// The segment map with every entry outside 1..9 read as segment 1, as the
// settings file writes it.
TSegmentMap sanitizedSegments(const TSegmentMap& map);

// The values and tests of the shared members, over one partition. The plain
// forms (...Matches) build the counting maps step by step, as the members
// have always counted; the prepared forms (...Filter) capture tables by
// value and may run on two threads.

// The part of each of the five numbers, first to last.
void eachPartKeys(const Partition& part, const uint8_t* nums, KeyList& keys);
// `byByte`: the part is compared with B1 of the selected items (the channel
// member's MatchByte); otherwise with K1 (MatchK).
bool eachPartMatches(const Partition& part, const TComb& comb, const TStatDrawArray& selected, bool byByte);
std::unique_ptr<CombFilter> eachPartFilter(const Partition& part, const TStatDrawArray& selected, bool byByte);

// (part, count) for every part in use, in listing order, zero counts included.
void partCountsKeys(const Partition& part, const uint8_t* nums, KeyList& keys);
bool partCountsMatches(const Partition& part, const TComb& comb, const TStatDrawArray& selected);
std::unique_ptr<CombFilter> partCountsFilter(const Partition& part, const TStatDrawArray& selected);

// How many distinct parts the five numbers occupy.
int distinctParts(const Partition& part, const uint8_t* nums);
std::unique_ptr<CombFilter> distinctPartsFilter(const Partition& part, const TStatDrawArray& selected);

// How many of the five numbers lie in part `p` (none for p = 0).
int countInPart(const Partition& part, int p, const uint8_t* nums);
std::unique_ptr<CombFilter> countInPartFilter(const Partition& part, int p, const TStatDrawArray& selected);

// A filter for a member whose combinations yield one value v of 0..255 in
// K1: `value` gives it, the selection is looked up by K1 (MatchK position 1).
template <class Value>
std::unique_ptr<CombFilter> singleValueFilter(const TStatDrawArray& selected, Value value)
{
    const std::array<uint8_t, 256> byValue = selectedK1Table<256>(selected);
    return makeCombFilter([byValue, value](const TComb& c) { return byValue[value(c)] != 0; });
}

// Pre-seeding: every part in use once (Count 0), in listing order.
void seedParts(const Partition& part, TStatDrawArray& items);
// Every (part, k) for the parts in use and k = 0..maxCount.
void seedPartCounts(const Partition& part, int maxCount, TStatDrawArray& items);
// The values 1..to in K1.
void seedValues(int to, TStatDrawArray& items);

// A member that counts over a partition held by value; the family sets it
// in the member's constructor.
template <class Base>
class TPartitionStat : public Base {
public:
    using Base::Base;
    const Partition& partition() const { return m_part; }

protected:
    void setPartition(const Partition& part) { m_part = part; }

private:
    Partition m_part;
};

// The part of each number (CHAN, COLS, ROWS, SGMS); every part in use is
// pre-seeded.
template <class Base>
class TPartEachStat : public TPartitionStat<Base> {
public:
    using TPartitionStat<Base>::TPartitionStat;

    void BeginStat(int end, TStatDrawArray& items) override
    {
        Base::BeginStat(end, items);
        seedParts(this->partition(), items);
    }
    void CombKeys(const uint8_t* nums, KeyList& keys) const override { eachPartKeys(this->partition(), nums, keys); }
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override
    {
        return eachPartMatches(this->partition(), comb, selected, m_byByte);
    }
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool) override
    {
        this->LoadDraws(-1, end, sorted);
        return eachPartFilter(this->partition(), selected, m_byByte);
    }

protected:
    void setMatchByByte(bool byByte) { m_byByte = byByte; }

private:
    bool m_byByte = false;
};

// (part, count) for every part (CHNV, COLV, ROWV, SGMV), shown "p x k".
template <class Base>
class TPartCountsStat : public TPartitionStat<Base> {
public:
    using TPartitionStat<Base>::TPartitionStat;

    QString ValueText(const TStatDrawItem& item) const override
    {
        return fmt(QStringLiteral("%0:d x %1:d"), int{item.Key.K(1)}, int{item.Key.K(2)});
    }
    void BeginStat(int end, TStatDrawArray& items) override
    {
        Base::BeginStat(end, items);
        if (m_seedMaxCount >= 0)
            seedPartCounts(this->partition(), m_seedMaxCount, items);
    }
    void CombKeys(const uint8_t* nums, KeyList& keys) const override { partCountsKeys(this->partition(), nums, keys); }
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override
    {
        return partCountsMatches(this->partition(), comb, selected);
    }
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool) override
    {
        this->LoadDraws(-1, end, sorted);
        return partCountsFilter(this->partition(), selected);
    }

protected:
    // Pre-seed every (part, 0..maxCount); below 0 nothing.
    void setSeedMaxCount(int maxCount) { m_seedMaxCount = maxCount; }

private:
    int m_seedMaxCount = -1;
};

// A count of numbers or parts whose table lists 1..to before any draw; the
// family sets `to` in the member's constructor.
template <class Base>
class TPartSeededCountStat : public TPartitionStat<Base> {
public:
    using TPartitionStat<Base>::TPartitionStat;

    void BeginStat(int end, TStatDrawArray& items) override
    {
        Base::BeginStat(end, items);
        seedValues(m_seedTo, items);
    }

protected:
    // Pre-seed 1..to; 0 for nothing.
    void setSeedTo(int to) { m_seedTo = to; }

private:
    int m_seedTo = 0;
};

// How many distinct parts the numbers occupy (CHNC, COLN, ROWN, SGMC).
template <class Base>
class TPartDistinctStat : public TPartSeededCountStat<Base> {
public:
    using TPartSeededCountStat<Base>::TPartSeededCountStat;

    void CombKeys(const uint8_t* nums, KeyList& keys) const override
    {
        keys.addK1(distinctParts(this->partition(), nums));
    }
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override
    {
        return MatchK(selected, 1, distinctParts(this->partition(), comb.n.data()));
    }
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool) override
    {
        this->LoadDraws(-1, end, sorted);
        return distinctPartsFilter(this->partition(), selected);
    }
};

// How many numbers lie in part Param (CHN%d, COL%d, ROW%d, SGM%d).
template <class Base>
class TPartCountInStat : public TPartSeededCountStat<Base> {
public:
    using TPartSeededCountStat<Base>::TPartSeededCountStat;

    void CombKeys(const uint8_t* nums, KeyList& keys) const override
    {
        keys.addK1(countInPart(this->partition(), this->Param, nums));
    }
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int, bool, bool) override
    {
        return MatchK(selected, 1, countInPart(this->partition(), this->Param, comb.n.data()));
    }
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted, bool) override
    {
        this->LoadDraws(-1, end, sorted);
        return countInPartFilter(this->partition(), this->Param, selected);
    }
};

}  // namespace zircon
