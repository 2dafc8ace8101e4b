// lorvast (menu ６): the saturated water vapour pressure of air at its
// temperature, and the dew point at a relative humidity, over water or over
// ice. The pressure is written before the dew point is worked out.
#include "common.h"
#include "heatflow.h"
#include "numeric.h"

namespace milfo::heatflow {

namespace {

using K = ControlKind;

constexpr double kKelvinOffset = 273.15;
constexpr double kReferencePressure = 611.213;  // Pa

// θd = c1·α + c2·α² + c3·α³ + c4·α⁴, one set over water (α ≥ 0), one over
// ice (α < 0).
struct DewPointLaw {
    double c1;
    double c2;
    double c3;
    double c4;
};
constexpr DewPointLaw kOverWater{13.715, 0.84262, 0.019048, 0.0078158};
constexpr DewPointLaw kOverIce{13.7204, 0.736631, 0.032136, 0.000778591};

// Added left to right; the powers are the power function.
Real dewPoint(const DewPointLaw& law, Real alpha)
{
    return (((Real(law.c1) * alpha) + (Real(law.c2) * power(alpha, 2))) + (Real(law.c3) * power(alpha, 3))) +
           (Real(law.c4) * power(alpha, 4));
}

// "計算". An air temperature at or below -273.15 °C has no logarithm; below
// about -265 °C the pressure underflows to 0 and, with a positive humidity,
// the dew point's logarithm fails after the pressure is shown; above about
// 2127 °C the pressure is too large to show.
void Command1_Click(Form& form)
{
    const Real temperature = readBox(form, "Text1") + kKelvinOffset;
    const Real humidity = readBox(form, "Text4");

    const Real k = logOfE();
    const Real logTerm = (ln(temperature) * 2.433502) / k;
    const Real exponent =
        ((((Real(-6096.9386) * power(temperature, -1)) + 21.2409642) - (Real(0.02711193) * temperature)) +
         (Real(1.673952e-5) * power(temperature, 2))) +
        logTerm;
    const Real pressure = exponential(exponent);
    form.setText("Text2", ShowDecimal(pressure.value()));

    const Real partial = (pressure * humidity) / Real(100);
    Real alpha = 0;
    if (humidity > Real(0))
        alpha = ln(partial / kReferencePressure) / k;
    Real dew = 0;
    if (alpha >= Real(0))
        dew = dewPoint(kOverWater, alpha);
    if (alpha < Real(0))
        dew = dewPoint(kOverIce, alpha);
    form.setText("Text3", ShowDecimal(dew.value()));
}

}  // namespace

const ProgramDescription& lorvast()
{
    static const ProgramDescription program{
        "lorvast",
        3405,
        3360,
        {
            // kind, name, caption or initial text, left, top, width, height, tab index
            {K::Label, "Label1", "気温（℃）", 360, 480, 855, 255, 0},
            {K::TextBox, "Text1", "0", 1680, 480, 615, 270, 1},
            {K::CommandButton, "Command1", "計算", 2640, 960, 615, 375, 2},
            {K::Label, "Label2", "飽和水蒸気圧（Ｐａ）", 360, 1560, 1095, 375, 3},
            {K::Label, "Label3", "露点温度（℃）", 360, 2280, 1095, 255, 4},
            {K::TextBox, "Text2", "0", 1680, 1560, 1335, 270, 5},
            {K::TextBox, "Text3", "0", 1680, 2265, 1335, 270, 6},
            {K::Label, "Label4", kCreditLine, 1680, 2760, 1575, 255, 7},
            {K::Label, "Label5", "2003/01/01", 2040, 3000, 975, 255, 8},
            {K::Label, "Label6", "水の飽和水蒸気圧と露点温度", 240, 120, 2415, 255, 9},
            {K::Label, "Label7", "相対湿度（％）", 360, 960, 1095, 255, 10},
            {K::TextBox, "Text4", "0", 1680, 960, 615, 270, 11},
        },
        {},
        {
            {"Command1_Click", Command1_Click, {"Text2", "Text3"}},
        },
        {
            // box, the label that captions it, a name where the label alone is ambiguous
            {"Text1", "Label1"},
            {"Text4", "Label7"},
            {"Text2", "Label2"},
            {"Text3", "Label3"},
        },
    };
    return program;
}

}  // namespace milfo::heatflow
