#include "mean.h"

#include <cmath>
#include <functional>
#include <utility>

#include "numeric.h"
#include "rounded.h"

namespace milfo::conductivity {

namespace {

// The integrals of the laws over one piece [u, v], in double, rounded after
// every operation in the order written. Squares are products; cubes and
// fourth powers are either the general power function or repeated products
// from the left, as the caller says. An Integer limit standing for u or v is
// exact in a double, and so are its square and cube.

// ∫ c0 + c1·θ dθ
double linearPiece(double c0, double c1, double u, double v)
{
    const double t1 = c0 * (v - u);
    const double t2 = (c1 * (v * v - u * u)) / 2;
    return t1 + t2;
}

// ∫ c0 + c1·θ + c2·θ² dθ
double quadraticPiece(double c0, double c1, double c2, double u, double v)
{
    const double t1 = c0 * (v - u);
    const double t2 = (c1 * (v * v - u * u)) / 2;
    const double t3 = (c2 * (roundedPow(v, 3) - roundedPow(u, 3))) / 3;
    return (t1 + t2) + t3;
}

enum class Powers { PowerFunction, Products };

// ∫ c0 + c1·θ + c2·θ² + c3·θ³ dθ
double cubicPiece(double c0, double c1, double c2, double c3, double u, double v, Powers powers)
{
    const bool byPow = powers == Powers::PowerFunction;
    const double v3 = byPow ? roundedPow(v, 3) : v * v * v;
    const double u3 = byPow ? roundedPow(u, 3) : u * u * u;
    const double v4 = byPow ? roundedPow(v, 4) : v * v * v * v;
    const double u4 = byPow ? roundedPow(u, 4) : u * u * u * u;
    const double t1 = c0 * (v - u);
    const double t2 = (c1 * (v * v - u * u)) / 2;
    const double t3 = (c2 * (v3 - u3)) / 3;
    const double t4 = (c3 * (v4 - u4)) / 4;
    return ((t1 + t2) + t3) + t4;
}

// λm as the window shows it, and the note on it when no range test passed
// for a chosen grade.
struct Mean {
    float value = 0.0f;
    std::string note = "";
};

// The note for a chosen grade whose range tests all failed: the range when a
// temperature lies outside it, else the order of the two temperatures.
Mean noted(float value, bool passed, bool withinBounds, double lo, double hi)
{
    if (passed)
        return {value};
    return {value, withinBounds ? kNotBelowNote : outOfRangeNote(lo, hi)};
}

// The "計算" button of every material: λm from the window's inputs, written
// into Text3 on every press ("0" when no range test passed, with its note).
Handler calculateButton(std::function<Mean(const Form&)> mean)
{
    return {"Command1_Click",
            [mean = std::move(mean)](Form& form) {
                const Mean m = mean(form);
                form.setText("Text3", ShowDecimal(m.value));
                if (!m.note.empty())
                    form.setNote("Text3", m.note);
            },
            {"Text3"}};
}

// The notes the handler may give, for the site's font.
std::vector<std::string> meanNotes()
{
    return {outOfRangeNote(0, 0), kNotBelowNote};
}

// Every material's window names its boxes by the labels beside them.
std::vector<Caption> materialCaptions(bool withList)
{
    std::vector<Caption> captions{{"Text1", "Label1"}, {"Text2", "Label2"}, {"Text3", "Label3"}};
    if (withList)
        captions.push_back({"Combo1", "Label7"});
    return captions;
}

}  // namespace

std::string outOfRangeNote(double lo, double hi)
{
    return "温度が保温材の使用範囲外です（使用範囲 " + ShowVariant(lo) + "～" + ShowVariant(hi) + " ℃）";
}

float oneLawMean(const OneLawMaterial& material, const Grade* row, double t1, float t2)
{
    // With no chosen row every field of the row counts as 0.
    const Grade none{"", 0.0, 0.0, 0.0, 0, 0};
    const Grade& g = row != nullptr ? *row : none;
    const int lo = material.bounds ? material.bounds->lo : g.lo;
    const float hi = material.bounds ? material.bounds->hi : static_cast<float>(g.hi);

    float mean = 0.0f;
    // Every comparison is evaluated; θ1 meets the Single θ2 rounded to Single.
    const bool inRange = (lo < t1) & lessThan(t1, t2) & (t2 <= hi);
    if (inRange) {
        const double w2 = t2;  // the Single's exact value
        const double d = 1.0 / (w2 - t1);
        const double s2 = NarrowSingle(w2 * w2);
        const double p3 = roundedPow(w2, 3.0);
        const double q3 = roundedPow(t1, 3);
        const double term1 = g.a * (w2 - t1);
        const double term2 = (g.b * (s2 - t1 * t1)) / 2;
        const double term3 = (g.c * (p3 - q3)) / 3;
        mean = NarrowSingle(((term1 + term2) + term3) * d);
    }
    return mean;
}

float twoRangeMean(const TwoRangeGrade* row, double t1, double t2)
{
    // With no chosen row every field counts as 0, and no test can pass.
    const TwoRangeGrade none{"", 0, 0, 0, 0.0, 0.0, 0.0, 0.0, 0.0};
    const TwoRangeGrade& g = row != nullptr ? *row : none;
    const double tb = g.boundary;  // an Integer, exact

    // The three tests exclude each other; each evaluates all its comparisons.
    float mean = 0.0f;
    const bool lowerOnly = (g.lo <= t1) & (t1 < t2) & (t2 <= g.boundary);
    if (lowerOnly) {
        const double r = 1.0 / (t2 - t1);
        mean = NarrowSingle(linearPiece(g.a0, g.a1, t1, t2) * r);
    }
    const bool upperOnly = (g.boundary < t1) & (t1 < t2) & (t2 <= g.hi);
    if (upperOnly) {
        const double r = 1.0 / (t2 - t1);
        mean = NarrowSingle(quadraticPiece(g.b0, g.b1, g.b2, t1, t2) * r);
    }
    const bool across = (g.lo <= t1) & (t1 <= g.boundary) & (g.boundary < t2) & (t2 <= g.hi);
    if (across) {
        const double r = 1.0 / (t2 - t1);
        const double lower = linearPiece(g.a0, g.a1, t1, tb);
        const double upper = quadraticPiece(g.b0, g.b1, g.b2, tb, t2);
        mean = NarrowSingle((lower + upper) * r);
    }
    return mean;
}

float bandedMean(const BandedLaw& law, double t1, double t2)
{
    const double lowerLimit = law.lowerLimit;  // Integers, exact
    const double upperLimit = law.upperLimit;
    const auto bandL = [&law](double u, double v) { return linearPiece(law.l0, law.l1, u, v); };
    const auto bandM = [&law](double u, double v, Powers powers) {
        return cubicPiece(law.m0, law.m1, law.m2, law.m3, u, v, powers);
    };
    const auto bandH = [&law](double u, double v) { return linearPiece(law.h0, law.h1, u, v); };

    // The six tests exclude each other; each evaluates all its comparisons.
    // Pieces are added in the order listed.
    float mean = 0.0f;
    const auto take = [&mean, t1, t2](double integral) {
        const double d = 1.0 / (t2 - t1);
        mean = NarrowSingle(integral * d);
    };
    if ((law.upperLimit < t1) & (t1 < t2) & (t2 <= law.hi))
        take(bandH(t1, t2));
    if ((law.lowerLimit < t1) & (t1 < t2) & (t2 <= law.upperLimit))
        take(bandM(t1, t2, Powers::PowerFunction));
    if ((law.lo <= t1) & (t1 < t2) & (t2 <= law.lowerLimit))
        take(bandL(t1, t2));
    if ((law.lowerLimit < t1) & (t1 <= law.upperLimit) & (law.upperLimit < t2) & (t2 <= law.hi))
        take(bandH(upperLimit, t2) + bandM(t1, upperLimit, Powers::PowerFunction));
    if ((law.lo <= t1) & (t1 <= law.lowerLimit) & (law.upperLimit < t2) & (t2 <= law.hi))
        take((bandH(upperLimit, t2) + bandM(lowerLimit, upperLimit, Powers::Products)) +
             bandL(t1, lowerLimit));
    if ((law.lo <= t1) & (t1 <= law.lowerLimit) & (law.lowerLimit < t2) & (t2 <= law.upperLimit))
        take(bandM(lowerLimit, t2, Powers::Products) + bandL(t1, lowerLimit));
    return mean;
}

std::optional<Range> oneLawRange(const OneLawMaterial& material, std::string_view text)
{
    const Grade* row = findRow(material.grades, text);
    if (row == nullptr)
        return std::nullopt;
    if (material.bounds)
        return Range{static_cast<double>(material.bounds->lo), material.bounds->hi, false, true};
    return Range{static_cast<double>(row->lo), static_cast<double>(row->hi), false, true};
}

std::optional<Range> twoRangeRange(const std::vector<TwoRangeGrade>& rows, std::string_view text)
{
    const TwoRangeGrade* row = findRow(rows, text);
    if (row == nullptr)
        return std::nullopt;
    return Range{static_cast<double>(row->lo), static_cast<double>(row->hi), true};
}

Range bandedRange(const BandedLaw& law)
{
    return Range{static_cast<double>(law.lo), static_cast<double>(law.hi), true};
}

Real lawMean(Real a, Real b, Real c, Real t1, Real t2)
{
    const Real first = a * (t2 - t1);
    const Real second = (b * (t2 * t2 - t1 * t1)) / Real(2);
    const Real third = (c * (t2 * t2 * t2 - t1 * t1 * t1)) / Real(3);
    return ((first + second) + third) / (t2 - t1);
}

ProgramDescription oneLawProgram(ProgramDescription shape, const OneLawMaterial& material)
{
    ListContents grades{"Combo1", {}};
    for (const Grade& g : material.grades)
        if (g.listed)
            grades.entries.emplace_back(g.text);
    shape.lists.push_back(std::move(grades));
    shape.handlers.push_back(calculateButton([material](const Form& form) {
        const Grade* row = findRow(material.grades, form.text("Combo1"));
        const double t1 = ReadVal(form.text("Text1"));
        const float t2 = NarrowSingle(ReadVal(form.text("Text2")));
        const float mean = oneLawMean(material, row, t1, t2);
        if (row == nullptr)
            return Mean{mean};
        const int lo = material.bounds ? material.bounds->lo : row->lo;
        const float hi = material.bounds ? material.bounds->hi : static_cast<float>(row->hi);
        return noted(mean, (lo < t1) & lessThan(t1, t2) & (t2 <= hi), (lo < t1) & (t2 <= hi), lo, hi);
    }));
    shape.captions = materialCaptions(true);
    shape.messages = meanNotes();
    return shape;
}

ProgramDescription twoRangeProgram(ProgramDescription shape, const std::vector<TwoRangeGrade>& rows)
{
    ListContents grades{"Combo1", {}};
    for (const TwoRangeGrade& g : rows)
        grades.entries.emplace_back(g.text);
    shape.lists.push_back(std::move(grades));
    shape.handlers.push_back(calculateButton([rows](const Form& form) {
        const double t1 = ReadVal(form.text("Text1"));
        const double t2 = ReadVal(form.text("Text2"));
        const TwoRangeGrade* row = findRow(rows, form.text("Combo1"));
        const float mean = twoRangeMean(row, t1, t2);
        if (row == nullptr)
            return Mean{mean};
        const bool within = (row->lo <= t1) & (t2 <= row->hi);
        return noted(mean, within & (t1 < t2), within, row->lo, row->hi);
    }));
    shape.captions = materialCaptions(true);
    shape.messages = meanNotes();
    return shape;
}

ProgramDescription bandedProgram(ProgramDescription shape, const BandedLaw& law)
{
    shape.handlers.push_back(calculateButton([law](const Form& form) {
        const double t1 = ReadVal(form.text("Text1"));
        const double t2 = ReadVal(form.text("Text2"));
        const bool within = (law.lo <= t1) & (t2 <= law.hi);
        return noted(bandedMean(law, t1, t2), within & (t1 < t2), within, law.lo, law.hi);
    }));
    shape.captions = materialCaptions(false);
    shape.messages = meanNotes();
    return shape;
}

}  // namespace milfo::conductivity
