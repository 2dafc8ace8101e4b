// 表面温度上限: the thinnest standard thickness whose surface is no warmer
// than the limit (Text7) on a line hotter than the air.
#include "criterion.h"
#include "event.h"
#include "numeric.h"

namespace milfo::heatflow::design {

namespace {

const char* const kHotOnly =
    "表面温度上限は、内部温度が周囲温度より高いときの条件です。設計条件か温度を見直してください。";
const char* const kLimitAtAmbient =
    "表面温度上限が周囲温度以下では、どの厚さでも満たせません。表面温度上限を見直してください。";

class SurfaceLimit final : public Criterion {
public:
    const char* name() const override { return "表面温度上限"; }
    std::vector<std::string> messages() const override { return {kHotOnly, kLimitAtAmbient}; }

    void check(const Inputs& in, const Plan& /*plan*/) const override
    {
        if (!(ReadVal(in.inner) > ReadVal(in.ambient)))
            throw HandlerMessage(kHotOnly);
    }

    // The limit as a number's text (Text12), which the line must exceed and
    // the air must not reach.
    std::string target(Form& form, const Inputs& in, Design& /*design*/) const override
    {
        const std::string target = ShowDecimal(ReadVal(in.surfaceLimit));
        form.setText("Text12", target);
        const double value = ReadVal(target);
        if (value >= ReadVal(in.inner))
            throw HandlerMessage(kNothingNeeded);
        if (value <= ReadVal(in.ambient))
            throw HandlerMessage(kLimitAtAmbient);
        return target;
    }

    bool meets(const Inputs& /*in*/, const Plan& plan, const Candidate& c) const override
    {
        return ReadVal(c.at.surface) <= ReadVal(plan.target);
    }
};

}  // namespace

const Criterion& surfaceLimit()
{
    static const SurfaceLimit criterion;
    return criterion;
}

}  // namespace milfo::heatflow::design
