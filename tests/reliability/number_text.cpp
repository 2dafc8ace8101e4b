#include "number_text.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "numeric.h"

namespace milfo::reliability {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::function<std::string()>& context()
{
    static std::function<std::string()> provider;
    return provider;
}

}  // namespace

std::optional<NumberText> parseNumberText(std::string_view text)
{
    NumberText n;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        n.negative = true;
        ++i;
    }
    const std::size_t intStart = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    const std::string_view intPart = text.substr(intStart, i - intStart);
    if (intPart.empty() || (intPart.size() > 1 && intPart[0] == '0'))
        return std::nullopt;
    std::string_view frac;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        frac = text.substr(fracStart, i - fracStart);
        if (frac.empty() || frac.back() == '0')
            return std::nullopt;
    }
    if (i < text.size() && text[i] == 'E') {
        n.exponentForm = true;
        if (intPart.size() != 1 || intPart[0] == '0')
            return std::nullopt;
        ++i;
        if (i >= text.size() || (text[i] != '+' && text[i] != '-'))
            return std::nullopt;
        const bool expNegative = text[i++] == '-';
        const std::size_t expStart = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        const std::string_view expDigits = text.substr(expStart, i - expStart);
        if (expDigits.size() < 2 || expDigits.size() > 4 || (expDigits.size() > 2 && expDigits[0] == '0'))
            return std::nullopt;
        int e = 0;
        for (char c : expDigits)
            e = e * 10 + (c - '0');
        n.exponent = expNegative ? -e : e;
        n.digits = std::string(intPart) + std::string(frac);
    } else if (intPart != "0") {
        n.exponent = static_cast<int>(intPart.size()) - 1;
        n.digits = std::string(intPart) + std::string(frac);
        n.decimalPlaces = static_cast<int>(frac.size());
    } else {
        const std::size_t first = frac.find_first_not_of('0');
        if (first != std::string_view::npos) {
            n.exponent = -static_cast<int>(first) - 1;
            n.digits = std::string(frac.substr(first));
        }
        n.decimalPlaces = static_cast<int>(frac.size());
    }
    if (i != text.size())
        return std::nullopt;
    while (!n.digits.empty() && n.digits.back() == '0')
        n.digits.pop_back();
    if (n.digits.empty() && n.negative)
        return std::nullopt;  // "-0"
    return n;
}

std::string resultTextProblem(std::string_view text)
{
    if (text.empty())
        return {};
    const std::optional<NumberText> n = parseNumberText(text);
    if (!n)
        return "not a number's text";
    if (n->digits.size() > 15)
        return "more than 15 significant digits";
    double value = 0;
    try {
        value = ReadVal(text);
    } catch (const RuntimeError&) {
        // The one text the forms write that lies beyond the Double range:
        // the largest Double rounded up to 15 digits.
        if (n->exponentForm && n->digits == "179769313486232" && n->exponent == 308)
            return {};
        return "does not read back";
    }
    try {
        if (n->exponentForm) {
            if (ShowVariant(value) == text)
                return {};
            if (n->digits.size() <= 7 && ShowVariant(NarrowSingle(value)) == text)
                return {};
            return "reads back as a value shown as " + ShowVariant(value);
        }
        const std::string again = ShowDecimal(value);
        if (again != text)
            return "reads back as a value shown as " + again;
    } catch (const RuntimeError& e) {
        return std::string("reads back as a value that cannot be shown: ") + e.what();
    }
    return {};
}

void setFaultContext(std::function<std::string()> provider)
{
    context() = std::move(provider);
}

void fault(const std::string& what)
{
    std::fprintf(stderr, "FAULT: %s\n", what.c_str());
    if (context())
        std::fprintf(stderr, "%s\n", context()().c_str());
    std::fflush(stderr);
    std::abort();
}

}  // namespace milfo::reliability
