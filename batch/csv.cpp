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

// More text after what the buffer holds; false at the end.
bool CsvReader::more()
{
    const size_t had = buf_.size();
    while (!ended_ && buf_.size() == had)
        if (!source_.read(buf_, chunk_))
            ended_ = true;
    return buf_.size() > had;
}

void CsvReader::chooseSeparator()
{
    // The first line, up to its end outside quotes (or the most a record
    // may hold): a tab and no comma outside quotes make tabs the separator.
    bool quoted = false, tab = false, comma = false;
    for (size_t i = pos_;; ++i) {
        if (i == buf_.size() && (i - pos_ > 3 * kMaxRecordBytes || !more()))
            break;
        const char c = buf_[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        tab = tab || (!quoted && c == '\t');
        comma = comma || (!quoted && c == ',');
    }
    if (tab && !comma) {
        sep_ = '\t';
        stops_[0] = '\t';
    }
}

void CsvReader::count(std::string_view text)
{
    recordBytes_ += source_.fileBytes(text);
    if (recordBytes_ > kMaxRecordBytes)
        throw InputError(recordLine_, Message(Text::RecordTooLong, {kMaxRecordBytes}));
}

// A cell in quotes, from just after the opening quote: up to the closing
// quote, line breaks included (kept as they are, and counted); what follows.
int CsvReader::quotedCell(std::string& cell, size_t n)
{
    const long opened = line_;
    bool afterCr = false;
    for (;;) {
        if (pos_ == buf_.size() && !fill())
            throw InputError(opened, Message(Text::QuoteNotClosed, {n}));
        const size_t end = std::min(buf_.find('"', pos_), buf_.size());
        const std::string_view part(buf_.data() + pos_, end - pos_);
        for (const char b : part) {
            line_ += b == '\r' || (b == '\n' && !afterCr) ? 1 : 0;
            afterCr = b == '\r';
        }
        cell.append(part);
        count(part);
        pos_ = end;
        if (pos_ == buf_.size())
            continue;
        ++pos_;  // the quote: a doubled one stands for itself
        count("\"");
        if (peek() != '"')
            break;
        get();
        cell += '"';
        count("\"");
        afterCr = false;
    }
    const int c = get();
    if (c != sep_ && c != '\n' && c != '\r' && c >= 0)
        throw InputError(line_, Message(Text::TextAfterQuote, {n}));
    return c;
}

// A bare cell from its first character c, up to a separator or the end of
// the line: what the buffer holds of it at once; what ends it.
int CsvReader::bareCell(std::string& cell, int c)
{
    const std::string_view stops(stops_, 3);
    while (c >= 0 && c != sep_ && c != '\n' && c != '\r') {
        const size_t start = pos_ - 1;
        const size_t end = std::min(buf_.find_first_of(stops, pos_), buf_.size());
        cell.append(buf_, start, end - start);
        count(std::string_view(buf_).substr(start, end - start));
        pos_ = end;
        c = get();
    }
    return c;
}

bool CsvReader::next(std::vector<std::string>& cells)
{
    if (peek() < 0)
        return false;
    if (!started_) {
        started_ = true;
        if (source_.tabsAllowed())
            chooseSeparator();
    }
    recordLine_ = line_;
    recordBytes_ = 0;
    size_t n = 0;
    const auto newCell = [&] {
        if (n == kMaxCells)
            throw InputError(recordLine_, Message(Text::TooManyColumns, {kMaxCells}));
        if (n == cells.size())
            cells.emplace_back();
        cells[n++].clear();
    };
    newCell();
    for (;;) {
        int c = get();
        std::string& cell = cells[n - 1];
        c = c == '"' && cell.empty() ? quotedCell(cell, n) : bareCell(cell, c);
        // CRLF, LF or a lone CR (old Mac files) ends the line.
        if (c == '\r') {
            if (peek() == '\n')
                get();
            c = '\n';
        }
        if (c == sep_) {
            count(std::string_view(&sep_, 1));
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
