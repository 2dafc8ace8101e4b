// The mean conductivity programs without a window: their handlers run
// against a plain form, so whole tables can be swept quickly.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "conductivity.h"
#include "form_model.h"
#include "mean.h"
#include "numeric.h"

using namespace milfo;
using namespace milfo::conductivity;

namespace {

// The program's form, loaded, as a person uses it: a grade typed into the
// list's edit field, both temperatures typed, 計算 pressed.
class PlainForm {
public:
    explicit PlainForm(const ProgramDescription& program) : form_(program) { form_.load(); }

    // Text3 after choosing the grade, typing both temperatures and pressing 計算.
    std::string calculate(const char* grade, const std::string& t1, const std::string& t2)
    {
        const FormRules& rules = form_.rules();
        if (const Control* list = rules.find("Combo1"))
            form_.type(*list, grade != nullptr ? grade : "");
        form_.type(*rules.find("Text1"), t1);
        form_.type(*rules.find("Text2"), t2);
        form_.press(*rules.find("Command1"));
        return form_.text("Text3");
    }
    // λm as a number.
    double mean(const char* grade, double t1, double t2)
    {
        return ReadVal(calculate(grade, ShowDecimal(t1), ShowDecimal(t2)));
    }

private:
    FormModel form_;
};

// The entries of a program's list as its window holds them once loaded.
std::vector<std::string> entriesOf(const ProgramDescription& program)
{
    FormModel form(program);
    form.load();
    const Control* list = form.rules().find("Combo1");
    return list != nullptr ? form.entries(*list) : std::vector<std::string>{};
}

struct BoundaryRow {
    const ProgramDescription& (*program)();
    const char* grade;
    int boundary;
};

// Every grade of the two-range materials with its boundary temperature.
const BoundaryRow kBoundaries[] = {
    {pimbrel, "保温板１号", 100}, {pimbrel, "保温板２号", 100},       {pimbrel, "保温板３号", 100},
    {pimbrel, "フェルト", 100},   {pimbrel, "ブランケット１号", 100}, {pimbrel, "ブランケット２号", 100},
    {pimbrel, "保温帯１号", 100}, {pimbrel, "保温帯２号", 100},       {pimbrel, "保温筒", 100},
    {dovrin, "１号－１３", 300},  {dovrin, "１号－２２", 300},        {dovrin, "２号－１７", 200},
    {dovrin, "２号－２２", 300},
};

}  // namespace

// Just below the boundary the lower-range law holds, just above it the
// upper-range one; in every grade they meet to within 1.2 %.
TEST(TwoRange, LawsMeetAtTheBoundary)
{
    for (const BoundaryRow& row : kBoundaries) {
        PlainForm form(row.program());
        const double below = form.mean(row.grade, row.boundary - 0.01, row.boundary);
        const double above = form.mean(row.grade, row.boundary, row.boundary + 0.01);
        EXPECT_GT(below, 0.0) << row.grade;
        EXPECT_NEAR(above / below, 1.0, 0.012) << row.grade;
    }
}

// θ1 = θb is taken across the boundary with an empty lower piece; θ1 just
// above it by the upper range alone. The two agree.
TEST(TwoRange, UpperRangeContinuesAcrossTheBoundary)
{
    for (const BoundaryRow& row : kBoundaries) {
        PlainForm form(row.program());
        const double at = form.mean(row.grade, row.boundary, row.boundary + 100);
        const double after = form.mean(row.grade, row.boundary + 0.001, row.boundary + 100);
        EXPECT_NEAR(after / at, 1.0, 1e-5) << row.grade;
    }
}

TEST(TwoRange, NoRowPassesNoTest)
{
    const TwoRangeGrade* none = nullptr;
    for (double t1 : {-1.0, 0.0, 0.5})
        for (double t2 : {0.0, 1.0, 100.0})
            EXPECT_EQ(twoRangeMean(none, t1, t2), 0.0f);
}

// The bands of the urethane law meet at -60 °C and 15 °C to within 1.5 %.
TEST(Banded, BandsMeetAtTheirLimits)
{
    PlainForm form(halcott());
    for (double limit : {-60.0, 15.0}) {
        const double below = form.mean(nullptr, limit - 0.01, limit);
        const double above = form.mean(nullptr, limit, limit + 0.01);
        EXPECT_NEAR(above / below, 1.0, 0.015) << limit;
    }
}

TEST(Lists, EntriesInTableOrder)
{
    EXPECT_EQ(entriesOf(mostrel()).size(), 19u);
    for (const std::string& entry : entriesOf(mostrel()))
        EXPECT_NE(entry, "保温板２号３２ｋ");
    EXPECT_EQ(entriesOf(pimbrel()).size(), 9u);
    EXPECT_EQ(entriesOf(dovrin()).size(), 4u);
    EXPECT_EQ(entriesOf(nethrow()).size(), 3u);
    EXPECT_EQ(entriesOf(sonderly()).size(), 2u);
    EXPECT_EQ(entriesOf(tarvel()).size(), 15u);
    EXPECT_EQ(entriesOf(castrel()).size(), 6u);
    EXPECT_TRUE(entriesOf(halcott()).empty());
    EXPECT_EQ(halcott().handler("form_load"), nullptr);
}

// The row the glass wool list does not offer is still found when typed.
TEST(OneLaw, UnlistedRowFoundWhenTyped)
{
    PlainForm form(mostrel());
    EXPECT_EQ(form.calculate("保温板２号３２ｋ", "20", "200"), "0.0563188");
}

// The blanket range does not depend on the row: with no row it passes and
// every coefficient counts as 0.
TEST(OneLaw, FixedBoundsWithoutRow)
{
    const OneLawMaterial material{{{"x", 1.0, 0.0, 0.0, 0, 0}}, FixedBounds{100, 1000.0f}};
    EXPECT_EQ(oneLawMean(material, nullptr, 200.0, 800.0f), 0.0f);
    EXPECT_EQ(oneLawMean(material, &material.grades[0], 200.0, 800.0f), 1.0f);
    EXPECT_EQ(oneLawMean(material, &material.grades[0], 100.0, 800.0f), 0.0f);
    EXPECT_EQ(oneLawMean(material, &material.grades[0], 200.0, 1000.0f), 1.0f);
}

// The range each material's window applies, as the list of materials gives
// it, is the window's own: for every grade the window shows a mean at its
// bounds as admitted (the lower one, or 0.01 K above it where only
// temperatures above it are) and 0 just beyond them.
TEST(Ranges, AreTheWindowsOwn)
{
    for (const MaterialWindow& m : materialWindows()) {
        FormModel entered(m.description());
        entered.load();
        std::vector<std::string> grades = entriesOf(m.description());
        if (grades.empty())
            grades.emplace_back();
        if (m.law) {
            const char* const law[] = {"0.02", "0.0001", "0", "-50", "200"};
            for (size_t i = 0; i < std::size(law); ++i)
                entered.type(*entered.rules().find(kLawBoxes[i]), law[i]);
        }
        for (const std::string& grade : grades) {
            SCOPED_TRACE(std::string(m.material) + " " + grade);
            if (const Control* list = entered.rules().find("Combo1"))
                entered.type(*list, grade);
            const std::optional<Range> range = m.range(entered);
            ASSERT_TRUE(range);
            const auto mean = [&](double t1, double t2) {
                FormModel form = entered;
                form.type(*form.rules().find("Text1"), ShowDecimal(t1));
                form.type(*form.rules().find("Text2"), ShowDecimal(t2));
                form.press(*form.rules().find("Command1"));
                return form.text("Text3");
            };
            const double lowest = range->lowerAdmitted ? range->lo : range->lo + 0.01;
            EXPECT_NE(mean(lowest, range->lo + 1), "0");
            EXPECT_EQ(mean(range->lowerAdmitted ? range->lo - 0.01 : range->lo, range->lo + 1), "0");
            EXPECT_NE(mean(range->hi - 1, range->hi), "0");
            EXPECT_EQ(mean(range->hi - 1, range->hi + 0.01), "0");
            EXPECT_TRUE(range->admitsLow(lowest));
            EXPECT_FALSE(range->admitsLow(range->lowerAdmitted ? range->lo - 0.01 : range->lo));
            EXPECT_TRUE(range->admitsHigh(range->hi));
            EXPECT_FALSE(range->admitsHigh(range->hi + 0.01));
        }
        // A grade the window does not have: no range (the window shows 0).
        if (entered.rules().find("Combo1") != nullptr) {
            entered.type(*entered.rules().find("Combo1"), "x");
            EXPECT_FALSE(m.range(entered)) << m.material;
        }
    }
}

// The law of 係数指定: its mean left to right, the powers as products, the
// same digits as the window shows.
TEST(Law, MeanOfTheLaw)
{
    const struct {
        double a, b, c, t1, t2;
        const char* shows;
    } rows[] = {
        {0.02, 0.0001, 0, 20, 150, "0.0285"},
        {0.035, 0.00012, 3E-7, 40, 500, "0.09456"},
        {0.035, 0.00012, 3E-7, -50, 650, "0.11025"},
        {0.018, 0.00005, 0, 106.361911416212, 150, "0.0244090477854053"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ShowVariant(lawMean(row.a, row.b, row.c, row.t1, row.t2).value()), row.shows) << row.shows;
}
