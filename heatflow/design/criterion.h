// A purpose 保温設計 chooses a standard thickness for (its 設計条件): the
// name the list shows, the messages it may stop with, its own checks, the
// target surface temperature where it has one, and what a thickness must
// give. Each criterion is a small source of its own beside this one.
#pragma once

#include <string>
#include <vector>

#include "design.h"
#include "program.h"

namespace milfo::heatflow::design {

class Criterion {
public:
    virtual ~Criterion() = default;

    // Its entry in the list of criteria.
    virtual const char* name() const = 0;
    // The messages of its own it may stop a design with.
    virtual std::vector<std::string> messages() const = 0;
    // Its own checks, made after the common ones; each throws its message.
    virtual void check(const Inputs& in, const Plan& plan) const = 0;
    // The target surface temperature it works out (writing what the window
    // shows of it on the way), or "" when it has none: step 4 then starts
    // from the mean of the two temperatures.
    virtual std::string target(Form& /*form*/, const Inputs& /*in*/, Design& /*design*/) const { return ""; }
    // What it works out at a standard thickness (the place in the series)
    // once step 4 has settled there.
    virtual Figures figures(Design& /*design*/, const Plan& /*plan*/, size_t /*place*/, long /*mm*/,
                            const AtThickness& /*at*/) const
    {
        return {};
    }
    // How it adopts a thickness: the first that meets it, or (choosesLeast)
    // the one of least amount, the thinner on a tie.
    virtual bool meets(const Inputs& in, const Plan& plan, const Candidate& candidate) const = 0;
    virtual bool choosesLeast() const { return false; }
    // The result box of its own (nullptr: none), written after Text16–Text20
    // from the adopted thickness's figures.
    virtual const char* resultBox() const { return nullptr; }
    virtual std::string result(const Figures& /*figures*/) const { return ""; }
    // The level the chart of the standard thicknesses draws: its value and
    // the column it is read against. By default the target surface
    // temperature, where the criterion has one; else none.
    virtual void level(SideTable::Chart& chart, const Inputs& /*in*/, const Plan& plan) const
    {
        if (plan.target.empty())
            return;
        chart.levelColumn = 1;
        chart.level = plan.target;
        chart.levelTitle = "目標表面温度";
    }
    // The table of its figures beside the window (no rows: the window fills
    // them, the standard thickness first and the message last), or an empty
    // title when it has none; its chart's level from the inputs.
    virtual SideTable table() const { return {}; }
    virtual void tableLevel(SideTable::Chart& /*chart*/, const Inputs& /*in*/) const {}
};

const Criterion& surfaceLimit();       // 表面温度上限
const Criterion& condensation();       // 防露
const Criterion& lossLimit();          // 放散熱量上限
const Criterion& freezing();           // 凍結防止
const Criterion& outletDrop();         // 温度降下
const Criterion& economicThickness();  // 経済的厚さ

// Every criterion, in the list's order.
const std::vector<const Criterion*>& criteria();

}  // namespace milfo::heatflow::design
