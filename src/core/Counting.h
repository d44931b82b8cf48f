#pragma once
// Counting formulas over the lottery's numbers: factorials, binomials, the
// number of combinations sharing a given count of numbers with a draw, and
// the small integer helpers that size groups of numbers.
#include <cstdint>

namespace zircon {

// n!, with 0! = 1, in extended precision (exact for every n the program uses).
long double Factorial(uint8_t n);

// C(n, k); 1 whenever k >= n (the historical rule the statistics rely on).
// A value too large for 32 bits saturates at UINT32_MAX instead of wrapping.
uint32_t Binomial(uint8_t n, uint8_t k);

// How many combinations of `drawn` numbers out of `total` share exactly
// `matched` numbers with one given draw: C(drawn, matched) * C(total - drawn,
// drawn - matched). 1 when matched >= total; 0 when matched > drawn or
// drawn > total, as no such combination exists.
uint32_t MatchCount(uint8_t total, uint8_t drawn, uint8_t matched);

// first + (first+1) + ... + (first+count-1); 0 when count <= 0.
int SumUp(int first, int count);
// first + (first-1) + ... + (first-count+1); 0 when count <= 0.
int SumDown(int first, int count);

// a div b rounded up when a mod b is not 0 (truncating division as in the
// rest of the program). A zero divisor gives 0 instead of a crash.
int CeilDiv(int a, int b);

// Number of groups of `size` consecutive numbers covering low..high; a low of
// 0 means the range starts at 1.
int GroupCount(int low, int high, int size);

}  // namespace zircon
