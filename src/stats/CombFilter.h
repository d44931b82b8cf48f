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
};

template <class Test>
class FunctorCombFilter final : public CombFilter {
public:
    explicit FunctorCombFilter(Test test) : m_test(std::move(test)) {}
    void match(const TComb* combs, size_t count, uint8_t* matched) const override
    {
        for (size_t i = 0; i < count; ++i)
            matched[i] = m_test(combs[i]) ? 1 : 0;
    }

private:
    Test m_test;
};

// Wraps a callable bool(const TComb&) whose state holds the prepared selection.
template <class Test>
std::unique_ptr<CombFilter> makeCombFilter(Test test)
{
    return std::make_unique<FunctorCombFilter<Test>>(std::move(test));
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
