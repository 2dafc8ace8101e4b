// The mean thermal conductivity method: the integral mean of a grade's
// conductivity law over [θ1, θ2], shown only when both temperatures lie in the
// grade's range of validity. Each material source holds only its grade table
// and its window; the method and the handlers are written once, here.
//
// Three forms of law are in use:
// - one law per grade, λ(θ) = a + b·θ + c·θ², with θ2 narrowed to a Single;
// - two ranges per grade, a linear law up to a boundary temperature and a
//   quadratic one above it, both temperatures Doubles;
// - one banded law for the whole material (no list), three bands, both
//   temperatures Doubles.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "numeric.h"
#include "program.h"
#include "real.h"

namespace milfo::conductivity {

// One grade of a one-law material: λ(θ) = a + b·θ + c·θ², valid for
// lo < θ1 and θ2 ≤ hi.
struct Grade {
    const char* text;  // list text, compared exactly with the list's text
    double a;
    double b;
    double c;
    int lo;
    int hi;
    bool listed = true;  // offered in the list (a row may only be typed)
};

// Bounds that belong to the material rather than to its rows: lo (an
// Integer, exclusive) and hi (a Single, inclusive).
struct FixedBounds {
    int lo;
    float hi;
};

struct OneLawMaterial {
    std::vector<Grade> grades;
    std::optional<FixedBounds> bounds = std::nullopt;
};

// One grade of a two-range material: λ(θ) = a0 + a1·θ for lo ≤ θ ≤ boundary,
// λ(θ) = b0 + b1·θ + b2·θ² for boundary < θ ≤ hi. The three temperatures are
// Integers; both bounds are inclusive.
struct TwoRangeGrade {
    const char* text;  // list text, compared exactly with the list's text
    int lo;
    int boundary;
    int hi;
    double a0;
    double a1;
    double b0;
    double b1;
    double b2;
};

// A material with one law in three bands and no grades:
//   L  lo ≤ θ ≤ lowerLimit:                       l0 + l1·θ
//   M  lowerLimit < θ ≤ upperLimit:               m0 + m1·θ + m2·θ² + m3·θ³
//   H  upperLimit < θ ≤ hi:                       h0 + h1·θ
// The four limits are Integers.
struct BandedLaw {
    int lo;
    int lowerLimit;
    int upperLimit;
    int hi;
    double l0;
    double l1;
    double m0;
    double m1;
    double m2;
    double m3;
    double h0;
    double h1;
};

// The temperatures a window admits for a grade, as its range test applies
// them: the lower one from lo (lo itself only where the window admits it),
// the higher one up to hi (narrowed to a Single first where the window
// narrows θ2).
struct Range {
    double lo;
    double hi;
    bool lowerAdmitted;
    bool upperNarrowed = false;

    bool admitsLow(double t) const { return lowerAdmitted ? t >= lo : t > lo; }
    bool admitsHigh(double t) const
    {
        return (upperNarrowed ? static_cast<double>(NarrowSingle(t)) : t) <= hi;
    }
};

// The row whose list text equals the list's text, or nullptr.
template <typename Row>
const Row* findRow(const std::vector<Row>& rows, std::string_view text)
{
    for (const Row& row : rows)
        if (text == row.text)
            return &row;
    return nullptr;
}

// λm of one click: θ1 a Double, θ2 already narrowed to a Single. 0 when the
// range test fails or no row is chosen.
float oneLawMean(const OneLawMaterial& material, const Grade* row, double t1, float t2);

// λm of one click, both temperatures Doubles. 0 when none of the three range
// tests (lower range, upper range, across the boundary) passes or no row is
// chosen.
float twoRangeMean(const TwoRangeGrade* row, double t1, double t2);

// λm of one click, both temperatures Doubles. 0 when none of the six range
// tests passes.
float bandedMean(const BandedLaw& law, double t1, double t2);

// What the result box says when no range test passed for a chosen grade
// (the window still shows "0"): a temperature outside the grade's range of
// validity, lo～hi ℃ as the grade's table gives it, or else the low-side
// temperature not below the high-side one.
std::string outOfRangeNote(double lo, double hi);
inline constexpr const char* kNotBelowNote = "低温側温度が高温側温度より低くありません";

// The range each form of law applies to the row of that text; nothing when
// no row has it (the window then shows 0 whatever the temperatures).
std::optional<Range> oneLawRange(const OneLawMaterial& material, std::string_view text);
std::optional<Range> twoRangeRange(const std::vector<TwoRangeGrade>& rows, std::string_view text);
Range bandedRange(const BandedLaw& law);

// A law given by its coefficients, λ(θ) = a + b·θ + c·θ², valid for
// lo ≤ θ1 < θ2 ≤ hi, every number a Double: its mean over [θ1, θ2], left to
// right, the powers as products:
//   ((a·(θ2−θ1) + (b·(θ2·θ2 − θ1·θ1))/2) + (c·(θ2·θ2·θ2 − θ1·θ1·θ1))/3) / (θ2−θ1)
Real lawMean(Real a, Real b, Real c, Real t1, Real t2);

// The window shape of a material completed with its list entries (the listed
// rows in table order; none for a banded law), its "計算" handler and the
// notes it may give its result.
ProgramDescription oneLawProgram(ProgramDescription shape, const OneLawMaterial& material);
ProgramDescription twoRangeProgram(ProgramDescription shape, const std::vector<TwoRangeGrade>& rows);
ProgramDescription bandedProgram(ProgramDescription shape, const BandedLaw& law);

}  // namespace milfo::conductivity
