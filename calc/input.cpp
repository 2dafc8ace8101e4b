#include "input.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "csv.h"

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

// The bytes a source has taken, counted.
class Counted {
public:
    explicit Counted(ByteReader& bytes) : bytes_(bytes) {}

    // Appends up to `want` bytes to out, reading again until there are at
    // least `least` of them or the file ends; how many were appended.
    size_t readAtLeast(std::string& out, size_t want, size_t least)
    {
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
        return got;
    }
    long long consumed() const { return consumed_; }

private:
    ByteReader& bytes_;
    long long consumed_ = 0;
};

class Utf8Source : public TextSource {
public:
    explicit Utf8Source(ByteReader& bytes) : bytes_(bytes) {}

    bool read(std::string& out, size_t want) override
    {
        const size_t at = out.size();
        // The first read takes at least the 3 bytes of a byte order mark.
        const size_t got = bytes_.readAtLeast(out, first_ ? std::max<size_t>(want, 3) : want, first_ ? 3 : 1);
        if (first_) {
            first_ = false;
            if (out.compare(at, 3, kBom) == 0)
                out.erase(at, 3);
        }
        return got > 0;
    }
    long long consumed() const override { return bytes_.consumed(); }

private:
    Counted bytes_;
    bool first_ = true;
};

void encodeUtf8(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The first byte of a CP932 character of two bytes: its row of kCp932, or -1.
int leadRow(unsigned char b)
{
    if (b >= 0x81 && b <= 0x9F)
        return b - 0x81;
    if (b >= 0xE0 && b <= 0xFC)
        return b - 0xE0 + (0xA0 - 0x81);
    return -1;
}

class Cp932Source : public TextSource {
public:
    explicit Cp932Source(ByteReader& bytes) : bytes_(bytes) {}

    bool read(std::string& out, size_t want) override
    {
        if (!fault_.empty())
            throw InputError(faultLine_, fault_);
        // Bytes left over from the last read (a character cut in two), then
        // more from the file.
        const size_t got =
            bytes_.readAtLeast(pending_, first_ ? std::max<size_t>(want, 3) : want, first_ ? 3 : 1);
        if (first_) {
            first_ = false;
            if (pending_.compare(0, 3, kBom) == 0)
                throw InputError(1, Message(Text::BomInCp932));
        }
        if (pending_.empty())
            return false;

        size_t done = 0;
        bool cutShort = false;
        int bad = -1;  // the byte that is no character
        while (done < pending_.size()) {
            const auto b = static_cast<unsigned char>(pending_[done]);
            if (b < 0x80) {
                out += static_cast<char>(b);
                ++done;
            } else if (b >= 0xA1 && b <= 0xDF) {
                encodeUtf8(0xFF61 + (b - 0xA1), out);
                ++done;
            } else if (const int row = leadRow(b); row >= 0) {
                if (done + 1 == pending_.size()) {
                    // The second byte is still to come, or never comes.
                    cutShort = got == 0;
                    bad = cutShort ? b : -1;
                    break;
                }
                const auto t = static_cast<unsigned char>(pending_[done + 1]);
                const char16_t c = t >= 0x40 && t <= 0xFC ? kCp932[row][t - 0x40] : 0;
                if (c == 0) {
                    bad = b;
                    break;
                }
                encodeUtf8(c, out);
                done += 2;
            } else {
                bad = b;
                break;
            }
        }
        line_ = linesIn(pending_.data(), done, line_, afterCr_);
        if (bad >= 0) {
            // Give what came before; the fault comes with the next read.
            char hex[8];
            std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(bad));
            fault_ = Message(cutShort ? Text::Cp932CutShort : Text::Cp932Bad, {hex});
            faultLine_ = line_;
            pending_.clear();
            return true;
        }
        pending_.erase(0, done);
        return got > 0 || done > 0;
    }
    long long consumed() const override { return bytes_.consumed(); }

private:
    Counted bytes_;
    std::string pending_;
    bool first_ = true;
    long line_ = 1;
    bool afterCr_ = false;
    Message fault_;
    long faultLine_ = 0;
};

}  // namespace

std::unique_ptr<ByteReader> fileBytes(std::FILE* file)
{
    return std::make_unique<FileBytes>(file);
}

std::unique_ptr<TextSource> openSource(ByteReader& bytes, Encoding encoding)
{
    if (encoding == Encoding::Cp932)
        return std::make_unique<Cp932Source>(bytes);
    return std::make_unique<Utf8Source>(bytes);
}

Detected detectEncoding(ByteReader& bytes)
{
    std::string buf;
    size_t kept = 0;  // bytes of a character cut at the end of the last piece
    bool first = true;
    for (;;) {
        buf.resize(kept + (1 << 16));
        const size_t n = bytes.next(&buf[kept], buf.size() - kept);
        buf.resize(kept + n);
        if (first && buf.size() >= 3) {
            first = false;
            if (buf.compare(0, 3, kBom) == 0)
                return {Encoding::Utf8, true};
        }
        if (n == 0)
            return {isUtf8(buf) ? Encoding::Utf8 : Encoding::Cp932, false};
        // Up to the start of the last character, which may go on in the next piece.
        size_t k = buf.size(), continuations = 0;
        while (k > 0 && continuations < 3 && (static_cast<unsigned char>(buf[k - 1]) & 0xC0) == 0x80) {
            --k;
            ++continuations;
        }
        const size_t end = k > 0 && static_cast<unsigned char>(buf[k - 1]) >= 0xC0 ? k - 1 : buf.size();
        if (!isUtf8(std::string_view(buf).substr(0, end)))
            return {Encoding::Cp932, false};
        kept = buf.size() - end;
        buf.erase(0, end);
    }
}

Message encodingName(Detected detected)
{
    if (detected.encoding == Encoding::Cp932)
        return Message(Text::EncodingCp932);
    return Message(detected.byteOrderMark ? Text::EncodingUtf8Bom : Text::EncodingUtf8);
}

}  // namespace milfo::calc
