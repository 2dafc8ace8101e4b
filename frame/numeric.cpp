#include "numeric.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace milfo {

RuntimeError::RuntimeError(ErrorKind kind) : std::runtime_error(errorMessage(kind)), kind_(kind) {}

const char* errorMessage(ErrorKind kind)
{
    switch (kind) {
        case ErrorKind::DivisionByZero:
            return "0 で除算しました。";
        case ErrorKind::Overflow:
            return "オーバーフローしました。";
        case ErrorKind::InvalidArgument:
            return "関数の引数が不正です。";
        case ErrorKind::EndlessSearch:
            return "計算が終わりません。刻みが値に対して小さすぎます。";
    }
    return "実行時エラーです。";
}

namespace {

// Reads one UTF-8 code point at pos; an ill-formed byte reads as U+FFFD and
// advances by one, so no input can stall or overrun the reader.
char32_t nextCodePoint(std::string_view s, size_t& pos)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(pos);
    int len = 0;
    char32_t cp = 0;
    if (b0 < 0x80) {
        ++pos;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + len > s.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i < len; ++i) {
        const unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    pos += len;
    return cp;
}

// Step 1 of reading: drop every blank and fold what a Japanese input method
// types to ASCII: the full-width forms of ASCII (digits, signs, point,
// letters, "&"), the minus sign, the dashes a kana-mode input method types for
// the minus key, and the ideographic full stops for the point. Any other
// character that is not ASCII becomes a byte that no number can continue
// with. A dash read as "-" is a sign only where a sign may stand; anywhere
// else it ends the number like any other "-".
std::string normalise(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const char32_t cp = nextCodePoint(text, pos);
        switch (cp) {
            case U' ':
            case U'\t':
            case U'\n':
            case U'\u3000':  // ideographic space
                continue;
            case U'\u2212':  // minus sign
            case U'\u30FC':  // ー, the minus key in kana mode
            case U'\u2010':  // hyphen
            case U'\u2012':  // figure dash
            case U'\u2013':  // en dash
            case U'\u2015':  // horizontal bar
                out += '-';
                continue;
            case U'\u3002':  // 。 the point key in kana mode
            case U'\uFF61':  // ｡ its half-width form
                out += '.';
                continue;
            default:
                break;
        }
        if (cp >= U'\uFF01' && cp <= U'\uFF5E')
            out += static_cast<char>(cp - 0xFEE0);
        else if (cp < 0x80)
            out += static_cast<char>(cp);
        else
            out += '\x01';
    }
    return out;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// "&H" and "&O" whole numbers: 16-bit signed when they fit 16 bits, 32-bit
// signed when they fit 32 bits, an overflow beyond that.
double readRadix(std::string_view digits, int radix)
{
    std::uint64_t value = 0;
    for (char c : digits) {
        int d = -1;
        if (isDigit(c))
            d = c - '0';
        else if (radix == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (radix == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0 || d >= radix)
            break;
        value = value * radix + d;
        if (value > 0xFFFFFFFFull)
            throw RuntimeError(ErrorKind::Overflow);
    }
    if (value <= 0xFFFF)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

}  // namespace

namespace {

// Where a number stands in a normalised text, as ReadVal reads it: an "&H" or
// "&O" whole number (digits after the prefix), or a decimal number (sign,
// digits with at most one point, an exponent when a digit follows its letter).
struct NumberScan {
    int radix = 10;
    size_t digitsAt = 0;     // radix: the first digit after the prefix
    bool negative = false;   // decimal: the sign
    std::string mantissa;    // decimal: the digits, without the point
    long long pointAt = 0;   // decimal: how many of them stand before the point
    long long exponent = 0;  // decimal: clamped far beyond any magnitude
    size_t end = 0;          // just after the last character read
};

NumberScan scanNumber(const std::string& s)
{
    NumberScan n;
    if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        n.radix = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        n.digitsAt = 2;
        n.end = 2;
        for (; n.end < s.size(); ++n.end) {
            const char c = s[n.end];
            const bool octal = c >= '0' && c <= '7';
            const bool hex = isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
            if (!(n.radix == 16 ? hex : octal))
                break;
        }
        return n;
    }

    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        n.negative = s[i++] == '-';
    while (i < s.size() && isDigit(s[i]))
        n.mantissa += s[i++];
    n.pointAt = static_cast<long long>(n.mantissa.size());
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            n.mantissa += s[i++];
    }
    if (n.mantissa.empty())
        return n;
    n.end = i;

    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            expNegative = s[j++] == '-';
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j])) {
                if (n.exponent < 1000000000)
                    n.exponent = n.exponent * 10 + (s[j] - '0');
                ++j;
            }
            if (expNegative)
                n.exponent = -n.exponent;
            n.end = j;
        }
    }
    return n;
}

}  // namespace

double ReadVal(std::string_view text)
{
    const std::string s = normalise(text);
    const NumberScan n = scanNumber(s);
    if (n.radix != 10)
        return readRadix(std::string_view(s).substr(n.digitsAt), n.radix);
    if (n.mantissa.empty())
        return 0.0;

    const size_t first = n.mantissa.find_first_not_of('0');
    if (first == std::string::npos)
        return n.negative ? -0.0 : 0.0;

    const std::string number = n.mantissa.substr(0, static_cast<size_t>(n.pointAt)) + "." +
                               n.mantissa.substr(static_cast<size_t>(n.pointAt)) + "e" +
                               std::to_string(n.exponent);
#ifdef __EMSCRIPTEN__
    // The WebAssembly C++ library has no floating-point from_chars. Its C
    // library's strtod is correctly rounded and has no locale to consult;
    // it gives an infinity exactly where from_chars reports an overflow, and
    // 0 or the same subnormal below the Double range.
    double value = std::strtod(number.c_str(), nullptr);
    if (std::isinf(value))
        throw RuntimeError(ErrorKind::Overflow);
#else
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // The power of ten of the leading digit tells overflow from underflow.
        const long long leading = n.pointAt - 1 - static_cast<long long>(first) + n.exponent;
        if (leading > 0)
            throw RuntimeError(ErrorKind::Overflow);
        value = 0.0;
    }
#endif
    return n.negative ? -value : value;
}

bool ReadsWhole(std::string_view text)
{
    const std::string s = normalise(text);
    const NumberScan n = scanNumber(s);
    return n.end > n.digitsAt && n.end == s.size();
}

float NarrowSingle(double value)
{
    return static_cast<float>(value);
}

namespace {

// A value rounded to a number of significant digits: the digits without
// trailing zeros and the power of ten of the first one.
struct Rounded {
    std::string digits;  // empty for zero
    int exponent = 0;
};

template <typename T>
Rounded roundSignificant(T magnitude, int significant)
{
    Rounded r;
    if (magnitude == 0)
        return r;
    char buf[64];
#ifdef __EMSCRIPTEN__
    // No floating-point to_chars with a precision there; the C library's
    // printf rounds the exact binary value (a Single widens exactly), ties
    // to even, like to_chars, and has no locale.
    const int length =
        std::snprintf(buf, sizeof buf, "%.*e", significant - 1, static_cast<double>(magnitude));
    const std::string_view text(buf, static_cast<size_t>(length));
#else
    const auto res =
        std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, significant - 1);
    const std::string_view text(buf, static_cast<size_t>(res.ptr - buf));
#endif
    const size_t e = text.find('e');
    for (char c : text.substr(0, e))
        if (isDigit(c))
            r.digits += c;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), r.exponent);
    while (r.digits.size() > 1 && r.digits.back() == '0')
        r.digits.pop_back();
    return r;
}

std::string plain(bool negative, const Rounded& r)
{
    if (r.digits.empty())
        return "0";
    std::string out = negative ? "-" : "";
    if (r.exponent < 0) {
        out += "0.";
        out.append(static_cast<size_t>(-r.exponent - 1), '0');
        out += r.digits;
        return out;
    }
    const size_t intDigits = static_cast<size_t>(r.exponent) + 1;
    if (r.digits.size() <= intDigits) {
        out += r.digits;
        out.append(intDigits - r.digits.size(), '0');
    } else {
        out += r.digits.substr(0, intDigits);
        out += '.';
        out += r.digits.substr(intDigits);
    }
    return out;
}

std::string exponential(bool negative, const Rounded& r)
{
    std::string out = negative ? "-" : "";
    out += r.digits[0];
    if (r.digits.size() > 1) {
        out += '.';
        out += r.digits.substr(1);
    }
    out += 'E';
    out += r.exponent < 0 ? '-' : '+';
    const std::string exp = std::to_string(std::abs(r.exponent));
    if (exp.size() < 2)
        out += '0';
    out += exp;
    return out;
}

void requireFinite(double value)
{
    if (std::isnan(value))
        throw RuntimeError(ErrorKind::InvalidArgument);
    if (std::isinf(value))
        throw RuntimeError(ErrorKind::Overflow);
}

// Below 1E-28, the finest step of a decimal number type, a magnitude shows
// "0"; from there up every significant digit is written out in full.
constexpr double kSmallestShown = 1e-28;

template <typename T>
std::string showDecimal(T value, int significant)
{
    requireFinite(static_cast<double>(value));
    const T magnitude = std::fabs(value);
    if (static_cast<double>(magnitude) >= 79228162514264337593543950336.0)  // 2^96
        throw RuntimeError(ErrorKind::Overflow);
    if (static_cast<double>(magnitude) < kSmallestShown)
        return "0";
    return plain(std::signbit(value), roundSignificant(magnitude, significant));
}

template <typename T>
std::string showVariant(T value, int significant)
{
    requireFinite(static_cast<double>(value));
    const T magnitude = std::fabs(value);
    const Rounded r = roundSignificant(magnitude, significant);
    if (r.digits.empty())
        return "0";
    const bool negative = std::signbit(value);
    if (r.exponent >= -4 && r.exponent < significant)
        return plain(negative, r);
    return exponential(negative, r);
}

}  // namespace

std::string ShowDecimal(float value)
{
    return showDecimal(value, 7);
}
std::string ShowDecimal(double value)
{
    return showDecimal(value, 15);
}
std::string ShowDecimal(const Result& value)
{
    return value ? ShowDecimal(*value) : "0";
}

std::string ShowVariant(float value)
{
    return showVariant(value, 7);
}
std::string ShowVariant(double value)
{
    return showVariant(value, 15);
}
std::string ShowVariant(const Result& value)
{
    return value ? ShowVariant(*value) : "";
}

}  // namespace milfo
