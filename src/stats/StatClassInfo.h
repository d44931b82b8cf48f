#pragma once
// The class operations of a statistic method: what describes the method
// without an instance (code, title, group, flags, parameter range) and how
// to create an instance. One descriptor per method class; the registration
// table lists them in their fixed order.
#include <QString>

#include <cstdint>
#include <memory>
#include <utility>

namespace zircon {

class TCustomStat;
class TStatList;
struct TConfigData;

// Bits of Flags, shown as the letters "S", "N", "D", "P", "G".
enum StatFlag : uint8_t {
    kFlagSorted = 1,   // S: values follow positions, so the sorted switch changes them
    kFlagNorm = 2,     // N: a norm over the full set can be computed
    kFlagSecond = 4,   // D: a draw's value depends on another draw
    kFlagPeriods = 8,  // P: periods method
    kFlagGraph = 16,   // G: has a graph (added by FullFlags only)
};

inline constexpr int kStatGroupCount = 13;
// The groups whose values follow settings: their prefetch files go stale
// when the settings change, and the registry holds one entry per part.
inline constexpr int kChannelsGroup = 3;   // "grp", on ChannelSize
inline constexpr int kMatrixGroup = 4;     // "mtx", on MatrixCols
inline constexpr int kSegmentsGroup = 5;   // "sgm", on Segments
inline constexpr int kShreddingGroup = 12; // "shr", on the formulas

struct StatClassInfo {
    using ParamRangeFn = std::pair<int, int> (*)(const TConfigData&);
    using CreateFn = std::unique_ptr<TCustomStat> (*)(const StatClassInfo&, const TStatList&, int32_t);
    // The title for a parameter when the pattern is not simply formatted
    // with it: a fixed count ("Сочетания из %0:d ..." with 2), a text
    // argument, or several arguments.
    using TitleFn = QString (*)(const char* titleFormat, int32_t param);
    using ItemNormFn = bool (*)(const TStatList& list, int item);

    const char* className = "";       // e.g. "TstValues"
    const char* codeFormat = "";      // "NUMS" or "POS%d"
    const char* titleFormat = "";     // the Russian title pattern (translated on use)
    const char* helpCodeFormat = "";  // empty: the code pattern
    uint8_t group = 0;                // 0..12
    uint8_t flags = 0;                // StatFlag bits, never kFlagGraph
    bool hasGraph = false;
    bool available = true;
    bool listed = true;
    bool valueListSelectable = true;
    ParamRangeFn paramRange = nullptr;  // set exactly for methods with a parameter
    TitleFn titleFn = nullptr;          // null: titleFormat formatted with the parameter
    CreateFn create = nullptr;
    // Whether registry item `item` has a norm when the class flag alone does
    // not say it (a method whose values may depend on the draws before it);
    // null: the flag answers. Ask TStatList::HasNorm, which combines both.
    ItemNormFn itemHasNorm = nullptr;

    bool hasParam() const { return paramRange != nullptr; }
    bool hasNorm() const { return (flags & kFlagNorm) != 0; }
    uint8_t fullFlags() const { return static_cast<uint8_t>(flags | (hasGraph ? kFlagGraph : 0)); }
    QString code(int32_t param) const;
    QString title(int32_t param) const;
    QString helpCode(int32_t param) const;
};

// The short code and the title of a group; "#ERROR#" outside 0..12.
QString statGroupCode(int group);
QString statGroupTitle(int group);
// "{ num } Числа тиража".
QString statGroupCaption(int group);
// The letters of a flag set in bit order: "S", "N", "D", "P", "G".
QString statFlagLetters(uint8_t fullFlags);

// Fills the create function and the graph bit from the class itself.
template <class T>
StatClassInfo statClass(StatClassInfo spec)
{
    spec.hasGraph = T::kHasGraph;
    spec.create = [](const StatClassInfo& cls, const TStatList& list, int32_t param) -> std::unique_ptr<TCustomStat> {
        return std::make_unique<T>(cls, list, param);
    };
    return spec;
}

}  // namespace zircon
