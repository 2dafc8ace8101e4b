// The bytes of a CSV file as UTF-8 text: from a file or standard input, as
// UTF-8 (a leading byte order mark dropped) or as CP932, the Shift_JIS of
// Excel on a Japanese system, converted by the C library's iconv. Read in
// chunks, so a file of any length takes the same memory.
#pragma once

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace milfo::calc {

// Input that cannot be read on: what, and on which line of the file.
class InputError : public std::runtime_error {
public:
    InputError(long line, const std::string& what) : std::runtime_error(what), line_(line) {}
    long line() const { return line_; }  // 0: not tied to a line

private:
    long line_;
};

enum class Encoding { Utf8, Cp932 };

class TextSource {
public:
    virtual ~TextSource() = default;
    // Appends up to about `want` bytes of UTF-8 text to out; false at the end.
    // A fault (an unreadable file, a byte that is no character of the
    // encoding) comes only after all the text before it was given.
    virtual bool read(std::string& out, size_t want) = 0;
    // How far into the file, in its own bytes (for the progress line).
    virtual long long consumed() const = 0;
};

// Reads from `file` (not closed here) in the given encoding.
std::unique_ptr<TextSource> openSource(std::FILE* file, Encoding encoding);

}  // namespace milfo::calc
