#include "folding.h"

namespace milfo::calc {

namespace {

#include "width_fold_table.inc"

constexpr char32_t kVoicedMark = 0x3099, kSemiVoicedMark = 0x309A;

// Unicode's White_Space property.
bool isWhiteSpace(char32_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

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

// Builds the folded text one code point (after width folding) at a time.
class Folded {
public:
    void put(char32_t c)
    {
        // Blanks do not count, not even between a kana and its mark: the
        // text folds to itself again.
        if (isWhiteSpace(c))
            return;
        if ((c == kVoicedMark || c == kSemiVoicedMark) && lastAt_ != std::string::npos && last_ >= 0x3040 &&
            last_ <= 0x30FF) {
            const char16_t composed = (c == kVoicedMark ? kVoiced : kSemiVoiced)[last_ - 0x3040];
            if (composed != 0) {
                text_.resize(lastAt_);
                last_ = composed;
                encode(composed, text_);
                return;
            }
        }
        lastAt_ = text_.size();
        last_ = c;
        encode(c, text_);
    }
    void putByte(char b)
    {
        lastAt_ = std::string::npos;
        text_ += b;
    }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
    size_t lastAt_ = std::string::npos;  // where the last code point starts
    char32_t last_ = 0;
};

}  // namespace

std::string foldedForMatching(std::string_view text)
{
    Folded folded;
    for (size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const size_t len = decode(text, i, c);
        if (len == 0) {
            folded.putByte(text[i++]);
            continue;
        }
        i += len;
        const char* form = c >= 0xFF00 && c < 0xFFF0 ? kHalfFullForms[c - 0xFF00] : nullptr;
        if (form == nullptr) {
            folded.put(c == 0x3000 ? U' ' : c);
            continue;
        }
        const std::string_view f(form);
        for (size_t k = 0; k < f.size();) {
            char32_t d = 0;
            k += decode(f, k, d);
            folded.put(d);
        }
    }
    return folded.take();
}

std::vector<size_t> candidatesNamed(std::string_view text, const std::vector<std::vector<std::string>>& names)
{
    for (size_t i = 0; i < names.size(); ++i)
        for (const std::string& name : names[i])
            if (name == text)
                return {i};
    const std::string folded = foldedForMatching(text);
    std::vector<size_t> found;
    for (size_t i = 0; i < names.size(); ++i)
        for (const std::string& name : names[i])
            if (foldedForMatching(name) == folded) {
                found.push_back(i);
                break;
            }
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
