// The numeric rules every calculator shares: how a number is read from the
// text of a box, how a value is stored into a Single, and the two forms in
// which a value is written back as text. Plain C++, no toolkit.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace milfo {

// The run-time errors of the numeric model. A handler that meets one stops;
// the frame reports it and keeps the window.
enum class ErrorKind {
    DivisionByZero,
    Overflow,
    InvalidArgument,
    EndlessSearch,  // a stepwise search whose step no longer changes its value
};

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorKind kind);
    ErrorKind kind() const { return kind_; }

private:
    ErrorKind kind_;
};

// The text the user sees for each kind of run-time error.
const char* errorMessage(ErrorKind kind);

// A result that may not have been computed in this press (the Empty value).
using Result = std::optional<double>;

// Text of a box to a Double. Blanks anywhere are dropped, the longest numeric
// prefix is read ("12abc" is 12, "abc" is 0), "&H"/"&O" read hexadecimal and
// octal whole numbers. What a Japanese input method types reads like its ASCII
// form: full-width ASCII (U+FF01-U+FF5E), and in kana mode ー and the other
// dashes for "-", 。 and ｡ for ".". A number beyond the Double range raises
// Overflow.
double ReadVal(std::string_view text);

// Whether ReadVal reads the whole text as one number: false for the empty
// text, for a text with no number, and for a text that goes on after its
// number ("12abc", "1e", "&H"). Blanks and the full-width forms count as
// ReadVal reads them.
bool ReadsWhole(std::string_view text);

// A Double stored into a Single: nearest, ties to even; beyond the Single
// range it becomes an infinity of the same sign.
float NarrowSingle(double value);

// A Double compared with a Single is compared after rounding it to Single.
inline bool lessThan(double lhs, float rhs)
{
    return NarrowSingle(lhs) < rhs;
}

// Plain decimal text: 7 significant digits for a Single, 15 for a Double,
// never an exponent, no trailing zeros, "0" for zero and for Empty.
// A magnitude of 2^96 or more raises Overflow.
std::string ShowDecimal(float value);
std::string ShowDecimal(double value);
std::string ShowDecimal(const Result& value);

// The default number-to-text conversion: plain text while the decimal exponent
// E of the rounded value is in [-4, 15) (Single: [-4, 7)), exponent form
// ("1E-05", "1.23456789012346E+15") otherwise; Empty gives the empty text.
std::string ShowVariant(float value);
std::string ShowVariant(double value);
std::string ShowVariant(const Result& value);

}  // namespace milfo
