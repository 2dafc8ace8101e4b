// What the heat-flow calculators share: the constants they have always
// written for π and 2π, the divisor that stands where ln e belongs, and the
// way a number is read from a box.
#pragma once

#include <string>

#include "event.h"
#include "form_model.h"
#include "program.h"
#include "real.h"

namespace milfo::heatflow {

// π and 2π exactly as these Doubles, never a library value: the displayed
// digits depend on them.
inline constexpr double kPi = 3.14159;
inline constexpr double kTwoPi = 6.28318;

// The logarithm of 2.718282, taken at run time by the same logarithm as every
// other one (1.0000000631063886, not 1). Formulas that divide by ln e divide
// by this.
inline Real logOfE()
{
    return ln(Real(2.718282));
}

// The number in a box, read afresh by ReadVal (a number beyond the Double
// range is an overflow).
inline Real readBox(const Form& form, const char* box)
{
    return readReal(form.text(box));
}

// In the windows of our own (凍結防止, 温度降下), a number beyond the Double
// range is reported naming its box by the caption the window gives it:
// 「流量（ｋｇ／ｈ）の値が大きすぎて、オーバーフローしました。」
inline constexpr const char* kTooLarge = "の値が大きすぎて、オーバーフローしました。";

inline Real readNamedBox(const Form& form, const char* box, const ProgramDescription& window)
{
    try {
        return readBox(form, box);
    } catch (const RuntimeError& e) {
        if (e.kind() != ErrorKind::Overflow)
            throw;
        const FormRules rules(window);
        throw HandlerMessage(rules.caption(*rules.find(box)) + kTooLarge);
    }
}

}  // namespace milfo::heatflow
