#include "input.h"

#include <iconv.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace milfo::calc {

namespace {

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

// The bytes of a file. A file with a descriptor is read with read(2), which
// gives what a pipe or a terminal has at hand instead of waiting for a full
// buffer, so rows typed or piped in are answered as they come; once it has
// seen the end it reads no more (a terminal would wait for a second Ctrl-D).
class FileBytes {
public:
    explicit FileBytes(std::FILE* file) : file_(file), fd_(fileno(file)) {}

    // Up to n more bytes of the file into buf; 0 at the end.
    size_t next(char* buf, size_t n)
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
                throw InputError(0, std::string("cannot read the input: ") + std::strerror(errno));
            got = static_cast<size_t>(r);
        } else {
            got = std::fread(buf, 1, n, file_);
            if (got == 0 && std::ferror(file_))
                throw InputError(0, std::string("cannot read the input: ") + std::strerror(errno));
        }
        ended_ = got == 0;
        consumed_ += static_cast<long long>(got);
        return got;
    }
    long long consumed() const { return consumed_; }

private:
    std::FILE* file_;
    int fd_;
    bool ended_ = false;
    long long consumed_ = 0;
};

// Appends up to `want` bytes of the file to out, reading again until there
// are at least `least` of them or the file ends; how many were appended.
size_t readAtLeast(FileBytes& bytes, std::string& out, size_t want, size_t least)
{
    const size_t at = out.size();
    size_t got = 0;
    out.resize(at + want);
    while (got < least) {
        const size_t n = bytes.next(&out[at + got], want - got);
        if (n == 0)
            break;
        got += n;
    }
    out.resize(at + got);
    return got;
}

class Utf8Source : public TextSource {
public:
    explicit Utf8Source(std::FILE* file) : bytes_(file) {}

    bool read(std::string& out, size_t want) override
    {
        const size_t at = out.size();
        // The first read takes at least the 3 bytes of a byte order mark.
        const size_t got =
            readAtLeast(bytes_, out, first_ ? std::max<size_t>(want, 3) : want, first_ ? 3 : 1);
        if (first_) {
            first_ = false;
            if (out.compare(at, 3, kBom) == 0)
                out.erase(at, 3);
        }
        return got > 0;
    }
    long long consumed() const override { return bytes_.consumed(); }

private:
    FileBytes bytes_;
    bool first_ = true;
};

class Cp932Source : public TextSource {
public:
    explicit Cp932Source(std::FILE* file) : bytes_(file)
    {
        cd_ = iconv_open("UTF-8", "CP932");
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw InputError(0, "this system's C library cannot convert from CP932");
    }
    ~Cp932Source() override { iconv_close(cd_); }
    Cp932Source(const Cp932Source&) = delete;
    Cp932Source& operator=(const Cp932Source&) = delete;

    bool read(std::string& out, size_t want) override
    {
        if (!fault_.empty())
            throw InputError(faultLine_, fault_);
        // Bytes left over from the last read (a character cut in two), then
        // more from the file.
        const size_t got =
            readAtLeast(bytes_, pending_, first_ ? std::max<size_t>(want, 3) : want, first_ ? 3 : 1);
        if (first_) {
            first_ = false;
            if (pending_.compare(0, 3, kBom) == 0)
                throw InputError(1,
                                 "the input starts with a UTF-8 byte order mark: it is UTF-8, not CP932 "
                                 "(leave out --encoding cp932)");
        }
        if (pending_.empty())
            return false;

        char* in = &pending_[0];
        size_t inLeft = pending_.size();
        const size_t at = out.size();
        out.resize(at + inLeft * 3 + 16);  // a CP932 byte gives at most 3 bytes of UTF-8
        char* to = &out[at];
        size_t toLeft = out.size() - at;
        const size_t r = iconv(cd_, &in, &inLeft, &to, &toLeft);
        const int error = r == static_cast<size_t>(-1) ? errno : 0;
        out.resize(out.size() - toLeft);
        const size_t done = pending_.size() - inLeft;
        line_ = linesIn(pending_.data(), done, line_, afterCr_);
        if (error == EILSEQ || (error == EINVAL && got == 0)) {
            // Give what came before; the fault comes with the next read.
            char hex[8];
            std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(*in));
            fault_ = std::string(error == EILSEQ ? "byte 0x" : "a character cut short at the end, byte 0x") +
                     hex + " is no character of CP932";
            faultLine_ = line_;
            pending_.clear();
            return true;
        }
        pending_.erase(0, done);
        return got > 0 || done > 0;
    }
    long long consumed() const override { return bytes_.consumed(); }

private:
    FileBytes bytes_;
    iconv_t cd_;
    std::string pending_;
    bool first_ = true;
    long line_ = 1;
    bool afterCr_ = false;
    std::string fault_;
    long faultLine_ = 0;
};

}  // namespace

std::unique_ptr<TextSource> openSource(std::FILE* file, Encoding encoding)
{
    if (encoding == Encoding::Cp932)
        return std::make_unique<Cp932Source>(file);
    return std::make_unique<Utf8Source>(file);
}

}  // namespace milfo::calc
