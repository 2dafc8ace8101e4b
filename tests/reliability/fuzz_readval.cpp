// ReadVal on any text: arbitrary bytes, well-formed UTF-8 of any code points,
// and numbers spelled as a Japanese input method types them. Never a crash,
// never undefined behaviour; the value is a finite Double, or the read raises
// Overflow. Besides: text after a number's end changes nothing, a blank in
// front changes nothing, a "-" in front of a number negates it, the full-width
// and kana-mode spelling reads as the ASCII one, and a plain decimal reads as the nearest
// Double (the C library's correctly rounded strtod is the reference).
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "byte_reader.h"
#include "number_text.h"
#include "numeric.h"

namespace {

using namespace milfo;
using namespace milfo::reliability;

struct Reading {
    bool overflow = false;
    double value = 0;
};

std::string quoted(std::string_view text)
{
    return "ReadVal(\"" + escaped(text) + "\")";
}

Reading readText(std::string_view text)
{
    try {
        const double value = ReadVal(text);
        if (!std::isfinite(value))
            fault(quoted(text) + " gives a value that is not finite");
        return {false, value};
    } catch (const RuntimeError& e) {
        if (e.kind() != ErrorKind::Overflow)
            fault(quoted(text) + " raises " + e.what() + " instead of a value or Overflow");
        return {true, 0};
    }
}

// Same outcome, and the same Double to the bit (the sign of zero included).
bool same(const Reading& a, const Reading& b)
{
    if (a.overflow || b.overflow)
        return a.overflow == b.overflow;
    return std::memcmp(&a.value, &b.value, sizeof a.value) == 0;
}

std::string shown(const Reading& r)
{
    if (r.overflow)
        return "Overflow";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", r.value);
    return buf;
}

void expectSame(std::string_view a, const Reading& ra, std::string_view b, const Reading& rb)
{
    if (!same(ra, rb))
        fault(quoted(a) + " gives " + shown(ra) + " but " + quoted(b) + " gives " + shown(rb));
}

// The checks every text goes through.
void checkText(std::string_view text)
{
    const Reading r = readText(text);

    // "x" cannot continue any number: appending it changes nothing.
    const std::string tail = std::string(text) + "x";
    expectSame(text, r, tail, readText(tail));

    // Blanks are dropped wherever they stand.
    const std::string lead = " " + std::string(text);
    expectSame(text, r, lead, readText(lead));

    // A "-" in front of a text that starts with a digit negates it.
    if (!text.empty() && text[0] >= '0' && text[0] <= '9') {
        const std::string minus = "-" + std::string(text);
        const Reading m = readText(minus);
        Reading negated = r;
        negated.value = -r.value;
        if (!same(m, negated))
            fault(quoted(minus) + " gives " + shown(m) + ", not the negation of " + quoted(text) + " = " +
                  shown(r));
    }
}

// A text whose every character is a code point taken from three bytes.
std::string anyUtf8(const std::uint8_t* data, std::size_t size)
{
    std::string out;
    for (std::size_t i = 0; i + 2 < size; i += 3) {
        const char32_t cp =
            static_cast<char32_t>((data[i] << 16) | (data[i + 1] << 8) | data[i + 2]) % 0x110000;
        appendUtf8(out, cp);
    }
    return out;
}

// The same piece of a number in ASCII and as a Japanese input method may
// type it.
struct Token {
    const char* ascii;
    const char* wide;
};

const Token kTokens[] = {
    {"0", "０"},
    {"1", "１"},
    {"2", "２"},
    {"3", "３"},
    {"4", "４"},
    {"5", "５"},
    {"6", "６"},
    {"7", "７"},
    {"8", "８"},
    {"9", "９"},
    {"+", "＋"},
    {"-", "－"},
    {"-", "\xE2\x88\x92"},
    {".", "．"},
    {"e", "ｅ"},
    {"E", "Ｅ"},
    {" ", "\xE3\x80\x80"},
    {" ", " "},
    {"\t", "\t"},
    {"\n", "\n"},
    {"d", "d"},
    {"D", "D"},
    {",", ","},
    {"x", "x"},
    {"&H", "&H"},
    {"&O", "&O"},
    {"&h", "&h"},
    {"A", "A"},
    {"f", "f"},
    {"00000000", "００００００００"},
    {"e308", "ｅ308"},
    {"e-324", "ｅ－324"},
    {"999", "９９９"},
    {"1.7976931348623157", "1.7976931348623157"},
    {"4.9406564584124654", "４．９４０６５６４５８４１２４６５４"},
    {"2.2250738585072014", "2.2250738585072014"},
    {"79228162514264337593543950336", "79228162514264337593543950336"},
    {"e", "Ｅ"},
    {"5", "5"},
    {"0", "0"},
    {"-", "ー"},
    {"-", "\xE2\x80\x90"},
    {"-", "\xE2\x80\x92"},
    {"-", "\xE2\x80\x93"},
    {"-", "\xE2\x80\x95"},
    {".", "。"},
    {".", "｡"},
    {"d", "ｄ"},
    {"&H", "＆Ｈ"},
    {"&o", "＆ｏ"},
    {"A", "Ａ"},
    {"f", "ｆ"},
    {",", "，"},
};

// A plain decimal after blanks are dropped: sign, digits with at most one
// point and at least one digit, an optional exponent with at least one digit.
// Returns the text for strtod ("d" as "e"), or the empty string.
std::string plainDecimal(std::string_view ascii)
{
    std::string s;
    for (char c : ascii)
        if (c != ' ' && c != '\t' && c != '\n')
            s += c == 'd' || c == 'D' ? 'e' : c;
    std::size_t i = 0;
    const auto digits = [&] {
        std::size_t n = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i, ++n;
        return n;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t n = digits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        n += digits();
    }
    if (n == 0)
        return {};
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        if (digits() == 0)
            return {};
    }
    return i == s.size() ? s : std::string();
}

void checkTokens(const std::uint8_t* data, std::size_t size)
{
    std::string ascii, wide;
    for (std::size_t i = 0; i < size; ++i) {
        const Token& t = kTokens[data[i] % (sizeof kTokens / sizeof kTokens[0])];
        ascii += t.ascii;
        wide += t.wide;
    }
    const Reading ra = readText(ascii);
    expectSame(ascii, ra, wide, readText(wide));
    checkText(wide);

    const std::string decimal = plainDecimal(ascii);
    if (decimal.empty())
        return;
    errno = 0;
    const double reference = std::strtod(decimal.c_str(), nullptr);
    Reading expected;
    if (errno == ERANGE && std::isinf(reference))
        expected.overflow = true;
    else
        expected.value = reference;
    if (!same(ra, expected))
        fault(quoted(ascii) + " gives " + shown(ra) + "; the nearest Double is " + shown(expected));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkText(std::string_view(reinterpret_cast<const char*>(data), size));
    checkText(anyUtf8(data, size));
    checkTokens(data, size);
    return 0;
}
