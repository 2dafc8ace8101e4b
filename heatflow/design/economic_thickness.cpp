// 経済的厚さ: the standard thickness of least annual cost: its installed cost
// (Text31, one per standard thickness) spread over the years at the rate
// (the annuity factor), plus the heat it lets through in the hours of a
// year at the price of heat (Text32, Text33, Text36). Nothing for upkeep,
// and the price of heat stays as it is over the years. At each thickness the
// loss is step 4's, read back as 放散熱量 shows it.
#include "criterion.h"
#include "economics.h"
#include "event.h"
#include "numeric.h"

namespace milfo::heatflow::design {

namespace {

const char* const kCosts = "保温工事費は、標準厚さと同じ数だけ０以上の数を「,」で区切って入力してください。";
const char* const kPrices = "熱量単価・年間運転時間・熱源効率は０より大きくしてください。";
const char* const kYears = "償却年数は０より大きく、利率は０以上としてください。";

class EconomicThickness final : public Criterion {
public:
    const char* name() const override { return "経済的厚さ"; }
    std::vector<std::string> messages() const override { return {kCosts, kPrices, kYears}; }

    // A hot line or a cold one: the heat it lets in costs as much to remove.
    void check(const Inputs& in, const Plan& plan) const override
    {
        const std::optional<std::vector<std::string>> costs = parseCosts(in.costs);
        if (!costs || costs->size() != plan.series.size())
            throw HandlerMessage(kCosts);
        const double price = ReadVal(in.heatPrice);
        const double hours = ReadVal(in.hours);
        const double efficiency = ReadVal(in.efficiency);
        if (!(price > 0 && hours > 0 && efficiency > 0))
            throw HandlerMessage(kPrices);
        const double years = ReadVal(in.years);
        const double rate = ReadVal(in.rate);
        if (!(years > 0 && rate >= 0))
            throw HandlerMessage(kYears);
    }

    // The installed cost's share, the heat's share and their sum.
    Figures figures(Design& design, const Plan& /*plan*/, size_t place, long /*mm*/,
                    const AtThickness& at) const override
    {
        const Inputs& in = design.inputs();
        const Real cost = ReadVal(parseCosts(in.costs)->at(place));
        const Real a = annuityFactor(readReal(in.rate), readReal(in.years));
        const Real installed = cost * a;
        const Real heat =
            heatCost(readReal(at.loss), readReal(in.hours), readReal(in.heatPrice), readReal(in.efficiency));
        const Real annual = installed + heat;
        return {{ShowVariant(installed.value()), ShowVariant(heat.value()), ShowVariant(annual.value())},
                annual.value()};
    }

    bool meets(const Inputs& /*in*/, const Plan& /*plan*/, const Candidate& /*c*/) const override
    {
        return false;
    }
    bool choosesLeast() const override { return true; }

    const char* resultBox() const override { return "Text37"; }
    std::string result(const Figures& f) const override { return f.cells[2]; }

    SideTable table() const override
    {
        SideTable t{"標準厚さごとの年間費用",
                    {"標準厚さ（ｍｍ）", "保温工事費の年額（円／年）", "熱損失の費用（円／年）",
                     "年間費用（円／年）", "備考"}};
        t.chart.x = 0;
        t.chart.lines = {1, 2, 3};
        t.chart.sharedAxis = true;
        t.chart.markedTitle = "採用厚さ";
        return t;
    }
};

}  // namespace

Real annuityFactor(Real ratePercent, Real years)
{
    if (ratePercent == Real(0))
        return Real(1) / years;
    const Real i = ratePercent / Real(100);
    const Real g = power(Real(1) + i, years);
    return (i * g) / (g - Real(1));
}

Real heatCost(Real loss, Real hours, Real price, Real efficiencyPercent)
{
    return ((((absolute(loss) * hours) * price) / (efficiencyPercent / Real(100))) / Real(1000));
}

std::optional<std::vector<std::string>> parseCosts(std::string_view text)
{
    std::optional<std::vector<std::string>> costs = seriesItems(text, true);
    if (!costs)
        return std::nullopt;
    for (const std::string& item : *costs) {
        // digits, or digits "." digits
        const size_t point = item.find('.');
        const bool plain = !item.empty() && item.front() != '.' && item.back() != '.' &&
                           (point == std::string::npos || item.find('.', point + 1) == std::string::npos);
        if (!plain)
            return std::nullopt;
    }
    return costs;
}

const Criterion& economicThickness()
{
    static const EconomicThickness criterion;
    return criterion;
}

}  // namespace milfo::heatflow::design
