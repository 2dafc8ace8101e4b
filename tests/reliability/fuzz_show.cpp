// The two number-to-text forms on any Double and any Single. ShowDecimal
// never writes an exponent and raises Overflow exactly from 2^96 on (and for
// infinities); ShowVariant writes the plain form while the decimal exponent
// of the rounded value lies in [-4, 15) for a Double, [-4, 7) for a Single,
// and the exponent form otherwise. Either text holds at most 15 (7)
// significant digits, lies within half a unit of its last digit of the value
// (ShowDecimal shows "0" below 1E-28 and only there), and reads back through ReadVal to a value that the same
// form writes as the same text.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "byte_reader.h"
#include "number_text.h"
#include "numeric.h"

namespace {

using namespace milfo;
using namespace milfo::reliability;

constexpr double kTwoTo96 = 79228162514264337593543950336.0;

std::string describe(double value, bool single)
{
    char buf[96];
    std::snprintf(buf, sizeof buf, "%s %.17g (%a)", single ? "Single" : "Double", value, value);
    return buf;
}

std::string show(bool variant, double value, bool single)
{
    if (single)
        return variant ? ShowVariant(static_cast<float>(value)) : ShowDecimal(static_cast<float>(value));
    return variant ? ShowVariant(value) : ShowDecimal(value);
}

// value is exact in the width named by single.
void check(bool variant, double value, bool single)
{
    const char* form = variant ? "ShowVariant" : "ShowDecimal";
    const int significant = single ? 7 : 15;
    const std::string what = std::string(form) + " of " + describe(value, single);

    std::string text;
    try {
        text = show(variant, value, single);
    } catch (const RuntimeError& e) {
        if (std::isnan(value))
            return;
        const bool mayOverflow = !std::isfinite(value) || (!variant && std::fabs(value) >= kTwoTo96);
        if (!mayOverflow)
            fault(what + " raises " + e.what());
        if (e.kind() != ErrorKind::Overflow)
            fault(what + " raises " + e.what() + " instead of Overflow");
        return;
    }
    if (!std::isfinite(value))
        fault(what + " gives \"" + text + "\" instead of an error");
    if (!variant && std::fabs(value) >= kTwoTo96)
        fault(what + " gives \"" + text + "\" instead of Overflow");

    const std::optional<NumberText> n = parseNumberText(text);
    if (!n)
        fault(what + " gives \"" + escaped(text) + "\", not a number's text of this form");
    if (static_cast<int>(n->digits.size()) > significant)
        fault(what + " gives \"" + text + "\": more than " + std::to_string(significant) + " digits");
    if (!variant && n->exponentForm)
        fault(what + " gives \"" + text + "\" in exponent form");
    if (variant && !n->digits.empty()) {
        const bool plain = n->exponent >= -4 && n->exponent < significant;
        if (plain == n->exponentForm)
            fault(what + " gives \"" + text + "\": the wrong form for exponent " +
                  std::to_string(n->exponent));
    }
    const bool zeroText = n->digits.empty();
    if (zeroText && value != 0 && (variant || std::fabs(value) >= 1e-28))
        fault(what + " gives \"0\"");
    if (!zeroText && !variant && std::fabs(value) < 1e-28)
        fault(what + " gives \"" + text + "\" below 1E-28");
    if (!zeroText && value == 0)
        fault(what + " gives \"" + text + "\" for zero");

    double exact = 0;
    try {
        exact = ReadVal(text);
    } catch (const RuntimeError& e) {
        // The largest Doubles round up, at 15 digits, to a text beyond the
        // Double range: the one text the forms write that does not read back.
        if (variant && !single && n->digits == "179769313486232" && n->exponent == 308)
            return;
        fault(what + " gives \"" + text + "\", which ReadVal does not read: " + e.what());
    }

    // Within half a unit of the last digit kept, give or take the rounding of the text to the Double
    // read back (half its unit in the last place) and a little room for the
    // long double arithmetic.
    const long double unit = std::pow(10.0L, n->exponent - (significant - 1));
    const long double readRounding = exact == 0 ? 0 : std::ldexp(1.0L, std::ilogb(exact) - 53);
    const long double error = std::fabs(static_cast<long double>(exact) - static_cast<long double>(value));
    if (!n->digits.empty() && error > (unit / 2 + readRounding) * (1 + 1e-9L))
        fault(what + " gives \"" + text + "\", which is not the value rounded to its digits");

    // Read back (a Single's text into a Single) and shown again: the same
    // text. A subnormal Single (below 2^-126) keeps fewer than 7 significant
    // digits, so the nearest one to its 7-digit text may show other digits.
    const double back = single ? static_cast<double>(NarrowSingle(exact)) : exact;
    if (single && back != 0 && std::fabs(back) < std::numeric_limits<float>::min())
        return;
    std::string again;
    try {
        again = show(variant, back, single);
    } catch (const RuntimeError& e) {
        fault(what + " gives \"" + text + "\", whose value read back cannot be shown: " + e.what());
    }
    if (again != text)
        fault(what + " gives \"" + text + "\", read back and shown again \"" + again + "\"");
}

void checkAll(double value)
{
    for (bool variant : {false, true})
        check(variant, value, false);
    const float single = NarrowSingle(value);
    for (bool variant : {false, true})
        check(variant, static_cast<double>(single), true);
}

// A power of ten, near a tie or near a bound, as the rounding meets it.
double edgeValue(ByteReader& in)
{
    const int kind = static_cast<int>(in.below(4));
    double base = 0;
    if (kind == 0) {
        base = std::pow(10.0, static_cast<double>(in.between(-330, 310)));
    } else if (kind == 1) {
        // d.ddd…5 × 10^k: a tie after the 7th or the 15th digit, then
        // neighbours.
        const std::int64_t digits =
            in.byte() & 1 ? in.between(1000000, 9999999) : in.between(100000000000000, 999999999999999);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%lld5e%d", static_cast<long long>(digits),
                      static_cast<int>(in.between(-340, 300)));
        base = std::strtod(buf, nullptr);
    } else if (kind == 2) {
        base = kTwoTo96;
    } else {
        base = static_cast<double>(in.between(-100000, 100000)) / 1000.0;
    }
    for (std::int64_t steps = in.between(-4, 4); steps != 0; steps += steps > 0 ? -1 : 1)
        base = std::nextafter(base, steps > 0 ? INFINITY : -INFINITY);
    return in.byte() & 1 ? -base : base;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ByteReader in(data, size);
    while (!in.empty()) {
        switch (in.below(3)) {
            case 0:
                checkAll(in.anyDouble());
                break;
            case 1: {
                const float single = in.anySingle();
                for (bool variant : {false, true})
                    check(variant, static_cast<double>(single), true);
                break;
            }
            default:
                checkAll(edgeValue(in));
                break;
        }
    }
    return 0;
}
