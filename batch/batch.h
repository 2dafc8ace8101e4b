// One run of a program over rows, for every front end that has rows:
// milfo-calc (a CSV file or standard input, a table of --set and --vary
// values) and the site's 一括計算 page (the file the person picked). A row
// source gives the header cells and the rows; the header names the program's
// inputs (as a person reads it: folding.h; a caption's stem alone when no
// other input has that stem, or with its unit in any usual notation) or is
// passed through; the run refuses a list without an input every row needs,
// and leaves unpressed a button none of whose own inputs has a column; one
// loop enters each row into the program's form model (RowRunner), presses,
// writes the row as CSV with its results, error and notes, and reports
// progress. Errors and notes come in English and Japanese (message.h): the
// command line says the one, the page the other.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "csv.h"
#include "input.h"
#include "message.h"
#include "program.h"
#include "values.h"

namespace milfo::calc {

// A run that cannot start or go on for a reason of the command line or the
// input's header (exit status 2).
struct Stop {
    Message message;
};

// A column as the row source gives it.
struct HeaderCell {
    enum class Kind {
        Free,   // a CSV header: names an input, or is passed through
        Input,  // must name an input (--set, --vary)
        Fixed,  // passed through whatever it says (the nominal size of a --vary sgp)
    };
    // Where it comes from, which an error about it names: the file's header
    // (by its place in the header), --set or --vary.
    enum class From { File, Set, Vary };
    std::string text;
    Kind kind = Kind::Free;
    From from = From::File;
};

class RowSource {
public:
    virtual ~RowSource() = default;
    // The columns, once, before the first row.
    virtual std::vector<HeaderCell> header() = 0;
    // The next row, one cell per column; false at the end. Throws
    // InputError for input that cannot be read on.
    virtual bool next(std::vector<std::string>& cells) = 0;
    // Where the last row stands ("line 4", "4 行目"), or the header before
    // the first row.
    virtual Message where() const = 0;
    // Where the header stands, to start an error of the columns with
    // (empty when the rows come from no file).
    virtual Message headerWhere() const = 0;
    // How much of the rows are done, 0 to 1; negative when not known.
    virtual double done() const = 0;
    // What is said at the end (how the file was read, rows skipped).
    virtual std::vector<Message> closingNotes() const { return {}; }
};

// CSV text: the header is its first line that is not empty; blank lines and
// rows of empty cells are skipped and counted; a row of another cell count
// than the header's stops the run. The --set values follow the file's
// columns in every row.
class CsvRows : public RowSource {
public:
    // name: the file as messages name it; size: the file's length in bytes
    // (negative when not known).
    CsvRows(TextSource& text, std::string name, long long size,
            std::vector<std::pair<std::string, std::string>> sets = {});
    std::vector<HeaderCell> header() override;
    bool next(std::vector<std::string>& cells) override;
    Message where() const override;
    Message headerWhere() const override;
    double done() const override;
    std::vector<Message> closingNotes() const override;

private:
    void closingSkip(long line);

    TextSource& text_;
    CsvReader reader_;
    std::string name_;
    long long size_;
    std::vector<std::pair<std::string, std::string>> sets_;
    size_t width_ = 0;  // the file's cells a row
    long headerLine_ = 0;
    long long skipped_ = 0;
    std::vector<long> skippedLines_;  // the first ten
};

// The rows of --set and --vary: the --set values, then every combination of
// the --vary lists, the first varying slowest; with a list of SGP sizes, its
// nominal size in a first column (呼び径, or "nominal" with names).
class TableRows : public RowSource {
public:
    // Throws Stop for a list that is wrong or rows too many to count.
    TableRows(std::vector<std::pair<std::string, std::string>> sets,
              std::vector<std::pair<std::string, std::string>> varies, bool names);
    std::vector<HeaderCell> header() override;
    bool next(std::vector<std::string>& cells) override;
    Message where() const override;
    Message headerWhere() const override { return {}; }
    double done() const override;

private:
    std::vector<std::pair<std::string, std::string>> sets_, varies_;
    bool names_;
    std::vector<ValueList> lists_;
    bool nominal_ = false;
    std::uint64_t total_ = 1, row_ = 0;
    std::vector<std::uint64_t> at_;
};

struct BatchOptions {
    std::vector<std::string> presses;  // control names or captions; none: every calculating button
    bool lenient = false;
    bool strictColumns = false;
    bool names = false;  // control names and "error" over the columns, not captions
    bool byteOrderMark = false;
    bool flushEachRow = false;  // rows typed at a terminal are answered one by one
};

// What a front end hears of a run besides the CSV it writes.
class BatchListener {
public:
    virtual ~BatchListener() = default;
    // A note for the person: the columns passed through, a header read by
    // its stem, rows skipped, cells not read as typed.
    virtual void note(const Message& message) = 0;
    // Every record as written, the header first; whether its row failed.
    virtual void record(const std::vector<const std::string*>& /*cells*/, bool /*failed*/) {}
    // After each row: the rows done, and how much of the work (negative:
    // not known).
    virtual void progress(long long /*rows*/, double /*done*/) {}
};

class ProgramView;

// The input each column of a header names (nullptr: none), as a run names
// them; a column of kind Fixed names none. Throws Stop for two columns that
// name one input, or a column that names several alike.
std::vector<const Control*> namedColumns(const ProgramView& view, const std::vector<HeaderCell>& header,
                                         const RowSource& rows, BatchListener& listener);

// The run. Throws Stop, InputError (after the rows before it are written
// and the notes said) and OutputError.
void runBatch(const ProgramDescription& program, const BatchOptions& options, RowSource& rows, ByteSink& out,
              BatchListener& listener);

}  // namespace milfo::calc
