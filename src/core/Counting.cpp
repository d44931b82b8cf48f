#include "core/Counting.h"

#include <cmath>
#include <limits>

namespace zircon {
namespace {

// Rounds an extended value to the nearest unsigned 32-bit integer; values
// beyond the range saturate so that a large argument never yields a wrapped,
// plausible-looking count.
uint32_t roundToU32(long double v)
{
    if (!(v > 0.0L))
        return 0;
    const long double r = std::round(v);
    if (r >= static_cast<long double>(std::numeric_limits<uint32_t>::max()))
        return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(r);
}

// C(n, k) as a falling product n * (n-1) * ... * (n-k+1) divided by k!.
long double fallingBinomial(int n, int k)
{
    if (k < 0 || n < 0)
        return 0.0L;
    long double product = 1.0L;
    for (int i = 0; i < k; ++i)
        product *= static_cast<long double>(n - i);
    return product / Factorial(static_cast<uint8_t>(k));
}

}  // namespace

long double Factorial(uint8_t n)
{
    long double result = 1.0L;
    for (int i = 2; i <= n; ++i)
        result *= static_cast<long double>(i);
    return result;
}

uint32_t Binomial(uint8_t n, uint8_t k)
{
    if (k >= n)
        return 1;
    return roundToU32(Factorial(n) / (Factorial(static_cast<uint8_t>(n - k)) * Factorial(k)));
}

uint32_t MatchCount(uint8_t total, uint8_t drawn, uint8_t matched)
{
    if (matched >= total)
        return 1;
    if (matched > drawn || drawn > total)
        return 0;
    const long double hits = fallingBinomial(drawn, matched);
    const long double misses = fallingBinomial(total - drawn, drawn - matched);
    return roundToU32(hits * misses);
}

int SumUp(int first, int count)
{
    if (count <= 0)
        return 0;
    const long long c = count;
    return static_cast<int>(c * first + c * (c - 1) / 2);
}

int SumDown(int first, int count)
{
    if (count <= 0)
        return 0;
    const long long c = count;
    return static_cast<int>(c * first - c * (c - 1) / 2);
}

int CeilDiv(int a, int b)
{
    if (b == 0)
        return 0;
    // Wide arithmetic keeps INT_MIN div -1 defined.
    const long long q = static_cast<long long>(a) / b;
    const long long r = static_cast<long long>(a) % b;
    return static_cast<int>(q + (r != 0 ? 1 : 0));
}

int GroupCount(int low, int high, int size)
{
    if (low != 0)
        return CeilDiv(static_cast<int>(static_cast<long long>(high) - low + 1), size);
    return CeilDiv(high, size);
}

}  // namespace zircon
