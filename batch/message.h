// What the runner says (an error, a note), in the command line's English and
// in the Japanese of the site's 一括計算 page, which runs the same code. Every
// text is one entry of a table (message.cpp) with placeholders; a Message is
// the entry's name and its arguments, kept as data (a line number, a column
// number, the texts named) until it is formatted where it is said. So a run
// makes no text for what it never reports, and a list of columns holds at
// most ten of them, then 「ほか N 列」.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace milfo::calc {

// The table's entries, in its order. A placeholder is {0} to {9}; in
// English, {0:cell|cells} picks the first form when argument 0 is the
// number 1, else the second.
enum class Text {
    None,  // no text: an empty message
    Plain,
    Concat,
    // Where a message stands.
    FileLine,
    FileLineColon,
    HeaderColumn,
    HeaderAt,
    Line,
    Row,
    SetOption,
    VaryOption,
    // Lists.
    ControlNamed,
    NoHeaderColumn,
    MoreColumns,
    MoreLines,
    // Reading a file.
    CannotRead,
    CannotReadFile,
    BomInCp932,
    Cp932CutShort,
    Cp932Bad,
    NotUtf8Cell,
    QuoteNotClosed,
    TextAfterQuote,
    CellCount,
    EncodingCp932,
    EncodingUtf8,
    EncodingUtf8Bom,
    EncodingUtf16Le,
    EncodingUtf16Be,
    TabSeparated,
    Workbook,
    Utf16Bad,
    TooManyColumns,
    RecordTooLong,
    EncodingRead,
    Skipped,
    // The columns.
    IsOtherControl,
    IsNoInput,
    BothName,
    NamesAlike,
    ReadAs,
    Empty,
    NoInputColumn,
    MissingInputs,
    PassedPart,
    LikelyPart,
    LikelyColumn,
    OtherUnit,
    NotPressed,
    StartText,
    StartEmpty,
    AsWindowStarts,
    LeftAsWindowStarts,
    PassedThrough,
    // Buttons and tables.
    NoButton,
    CalculatesNothing,
    VaryBad,
    VarySgpOnce,
    VaryTooMany,
    // The rows.
    ReadingNote,
    MoreNotRead,
    RowAt,
    RowErrors,
    Blank,
    NotANumber,
    NotListed,
    BlankList,
    NoValueFor,
    NoColumn,
    TypedIntoList,
    RowNote,
    RowNotes,
    BlankDefault,
    MoreBlank,
    // What a row must give an input.
    RoleNeeded,
    RoleNeededList,
    RoleNeededBy,
    RoleNeededByList,
    RoleNeededWhen,
    RoleNeededWhenList,
    RoleChoice,
    RoleDefault,
    RoleOptional,
    RoleUnread,
    RoleUnreadList,
    // A case kept in a file.
    CaseOfOther,
    CaseRows,
    CaseNoInput,
    // The page.
    NoProgram,
    CannotWrite,
    Count_
};

class Message;

// An argument of a message: a text said alike in both languages, a number,
// a message of its own, or a list of messages joined as the language joins
// them (at most the ten given, then "ほか N 列" or "..." for the rest).
class Arg {
public:
    Arg(std::string text);
    Arg(const char* text);
    Arg(long long number);
    Arg(int number) : Arg(static_cast<long long>(number)) {}
    Arg(long number) : Arg(static_cast<long long>(number)) {}
    Arg(size_t number) : Arg(static_cast<long long>(number)) {}
    Arg(Message message);

    enum class Joined { Commas, Japanese, Or };  // ", " in both; "、" in Japanese; " or ", "または"
    // items: up to ten; more: how many were left out (said by moreText, a
    // message of one number).
    static Arg list(std::vector<Message> items, size_t more, Text moreText, Joined joined);

    // The most a list holds; the rest is counted.
    static constexpr size_t kListed = 10;

private:
    friend class Message;
    enum class Kind { Text, Number, Message, List } kind_;
    std::string text_;
    long long number_ = 0;
    std::vector<Message> parts_;
    size_t more_ = 0;
    Text moreText_ = Text::None;
    Joined joined_ = Joined::Commas;
};

class Message {
public:
    Message() = default;
    Message(Text text, std::vector<Arg> args = {});

    bool empty() const { return text_ == Text::None; }
    std::string en() const;
    std::string ja() const;

    // "{0}{1}": this, then more.
    Message then(Message more) const;

private:
    friend class Arg;
    void format(bool japanese, std::string& out) const;

    Text text_ = Text::None;
    std::vector<Arg> args_;
};

// Every Japanese text of the table, each with its placeholders as "{n}":
// what the site's font must hold.
std::vector<std::string> japaneseTexts();

}  // namespace milfo::calc
