#include "rounded.h"

#include <mpfr.h>

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

double roundedLn(double x)
{
    Scratch& s = scratch();
    ++s.calls.ln;
    const DoubleRange range;
    mpfr_set_d(s.a, x, MPFR_RNDN);
    return toDouble(s.r, mpfr_log(s.r, s.a, MPFR_RNDN));
}

double roundedExp(double x)
{
    Scratch& s = scratch();
    ++s.calls.exp;
    const DoubleRange range;
    mpfr_set_d(s.a, x, MPFR_RNDN);
    return toDouble(s.r, mpfr_exp(s.r, s.a, MPFR_RNDN));
}

double roundedPow(double base, double exponent)
{
    Scratch& s = scratch();
    ++s.calls.pow;
    const DoubleRange range;
    mpfr_set_d(s.a, base, MPFR_RNDN);
    mpfr_set_d(s.b, exponent, MPFR_RNDN);
    return toDouble(s.r, mpfr_pow(s.r, s.a, s.b, MPFR_RNDN));
}

RoundedCalls roundedCalls()
{
    return scratch().calls;
}

}  // namespace milfo
