#include "csv.h"

#include <algorithm>

namespace milfo::calc {

namespace {
constexpr size_t kChunk = 1 << 16;
}

bool CsvReader::fill()
{
    if (ended_)
        return false;
    buf_.erase(0, pos_);
    pos_ = 0;
    while (buf_.empty()) {
        if (!source_.read(buf_, chunk_)) {
            ended_ = true;
            return false;
        }
    }
    return true;
}

bool CsvReader::next(std::vector<std::string>& cells)
{
    if (peek() < 0)
        return false;
    recordLine_ = line_;
    size_t n = 0;
    const auto newCell = [&] {
        if (n == cells.size())
            cells.emplace_back();
        cells[n++].clear();
    };
    newCell();
    for (;;) {
        int c = get();
        // A cell in quotes: up to the closing quote, line breaks included.
        if (c == '"' && cells[n - 1].empty()) {
            const long opened = line_;
            bool afterCr = false;
            for (;;) {
                c = get();
                if (c < 0)
                    throw InputError(opened, Message(Text::QuoteNotClosed, {n}));
                if (c == '"') {
                    if (peek() != '"')
                        break;
                    get();
                }
                // A line break inside the cell is kept as it is, and counted.
                if (c == '\r' || (c == '\n' && !afterCr))
                    ++line_;
                afterCr = c == '\r';
                cells[n - 1] += static_cast<char>(c);
            }
            c = get();
            if (c != ',' && c != '\n' && c != '\r' && c >= 0)
                throw InputError(line_, Message(Text::TextAfterQuote, {n}));
        } else {
            // A bare cell, up to a comma or the end of the line: what the
            // buffer holds of it at once.
            std::string& cell = cells[n - 1];
            while (c >= 0 && c != ',' && c != '\n' && c != '\r') {
                cell += static_cast<char>(c);
                const size_t end = std::min(buf_.find_first_of(",\r\n", pos_), buf_.size());
                cell.append(buf_, pos_, end - pos_);
                pos_ = end;
                c = get();
            }
        }
        // CRLF, LF or a lone CR (old Mac files) ends the line.
        if (c == '\r') {
            if (peek() == '\n')
                get();
            c = '\n';
        }
        if (c == ',') {
            newCell();
            continue;
        }
        if (c == '\n')
            ++line_;
        break;
    }
    cells.resize(n);
    for (size_t i = 0; i < n; ++i)
        if (!isUtf8(cells[i]))
            throw InputError(recordLine_, Message(Text::NotUtf8Cell, {i + 1}));
    return true;
}

bool isUtf8(std::string_view s)
{
    size_t i = 0;
    while (i < s.size()) {
        const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
        const unsigned char c = b(i);
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t len = 0;
        unsigned lo = 0x80, hi = 0xBF;  // the bounds of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            lo = c == 0xE0 ? 0xA0 : 0x80;
            hi = c == 0xED ? 0x9F : 0xBF;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            lo = c == 0xF0 ? 0x90 : 0x80;
            hi = c == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + len > s.size() || b(i + 1) < lo || b(i + 1) > hi)
            return false;
        for (size_t k = 2; k < len; ++k)
            if ((b(i + k) & 0xC0) != 0x80)
                return false;
        i += len;
    }
    return true;
}

CsvWriter::~CsvWriter()
{
    flush();
}

OutputError::OutputError() : std::runtime_error("cannot write the output") {}

void CsvWriter::cell(std::string_view text)
{
    if (!first_)
        buf_ += ',';
    first_ = false;
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        buf_ += text;
        return;
    }
    buf_ += '"';
    for (char c : text) {
        if (c == '"')
            buf_ += '"';
        buf_ += c;
    }
    buf_ += '"';
}

void CsvWriter::endRecord()
{
    buf_ += "\r\n";
    first_ = true;
    if (buf_.size() >= kChunk && !flush())
        throw OutputError();
}

bool CsvWriter::flush()
{
    if (buf_.empty())
        return true;
    const bool ok = out_.write(buf_.data(), buf_.size());
    buf_.clear();
    return ok;
}

bool FileSink::write(const char* data, size_t n)
{
    return std::fwrite(data, 1, n, file_) == n && std::fflush(file_) == 0;
}

}  // namespace milfo::calc
