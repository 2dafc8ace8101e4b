// CSV as RFC 4180 writes it: cells separated by commas (tabs in UTF-16, as
// Excel's 「Unicode テキスト」 has them), records by CRLF (a bare LF or a lone CR
// is taken too), a cell in double quotes when it holds a comma, a quote or a
// line break, a quote inside doubled. The reader takes one record at a time,
// of bounded size; the writer buffers its output.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "input.h"

namespace milfo::calc {

class CsvReader {
public:
    // The most cells a record may hold, and the most of the file's bytes.
    static constexpr size_t kMaxCells = 4096;
    static constexpr size_t kMaxRecordBytes = 1 << 20;

    // chunk: how many bytes to ask the source for at a time.
    explicit CsvReader(TextSource& source, size_t chunk = 1 << 16) : source_(source), chunk_(chunk) {}

    // The next record into cells (resized to its cell count); false at the
    // end of the input. A quote never closed, text after a closing quote, a
    // record of more than kMaxCells cells or kMaxRecordBytes of the file
    // throws InputError with its line, text that is not UTF-8 with the
    // record's first line. Where the source allows tabs (UTF-16), the cells
    // are separated by tabs when the first line has a tab and no comma
    // outside quotes.
    bool next(std::vector<std::string>& cells);

    // The line the last record started on (1 for the first). A line ends
    // with CRLF, LF or a lone CR.
    long line() const { return recordLine_; }
    // What separates the cells: ',' or '\t'.
    char separator() const { return sep_; }

private:
    bool fill();
    bool more();
    void chooseSeparator();
    int quotedCell(std::string& cell, size_t n);
    int bareCell(std::string& cell, int c);
    // Counts a record's text in the file's bytes; throws past the limit.
    void count(std::string_view text);
    int get()
    {
        if (pos_ == buf_.size() && !fill())
            return -1;
        return static_cast<unsigned char>(buf_[pos_++]);
    }
    int peek()
    {
        if (pos_ == buf_.size() && !fill())
            return -1;
        return static_cast<unsigned char>(buf_[pos_]);
    }

    TextSource& source_;
    size_t chunk_;
    std::string buf_;
    size_t pos_ = 0;
    bool ended_ = false;
    bool started_ = false;
    char sep_ = ',';
    char stops_[4] = ",\r\n";
    long line_ = 1;
    long recordLine_ = 0;
    size_t recordBytes_ = 0;
};

// Whether text is well-formed UTF-8 (no overlong forms, no surrogates).
bool isUtf8(std::string_view text);

// The output cannot be written (a full disk, a closed pipe).
class OutputError : public std::runtime_error {
public:
    OutputError();
};

// Where output bytes go: a file, or the page's result.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // False when the bytes cannot be written.
    virtual bool write(const char* data, size_t n) = 0;
};

// A file (not closed here), flushed at every write.
class FileSink : public ByteSink {
public:
    explicit FileSink(std::FILE* file) : file_(file) {}
    bool write(const char* data, size_t n) override;

private:
    std::FILE* file_;
};

class CsvWriter {
public:
    explicit CsvWriter(ByteSink& out) : out_(out) {}
    ~CsvWriter();
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    void byteOrderMark() { buf_ += "\xEF\xBB\xBF"; }
    void cell(std::string_view text);
    void endRecord();  // throws OutputError when a full buffer cannot be written
    // Writes out what is buffered; false when the output cannot be written.
    bool flush();

private:
    ByteSink& out_;
    std::string buf_;
    bool first_ = true;  // no cell yet in this record
};

}  // namespace milfo::calc
