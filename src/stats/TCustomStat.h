#pragma once
// The root of the statistic class tree and its intermediate bases. An
// instance is short-lived: one table computation, filter pass, prefetch build
// or graph creates it from the registry and frees it at the end.
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

#include "core/Types.h"
#include "stats/CombFilter.h"
#include "stats/StatClassInfo.h"
#include "stats/StatDrawArray.h"

namespace zircon {

class TStatList;
struct TConfigData;

// The values one draw or combination yields, in the order they are merged.
struct KeyList {
    // Room for one value per column of the widest matrix (69 columns, or 69
    // rows of a one-column matrix) and per channel of width 1.
    static constexpr int kCapacity = 72;
    std::array<TStatKey, kCapacity> keys{};
    int count = 0;

    void add(TStatKey k)
    {
        if (count < kCapacity)
            keys[static_cast<size_t>(count++)] = k;
    }
    void addK1(int v) { add(TStatKey::k1(static_cast<uint16_t>(v))); }
    const TStatKey* begin() const { return keys.data(); }
    const TStatKey* end() const { return keys.data() + count; }
};

class TCustomStat {
public:
    static constexpr bool kHasGraph = false;

    TCustomStat(const StatClassInfo& cls, const TStatList& list, int32_t param);
    virtual ~TCustomStat() = default;
    TCustomStat(const TCustomStat&) = delete;
    TCustomStat& operator=(const TCustomStat&) = delete;

    const StatClassInfo& classInfo() const { return m_class; }
    const TStatList& statList() const { return m_list; }
    const TConfigData& config() const;
    QString GetTitle() const { return m_class.title(Param); }

    virtual QString ValueText(const TStatDrawItem& item) const = 0;
    // The text as a decimal integer, 0 when it is not one.
    virtual int32_t ParseValue(const QString& text) const;
    int32_t TryParseValue(const QString& text) const;

    // Clears Cur; families pre-seed their fixed values here.
    virtual void BeginStat(int end, TStatDrawArray& items);
    virtual void LoadDraws(int index, int secondIndex, bool sorted);
    virtual void AddCombValues(const TComb& comb, TStatDrawArray& items);
    virtual void AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                               TLastValueArray& last);
    virtual int FindNextDraw(const TStatDrawItem& item, int from, int end, bool sorted);
    // How the table finds "Факт". False: one pass over the draws after the
    // window gives every value's next occurrence at once, which equals
    // FindNextDraw whenever a draw's values do not depend on the state kept
    // in TStatWork. A method whose values do (series, chains) answers true
    // and gets one FindNextDraw per value.
    virtual bool findsNextByScan() const { return false; }
    // How the prefetch build counts a combination's values. True: the keys of
    // CombKeys, each counted once. A method that overrides AddCombValues with
    // something CombKeys does not state answers false and is built through
    // AddCombValues into a value table.
    virtual bool prefetchByKeys() const { return true; }
    // The plain test of one combination against the selected values; the
    // reference the prepared filters are checked against.
    virtual bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                             bool exclude) = 0;

    // The values of five numbers in the order they are merged: the one place
    // a family states what it computes. Draws, combinations and the prefetch
    // build all go through it unless a family overrides them.
    virtual void CombKeys(const uint8_t* nums, KeyList& keys) const;

    // The prepared filter for a pass: LoadDraws(-1, end, sorted) has run. The
    // default wraps CombMatches; families return a lookup table or a mask.
    virtual std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                                      bool exclude);

    // The first steps of a draw's values in a window ending at `end`: the
    // draw (and the second one) loaded, Cur cleared to Count 1 with the
    // draw's number and its depth in the window, ready to merge with periods.
    void beginDrawItem(int index, int end, bool sorted);

    // The archive's draw at `index`, sorted when asked; zeros outside it.
    TDraw GetDraw(int index, bool sorted) const;
    const TDrawsArray& Draws() const;

    int32_t Param;
    TDraw CurDraw;
    TDraw SecondDraw;
    TStatDrawItem Cur;

protected:
    // Merges Cur once per key of `nums`.
    void mergeKeys(const uint8_t* nums, TStatDrawArray& items, bool periods);
    // Adds each value with Count 0 (the values listed even when they never occur).
    void preseedK1(TStatDrawArray& items, int from, int to);

private:
    const StatClassInfo& m_class;
    const TStatList& m_list;
};

// Values with a graph: one value per draw or combination.
class TCustomGraphStat : public TCustomStat {
public:
    static constexpr bool kHasGraph = true;
    using TCustomStat::TCustomStat;

    QString ValueText(const TStatDrawItem& item) const override;
    // The single value five numbers yield (for graphs).
    virtual int32_t CombGraphValue(const uint8_t* nums, int index, int end, bool sorted);
    int32_t DrawGraphValue(int index, int end, bool sorted);
};

class TCustomValuesStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    QString ValueText(const TStatDrawItem& item) const override;
};

class TCustomNumbersStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    QString ValueText(const TStatDrawItem& item) const override;
};

// A count c of 0..5 shown as "c:5-c".
class TCustomRatioStat : public TCustomGraphStat {
public:
    using TCustomGraphStat::TCustomGraphStat;
    QString ValueText(const TStatDrawItem& item) const override;
    int32_t ParseValue(const QString& text) const override;
};

// Five yes/no properties, one per position, as a 5-bit number in L1.
class TCustomMaskStat : public TCustomStat {
public:
    using TCustomStat::TCustomStat;
    virtual QString ZeroSymbol() const = 0;
    virtual QString OneSymbol() const = 0;
    QString ValueText(const TStatDrawItem& item) const override;
    int32_t ParseValue(const QString& text) const override;
    void BeginStat(int end, TStatDrawArray& items) override;
};

}  // namespace zircon
