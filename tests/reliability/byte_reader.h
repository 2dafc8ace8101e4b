// Decodes a fuzzer's bytes into choices, numbers and texts. Reads from the
// front; once the bytes run out every choice is 0 and every text is empty, so
// any input, however short, decodes to something.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace milfo::reliability {

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return pos_ >= size_; }

    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    // A whole number in [0, count), from as few bytes as the count needs.
    std::uint64_t below(std::uint64_t count)
    {
        if (count <= 1)
            return 0;
        std::uint64_t value = 0;
        for (std::uint64_t span = count - 1; span != 0; span >>= 8)
            value = (value << 8) | byte();
        return value % count;
    }

    // A whole number in [lo, hi].
    std::int64_t between(std::int64_t lo, std::int64_t hi)
    {
        return lo + static_cast<std::int64_t>(below(static_cast<std::uint64_t>(hi - lo) + 1));
    }

    std::uint64_t bits64()
    {
        std::uint64_t value = 0;
        for (int i = 0; i < 8; ++i)
            value = (value << 8) | byte();
        return value;
    }

    std::uint32_t bits32()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | byte();
        return value;
    }

    // Any Double, NaNs and infinities included.
    double anyDouble()
    {
        const std::uint64_t bits = bits64();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // Any Single, NaNs and infinities included.
    float anySingle()
    {
        const std::uint32_t bits = bits32();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // Up to max bytes, as they come; a byte 0xFF followed by anything other
    // than 0xFF ends the text early, so one input can hold several texts.
    std::string text(std::size_t max)
    {
        std::string out;
        while (out.size() < max && pos_ < size_) {
            const std::uint8_t b = data_[pos_++];
            if (b == 0xFF) {
                if (pos_ < size_ && data_[pos_] == 0xFF) {
                    ++pos_;
                } else {
                    break;
                }
            }
            out += static_cast<char>(b);
        }
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// A code point as UTF-8 (surrogates and values beyond U+10FFFF become U+FFFD).
inline void appendUtf8(std::string& out, char32_t cp)
{
    if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// A text on one line for a reproducer: printable ASCII and well-formed UTF-8
// as they are, every other byte (controls, backslash, ill-formed sequences)
// as \xHH.
inline std::string escaped(std::string_view text)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        std::size_t len = 0;
        if (b >= 0xC2 && b <= 0xDF)
            len = 2;
        else if (b >= 0xE0 && b <= 0xEF)
            len = 3;
        else if (b >= 0xF0 && b <= 0xF4)
            len = 4;
        bool wellFormed = len != 0 && i + len <= text.size();
        for (std::size_t k = 1; wellFormed && k < len; ++k)
            wellFormed = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        if (wellFormed) {
            out.append(text.substr(i, len));
            i += len;
        } else if (b >= 0x20 && b < 0x7F && b != '\\') {
            out += text[i++];
        } else {
            out += "\\x";
            out += hex[b >> 4];
            out += hex[b & 0xF];
            ++i;
        }
    }
    return out;
}

}  // namespace milfo::reliability
