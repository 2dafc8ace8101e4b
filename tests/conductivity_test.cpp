// The mean conductivity programs without a window: their handlers run
// against a plain form, so whole tables can be swept quickly.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "../conductivity/programs.h"
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
