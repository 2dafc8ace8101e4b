#include "case_file.h"

#include <algorithm>
#include <cstring>

#include "batch.h"
#include "csv.h"
#include "folding.h"
#include "input.h"
#include "runner.h"

namespace milfo::calc {

namespace {

class StringSink : public ByteSink {
public:
    bool write(const char* data, size_t n) override
    {
        out.append(data, n);
        return true;
    }
    std::string out;
};

class StringBytes : public ByteReader {
public:
    explicit StringBytes(std::string_view bytes) : rest_(bytes) {}
    size_t next(char* buf, size_t n) override
    {
        n = std::min(n, rest_.size());
        std::memcpy(buf, rest_.data(), n);
        rest_.remove_prefix(n);
        return n;
    }

private:
    std::string_view rest_;
};

class Quiet : public BatchListener {
public:
    void note(const Message&) override {}
};

bool sameName(std::string_view a, std::string_view b)
{
    return foldedForMatching(a) == foldedForMatching(b);
}

// The header, and the one row a case holds.
struct Table {
    std::vector<HeaderCell> header;
    std::vector<std::string> row;
    long rows = 0;
};

Table readTable(std::string_view bytes)
{
    StringBytes scan(bytes);
    const Detected detected = detectEncoding(scan);
    StringBytes reader(bytes);
    const auto text = openSource(reader, detected.encoding);
    CsvRows rows(*text, {"the file", "ファイル"}, static_cast<long long>(bytes.size()));
    Table t;
    t.header = rows.header();
    for (HeaderCell& cell : t.header)
        if (sameName(cell.text, kProgramColumn))
            cell.kind = HeaderCell::Kind::Fixed;
    std::vector<std::string> cells;
    while (rows.next(cells))
        if (t.rows++ == 0)
            t.row = cells;
    return t;
}

std::vector<CaseCell> cellsOf(const FormRules& rules, const Table& t)
{
    const std::string program = rules.program().name;
    for (size_t k = 0; k < t.header.size(); ++k)
        if (t.header[k].kind == HeaderCell::Kind::Fixed && t.rows > 0 && !t.row[k].empty() &&
            !sameName(t.row[k], program))
            throw CaseRefused(
                {"this file holds the inputs of " + t.row[k] + ", not of " + program,
                 "このファイルは " + t.row[k] + " の入力です。" + program + " の入力ではありません。"});
    if (t.rows != 1) {
        const std::string n = std::to_string(t.rows);
        throw CaseRefused({"the file has " + n + " rows; open a file of one row",
                           "ファイルに " + n + " 行あります。1 行のファイルを開いてください。"});
    }
    const ProgramView view(rules.program());
    Quiet quiet;
    const std::vector<const Control*> of = namedColumns(view, t.header, quiet);
    std::vector<CaseCell> cells;
    for (size_t k = 0; k < t.header.size(); ++k) {
        if (t.header[k].kind == HeaderCell::Kind::Fixed)
            continue;
        if (of[k] == nullptr)
            throw CaseRefused({"column \"" + t.header[k].text + "\" is no input of " + program,
                               "列「" + t.header[k].text + "」は " + program + " の入力ではありません。"});
        cells.push_back({rules.find(of[k]->name), t.row[k]});
    }
    std::stable_sort(cells.begin(), cells.end(), [](const CaseCell& a, const CaseCell& b) {
        return a.input->tabIndex < b.input->tabIndex;
    });
    return cells;
}

}  // namespace

std::string writeCase(const FormModel& form)
{
    StringSink sink;
    {
        CsvWriter csv(sink);
        csv.byteOrderMark();
        csv.cell(kProgramColumn);
        for (const Control* input : form.rules().inputs())
            csv.cell(form.rules().caption(*input));
        csv.endRecord();
        csv.cell(form.program().name);
        for (const Control* input : form.rules().inputs())
            csv.cell(form.textOf(*input));
        csv.endRecord();
    }
    return sink.out;
}

std::vector<CaseCell> readCase(const FormRules& rules, std::string_view bytes)
{
    try {
        return cellsOf(rules, readTable(bytes));
    } catch (const Stop& stop) {
        throw CaseRefused(stop.message);
    } catch (const InputError& e) {
        const std::string line = std::to_string(e.line());
        throw CaseRefused(e.line() > 0 ? Message{"line " + line + ": ", line + " 行目: "} + e.message()
                                       : e.message());
    }
}

std::string caseTitle(std::string_view caption, std::string_view fileName)
{
    return std::string(caption) + " — " + std::string(fileName);
}

std::vector<Failure> enterCase(FormModel& form, const std::vector<CaseCell>& cells)
{
    std::vector<Failure> failures;
    if (std::optional<Failure> failure = form.startAgain())
        failures.push_back(std::move(*failure));
    for (const CaseCell& cell : cells) {
        const Control& input = *cell.input;
        if (input.kind != ControlKind::ComboBox) {
            form.setText(input.name, cell.text);
            continue;
        }
        const ListEntries entries(form.entries(input));
        const std::string* named = entries.pick(cell.text);
        const std::optional<size_t> entry = named != nullptr ? form.findEntry(input, *named) : std::nullopt;
        if (!entry) {
            form.setText(input.name, cell.text);
            continue;
        }
        if (std::optional<Failure> failure = form.pick(input, *entry))
            failures.push_back(std::move(*failure));
    }
    return failures;
}

}  // namespace milfo::calc
