// The WebAssembly side of the site's 一括計算 page: milfo-calc's runner
// (batch/batch.h) over the file the person picked, in the page's Web Worker.
// The worker gives the file's bytes on demand (its slices, read as they are
// asked for) and takes the result's bytes, the notes, the records to show
// and the progress, through Module.batchIO (web/site/batch-worker.js). What
// is read, how, and what is written are the runner's: the download is what
// `milfo-calc --bom [--header names] [--lenient] PROGRAM FILE` writes, the
// encoding chosen by the same rule (input.h: Encoding::Auto), read once.
#include <emscripten/emscripten.h>

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
EM_JS(void, batchProgress, (double rows, double done, double failed), {
    Module.batchIO.progress(rows, done, failed);
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

// The notes, the first records (as JSON: [failed, [cells...]]) and the
// progress (rows done, how much of the file, rows failed), every few hundred
// rows and at the end.
class PageListener : public milfo::calc::BatchListener {
public:
    explicit PageListener(long long shown) : shown_(shown) {}
    ~PageListener() override
    {
        batchProgress(static_cast<double>(rows_), done_, static_cast<double>(failed_));
    }
    PageListener(const PageListener&) = delete;
    PageListener& operator=(const PageListener&) = delete;

    void note(const Message& message) override { batchNote(message.ja().c_str()); }
    void record(const std::vector<const std::string*>& cells, bool failed) override
    {
        if (failed)
            ++failed_;
        if (records_++ >= shown_)
            return;
        std::string json = failed ? "[true,[" : "[false,[";
        for (size_t i = 0; i < cells.size(); ++i)
            json += (i == 0 ? "" : ",") + quoted(*cells[i]);
        batchRecord((json + "]]").c_str());
    }
    void progress(long long rows, double done) override
    {
        rows_ = rows;
        done_ = done;
        if ((rows & 255) == 0)
            batchProgress(static_cast<double>(rows), done, static_cast<double>(failed_));
    }

private:
    long long shown_;
    long long records_ = 0;
    long long rows_ = 0;
    long long failed_ = 0;
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
// records beyond the first `shown` are not handed over for display.
// Answers {"status":0|1|2,"error":message|null}: 0 done, 2 the list cannot
// be run (the command line's exit status 2; its message in Japanese), 1 a
// fault of its own.
EMSCRIPTEN_KEEPALIVE const char* milfo_batch(const char* program, const char* name, double size, int names,
                                             int lenient, double shown)
{
    int status = 0;
    std::string error;
    const std::string file = name;
    try {
        const milfo::ProgramDescription* p = milfo::findProgram(program);
        if (p == nullptr)
            throw milfo::calc::Stop{Message(Text::NoProgram, {program})};
        milfo::calc::BatchOptions options;
        options.names = names != 0;
        options.lenient = lenient != 0;
        options.byteOrderMark = true;
        PageListener listener(static_cast<long long>(shown));
        PageBytes bytes;
        const auto text = milfo::calc::openSource(bytes, milfo::calc::Encoding::Auto);
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
    answer = "{\"status\":" + std::to_string(status) +
             ",\"error\":" + (error.empty() ? "null" : quoted(error)) + "}";
    return answer.c_str();
}
}
