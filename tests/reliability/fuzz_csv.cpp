// milfo-calc's CSV input on any bytes: read as UTF-8, as CP932, or as the
// automatic rule reads them (byte order marks, UTF-16 with tabs, the first
// byte that is not ASCII), in chunks of any size, as a file would be.
//
// The first byte chooses the encoding (bits 0 and 5: UTF-8, CP932, the
// automatic rule twice) and the chunk size (bits 1-4: 1 to 16 bytes); the
// rest is the file. Must hold: no crash and no undefined
// behaviour; every cell is UTF-8; records start on increasing lines, within
// the file (a line ends with CRLF, LF or a lone CR), and a fault names a
// line within it too; the records and the fault are the same whatever the
// chunk size (64 KiB as in milfo-calc against the small one); the records
// written by the CSV writer and read back are the same records; and every
// cell folded for matching (as headers and list cells are compared) is UTF-8,
// without blanks, folds to itself again, and a cell picks itself from a list
// of its record's cells.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "csv.h"
#include "folding.h"
#include "input.h"
#include "number_text.h"

namespace {

using namespace milfo::calc;
using milfo::reliability::fault;

struct Reading {
    std::vector<std::vector<std::string>> records;
    std::vector<long> lines;
    long faultLine = -1;  // -1: no fault
    std::string faultText;
};

Reading readAll(const std::string& bytes, Encoding encoding, size_t chunk)
{
    Reading r;
    // fmemopen wants a size above 0; an empty file is a file of nothing.
    std::string copy = bytes;
    std::FILE* f = copy.empty() ? std::tmpfile() : fmemopen(&copy[0], copy.size(), "rb");
    if (f == nullptr)
        fault("cannot open the input in memory");
    try {
        const auto file = fileBytes(f);
        auto source = openSource(*file, encoding);
        CsvReader reader(*source, chunk);
        std::vector<std::string> cells;
        while (reader.next(cells)) {
            r.records.push_back(cells);
            r.lines.push_back(reader.line());
        }
    } catch (const InputError& e) {
        r.faultLine = e.line();
        r.faultText = e.what();
    }
    std::fclose(f);
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Encoding encoding = (data[0] & 32) != 0  ? Encoding::Auto
                              : (data[0] & 1) != 0 ? Encoding::Cp932
                                                   : Encoding::Utf8;
    const size_t chunk = ((data[0] >> 1) & 15) + 1;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    long fileLines = 1;
    for (size_t i = 0; i < bytes.size(); ++i)
        fileLines += bytes[i] == '\r' || (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) ? 1 : 0;

    const Reading small = readAll(bytes, encoding, chunk);
    const Reading large = readAll(bytes, encoding, 1 << 16);
    if (small.records != large.records || small.faultLine != large.faultLine ||
        small.faultText != large.faultText)
        fault("chunks of " + std::to_string(chunk) + " bytes read otherwise than chunks of 64 KiB");

    long previous = 0;
    for (size_t i = 0; i < small.records.size(); ++i) {
        if (small.lines[i] <= previous || small.lines[i] > fileLines)
            fault("record " + std::to_string(i + 1) + " starts on line " + std::to_string(small.lines[i]));
        previous = small.lines[i];
        for (const std::string& cell : small.records[i])
            if (!isUtf8(cell))
                fault("a cell of record " + std::to_string(i + 1) + " is not UTF-8");
    }
    if (small.faultLine == 0 || small.faultLine > fileLines ||
        (small.faultLine > 0 && small.faultLine < previous))
        fault("a fault on line " + std::to_string(small.faultLine) + ": " + small.faultText);

    // Folded for matching.
    for (size_t i = 0; i < small.records.size(); ++i) {
        const std::string where = " (record " + std::to_string(i + 1) + ")";
        const ListEntries list(small.records[i]);
        for (const std::string& cell : small.records[i]) {
            const std::string folded = foldedForMatching(cell);
            if (!isUtf8(folded))
                fault("a cell folds to no UTF-8" + where);
            if (folded.find_first_of(" \t\r\n") != std::string::npos)
                fault("a cell folds to a text with blanks" + where);
            if (foldedForMatching(folded) != folded)
                fault("a folded cell folds otherwise again" + where);
            const std::string* picked = list.pick(cell);
            if (picked == nullptr || *picked != cell)
                fault("a cell does not pick itself from its record" + where);
        }
    }

    // Written out and read back: the same records.
    char* text = nullptr;
    size_t length = 0;
    std::FILE* out = open_memstream(&text, &length);
    {
        // With a byte order mark first, as milfo-calc --bom writes it: a
        // first cell that starts with U+FEFF is then kept.
        FileSink sink(out);
        CsvWriter writer(sink);
        writer.byteOrderMark();
        for (const auto& record : small.records) {
            for (const std::string& cell : record)
                writer.cell(cell);
            writer.endRecord();
        }
    }
    std::fclose(out);
    const std::string written(text, length);
    std::free(text);
    const Reading back = readAll(written, Encoding::Utf8, chunk);
    if (back.faultLine != -1 || back.records != small.records)
        fault(
            "the records written out read back otherwise" +
            (back.faultLine != -1 ? ": line " + std::to_string(back.faultLine) + ": " + back.faultText : ""));
    return 0;
}
