#include "message.h"

#include <utility>

namespace milfo::calc {

namespace {

struct Entry {
    Text text;
    const char* en;
    const char* ja;
};

// clang-format off
constexpr Entry kTable[] = {
    {Text::None, "", ""},
    {Text::Plain, "{0}", "{0}"},
    {Text::Concat, "{0}{1}", "{0}{1}"},
    // A file's line: its name and the line number.
    {Text::FileLine, "{0}: line {1}", "{0} の {1} 行目"},
    {Text::FileLineColon, "{0}: line {1}: {2}", "{0} の {1} 行目: {2}"},
    // A column of the header: where the header stands, the column's number.
    {Text::HeaderColumn, "{0}, column {1}: ", "{0} {1} 列目: "},
    {Text::HeaderAt, "{0}: {1}", "{0}: {1}"},
    {Text::Line, "line {0}", "{0} 行目"},
    {Text::Row, "row {0}", "{0} 行目"},
    {Text::SetOption, "--set: ", "--set: "},
    {Text::VaryOption, "--vary: ", "--vary: "},
    {Text::ControlNamed, "{0} {1}", "{0} {1}"},
    {Text::NoHeaderColumn, "column {0} (no header)", "{0} 列目（見出しなし）"},
    {Text::MoreColumns, "and {0} more", "ほか {0} 列"},
    {Text::MoreLines, "...", "..."},
    {Text::CannotRead, "cannot read the input: {0}", "ファイルを読めません（{0}）。"},
    {Text::CannotReadFile, "cannot read the file", "ファイルを読めません。"},
    {Text::BomInCp932,
     "the input starts with a UTF-8 byte order mark: it is UTF-8, not CP932 (leave out --encoding cp932)",
     "ファイルが UTF-8 の BOM で始まっています。CP932 ではなく UTF-8 です。"},
    {Text::Cp932CutShort, "a character cut short at the end, byte 0x{0} is no character of CP932",
     "ファイルの終わりで文字が途切れています（0x{0} は CP932 の文字ではありません）。"},
    {Text::Cp932Bad, "byte 0x{0} is no character of CP932", "バイト 0x{0} は CP932 の文字ではありません。"},
    {Text::NotUtf8Cell,
     "cell {0} is not UTF-8 text (for CSV from Excel on a Japanese system, give --encoding cp932)",
     "{0} 番目のセルが UTF-8 の文字ではありません。"},
    {Text::QuoteNotClosed, "the quote that opens cell {0} is never closed",
     "{0} 番目のセルを開く \" が閉じていません。"},
    {Text::TextAfterQuote, "text after the closing quote of cell {0}",
     "{0} 番目のセルを閉じる \" の後に文字があります。"},
    {Text::CellCount, "{0} {0:cell|cells}, the header has {1}", "セルが {0} 個あります。見出しは {1} 個です。"},
    {Text::EncodingCp932, "CP932 (Shift_JIS)", "Shift_JIS（CP932）"},
    {Text::EncodingUtf8, "UTF-8", "UTF-8"},
    {Text::EncodingUtf8Bom, "UTF-8 with a byte order mark", "UTF-8（BOM 付き）"},
    {Text::EncodingUtf16Le, "UTF-16LE", "UTF-16LE"},
    {Text::EncodingUtf16Be, "UTF-16BE", "UTF-16BE"},
    {Text::TabSeparated, "cells separated by tabs", "セルはタブで区切られていると読みました。"},
    {Text::Workbook,
     "an Excel workbook cannot be read: save it from Excel as \"CSV UTF-8 (Comma delimited)\" and give that file",
     "Excel のブックは読めません。Excel で「CSV UTF-8 (コンマ区切り)」として保存し、そのファイルを選んでください。"},
    {Text::Utf16Bad, "no UTF-16 text (a surrogate without its other half, or an odd byte at the end)",
     "UTF-16 の文字ではありません（対になっていないサロゲート、または終わりの半端なバイト）。"},
    {Text::TooManyColumns, "more than {0} cells: a row holds at most {0}",
     "セルが {0} 個を超えています。一つの行は {0} 列までです。"},
    {Text::RecordTooLong, "a row of more than 1 MiB ({0} bytes) of the file: a row holds at most that",
     "一つの行がファイルの 1 MiB（{0} バイト）を超えています。一つの行は 1 MiB までです。"},
    {Text::EncodingRead, "read as {0}", "文字コード: {0} として読みました。"},
    {Text::Skipped, "skipped {0} empty {0:row|rows} ({0:line|lines} {1})", "空の行を {0} 行飛ばしました（{1} 行目）。"},
    {Text::IsOtherControl, "\"{0}\" is not an input of {1}; its inputs are {2}",
     "「{0}」は {1} の入力ではありません。入力は {2} です。"},
    {Text::IsNoInput, "\"{0}\" is no input of {1}; its inputs are {2}",
     "「{0}」は {1} の入力ではありません。入力は {2} です。"},
    {Text::BothName, "\"{0}\" and \"{1}\" both name {2}", "「{0}」と「{1}」が同じ入力 {2} を指しています。"},
    {Text::NamesAlike, "\"{0}\" names {1} alike (compatibility forms and blanks do not count); give the control name",
     "「{0}」は {1} のどれとも読めます。コントロール名（Text1 など）で書いてください。"},
    {Text::ReadAs, "{0} is read as {1}", "「{0}」を {1} の列として読みました。"},
    {Text::Empty, "the input is empty: its first line must name the inputs (milfo-calc --list {0})",
     "ファイルが空です。最初の行に入力の名前（見出し）を書きます。"},
    {Text::NoInputColumn, "no column names an input of {0}; its inputs are {1}",
     "{0} の入力を指す列がありません。入力は {1} です（見出しに、ウィンドウの入力の名前か Text1 などのコントロール名を書きます）。"},
    // {1}: the columns passed through (PassedPart) or nothing; {2}: how many inputs.
    // {3}: the columns that look like the inputs (LikelyPart) or nothing.
    {Text::MissingInputs,
     "no column gives {0}, which the calculation needs{1}{3}; add the {2:column|columns}, give {2:it|them} with --set, "
     "or read the rows as the window does with --lenient",
     "計算に必要な入力 {0} の列がありません{1}{3}。列を加えてください（「ウィンドウと同じに読む」では、列のない入力をウィンドウの初めのままにして計算します）。"},
    {Text::PassedPart, " (passed through: {0})", "（そのまま写す列: {0}）"},
    {Text::LikelyPart, " ({0})", "（{0}）"},
    {Text::LikelyColumn, "\"{0}\" may be {1}", "「{0}」が {1} の列ですか"},
    {Text::OtherUnit, "\"{0}\" gives {1} in another unit: write it in {2}",
     "「{0}」は {1} ですが単位が違います。{2} で書いてください。"},
    {Text::NotPressed, "not pressed: {0} (no column gives {1})", "「{0}」は押しません（{1} の列がありません）。"},
    {Text::StartText, "{0}={1}", "{0}={1}"},
    {Text::StartEmpty, "{0} empty", "{0}（空欄）"},
    {Text::AsWindowStarts, "used as the window starts: {0}", "ウィンドウの初めのまま使います: {0}"},
    {Text::LeftAsWindowStarts, "no column, left as the window starts: {0}", "列がなく、ウィンドウの初めのままにしました: {0}"},
    {Text::PassedThrough, "passed through: {0}", "そのまま写した列: {0}"},
    {Text::NoButton, "--press: \"{0}\" is no button of {1}", "「{0}」は {1} のボタンではありません。"},
    {Text::CalculatesNothing, "--press: \"{0}\" calculates nothing", "「{0}」は何も計算しません。"},
    {Text::VaryBad, "--vary {0}: {1}", "--vary {0}: {1}"},
    {Text::VarySgpOnce, "--vary: sgp may vary one input only", "--vary: sgp は一つの入力だけに使えます。"},
    {Text::VaryTooMany, "--vary: {0} rows are too many to count", "--vary: {0} 行は数えきれません。"},
    // Where a row stands, the column as given, the note.
    {Text::ReadingNote, "{0}, {1}: {2}", "{0} {1}: {2}"},
    {Text::MoreNotRead, " (and {0} more {0:cell|cells} of the column not read as typed)",
     "（この列ではほかに {0} 個のセルを入力どおりに読んでいません）"},
    {Text::RowAt, "{0}: {1}", "{0}: {1}"},
    {Text::RowErrors, "{0} / {1}", "{0} / {1}"},
    {Text::Blank, "empty", "空欄です"},
    {Text::NotANumber, "\"{0}\" is no number", "「{0}」は数値ではありません"},
    {Text::NotListed, "\"{0}\" is not in the list ({1})", "「{0}」は一覧にありません（{1}）"},
    {Text::BlankList, "empty ({0})", "空欄です（{0}）"},
    {Text::NoValueFor, "{0} has no value", "{0} の値が決まりません"},
    {Text::NoColumn, "no column", "列がありません"},
    {Text::TypedIntoList, "\"{0}\" names no entry of the list: typed as it stands", "「{0}」は一覧にないため、そのまま入力しました"},
    // A row's note: the control and its caption, the note; notes joined.
    {Text::RowNote, "{0}: {1}", "{0}: {1}"},
    {Text::RowNotes, "{0}；{1}", "{0}；{1}"},
    {Text::BlankDefault, "{0}, {1}: empty, so {2} as the window starts", "{0} {1}: 空欄のため、ウィンドウの初めの {2} を使いました"},
    {Text::MoreBlank, " (and {0} more {0:cell|cells} of the column)", "（この列ではほかに {0} 個）"},
    {Text::RoleNeeded, "needed", "必要"},
    {Text::RoleNeededList, "list, needed", "一覧から選ぶ（必要）"},
    {Text::RoleNeededBy, "needed by {0}", "{0} に必要"},
    {Text::RoleNeededByList, "list, needed by {0}", "一覧から選ぶ（{0} に必要）"},
    {Text::RoleNeededWhen, "needed when {0}", "{0} のとき必要"},
    {Text::RoleNeededWhenList, "list, needed when {0}", "一覧から選ぶ（{0} のとき必要）"},
    {Text::RoleChoice, "{0} is {1}", "{0}が{1}"},
    {Text::RoleDefault, "default {0}", "省略すると {0}"},
    {Text::RoleOptional, "list", "一覧から選ぶ（省略可）"},
    {Text::RoleUnread, "initially {0}, read by no button", "計算に使われません"},
    {Text::RoleUnreadList, "list, read by no button", "計算に使われません"},
    {Text::CaseOfOther, "this file holds the inputs of {0}, not of {1}",
     "このファイルは {0} の入力です。{1} の入力ではありません。"},
    {Text::CaseRows, "the file has {0} {0:row|rows}; open a file of one row",
     "ファイルに {0} 行あります。1 行のファイルを開いてください。"},
    {Text::CaseNoInput, "column \"{0}\" is no input of {1}", "列「{0}」は {1} の入力ではありません。"},
    {Text::NoProgram, "no program {0}", "計算プログラム {0} がありません。"},
    {Text::CannotWrite, "cannot write the output", "結果を書き出せません。"},
};
// clang-format on

constexpr bool inOrder()
{
    for (size_t i = 0; i < sizeof kTable / sizeof kTable[0]; ++i)
        if (static_cast<size_t>(kTable[i].text) != i)
            return false;
    return sizeof kTable / sizeof kTable[0] == static_cast<size_t>(Text::Count_);
}
static_assert(inOrder(), "the table of texts is in the order of Text, one entry each");

}  // namespace

Arg::Arg(std::string text) : kind_(Kind::Text), text_(std::move(text)) {}

Arg::Arg(const char* text) : kind_(Kind::Text), text_(text) {}

Arg::Arg(long long number) : kind_(Kind::Number), number_(number) {}

Arg::Arg(Message message) : kind_(Kind::Message), parts_{std::move(message)} {}

Arg Arg::list(std::vector<Message> items, size_t more, Text moreText, Joined joined)
{
    Arg a(std::string{});
    a.kind_ = Kind::List;
    a.parts_ = std::move(items);
    a.more_ = more;
    a.moreText_ = moreText;
    a.joined_ = joined;
    return a;
}

Message::Message(Text text, std::vector<Arg> args) : text_(text), args_(std::move(args)) {}

Message Message::then(Message more) const
{
    if (empty())
        return more;
    return Message(Text::Concat, {*this, std::move(more)});
}

std::string Message::en() const
{
    std::string out;
    format(false, out);
    return out;
}

std::string Message::ja() const
{
    std::string out;
    format(true, out);
    return out;
}

void Message::format(bool japanese, std::string& out) const
{
    const Entry& entry = kTable[static_cast<size_t>(text_)];
    const char* p = japanese ? entry.ja : entry.en;
    while (*p != '\0') {
        if (p[0] != '{' || p[1] < '0' || p[1] > '9') {
            out += *p++;
            continue;
        }
        const Arg& arg = args_.at(static_cast<size_t>(p[1] - '0'));
        p += 2;
        if (*p == ':') {  // {n:one|many}
            const char* one = ++p;
            while (*p != '|')
                ++p;
            const char* oneEnd = p;
            const char* many = ++p;
            while (*p != '}')
                ++p;
            const bool single = arg.kind_ == Arg::Kind::Number && arg.number_ == 1;
            if (single)
                out.append(one, static_cast<size_t>(oneEnd - one));
            else
                out.append(many, static_cast<size_t>(p - many));
            ++p;
            continue;
        }
        ++p;  // '}'
        switch (arg.kind_) {
            case Arg::Kind::Text:
                out += arg.text_;
                break;
            case Arg::Kind::Number:
                out += std::to_string(arg.number_);
                break;
            case Arg::Kind::Message:
                arg.parts_.front().format(japanese, out);
                break;
            case Arg::Kind::List: {
                const char* sep = arg.joined_ == Arg::Joined::Or ? (japanese ? "または" : " or ")
                                  : japanese && arg.joined_ == Arg::Joined::Japanese ? "、"
                                                                                     : ", ";
                for (size_t i = 0; i < arg.parts_.size(); ++i) {
                    if (i > 0)
                        out += sep;
                    arg.parts_[i].format(japanese, out);
                }
                if (arg.more_ > 0) {
                    if (!arg.parts_.empty())
                        out += sep;
                    Message(arg.moreText_, {static_cast<long long>(arg.more_)}).format(japanese, out);
                }
                break;
            }
        }
    }
}

std::vector<std::string> japaneseTexts()
{
    std::vector<std::string> texts;
    for (const Entry& e : kTable)
        if (*e.ja != '\0')
            texts.emplace_back(e.ja);
    return texts;
}

}  // namespace milfo::calc
