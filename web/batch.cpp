// The WebAssembly side of the site's 一括計算 page: milfo-calc's runner
// (batch/batch.h) over the file the person picked, in the page's Web Worker.
// The worker gives the file's bytes on demand (its slices, read as they are
// asked for) and takes the result's bytes, the notes, the records to show
// and the progress, through Module.batchIO (web/site/batch-worker.js). What
// is read, how, and what is written are the runner's: the download is what
// `milfo-calc --bom [--header names] [--lenient] PROGRAM FILE` writes, the
// encoding chosen by the same rule (input.h: Encoding::Auto), read once.
// Which rows the page sees is said here too: the first ones, and the first
// of those with an error or a note (the page's list of rows to look at),
// each marked as the runner wrote it.
#include <emscripten/emscripten.h>

#include <memory>
#include <string>
#include <vector>

#include "batch.h"
#include "catalogue.h"
#include "event.h"
#include "input.h"
#include "json.h"
#include "template.h"

namespace {

using milfo::calc::Message;
using milfo::calc::Text;
using milfo::web::quoted;

// clang-format off
EM_JS(int, batchRead, (char* buffer, int size), {
    const bytes = Module.batchIO.read(size);
    if (bytes === null) return -1;
    HEAPU8.set(bytes, buffer);
    return bytes.length;
});
EM_JS(void, batchRewind, (), { Module.batchIO.rewind(); });
EM_JS(int, batchWrite, (const char* data, int size), { return Module.batchIO.write(HEAPU8.slice(data, data + size)); });
EM_JS(void, batchNote, (const char* text), { Module.batchIO.note(UTF8ToString(text)); });
EM_JS(void, batchRecord, (const char* json), { Module.batchIO.record(UTF8ToString(json)); });
EM_JS(void, batchProgress, (double rows, double done, double failed, double noted, double flagged), {
    Module.batchIO.progress(rows, done, failed, noted, flagged);
});
// clang-format on

// The file, from its start.
class PageBytes : public milfo::calc::ByteReader {
public:
    PageBytes() { batchRewind(); }
    size_t next(char* buf, size_t n) override
    {
        const int got = batchRead(buf, static_cast<int>(n));
        if (got < 0)
            throw milfo::calc::InputError(0, Message(Text::CannotReadFile));
        return static_cast<size_t>(got);
    }
};

class PageSink : public milfo::calc::ByteSink {
public:
    bool write(const char* data, size_t n) override { return batchWrite(data, static_cast<int>(n)) != 0; }
};

// The notes, some records (as JSON: [row, failed, noted, [cells...]], the
// header as row 0) and the progress (rows done, how much of the file, rows
// with an error, with a note, with either), every few hundred rows and at
// the end. The records handed over are the header, the first `shown` rows
// and the first `kept` rows with an error or a note: a row has a note when
// its last cell (the note column, always written) is not empty.
class PageListener : public milfo::calc::BatchListener {
public:
    PageListener(long long shown, long long kept) : shown_(shown), kept_(kept) {}
    ~PageListener() override { report(); }
    PageListener(const PageListener&) = delete;
    PageListener& operator=(const PageListener&) = delete;

    void note(const Message& message) override { batchNote(message.ja().c_str()); }
    void record(const std::vector<const std::string*>& cells, bool failed) override
    {
        const long long row = records_++;
        const bool noted = row > 0 && !cells.empty() && !cells.back()->empty();
        const bool flagged = failed || noted;
        failed_ += failed ? 1 : 0;
        noted_ += noted ? 1 : 0;
        flagged_ += flagged ? 1 : 0;
        if (row > shown_ && !(flagged && flagged_ <= kept_))
            return;
        std::string json =
            "[" + std::to_string(row) + (failed ? ",true" : ",false") + (noted ? ",true,[" : ",false,[");
        for (size_t i = 0; i < cells.size(); ++i)
            json += (i == 0 ? "" : ",") + quoted(*cells[i]);
        batchRecord((json + "]]").c_str());
    }
    void progress(long long rows, double done) override
    {
        rows_ = rows;
        done_ = done;
        if ((rows & 255) == 0)
            report();
    }

private:
    void report() const
    {
        batchProgress(static_cast<double>(rows_), done_, static_cast<double>(failed_),
                      static_cast<double>(noted_), static_cast<double>(flagged_));
    }

    long long shown_;
    long long kept_;
    long long records_ = 0;
    long long rows_ = 0;
    long long failed_ = 0;
    long long noted_ = 0;
    long long flagged_ = 0;
    double done_ = 0;
};

std::string answer;

// The kind of what a row must give an input, as the page tells them apart.
const char* roleKind(milfo::calc::InputRole::Kind kind)
{
    using Kind = milfo::calc::InputRole::Kind;
    switch (kind) {
        case Kind::Needed:
            return "needed";
        case Kind::NeededBy:
            return "neededBy";
        case Kind::NeededWhen:
            return "neededWhen";
        case Kind::Default:
            return "default";
        case Kind::Optional:
            return "optional";
        case Kind::Unread:
            break;
    }
    return "unread";
}

}  // namespace

extern "C" {

// A program's line list to start from, for the page to show before a file
// is chosen (web/site/batch.js): {"columns":[{"name","caption","kind","says",
// "start","entries","example"}...],"template":{"name","text"}} where kind
// is needed, neededBy, neededWhen, default or optional, says is what a row
// must give the column in Japanese, and text the bytes `milfo-calc
// --template PROGRAM` writes (a byte order mark, CRLF); null when there is no
// such program.
EMSCRIPTEN_KEEPALIVE const char* milfo_batch_columns(const char* program)
{
    const milfo::ProgramDescription* p = milfo::findProgram(program);
    if (p == nullptr)
        return nullptr;
    const milfo::calc::ProgramView view(*p);
    answer = "{\"columns\":" +
             milfo::web::list(
                 milfo::calc::templateColumns(view),
                 [](const milfo::calc::TemplateColumn& c) {
                     return "{\"name\":" + quoted(c.input->name) + ",\"caption\":" + quoted(c.caption) +
                            ",\"kind\":" + quoted(roleKind(c.role.kind)) +
                            ",\"says\":" + quoted(c.says.ja()) + ",\"start\":" + quoted(c.start) +
                            ",\"entries\":" + milfo::web::list(c.entries, quoted) +
                            ",\"example\":" + quoted(c.example) + "}";
                 }) +
             ",\"template\":{\"name\":" + quoted(milfo::calc::templateName(view)) +
             ",\"text\":" + quoted(milfo::calc::templateCsv(view)) + "}}";
    return answer.c_str();
}

// Runs a program over the worker's file (name: as messages name it; size in
// bytes): the header by control names or captions, leniently or strictly;
// the rows handed over for display are the first `shown` and the first
// `kept` with an error or a note. Answers {"status":0|1|2,"error":message|
// null,"encoding":text|null}: 0 done, 2 the list cannot be run (the command
// line's exit status 2; its message in Japanese), 1 a fault of its own;
// the encoding the file was read in, as far as it was read.
EMSCRIPTEN_KEEPALIVE const char* milfo_batch(const char* program, const char* name, double size, int names,
                                             int lenient, double shown, double kept)
{
    int status = 0;
    std::string error;
    const std::string file = name;
    PageBytes bytes;
    std::unique_ptr<milfo::calc::TextSource> text;
    try {
        const milfo::ProgramDescription* p = milfo::findProgram(program);
        if (p == nullptr)
            throw milfo::calc::Stop{Message(Text::NoProgram, {program})};
        milfo::calc::BatchOptions options;
        options.names = names != 0;
        options.lenient = lenient != 0;
        options.byteOrderMark = true;
        PageListener listener(static_cast<long long>(shown), static_cast<long long>(kept));
        text = milfo::calc::openSource(bytes, milfo::calc::Encoding::Auto);
        milfo::calc::CsvRows rows(*text, file, static_cast<long long>(size));
        PageSink sink;
        milfo::calc::runBatch(*p, options, rows, sink, listener);
    } catch (const milfo::calc::Stop& stop) {
        status = 2;
        error = stop.message.ja();
    } catch (const milfo::calc::InputError& e) {
        status = 2;
        error = e.line() > 0 ? Message(Text::FileLineColon, {file, e.line(), e.message()}).ja()
                             : e.message().ja();
    } catch (const milfo::calc::OutputError&) {
        status = 1;
        error = Message(Text::CannotWrite).ja();
    } catch (...) {
        status = 1;
        error = milfo::currentFailure().message;
    }
    const std::string encoding = text ? text->encoding().ja() : std::string();
    answer = "{\"status\":" + std::to_string(status) +
             ",\"error\":" + (error.empty() ? "null" : quoted(error)) +
             ",\"encoding\":" + (encoding.empty() ? "null" : quoted(encoding)) + "}";
    return answer.c_str();
}
}
