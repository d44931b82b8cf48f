#pragma once
// The prepared form of a method's combination test: the selection is turned
// once into a lookup table or a mask, and a whole block of combinations is
// then tested in a tight loop without a virtual call per combination.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

#include "core/Types.h"

namespace zircon {

class CombFilter {
public:
    virtual ~CombFilter() = default;
    // matched[i] := 1 when combs[i] has one of the selected values, else 0.
    virtual void match(const TComb* combs, size_t count, uint8_t* matched) const = 0;
    // Whether match may run on two threads at once over different blocks, so
    // that a pass over a long list can be split over the cores. A filter that
    // reads only its own prepared tables may; one that calls back into the
    // statistic instance (whose CombMatches may keep state) may not.
    virtual bool concurrent() const { return false; }
};

template <class Test>
class FunctorCombFilter final : public CombFilter {
public:
    FunctorCombFilter(Test test, bool concurrent) : m_test(std::move(test)), m_concurrent(concurrent) {}
    void match(const TComb* combs, size_t count, uint8_t* matched) const override
    {
        for (size_t i = 0; i < count; ++i)
            matched[i] = m_test(combs[i]) ? 1 : 0;
    }
    bool concurrent() const override { return m_concurrent; }

private:
    Test m_test;
    bool m_concurrent;
};

// Wraps a callable bool(const TComb&) whose state holds the prepared
// selection. The callable must depend only on what it captured by value (a
// lookup table, a mask): the pass may call it from two threads at once.
template <class Test>
std::unique_ptr<CombFilter> makeCombFilter(Test test)
{
    return std::make_unique<FunctorCombFilter<Test>>(std::move(test), true);
}

// Wraps a callable that reaches back into the statistic instance; the pass
// then runs it on one thread only.
template <class Test>
std::unique_ptr<CombFilter> makeSerialCombFilter(Test test)
{
    return std::make_unique<FunctorCombFilter<Test>>(std::move(test), false);
}

// A set of main numbers (and small values) as a 128-bit mask, the usual
// prepared selection of the per-number methods.
struct NumberMask {
    uint64_t lo = 0;
    uint64_t hi = 0;

    void set(unsigned v)
    {
        if (v < 64)
            lo |= uint64_t{1} << v;
        else if (v < 128)
            hi |= uint64_t{1} << (v - 64);
    }
    bool test(unsigned v) const
    {
        return v < 64 ? (lo >> v) & 1 : v < 128 ? (hi >> (v - 64)) & 1 : false;
    }
};

}  // namespace zircon
