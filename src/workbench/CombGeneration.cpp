#include "workbench/CombGeneration.h"

#include <QRegularExpression>
#include <QStringList>

#include <array>

#include "core/Enumeration.h"
#include "core/Error.h"
#include "core/NumberText.h"

namespace zircon {
namespace {

// Enumerates the full set into the list, keeping the combinations that pass.
template <class Keep>
void enumerateInto(CombList& list, Keep keep)
{
    TComb* const out = list.data();
    const size_t capacity = list.capacity();
    size_t n = 0;
    const bool complete = forEachComb([&](const TComb& c) {
        if (!keep(c))
            return true;
        if (n == capacity)
            return false;
        out[n++] = c;
        return true;
    });
    list.setCount(n);
    if (!complete)
        throw Error(combListFullText(capacity));
}

}  // namespace

std::bitset<256> parseMyNumbers(const QString& parameter)
{
    static const QRegularExpression separators(QStringLiteral("[,;]+"));
    std::bitset<256> mine;
    for (const QString& word : parameter.split(separators, Qt::SkipEmptyParts)) {
        const int32_t v = textToInt(word.trimmed());
        if (v >= 0 && v <= 255)
            mine.set(static_cast<size_t>(v));
    }
    return mine;
}

CombsReadResult GenerateCombs(CombList& list, uint8_t mode, const QString& parameter)
{
    if (mode == static_cast<uint8_t>(GenerationMode::File))
        return LoadCombsFile(parameter, list);

    list.clear();
    std::array<bool, kMainMax + 1> mine{};
    if (mode >= static_cast<uint8_t>(GenerationMode::AnyOfMine) &&
        mode <= static_cast<uint8_t>(GenerationMode::NoneOfMine)) {
        const std::bitset<256> numbers = parseMyNumbers(parameter);
        for (int v = 1; v <= kMainMax; ++v)
            mine[static_cast<size_t>(v)] = numbers.test(static_cast<size_t>(v));
    }
    auto mineCount = [&mine](const TComb& c) {
        return mine[c.n[0]] + mine[c.n[1]] + mine[c.n[2]] + mine[c.n[3]] + mine[c.n[4]];
    };

    switch (static_cast<GenerationMode>(mode)) {
    case GenerationMode::AnyOfMine:
        enumerateInto(list, [&](const TComb& c) { return mineCount(c) > 0; });
        break;
    case GenerationMode::OnlyMine:
        enumerateInto(list, [&](const TComb& c) { return mineCount(c) == kMainCount; });
        break;
    case GenerationMode::NoneOfMine:
        enumerateInto(list, [&](const TComb& c) { return mineCount(c) == 0; });
        break;
    default:
        // The whole set in one go, straight into the reserved block.
        if (list.capacity() < static_cast<size_t>(kFullSetSize)) {
            enumerateInto(list, [](const TComb&) { return true; });
        } else {
            fillFullSet(list.data());
            list.setCount(static_cast<size_t>(kFullSetSize));
        }
        break;
    }
    CombsReadResult result;
    result.combinations = list.count();
    return result;
}

}  // namespace zircon
