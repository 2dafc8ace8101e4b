// The bytes of a CSV file as UTF-8 text: from a file, standard input or the
// browser's file (any ByteReader), as UTF-8 (a leading byte order mark
// dropped), as CP932, the Shift_JIS of Excel on a Japanese system (by
// cp932_table.inc, made from Python's cp932 codec by tools/cp932_table.py),
// or as UTF-16, or by the rule that chooses among them (Encoding::Auto).
// Read once, in chunks, so a file of any length takes the same memory.
#pragma once

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "message.h"

namespace milfo::calc {

// Input that cannot be read on: what, and on which line of the file.
class InputError : public std::runtime_error {
public:
    InputError(long line, const Message& what) : std::runtime_error(what.en()), line_(line), what_(what) {}
    long line() const { return line_; }  // 0: not tied to a line
    const Message& message() const { return what_; }

private:
    long line_;
    Message what_;
};

// The bytes of a file, in order.
class ByteReader {
public:
    virtual ~ByteReader() = default;
    // Up to n more bytes into buf; 0 at the end. Throws InputError when the
    // file cannot be read.
    virtual size_t next(char* buf, size_t n) = 0;
};

// A file or standard input (not closed here). One with a descriptor is read
// with read(2), which gives what a pipe or a terminal has at hand instead of
// waiting for a full buffer, so rows typed or piped in are answered as they
// come; once it has seen the end it reads no more (a terminal would wait for
// a second Ctrl-D).
std::unique_ptr<ByteReader> fileBytes(std::FILE* file);

// How a file's bytes are read: Auto, the rule every front end uses unless
// told: a UTF-8 byte order mark → UTF-8; a UTF-16 one → UTF-16 (LE or BE);
// else the first byte that is not ASCII decides: the start of a well-formed
// UTF-8 character → UTF-8 (a later byte that is no UTF-8 refuses its line),
// anything else → CP932 (so a file that is UTF-8 throughout reads as UTF-8).
// A workbook (.xlsx and .ods start PK\3\4, .xls D0 CF 11 E0) is refused in
// every encoding.
enum class Encoding { Auto, Utf8, Cp932, Utf16Le, Utf16Be };

class TextSource {
public:
    virtual ~TextSource() = default;
    // Appends up to about `want` bytes of UTF-8 text to out; false at the end.
    // A fault (an unreadable file, a byte that is no character of the
    // encoding) comes only after all the text before it was given.
    virtual bool read(std::string& out, size_t want) = 0;
    // How far into the file, in its own bytes (for the progress line).
    virtual long long consumed() const = 0;
    // The file's bytes that text read from it stood for (a row's size is
    // limited in them).
    virtual size_t fileBytes(std::string_view text) const { return text.size(); }
    // How the file is read ("UTF-8", "UTF-8 with a byte order mark",
    // "CP932 (Shift_JIS)", "UTF-16LE"), once the text that decides it has
    // been read; empty before.
    virtual Message encoding() const = 0;
    // Whether cells may be separated by tabs (UTF-16: Excel's 「Unicode
    // テキスト」).
    virtual bool tabsAllowed() const { return false; }
};

// Reads the bytes (kept by the caller) in the given encoding.
std::unique_ptr<TextSource> openSource(ByteReader& bytes, Encoding encoding);

}  // namespace milfo::calc
