#pragma once
// The shredding methods (group "shr"): SHR1..SHR3, whose value the user
// defines by a formula over the numbers of a draw (n1..n5) and of the two
// draws before it (p1..p5, t1..t5). The value is a group of decimal digits
// after the point of the formula's absolute result.
//
// Values reach 99,999 with five digits, beyond the 16 bits of K1: a value v
// is kept as K1 = min(v, 65535) and K2 = v - K1, so that values below 65,535
// keep the plain form {v, 0, 0, 0}, two values never share a key, and the
// table's order (K1, then K2) is the numeric order. The table, the filter and
// the prefetch build all use this one form.
#include "stats/ShreddingFormula.h"
#include "stats/TCustomStat.h"

namespace zircon {

// The key of a value 0..131,070 and back. A selected item whose K1 is below
// 65,535 stands for K1 whatever its other parts hold, as a plain K1 test
// would read it.
TStatKey shreddingKey(int32_t value);
int32_t shreddingKeyValue(TStatKey key);

// SHR%d: formula Param of the registry (Formula1..Formula3 with their digit
// counts), copied when the instance is created.
class TstShreddingStat : public TCustomGraphStat {
public:
    static const StatClassInfo Class;

    TstShreddingStat(const StatClassInfo& cls, const TStatList& list, int32_t param);

    QString ValueText(const TStatDrawItem& item) const override;
    // n = the five numbers, p and t = zeros: the prefetch build's values.
    void CombKeys(const uint8_t* nums, KeyList& keys) const override;
    // n = draw index, p = draw index - 1, t = draw index - 2.
    void AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork& work,
                       TLastValueArray& last) override;
    // n = the combination, p = draw end (the window's last), t = draw end - 1.
    bool CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted,
                     bool exclude) override;
    // n = the given numbers, p = draw index - 1, t = draw index - 2.
    int32_t CombGraphValue(const uint8_t* nums, int index, int end, bool sorted) override;
    std::unique_ptr<CombFilter> PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                              bool exclude) override;

    const QString Formula;
    const int32_t Digits;

private:
    ShreddingFormula m_formula;
};

}  // namespace zircon
