// 凍結防止: the thinnest standard thickness at which standing water in the
// pipe holds for the hours asked (Text21) before the part of it given
// (Text22) has frozen: at each thickness, once its surface temperature has
// settled, 凍結防止's window with the chain's texts, its 合計時間 read back.
#include "criterion.h"
#include "event.h"
#include "freeze_protection.h"
#include "numeric.h"

namespace milfo::heatflow::design {

namespace {

const char* const kHolding = "保持時間に０より大きい値を入力してください。";

class Freezing final : public Criterion {
public:
    const char* name() const override { return "凍結防止"; }
    std::vector<std::string> messages() const override { return {kNoFrost, kIce, kHolding}; }

    // θ1 is the water's temperature, θa the air's: 凍結防止's own checks of
    // them first (the common checks have read both already).
    void check(const Inputs& in, const Plan& plan) const override
    {
        if (!isPipe(plan.shape))
            throw HandlerMessage(kPipesOnly);
        checkFrost(ReadVal(in.ambient), ReadVal(in.inner));
        if (!(ReadVal(in.holdingHours) > 0))
            throw HandlerMessage(kHolding);
    }

    // 凍結防止: θ1, θa, the outer and inner diameter, the volumetric heat,
    // the thickness in metres, λ and h of the settled round, the part that
    // may freeze → 熱抵抗, 冷却時間, 凍結時間, 合計時間.
    Figures figures(Design& design, const Plan& /*plan*/, size_t /*place*/, long mm,
                    const AtThickness& at) const override
    {
        const Inputs& in = design.inputs();
        Run run = design.run(windows().freezing, standardStep(mm));
        run.enter("Text1", in.inner)
            .enter("Text2", in.ambient)
            .enter("Text3", in.diameter)
            .enter("Text4", in.innerDiameter)
            .enter("Text5", in.volumetricHeat)
            .enter("Text6", metresText(mm))
            .enter("Text7", at.conductivity)
            .enter("Text8", at.coefficient)
            .enter("Text9", in.frozenPart)
            .press("Command1");
        Figures f;
        for (const char* box : {"Text10", "Text11", "Text12", "Text13"})
            f.cells.push_back(run.result(box));
        run.finish(f.cells.back());
        return f;
    }

    bool meets(const Inputs& in, const Plan& /*plan*/, const Candidate& c) const override
    {
        return ReadVal(c.figures.cells[3]) >= ReadVal(in.holdingHours);
    }

    const char* resultBox() const override { return "Text29"; }
    std::string result(const Figures& f) const override { return f.cells[3]; }

    SideTable table() const override
    {
        SideTable t{"標準厚さごとの凍結までの時間",
                    {"標準厚さ（ｍｍ）", "熱抵抗（ｍＫ／Ｗ）", "冷却時間（ｈ）", "凍結時間（ｈ）",
                     "合計時間（ｈ）", "備考"}};
        t.chart.x = 0;
        t.chart.lines = {4};
        t.chart.markedTitle = "採用厚さ";
        return t;
    }

    void tableLevel(SideTable::Chart& chart, const Inputs& in) const override
    {
        chart.levelColumn = 4;
        chart.level = ShowDecimal(ReadVal(in.holdingHours));
        chart.levelTitle = "保持時間";
    }
};

}  // namespace

const Criterion& freezing()
{
    static const Freezing criterion;
    return criterion;
}

}  // namespace milfo::heatflow::design
