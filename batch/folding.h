// Headers and list cells compared as a person reads them: compatibility
// forms do not count, nor do blanks. A text is folded by Unicode NFKC
// (nfkc_table.inc, made from Python's unicodedata by tools/nfkc_table.py):
// full-width ASCII reads as ASCII, half-width katakana as katakana with a
// following voiced or semi-voiced mark composed (ｶﾞ is ガ), ℃ as °C, ² and ②
// as 2, ㎡ as m2; every White_Space character is dropped before the marks are
// composed (so a mark composes with the kana before a blank too, and the
// folded text folds to itself again). Only for matching: what milfo-calc
// writes out keeps the texts as the user gave them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace milfo::calc {

// A code point appended to out as UTF-8.
void encodeUtf8(char32_t c, std::string& out);

// The text as compared: "低温側温度（℃）" and "低温側温度 (°C)" both give
// "低温側温度(°C)". Bytes that are no UTF-8 are kept as they are.
std::string foldedForMatching(std::string_view text);

// A caption without the unit in brackets at its end, folded: "低温側温度" for
// "低温側温度（℃）", "風速" for "風速 （ｍ／ｓ）"; "" when the caption does not
// end in brackets or has nothing before them.
std::string foldedStem(std::string_view caption);

// The unit in brackets a caption ends with, folded: "m/s" for
// "風速 （ｍ／ｓ）"; "" when the caption does not end in brackets.
std::string foldedUnit(std::string_view caption);

// A unit as compared, from folded text: in lower case, brackets and the
// signs of a product (・ · ⋅ * . ^) dropped, every / after the first read as
// a product, the usual spellings of a symbol as one (°C degC C; s sec; h hr
// 時間; 円 年), so that ℃, °C, (°C) and degC, ｍ／ｓ and m/s, Ｗ／ｍＫ and
// W/(m·K), Ｗ／ｍ2/Ｋ and W/m2K compare equal. "" when the text is no unit
// (a word such as 夏季, anything that is not symbols with their powers).
std::string unitKey(std::string_view folded);

// Which candidates a text names, each candidate known by one or more names
// (an input by its control name and its caption): the one with a name equal
// to the text, alone; when there is none, every candidate with a name equal
// after folding. Empty when the text names none; more than one when the
// folded text is ambiguous.
std::vector<size_t> candidatesNamed(std::string_view text,
                                    const std::vector<std::vector<std::string>>& names);
// The same with the text and the names folded already.
std::vector<size_t> candidatesNamed(std::string_view text, std::string_view folded,
                                    const std::vector<std::vector<std::string>>& names,
                                    const std::vector<std::vector<std::string>>& foldedNames);

// A list's entries, for cells read strictly: a cell names the entry equal to
// it, or else the one equal after folding ("保温筒2種" names "保温筒２種").
class ListEntries {
public:
    explicit ListEntries(const std::vector<std::string>& entries);

    // The entry the cell names; nullptr when it names none (or, after
    // folding, two).
    const std::string* pick(const std::string& cell) const;
    // The entries as an error message names them: 「保温筒１種」「保温筒２種」.
    const std::string& listed() const { return listed_; }
    bool empty() const { return entries_.empty(); }

private:
    std::vector<std::string> entries_;
    std::vector<std::string> folded_;
    std::string listed_;
};

}  // namespace milfo::calc
