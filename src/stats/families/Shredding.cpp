#include "stats/families/Shredding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/Tr.h"
#include "stats/TStatList.h"

namespace zircon {
namespace {

constexpr uint16_t kWideK1 = 0xFFFF;
constexpr int kMinDigits = 1;
constexpr int kMaxDigits = 5;

std::pair<int, int> formulaRange(const TConfigData&)
{
    return {1, 3};
}

const QString& formulaOf(const TStatList& list, int32_t param)
{
    static const QString kNone;
    return param == 1 ? list.Formula1 : param == 2 ? list.Formula2 : param == 3 ? list.Formula3 : kNone;
}

int digitsOf(const TStatList& list, int32_t param)
{
    const int d = param == 1 ? list.Formula1Digits : param == 2 ? list.Formula2Digits : param == 3 ? list.Formula3Digits : 0;
    // The settings file keeps 1..5 already; a registry filled otherwise
    // still gives values that fit the table and the filter's table.
    return std::clamp(d, kMinDigits, kMaxDigits);
}

// A formula over the previous draws means nothing over the full set, where
// they are zeros: such a method has no norm.
bool shreddingHasNorm(const TStatList& list, int item)
{
    return !formulaUsesPreviousDraws(formulaOf(list, list.Items(item).Param));
}

bool selectedValue(const TStatDrawArray& selected, int32_t value)
{
    return std::any_of(selected.begin(), selected.end(),
                       [value](const TStatDrawItem& it) { return shreddingKeyValue(it.Key) == value; });
}

}  // namespace

TStatKey shreddingKey(int32_t value)
{
    const auto v = static_cast<uint32_t>(std::clamp<int32_t>(value, 0, 2 * kWideK1));
    const auto k1 = static_cast<uint16_t>(std::min<uint32_t>(v, kWideK1));
    return TStatKey::k4(k1, static_cast<uint16_t>(v - k1), 0, 0);
}

int32_t shreddingKeyValue(TStatKey key)
{
    return key.K(1) < kWideK1 ? key.K(1) : kWideK1 + key.K(2);
}

const StatClassInfo TstShreddingStat::Class = statClass<TstShreddingStat>(StatClassInfo{
    .className = "TstShreddingStat",
    .codeFormat = "SHR%d",
    .titleFormat = ZT("Метод шинковки %0:d: %%s"),
    .helpCodeFormat = "SHRx",
    .group = kShreddingGroup,
    .flags = kFlagSorted | kFlagNorm,
    .paramRange = formulaRange,
    .itemHasNorm = shreddingHasNorm,
});

TstShreddingStat::TstShreddingStat(const StatClassInfo& cls, const TStatList& list, int32_t param)
    : TCustomGraphStat(cls, list, param),
      Formula(formulaOf(list, param)),
      Digits(digitsOf(list, param)),
      m_formula(Formula, Digits)
{
}

QString TstShreddingStat::ValueText(const TStatDrawItem& item) const
{
    return QString::number(shreddingKeyValue(item.Key));
}

void TstShreddingStat::CombKeys(const uint8_t* nums, KeyList& keys) const
{
    keys.add(shreddingKey(m_formula.value(nums, nullptr, nullptr)));
}

void TstShreddingStat::AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork&,
                                     TLastValueArray&)
{
    beginDrawItem(index, end, sorted);
    const TDraw p = GetDraw(index - 1, sorted);
    const TDraw t = GetDraw(index - 2, sorted);
    Cur.Key = shreddingKey(m_formula.value(CurDraw.nums.data(), p.nums.data(), t.nums.data()));
    items.AddValue(Cur, true);
}

bool TstShreddingStat::CombMatches(const TComb& comb, const TStatDrawArray& selected, int end, bool sorted, bool)
{
    const TDraw p = GetDraw(end, sorted);
    const TDraw t = GetDraw(end - 1, sorted);
    return selectedValue(selected, m_formula.value(comb.n.data(), p.nums.data(), t.nums.data()));
}

int32_t TstShreddingStat::CombGraphValue(const uint8_t* nums, int index, int, bool sorted)
{
    const TDraw p = GetDraw(index - 1, sorted);
    const TDraw t = GetDraw(index - 2, sorted);
    return m_formula.value(nums, p.nums.data(), t.nums.data());
}

std::unique_ptr<CombFilter> TstShreddingStat::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                                             bool)
{
    LoadDraws(-1, end, sorted);
    // The previous draws are the same for every combination of the pass.
    const std::array<uint8_t, kMainCount> p = GetDraw(end, sorted).nums;
    const std::array<uint8_t, kMainCount> t = GetDraw(end - 1, sorted).nums;
    // One bit per value the formula can give: 0 .. 10^Digits - 1.
    int32_t scale = 1;
    for (int i = 0; i < m_formula.digits(); ++i)
        scale *= 10;
    std::vector<uint64_t> bits(static_cast<size_t>(scale + 63) / 64, 0);
    for (const TStatDrawItem& it : selected) {
        const int32_t v = shreddingKeyValue(it.Key);
        if (v < scale)
            bits[static_cast<size_t>(v) >> 6] |= uint64_t{1} << (v & 63);
    }
    return makeCombFilter([formula = m_formula, p, t, bits = std::move(bits)](const TComb& c) {
        const auto v = static_cast<uint32_t>(formula.value(c.n.data(), p.data(), t.data()));
        return (bits[v >> 6] >> (v & 63) & 1) != 0;
    });
}

}  // namespace zircon
