#include "folding.h"

#include <algorithm>
#include <cstdint>

namespace milfo::calc {

namespace {

#include "nfkc_table.inc"

// Unicode's White_Space property.
bool isWhiteSpace(char32_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

// A byte that is no UTF-8 stands in the text as this plus the byte: a
// starter that composes with nothing, written out as the byte again.
constexpr char32_t kRawByte = 0x110000;

// The Hangul syllables, by arithmetic.
constexpr char32_t kSyllableFirst = 0xAC00, kLeadFirst = 0x1100, kVowelFirst = 0x1161, kTrailFirst = 0x11A7;
constexpr char32_t kLeads = 19, kVowels = 21, kTrails = 28, kSyllables = kLeads * kVowels * kTrails;

// The code point that starts at s[i] into c; its length in bytes, 0 when
// the bytes there are no UTF-8 (overlong forms and surrogates included).
size_t decode(std::string_view s, size_t i, char32_t& c)
{
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char first = b(i);
    if (first < 0x80) {
        c = first;
        return 1;
    }
    size_t len = 0;
    char32_t least = 0;
    if (first >= 0xC2 && first <= 0xDF) {
        len = 2;
        c = first & 0x1F;
        least = 0x80;
    } else if (first >= 0xE0 && first <= 0xEF) {
        len = 3;
        c = first & 0x0F;
        least = 0x800;
    } else if (first >= 0xF0 && first <= 0xF4) {
        len = 4;
        c = first & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    for (size_t k = 1; k < len; ++k) {
        if ((b(i + k) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (b(i + k) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return len;
}

void encode(char32_t c, std::string& out)
{
    if (c >= kRawByte)
        out += static_cast<char>(c - kRawByte);
    else
        encodeUtf8(c, out);
}

int combiningClass(char32_t c)
{
    const auto* end = std::end(kCombiningClasses);
    const auto* r = std::upper_bound(std::begin(kCombiningClasses), end, c,
                                     [](char32_t v, const CombiningRange& range) { return v < range.first; });
    if (r == std::begin(kCombiningClasses))
        return 0;
    --r;
    return c <= r->last ? r->combiningClass : 0;
}

// c decomposed (NFKD) onto out, White_Space dropped.
void decompose(char32_t c, std::u32string& out)
{
    const auto put = [&](char32_t d) {
        if (!isWhiteSpace(d))
            out += d;
    };
    if (c >= kSyllableFirst && c < kSyllableFirst + kSyllables) {
        const char32_t s = c - kSyllableFirst;
        put(kLeadFirst + s / (kVowels * kTrails));
        put(kVowelFirst + (s % (kVowels * kTrails)) / kTrails);
        if (s % kTrails != 0)
            put(kTrailFirst + s % kTrails);
        return;
    }
    const auto* end = std::end(kDecomposed);
    const auto* d = std::lower_bound(std::begin(kDecomposed), end, c);
    if (d == end || *d != c)
        return put(c);
    const size_t i = static_cast<size_t>(d - std::begin(kDecomposed));
    for (size_t k = kDecompositionStarts[i]; k < kDecompositionStarts[i + 1]; ++k) {
        const char16_t unit = kDecompositionPool[k];
        if (unit >= 0xD800 && unit < 0xDC00)
            put(0x10000 + ((unit - 0xD800) << 10) + (kDecompositionPool[++k] - 0xDC00));
        else
            put(unit);
    }
}

// The primary composite of a and b; 0 when none.
char32_t composed(char32_t a, char32_t b)
{
    if (a >= kLeadFirst && a < kLeadFirst + kLeads && b >= kVowelFirst && b < kVowelFirst + kVowels)
        return kSyllableFirst + ((a - kLeadFirst) * kVowels + (b - kVowelFirst)) * kTrails;
    if (a >= kSyllableFirst && a < kSyllableFirst + kSyllables && (a - kSyllableFirst) % kTrails == 0 &&
        b > kTrailFirst && b < kTrailFirst + kTrails)
        return a + (b - kTrailFirst);
    const auto* end = std::end(kComposed);
    const auto* c =
        std::lower_bound(std::begin(kComposed), end, std::make_pair(a, b),
                         [](const Composition& e, const std::pair<char32_t, char32_t>& v) {
                             return e.first < v.first || (e.first == v.first && e.second < v.second);
                         });
    return c != end && c->first == a && c->second == b ? c->composite : 0;
}

// Canonical order, then canonical composition, in place.
void compose(std::u32string& s)
{
    // Each run of marks sorted by combining class, stably.
    for (size_t i = 0; i < s.size();) {
        if (combiningClass(s[i]) == 0) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < s.size() && combiningClass(s[j]) != 0)
            ++j;
        std::stable_sort(s.begin() + static_cast<std::ptrdiff_t>(i),
                         s.begin() + static_cast<std::ptrdiff_t>(j),
                         [](char32_t a, char32_t b) { return combiningClass(a) < combiningClass(b); });
        i = j;
    }
    size_t out = 0;
    size_t starter = std::u32string::npos;
    int lastClass = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const char32_t c = s[i];
        const int cc = c >= kRawByte ? 0 : combiningClass(c);
        if (starter != std::u32string::npos && s[starter] < kRawByte && c < kRawByte) {
            // Not blocked: next to the starter, or every mark between is of
            // a lower class.
            const bool adjacent = out == starter + 1;
            if (adjacent || (lastClass != 0 && lastClass < cc)) {
                if (const char32_t composite = composed(s[starter], c)) {
                    s[starter] = composite;
                    continue;
                }
            }
        }
        if (cc == 0)
            starter = out;
        lastClass = cc;
        s[out++] = c;
    }
    s.resize(out);
}

}  // namespace

void encodeUtf8(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string foldedForMatching(std::string_view text)
{
    std::u32string points;
    for (size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const size_t len = decode(text, i, c);
        if (len == 0) {
            points += kRawByte + static_cast<unsigned char>(text[i++]);
            continue;
        }
        i += len;
        decompose(c, points);
    }
    compose(points);
    std::string folded;
    for (char32_t c : points)
        encode(c, folded);
    return folded;
}

std::string foldedStem(std::string_view caption)
{
    const std::string folded = foldedForMatching(caption);
    if (folded.empty() || folded.back() != ')')
        return "";
    // Back to the bracket that opens the last one.
    int depth = 0;
    for (size_t i = folded.size(); i-- > 0;) {
        if (folded[i] == ')')
            ++depth;
        else if (folded[i] == '(' && --depth == 0)
            return folded.substr(0, i);
    }
    return "";
}

std::string foldedUnit(std::string_view caption)
{
    const std::string stem = foldedStem(caption);
    if (stem.empty())
        return "";
    const std::string folded = foldedForMatching(caption);
    return folded.substr(stem.size() + 1, folded.size() - stem.size() - 2);
}

namespace {

// A unit's symbols as written, each with the symbol it stands for.
struct UnitSymbol {
    std::string_view text;
    std::string_view symbol;
};

// clang-format off
constexpr UnitSymbol kUnitSymbols[] = {
    {"°c", "°c"}, {"degc", "°c"}, {"\u309ac", "°c"}, {"c", "°c"}, {"°f", "°f"}, {"degf", "°f"}, {"f", "°f"},
    {"°", "°"}, {"deg", "°"}, {"%", "%"}, {"-", "-"},
    {"kwh", "kwh"}, {"wh", "wh"}, {"kw", "kw"}, {"w", "w"},
    {"mj", "mj"}, {"kj", "kj"}, {"j", "j"}, {"kcal", "kcal"}, {"cal", "cal"},
    {"kgf", "kgf"}, {"kg", "kg"}, {"g", "g"}, {"t", "t"},
    {"mpa", "mpa"}, {"kpa", "kpa"}, {"pa", "pa"}, {"bar", "bar"}, {"atm", "atm"},
    {"mm", "mm"}, {"cm", "cm"}, {"km", "km"}, {"m", "m"}, {"in", "in"}, {"ft", "ft"},
    {"min", "min"}, {"sec", "s"}, {"s", "s"}, {"hrs", "h"}, {"hr", "h"}, {"h", "h"}, {"day", "d"}, {"d", "d"},
    {"yr", "y"}, {"y", "y"}, {"k", "k"}, {"l", "l"}, {"n", "n"},
    {"円", "円"}, {"年", "年"}, {"時間", "h"}, {"日", "d"}, {"分", "min"}, {"秒", "s"},
};
// Brackets and the signs of a product, dropped.
constexpr std::string_view kUnitSeparators[] = {
    "(", ")", "[", "]", "{", "}", "<", ">", "【", "】", "〔", "〕", "「", "」", "〈", "〉",
    "・", "·", "⋅", "*", ".", "^", "×",
};
// clang-format on

}  // namespace

std::string unitKey(std::string_view folded)
{
    std::string s;
    for (size_t i = 0; i < folded.size();) {
        bool dropped = false;
        for (std::string_view sep : kUnitSeparators)
            if (folded.substr(i, sep.size()) == sep) {
                i += sep.size();
                dropped = true;
                break;
            }
        if (dropped)
            continue;
        const char c = folded[i++];
        s += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    std::string key;
    bool slash = false, part = false;  // a / seen; a symbol since the last /
    for (size_t i = 0; i < s.size();) {
        if (s[i] == '/') {
            if (!part)
                return "";
            if (!slash)
                key += '/';
            slash = true;
            part = false;
            ++i;
            continue;
        }
        const UnitSymbol* longest = nullptr;
        for (const UnitSymbol& u : kUnitSymbols)
            if (s.compare(i, u.text.size(), u.text) == 0 &&
                (longest == nullptr || u.text.size() > longest->text.size()))
                longest = &u;
        if (longest == nullptr)
            return "";
        key += longest->symbol;
        i += longest->text.size();
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            key += s[i++];
        part = true;
    }
    return part ? key : "";
}

std::vector<size_t> candidatesNamed(std::string_view text, const std::vector<std::vector<std::string>>& names)
{
    std::vector<std::vector<std::string>> folded;
    for (const std::vector<std::string>& n : names) {
        folded.emplace_back();
        for (const std::string& name : n)
            folded.back().push_back(foldedForMatching(name));
    }
    return candidatesNamed(text, foldedForMatching(text), names, folded);
}

std::vector<size_t> candidatesNamed(std::string_view text, std::string_view folded,
                                    const std::vector<std::vector<std::string>>& names,
                                    const std::vector<std::vector<std::string>>& foldedNames)
{
    for (size_t i = 0; i < names.size(); ++i)
        for (const std::string& name : names[i])
            if (name == text)
                return {i};
    std::vector<size_t> found;
    for (size_t i = 0; i < foldedNames.size(); ++i)
        if (std::find(foldedNames[i].begin(), foldedNames[i].end(), folded) != foldedNames[i].end())
            found.push_back(i);
    return found;
}

ListEntries::ListEntries(const std::vector<std::string>& entries) : entries_(entries)
{
    for (const std::string& e : entries_) {
        folded_.push_back(foldedForMatching(e));
        listed_ += "「" + e + "」";
    }
}

const std::string* ListEntries::pick(const std::string& cell) const
{
    for (const std::string& e : entries_)
        if (e == cell)
            return &e;
    const std::string folded = foldedForMatching(cell);
    const std::string* found = nullptr;
    for (size_t i = 0; i < entries_.size(); ++i)
        if (folded_[i] == folded) {
            if (found != nullptr)
                return nullptr;
            found = &entries_[i];
        }
    return found;
}

}  // namespace milfo::calc
