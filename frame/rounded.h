// The one place where the calculators take a natural logarithm, a natural
// exponential or a power. Each result is correctly rounded: the exact value
// rounded to the nearest Double, ties to even, subnormal results included.
// Then no CPU, C library, compiler or front end can change a digit. The
// functions live in their own translation unit and call the library at run
// time, so the compiler can neither fold a call with constant arguments nor
// rewrite pow(x, 2) into x * x or pow(x, -1) into 1 / x.
//
// They return what the exact operation rounds to, infinities and NaNs
// included (an overflow gives an infinity, a negative base under a
// fractional exponent a NaN); the numeric model's checks are in real.h.
#pragma once

#include <cstdint>

namespace milfo {

double roundedLn(double x);
double roundedExp(double x);
double roundedPow(double base, double exponent);

// How many times each function has run in this thread, so that a test can
// see that a handler really calls it as often as its formulas say.
struct RoundedCalls {
    std::uint64_t ln = 0;
    std::uint64_t exp = 0;
    std::uint64_t pow = 0;
};
RoundedCalls roundedCalls();

}  // namespace milfo
