// A Double of the numeric model whose every operation is rounded once, in the
// order written, and raises the run-time error of the numeric model instead of
// producing an infinity or a NaN: a division by zero, an overflow beyond the
// Double range, or an invalid argument (logarithm of a non-positive number, a
// negative base under a fractional power, 0/0-like results).
#pragma once

#include <cmath>

#include "numeric.h"
#include "rounded.h"

namespace milfo {

class Real {
public:
    constexpr Real(double v = 0.0) : v_(v) {}  // NOLINT: constants mix in freely
    constexpr double value() const { return v_; }

    // The result of an operation on finite operands must itself be finite.
    static Real checked(double r)
    {
        if (std::isnan(r))
            throw RuntimeError(ErrorKind::InvalidArgument);
        if (std::isinf(r))
            throw RuntimeError(ErrorKind::Overflow);
        return Real(r);
    }

private:
    double v_;
};

inline Real operator+(Real a, Real b)
{
    return Real::checked(a.value() + b.value());
}
inline Real operator-(Real a, Real b)
{
    return Real::checked(a.value() - b.value());
}
inline Real operator*(Real a, Real b)
{
    return Real::checked(a.value() * b.value());
}
inline Real operator/(Real a, Real b)
{
    if (b.value() == 0.0)
        throw RuntimeError(ErrorKind::DivisionByZero);
    return Real::checked(a.value() / b.value());
}
inline Real operator-(Real a)
{
    return Real(-a.value());
}

inline bool operator<(Real a, Real b)
{
    return a.value() < b.value();
}
inline bool operator>(Real a, Real b)
{
    return a.value() > b.value();
}
inline bool operator<=(Real a, Real b)
{
    return a.value() <= b.value();
}
inline bool operator>=(Real a, Real b)
{
    return a.value() >= b.value();
}
inline bool operator==(Real a, Real b)
{
    return a.value() == b.value();
}
inline bool operator!=(Real a, Real b)
{
    return a.value() != b.value();
}

// The general power function, correctly rounded. A negative base under a
// fractional exponent, and zero under a negative one, are invalid arguments.
inline Real power(Real base, Real exponent)
{
    if (base.value() == 0.0 && exponent.value() < 0.0)
        throw RuntimeError(ErrorKind::InvalidArgument);
    return Real::checked(roundedPow(base.value(), exponent.value()));
}

// The natural logarithm, correctly rounded (by `logarithm` where a search
// brings another for its tests); zero and negative arguments are invalid.
inline Real ln(Real x, double (*logarithm)(double) = roundedLn)
{
    if (!(x.value() > 0.0))
        throw RuntimeError(ErrorKind::InvalidArgument);
    return Real::checked(logarithm(x.value()));
}

// The natural exponential, correctly rounded.
inline Real exponential(Real x)
{
    return Real::checked(roundedExp(x.value()));
}

inline Real absolute(Real x)
{
    return Real(std::fabs(x.value()));
}

// Reading a box into a Real: ReadVal's overflow applies.
inline Real readReal(std::string_view text)
{
    return Real(ReadVal(text));
}

}  // namespace milfo
