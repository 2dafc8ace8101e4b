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

// The cells of a case's one row, each with the input its column names, in
// tab order; the column that names the program is checked, not entered.
std::vector<CaseCell> cellsOf(const FormRules& rules, std::string_view bytes)
{
    StringBytes reader(bytes);
    const auto text = openSource(reader, Encoding::Auto);
    CsvRows rows(*text, "ファイル", static_cast<long long>(bytes.size()));
    std::vector<HeaderCell> header = rows.header();
    for (HeaderCell& cell : header)
        if (sameName(cell.text, kProgramColumn))
            cell.kind = HeaderCell::Kind::Fixed;
    std::vector<std::string> row, cells;
    long count = 0;
    while (rows.next(cells))
        if (count++ == 0)
            row = cells;

    const std::string program = rules.program().name;
    for (size_t k = 0; k < header.size(); ++k)
        if (header[k].kind == HeaderCell::Kind::Fixed && count > 0 && !row[k].empty() &&
            !sameName(row[k], program))
            throw CaseRefused(Message(Text::CaseOfOther, {row[k], program}));
    if (count != 1)
        throw CaseRefused(Message(Text::CaseRows, {count}));
    const ProgramView view(rules.program());
    Quiet quiet;
    const std::vector<const Control*> of = namedColumns(view, header, rows, quiet);
    std::vector<CaseCell> out;
    for (size_t k = 0; k < header.size(); ++k) {
        if (header[k].kind == HeaderCell::Kind::Fixed)
            continue;
        if (of[k] == nullptr)
            throw CaseRefused(Message(Text::CaseNoInput, {header[k].text, program}));
        out.push_back({rules.find(of[k]->name), row[k]});
    }
    std::stable_sort(out.begin(), out.end(), [](const CaseCell& x, const CaseCell& y) {
        return x.input->tabIndex < y.input->tabIndex;
    });
    return out;
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
        return cellsOf(rules, bytes);
    } catch (const Stop& stop) {
        throw CaseRefused(stop.message);
    } catch (const InputError& e) {
        throw CaseRefused(e.line() > 0
                              ? Message(Text::HeaderAt, {Message(Text::Line, {e.line()}), e.message()})
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
