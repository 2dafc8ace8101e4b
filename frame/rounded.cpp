#include "rounded.h"

#include <mpfr.h>

#include <cmath>

// MPFR computes each function with as much working precision as it needs to
// round the exact value correctly to the 53 bits of its target. A Double has
// 53 bits of significand and exponents from 2^-1074 (the least subnormal) to
// just below 2^1024; in MPFR's convention, a significand in [1/2, 1), that is
// emin = -1073 and emax = 1024. mpfr_subnormalize then rounds a result below
// 2^-1022 a second time, correctly, to the fewer bits a subnormal Double
// keeps, and mpfr_get_d is exact on the result.

namespace milfo {

namespace {

constexpr mpfr_prec_t kDoubleBits = 53;
constexpr mpfr_exp_t kDoubleEmin = -1073;
constexpr mpfr_exp_t kDoubleEmax = 1024;

// Operands and result, allocated once per thread.
struct Scratch {
    mpfr_t a;
    mpfr_t b;
    mpfr_t r;
    RoundedCalls calls;

    Scratch() { mpfr_inits2(kDoubleBits, a, b, r, static_cast<mpfr_ptr>(nullptr)); }
    ~Scratch() { mpfr_clears(a, b, r, static_cast<mpfr_ptr>(nullptr)); }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
};

Scratch& scratch()
{
    thread_local Scratch s;
    return s;
}

// The exponent range of a Double for the span of one call; MPFR's own range
// is put back afterwards, whoever else uses it.
class DoubleRange {
public:
    DoubleRange() : emin_(mpfr_get_emin()), emax_(mpfr_get_emax())
    {
        mpfr_set_emin(kDoubleEmin);
        mpfr_set_emax(kDoubleEmax);
    }
    ~DoubleRange()
    {
        mpfr_set_emin(emin_);
        mpfr_set_emax(emax_);
    }
    DoubleRange(const DoubleRange&) = delete;
    DoubleRange& operator=(const DoubleRange&) = delete;

private:
    mpfr_exp_t emin_;
    mpfr_exp_t emax_;
};

double toDouble(mpfr_t r, int ternary)
{
    ternary = mpfr_subnormalize(r, ternary, MPFR_RNDN);
    (void)ternary;
    return mpfr_get_d(r, MPFR_RNDN);
}

}  // namespace

namespace {

// One function of one argument, correctly rounded.
double unary(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), double x, std::uint64_t& count)
{
    Scratch& s = scratch();
    ++count;
    const DoubleRange range;
    mpfr_set_d(s.a, x, MPFR_RNDN);
    return toDouble(s.r, f(s.r, s.a, MPFR_RNDN));
}

}  // namespace

double roundedLn(double x)
{
    return unary(mpfr_log, x, scratch().calls.ln);
}

double roundedExp(double x)
{
    return unary(mpfr_exp, x, scratch().calls.exp);
}

namespace {

// The exponents the calculators use most have faster routes in MPFR: a whole
// number, a square root, a fourth root. Each is correctly rounded too, and
// the correctly rounded value is unique, so the result is the same Double as
// mpfr_pow's. Zero, infinite and NaN bases, whose signs and special values
// the routes treat otherwise than pow, always take mpfr_pow.
int powerOf(mpfr_t r, mpfr_t a, double base, double exponent, mpfr_t b)
{
    const bool ordinary = std::isfinite(base) && base != 0.0;
    if (ordinary && exponent == 0.5)
        return mpfr_sqrt(r, a, MPFR_RNDN);
    if (ordinary && exponent == 0.25)
        return mpfr_rootn_ui(r, a, 4, MPFR_RNDN);
    if (ordinary && std::fabs(exponent) <= 0x1p30 && exponent == std::trunc(exponent))
        return mpfr_pow_si(r, a, static_cast<long>(exponent), MPFR_RNDN);
    mpfr_set_d(b, exponent, MPFR_RNDN);
    return mpfr_pow(r, a, b, MPFR_RNDN);
}

}  // namespace

double roundedPow(double base, double exponent)
{
    Scratch& s = scratch();
    ++s.calls.pow;
    const DoubleRange range;
    mpfr_set_d(s.a, base, MPFR_RNDN);
    return toDouble(s.r, powerOf(s.r, s.a, base, exponent, s.b));
}

RoundedCalls roundedCalls()
{
    return scratch().calls;
}

}  // namespace milfo
