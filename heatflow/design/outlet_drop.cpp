// 温度降下: the thinnest standard thickness at which the fluid arrives at
// the end of its line within the drop allowed (Text28, either way: a cold
// line warms): at each thickness, once its surface temperature has settled,
// 温度降下's window with the chain's texts, its 温度降下 read back.
#include "criterion.h"
#include "event.h"
#include "numeric.h"
#include "real.h"

namespace milfo::heatflow::design {

namespace {

const char* const kAllowedDrop = "許容温度降下に０より大きい値を入力してください。";

class OutletDrop final : public Criterion {
public:
    const char* name() const override { return "温度降下"; }
    std::vector<std::string> messages() const override { return {kAllowedDrop}; }

    void check(const Inputs& in, const Plan& plan) const override
    {
        if (!isPipe(plan.shape))
            throw HandlerMessage(kPipesOnly);
        if (!(ReadVal(in.allowedDrop) > 0))
            throw HandlerMessage(kAllowedDrop);
    }

    // 温度降下: θ1, θa, the flow, its specific heat, the length, the outer
    // diameter, the thickness in metres, λ and h of the settled round →
    // 熱抵抗, 出口温度, 温度降下, 放散熱量.
    Figures figures(Design& design, const Plan& /*plan*/, size_t /*place*/, long mm,
                    const AtThickness& at) const override
    {
        const Inputs& in = design.inputs();
        Run run = design.run(windows().outletDrop, standardStep(mm));
        run.enter("Text1", in.inner)
            .enter("Text2", in.ambient)
            .enter("Text3", in.flow)
            .enter("Text4", in.specificHeat)
            .enter("Text5", in.length)
            .enter("Text6", in.diameter)
            .enter("Text7", metresText(mm))
            .enter("Text8", at.conductivity)
            .enter("Text9", at.coefficient)
            .press("Command1");
        Figures f;
        for (const char* box : {"Text10", "Text11", "Text12", "Text13"})
            f.cells.push_back(run.result(box));
        run.finish(f.cells[2]);
        return f;
    }

    bool meets(const Inputs& in, const Plan& /*plan*/, const Candidate& c) const override
    {
        return absolute(Real(ReadVal(c.figures.cells[2]))) <= Real(ReadVal(in.allowedDrop));
    }

    const char* resultBox() const override { return "Text30"; }
    std::string result(const Figures& f) const override { return f.cells[1]; }

    SideTable table() const override
    {
        SideTable t{"標準厚さごとの出口温度",
                    {"標準厚さ（ｍｍ）", "熱抵抗（ｍＫ／Ｗ）", "出口温度（℃）", "温度降下（Ｋ）",
                     "放散熱量（Ｗ）", "備考"}};
        t.chart.x = 0;
        t.chart.lines = {2};
        t.chart.markedTitle = "採用厚さ";
        return t;
    }

    // The outlet temperature the drop allowed reaches: below the inlet on a
    // hot line, above it on a cold one.
    void tableLevel(SideTable::Chart& chart, const Inputs& in) const override
    {
        const Real inlet = ReadVal(in.inner);
        const Real allowed = ReadVal(in.allowedDrop);
        const bool cold = ReadVal(in.inner) < ReadVal(in.ambient);
        chart.levelColumn = 2;
        chart.level = ShowDecimal((cold ? inlet + allowed : inlet - allowed).value());
        chart.levelTitle = "許容出口温度";
    }
};

}  // namespace

const Criterion& outletDrop()
{
    static const OutletDrop criterion;
    return criterion;
}

}  // namespace milfo::heatflow::design
