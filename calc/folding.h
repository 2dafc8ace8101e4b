// Headers and list cells compared as a person reads them: the width of a
// character does not count, nor do blanks. The width is folded as Unicode
// NFKC folds it (width_fold_table.inc, made from Python's unicodedata by
// tools/width_fold_table.py): full-width ASCII reads as ASCII, half-width
// katakana as katakana with a following voiced or semi-voiced mark composed
// (ｶﾞ is ガ), the ideographic space as a space; every White_Space character
// is dropped (a mark composes with the kana before a blank too). The rest of NFKC (℃ into °C, ² into 2, ①
// into 1) is not taken: a caption or an entry keeps its units and marks. Only for matching: what milfo-calc
// writes out keeps the texts as the user gave them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace milfo::calc {

// The text as compared: "低温側温度（℃）" and "低温側温度 (℃)" both give
// "低温側温度(℃)". Bytes that are no UTF-8 are kept as they are.
std::string foldedForMatching(std::string_view text);

// Which candidates a text names, each candidate known by one or more names
// (an input by its control name and its caption): the one with a name equal
// to the text, alone; when there is none, every candidate with a name equal
// after folding. Empty when the text names none; more than one when the
// folded text is ambiguous.
std::vector<size_t> candidatesNamed(std::string_view text,
                                    const std::vector<std::vector<std::string>>& names);

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
