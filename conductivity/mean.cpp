#include "mean.h"

#include <cmath>

#include "numeric.h"

namespace milfo::conductivity {

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
        const double p3 = std::pow(w2, 3.0);
        const double q3 = std::pow(t1, 3);
        const double term1 = g.a * (w2 - t1);
        const double term2 = (g.b * (s2 - t1 * t1)) / 2;
        const double term3 = (g.c * (p3 - q3)) / 3;
        mean = NarrowSingle(((term1 + term2) + term3) * d);
    }
    return mean;
}

ProgramDescription oneLawProgram(ProgramDescription shape, const OneLawMaterial& material)
{
    for (const Grade& g : material.grades)
        if (g.listed)
            shape.listEntries.emplace_back(g.text);
    shape.handlers.push_back(
        {"Command1_Click",
         [&material](Form& form) {
             const Grade* row = findRow(material.grades, form.text("Combo1"));
             const double t1 = ReadVal(form.text("Text1"));
             const float t2 = NarrowSingle(ReadVal(form.text("Text2")));
             form.setText("Text3", ShowDecimal(oneLawMean(material, row, t1, t2)));
         },
         {"Text3"}});
    return shape;
}

}  // namespace milfo::conductivity
