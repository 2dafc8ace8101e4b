// What the fuzzers hold a number's text to, and how they report a fault.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace milfo::reliability {

// A number's text as the two number-to-text forms write it, taken apart.
struct NumberText {
    bool negative = false;
    std::string digits;  // significant digits: no leading or trailing zeros; empty for "0"
    int exponent = 0;    // power of ten of the first significant digit
    bool exponentForm = false;
    int decimalPlaces = 0;  // plain form: digits after the point
};

// Takes apart a text of the shape ShowDecimal or ShowVariant writes: "-"
// only before a non-zero value, no leading zeros, no trailing zeros after the
// point, no bare point; the exponent form has one digit before the point, an
// upper-case "E", a sign and at least two exponent digits. Anything else
// gives nullopt.
std::optional<NumberText> parseNumberText(std::string_view text);

// What may stand in a result box: the empty text, or a number's text that
// ReadVal reads back to a value which the same form writes as the same text.
// Returns what is wrong with the text, or the empty string.
std::string resultTextProblem(std::string_view text);

// Prints the fault, with whatever the context provider adds (a reproducer),
// and aborts so that the fuzzer keeps the input.
[[noreturn]] void fault(const std::string& what);
void setFaultContext(std::function<std::string()> context);

}  // namespace milfo::reliability
