#include "input.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "csv.h"
#include "folding.h"

namespace milfo::calc {

namespace {

#include "cp932_table.inc"

constexpr char kBom[] = "\xEF\xBB\xBF";

// The lines of a file so far: one more than the line ends seen, a line
// ending with CRLF, LF or a lone CR (counted at the CR; afterCr carries a CR
// at the end of one piece to the next). In UTF-8 and in CP932 a byte 0x0A or
// 0x0D is always a line feed or a carriage return (no second byte of a CP932
// character is below 0x40).
long linesIn(const char* p, size_t n, long before, bool& afterCr)
{
    for (size_t i = 0; i < n; ++i) {
        before += p[i] == '\r' || (p[i] == '\n' && !afterCr) ? 1 : 0;
        afterCr = p[i] == '\r';
    }
    return before;
}

class FileBytes : public ByteReader {
public:
    explicit FileBytes(std::FILE* file) : file_(file), fd_(fileno(file)) {}

    size_t next(char* buf, size_t n) override
    {
        if (ended_)
            return 0;
        size_t got = 0;
        if (fd_ >= 0) {
            ssize_t r;
            do
                r = ::read(fd_, buf, n);
            while (r < 0 && errno == EINTR);
            if (r < 0)
                throw InputError(0, cannotRead());
            got = static_cast<size_t>(r);
        } else {
            got = std::fread(buf, 1, n, file_);
            if (got == 0 && std::ferror(file_))
                throw InputError(0, cannotRead());
        }
        ended_ = got == 0;
        return got;
    }

private:
    static Message cannotRead() { return Message(Text::CannotRead, {std::strerror(errno)}); }

    std::FILE* file_;
    int fd_;
    bool ended_ = false;
};

// The bytes a source has taken, counted. The first read of a file (not of
// the rest of one an automatic reading handed on) refuses a workbook.
class Counted {
public:
    explicit Counted(ByteReader& bytes, bool start = true) : bytes_(bytes), first_(start) {}

    // Appends up to `want` bytes to out, reading again until there are at
    // least `least` of them or the file ends; how many were appended.
    size_t readAtLeast(std::string& out, size_t want, size_t least)
    {
        const bool first = first_;
        first_ = false;
        if (first) {
            want = std::max<size_t>(want, 4);
            least = std::max<size_t>(least, 4);
        }
        const size_t at = out.size();
        size_t got = 0;
        out.resize(at + want);
        while (got < least) {
            const size_t n = bytes_.next(&out[at + got], want - got);
            if (n == 0)
                break;
            got += n;
        }
        out.resize(at + got);
        consumed_ += static_cast<long long>(got);
        if (first && (out.compare(at, 4, "PK\x03\x04") == 0 || out.compare(at, 4, "\xD0\xCF\x11\xE0") == 0))
            throw InputError(0, Message(Text::Workbook));
        return got;
    }
    long long consumed() const { return consumed_; }

private:
    ByteReader& bytes_;
    bool first_;
    long long consumed_ = 0;
};

// Bytes read ahead, then the rest of the file.
class Replay : public ByteReader {
public:
    Replay(std::string head, ByteReader& rest) : head_(std::move(head)), rest_(rest) {}
    size_t next(char* buf, size_t n) override
    {
        if (at_ == head_.size())
            return rest_.next(buf, n);
        const size_t k = std::min(n, head_.size() - at_);
        std::memcpy(buf, head_.data() + at_, k);
        at_ += k;
        return k;
    }

private:
    std::string head_;
    size_t at_ = 0;
    ByteReader& rest_;
};

class Utf8Source : public TextSource {
public:
    explicit Utf8Source(ByteReader& bytes, bool start = true) : bytes_(bytes, start), first_(start) {}

    bool read(std::string& out, size_t want) override
    {
        const size_t at = out.size();
        // The first read takes at least the 3 bytes of a byte order mark.
        const size_t got = bytes_.readAtLeast(out, first_ ? std::max<size_t>(want, 3) : want, first_ ? 3 : 1);
        if (first_) {
            first_ = false;
            if (out.compare(at, 3, kBom) == 0) {
                out.erase(at, 3);
                bom_ = true;
            }
        }
        return got > 0;
    }
    long long consumed() const override { return bytes_.consumed(); }
    Message encoding() const override { return Message(bom_ ? Text::EncodingUtf8Bom : Text::EncodingUtf8); }

private:
    Counted bytes_;
    bool first_;
    bool bom_ = false;
};

// The first byte of a CP932 character of two bytes: its row of kCp932, or -1.
int leadRow(unsigned char b)
{
    if (b >= 0x81 && b <= 0x9F)
        return b - 0x81;
    if (b >= 0xE0 && b <= 0xFC)
        return b - 0xE0 + (0xA0 - 0x81);
    return -1;
}

// A source that decodes its file's bytes into UTF-8: what every decoder
// shares. The bytes a character was cut from wait for the next read; the
// first read sees the file's first bytes (a byte order mark); a byte that is
// no character is a fault given with the read after the text before it; the
// lines are counted as the text goes.
class DecodingSource : public TextSource {
public:
    // start: the file's first byte (else the rest of a file from line);
    // mark: the bytes the first read needs to see a byte order mark.
    DecodingSource(ByteReader& bytes, size_t mark, bool start = true, long line = 1, bool afterCr = false)
        : bytes_(bytes, start), mark_(mark), first_(start), line_(line), afterCr_(afterCr)
    {
    }

    bool read(std::string& out, size_t want) override
    {
        if (!fault_.empty())
            throw InputError(faultLine_, fault_);
        const size_t got =
            bytes_.readAtLeast(pending_, first_ ? std::max(want, mark_) : want, first_ ? mark_ : 1);
        if (first_) {
            first_ = false;
            firstBytes(pending_);
        }
        if (pending_.empty())
            return false;
        const size_t at = out.size();
        Decoded d = decode(pending_, got == 0, out);
        line_ = linesIn(out.data() + at, out.size() - at, line_, afterCr_);
        if (!d.fault.empty()) {
            // Give what came before; the fault comes with the next read.
            fault_ = std::move(d.fault);
            faultLine_ = line_;
            pending_.clear();
            return true;
        }
        pending_.erase(0, d.done);
        return got > 0 || d.done > 0;
    }
    long long consumed() const override { return bytes_.consumed(); }

protected:
    struct Decoded {
        size_t done;    // the bytes decoded
        Message fault;  // empty: none
    };
    // The file's first bytes, before any is decoded: a byte order mark.
    virtual void firstBytes(std::string& bytes) = 0;
    // The characters of bytes appended to out, up to a byte that is no
    // character or a character cut short (at the end of the file, a fault).
    virtual Decoded decode(const std::string& bytes, bool atEnd, std::string& out) const = 0;

private:
    Counted bytes_;
    size_t mark_;
    std::string pending_;
    bool first_;
    long line_;
    bool afterCr_;
    Message fault_;
    long faultLine_ = 0;
};

class Cp932Source : public DecodingSource {
public:
    explicit Cp932Source(ByteReader& bytes, bool start = true, long line = 1, bool afterCr = false)
        : DecodingSource(bytes, 3, start, line, afterCr)
    {
    }

    // One byte for ASCII and for half-width katakana (U+FF61–U+FF9F), two
    // for every other character.
    size_t fileBytes(std::string_view text) const override
    {
        size_t n = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            const auto b = static_cast<unsigned char>(text[i]);
            if (b < 0x80) {
                ++n;
            } else if (b >= 0xC0) {
                const bool halfWidth =
                    b == 0xEF && i + 2 < text.size() &&
                    ((text[i + 1] == '\xBD' && static_cast<unsigned char>(text[i + 2]) >= 0xA1) ||
                     (text[i + 1] == '\xBE' && static_cast<unsigned char>(text[i + 2]) <= 0x9F));
                n += halfWidth ? 1 : 2;
            }
        }
        return n;
    }
    Message encoding() const override { return Message(Text::EncodingCp932); }

private:
    void firstBytes(std::string& bytes) override
    {
        if (bytes.compare(0, 3, kBom) == 0)
            throw InputError(1, Message(Text::BomInCp932));
    }

    Decoded decode(const std::string& bytes, bool atEnd, std::string& out) const override
    {
        size_t done = 0;
        while (done < bytes.size()) {
            const auto b = static_cast<unsigned char>(bytes[done]);
            if (b < 0x80) {
                out += static_cast<char>(b);
                ++done;
            } else if (b >= 0xA1 && b <= 0xDF) {
                encodeUtf8(0xFF61 + (b - 0xA1), out);
                ++done;
            } else if (const int row = leadRow(b); row >= 0) {
                if (done + 1 == bytes.size())  // the second byte is still to come, or never comes
                    return {done, atEnd ? Message(Text::Cp932CutShort, {hex(b)}) : Message()};
                const auto t = static_cast<unsigned char>(bytes[done + 1]);
                const char16_t c = t >= 0x40 && t <= 0xFC ? kCp932[row][t - 0x40] : 0;
                if (c == 0)
                    return {done, Message(Text::Cp932Bad, {hex(b)})};
                encodeUtf8(c, out);
                done += 2;
            } else {
                return {done, Message(Text::Cp932Bad, {hex(b)})};
            }
        }
        return {done, Message()};
    }

    static std::string hex(unsigned char b)
    {
        char text[8];
        std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(b));
        return text;
    }
};

// UTF-16 in either byte order (a byte order mark that agrees dropped):
// Excel's 「Unicode テキスト」.
class Utf16Source : public DecodingSource {
public:
    Utf16Source(ByteReader& bytes, bool bigEndian) : DecodingSource(bytes, 2), big_(bigEndian) {}

    // Two bytes a character, four beyond the first plane.
    size_t fileBytes(std::string_view text) const override
    {
        size_t n = 0;
        for (const char c : text) {
            const auto b = static_cast<unsigned char>(c);
            n += b < 0x80 ? 2 : b >= 0xF0 ? 4 : b >= 0xC0 ? 2 : 0;
        }
        return n;
    }
    Message encoding() const override
    {
        return Message(big_ ? Text::EncodingUtf16Be : Text::EncodingUtf16Le);
    }
    bool tabsAllowed() const override { return true; }

private:
    void firstBytes(std::string& bytes) override
    {
        if (bytes.compare(0, 2, big_ ? "\xFE\xFF" : "\xFF\xFE") == 0)
            bytes.erase(0, 2);
    }

    Decoded decode(const std::string& bytes, bool atEnd, std::string& out) const override
    {
        const auto unit = [&](size_t i) {
            const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
            return static_cast<char32_t>(big_ ? (a << 8) | b : (b << 8) | a);
        };
        const Decoded bad{0, Message(Text::Utf16Bad)};
        size_t done = 0;
        while (done + 1 < bytes.size()) {
            const char32_t u = unit(done);
            if (u >= 0xD800 && u < 0xDC00) {
                if (done + 3 >= bytes.size())  // the low half is still to come, or never comes
                    return {done, atEnd ? bad.fault : Message()};
                const char32_t low = unit(done + 2);
                if (low < 0xDC00 || low >= 0xE000)
                    return {done, bad.fault};
                encodeUtf8(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00), out);
                done += 4;
            } else if (u >= 0xDC00 && u < 0xE000) {
                return {done, bad.fault};
            } else {
                encodeUtf8(u, out);
                done += 2;
            }
        }
        // An odd byte at the end of the file.
        return {done, atEnd && done < bytes.size() ? bad.fault : Message()};
    }

    bool big_;
};

// The rule of Encoding::Auto: the byte order marks, then the first byte that
// is not ASCII. ASCII before it reads the same in every encoding and is
// given as it comes, so a file is read once, in its order.
class AutoSource : public TextSource {
public:
    explicit AutoSource(ByteReader& bytes) : raw_(bytes), bytes_(bytes) {}

    bool read(std::string& out, size_t want) override
    {
        if (decided_)
            return decided_->read(out, want);
        if (ended_)
            return false;
        std::string chunk;
        const bool first = first_;
        first_ = false;
        bytes_.readAtLeast(chunk, std::max<size_t>(want, 4), first ? 4 : 1);
        if (first) {
            if (chunk.compare(0, 3, kBom) == 0)
                return decide(std::make_unique<Utf8Source>(hand(chunk, 0), true), out, want);
            if (chunk.compare(0, 2, "\xFF\xFE") == 0 || chunk.compare(0, 2, "\xFE\xFF") == 0)
                return decide(std::make_unique<Utf16Source>(hand(chunk, 0), chunk[0] == '\xFE'), out, want);
        }
        if (chunk.empty()) {
            ended_ = true;
            return false;
        }
        size_t i = 0;
        while (i < chunk.size() && static_cast<unsigned char>(chunk[i]) < 0x80)
            ++i;
        out.append(chunk, 0, i);
        line_ = linesIn(chunk.data(), i, line_, afterCr_);
        if (i == chunk.size()) {
            passed_ += static_cast<long long>(i);
            return true;
        }
        // The character that starts at i, whole if the file holds it (no
        // more: a terminal answers a row as it is typed).
        while (chunk.size() < i + utf8Length(chunk[i]) && bytes_.readAtLeast(chunk, 4, 1) > 0) {
        }
        passed_ += static_cast<long long>(i);
        const bool utf8 = wellFormedAt(chunk, i);
        ByteReader& rest = hand(chunk, i);
        if (utf8)
            decided_ = std::make_unique<Utf8Source>(rest, false);
        else
            decided_ = std::make_unique<Cp932Source>(rest, false, line_, afterCr_);
        return true;
    }
    long long consumed() const override
    {
        return decided_ ? passed_ + decided_->consumed() : bytes_.consumed();
    }
    size_t fileBytes(std::string_view text) const override
    {
        return decided_ ? decided_->fileBytes(text) : text.size();
    }
    Message encoding() const override
    {
        return decided_ ? decided_->encoding() : ended_ ? Message(Text::EncodingUtf8) : Message();
    }
    bool tabsAllowed() const override { return decided_ && decided_->tabsAllowed(); }

private:
    // The rest of the file from chunk[at], for the source that reads it.
    ByteReader& hand(std::string& chunk, size_t at)
    {
        replay_ = std::make_unique<Replay>(chunk.substr(at), raw_);
        return *replay_;
    }
    bool decide(std::unique_ptr<TextSource> source, std::string& out, size_t want)
    {
        passed_ = 0;
        decided_ = std::move(source);
        return decided_->read(out, want);
    }
    // Whether a well-formed UTF-8 character starts at text[i].
    static bool wellFormedAt(const std::string& text, size_t i)
    {
        const size_t len = utf8Length(text[i]);
        return len > 1 && i + len <= text.size() && isUtf8(std::string_view(text).substr(i, len));
    }
    // The length of the UTF-8 character a byte starts (1 for one that starts
    // none).
    static size_t utf8Length(char first)
    {
        const auto b = static_cast<unsigned char>(first);
        return b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 1;
    }

    ByteReader& raw_;
    Counted bytes_;
    std::unique_ptr<Replay> replay_;
    std::unique_ptr<TextSource> decided_;
    bool first_ = true;
    bool ended_ = false;
    long long passed_ = 0;  // the ASCII bytes before the deciding one
    long line_ = 1;
    bool afterCr_ = false;
};

}  // namespace

std::unique_ptr<ByteReader> fileBytes(std::FILE* file)
{
    return std::make_unique<FileBytes>(file);
}

std::unique_ptr<TextSource> openSource(ByteReader& bytes, Encoding encoding)
{
    switch (encoding) {
        case Encoding::Auto:
            return std::make_unique<AutoSource>(bytes);
        case Encoding::Cp932:
            return std::make_unique<Cp932Source>(bytes);
        case Encoding::Utf16Le:
        case Encoding::Utf16Be:
            return std::make_unique<Utf16Source>(bytes, encoding == Encoding::Utf16Be);
        case Encoding::Utf8:
            break;
    }
    return std::make_unique<Utf8Source>(bytes);
}

}  // namespace milfo::calc
