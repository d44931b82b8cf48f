#include "stats/TCustomStat.h"

#include <algorithm>

#include "core/Format.h"
#include "stats/TStatList.h"

namespace zircon {

TCustomStat::TCustomStat(const StatClassInfo& cls, const TStatList& list, int32_t param)
    : Param(param), m_class(cls), m_list(list)
{
}

const TConfigData& TCustomStat::config() const
{
    return m_list.Config;
}

const TDrawsArray& TCustomStat::Draws() const
{
    return m_list.Draws();
}

int32_t TCustomStat::ParseValue(const QString& text) const
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

int32_t TCustomStat::TryParseValue(const QString& text) const
{
    return m_class.valueListSelectable ? ParseValue(text) : 0;
}

void TCustomStat::BeginStat(int, TStatDrawArray&)
{
    Cur = TStatDrawItem{};
}

TDraw TCustomStat::GetDraw(int index, bool sorted) const
{
    const TDrawsArray& draws = Draws();
    if (index < 0 || index >= static_cast<int>(draws.size()))
        return TDraw{};
    TDraw d = draws[static_cast<size_t>(index)];
    if (sorted)
        std::stable_sort(d.nums.begin(), d.nums.end());
    return d;
}

void TCustomStat::LoadDraws(int index, int secondIndex, bool sorted)
{
    CurDraw = GetDraw(index, sorted);
    if (m_class.flags & kFlagSecond)
        SecondDraw = GetDraw(secondIndex, sorted);
}

void TCustomStat::CombKeys(const uint8_t*, KeyList&) const {}

void TCustomStat::mergeKeys(const uint8_t* nums, TStatDrawArray& items, bool periods)
{
    KeyList keys;
    CombKeys(nums, keys);
    for (TStatKey k : keys) {
        Cur.Key = k;
        items.AddValue(Cur, periods);
    }
}

void TCustomStat::preseedK1(TStatDrawArray& items, int from, int to)
{
    TStatDrawItem seed;
    for (int v = from; v <= to; ++v) {
        seed.Key = TStatKey::k1(static_cast<uint16_t>(v));
        items.AddValue(seed, false);
    }
}

void TCustomStat::AddCombValues(const TComb& comb, TStatDrawArray& items)
{
    Cur = TStatDrawItem{};
    Cur.Count = 1;
    mergeKeys(comb.n.data(), items, false);
}

void TCustomStat::beginDrawItem(int index, int end, bool sorted)
{
    LoadDraws(index, end, sorted);
    Cur = TStatDrawItem{};
    Cur.LastDraw = Cur.PrevDraw = CurDraw.number;
    Cur.Depth = end - index + 1;
    Cur.Count = 1;
}

void TCustomStat::AddDrawValues(int index, int end, bool sorted, TStatDrawArray& items, TStatWork&,
                                TLastValueArray&)
{
    beginDrawItem(index, end, sorted);
    mergeKeys(CurDraw.nums.data(), items, true);
}

int TCustomStat::FindNextDraw(const TStatDrawItem& item, int from, int end, bool sorted)
{
    const int last = static_cast<int>(Draws().size()) - 1;
    if (from > last)
        return -1;
    TStatWork work;
    TStatDrawArray found;
    TLastValueArray lastValues;
    for (int j = std::max(from, 0); j <= last; ++j) {
        AddDrawValues(j, end, sorted, found, work, lastValues);
        const int at = found.find(item.Key);
        if (at >= 0)
            return found[at].LastDraw;
        found.clear();
        lastValues.clear();
    }
    return -1;
}

std::unique_ptr<CombFilter> TCustomStat::PrepareFilter(const TStatDrawArray& selected, int end, bool sorted,
                                                       bool exclude)
{
    LoadDraws(-1, end, sorted);
    TCustomStat* self = this;
    return makeSerialCombFilter([self, &selected, end, sorted, exclude](const TComb& c) {
        return self->CombMatches(c, selected, end, sorted, exclude);
    });
}

QString TCustomGraphStat::ValueText(const TStatDrawItem& item) const
{
    return QString::number(item.Key.K(1));
}

int32_t TCustomGraphStat::CombGraphValue(const uint8_t* nums, int, int, bool)
{
    KeyList keys;
    CombKeys(nums, keys);
    return keys.count > 0 ? keys.keys[0].K(1) : 0;
}

int32_t TCustomGraphStat::DrawGraphValue(int index, int end, bool sorted)
{
    const TDraw d = GetDraw(index, sorted);
    return CombGraphValue(d.nums.data(), index, end, sorted);
}

QString TCustomValuesStat::ValueText(const TStatDrawItem& item) const
{
    return QString::number(item.Key.K(1));
}

QString TCustomNumbersStat::ValueText(const TStatDrawItem& item) const
{
    return QString::number(item.Key.K(1));
}

QString TCustomRatioStat::ValueText(const TStatDrawItem& item) const
{
    const int c = item.Key.K(1);
    return QString::number(c) + u':' + QString::number(kMainCount - c);
}

int32_t TCustomRatioStat::ParseValue(const QString& text) const
{
    return TCustomStat::ParseValue(text.section(u':', 0, 0));
}

QString TCustomMaskStat::ValueText(const TStatDrawItem& item) const
{
    const uint32_t mask = item.Key.L(1);
    QString symbols;
    for (int bit = 4; bit >= 0; --bit)
        symbols += (mask >> bit) & 1 ? OneSymbol() : ZeroSymbol();
    return fmt(QStringLiteral("%s (%.3d)"), symbols, static_cast<qint64>(mask));
}

int32_t TCustomMaskStat::ParseValue(const QString& text) const
{
    const QString one = OneSymbol();
    int32_t mask = 0;
    for (int i = 0; i < 5; ++i) {
        mask <<= 1;
        if (i < text.size() && QStringView(text).mid(i, 1) == one)
            mask |= 1;
    }
    return mask;
}

void TCustomMaskStat::BeginStat(int end, TStatDrawArray& items)
{
    TCustomStat::BeginStat(end, items);
    TStatDrawItem seed;
    for (uint32_t m = 0; m < 32; ++m) {
        seed.Key = TStatKey::l2(m, 0);
        items.AddValue(seed, false);
    }
}

}  // namespace zircon
