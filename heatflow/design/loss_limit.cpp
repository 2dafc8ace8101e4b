// 放散熱量上限: the thinnest standard thickness whose heat loss (or gain, on
// a cold line) is no more in magnitude than the limit (Text9).
#include "criterion.h"
#include "event.h"
#include "numeric.h"
#include "real.h"

namespace milfo::heatflow::design {

namespace {

const char* const kLossLimit = "放散熱量上限に０より大きい値を入力してください。";

class LossLimit final : public Criterion {
public:
    const char* name() const override { return "放散熱量上限"; }
    std::vector<std::string> messages() const override { return {kLossLimit}; }

    void check(const Inputs& in, const Plan& /*plan*/) const override
    {
        if (!(ReadVal(in.lossLimit) > 0))
            throw HandlerMessage(kLossLimit);
    }

    bool meets(const Inputs& in, const Plan& /*plan*/, const Candidate& c) const override
    {
        return absolute(Real(ReadVal(c.at.loss))) <= Real(ReadVal(in.lossLimit));
    }

    // The limit is on the loss's magnitude; a cold line's loss is negative.
    void level(SideTable::Chart& chart, const Inputs& in, const Plan& /*plan*/) const override
    {
        const bool cold = ReadVal(in.inner) < ReadVal(in.ambient);
        chart.levelColumn = 2;
        chart.level = ShowDecimal(cold ? -ReadVal(in.lossLimit) : ReadVal(in.lossLimit));
        chart.levelTitle = name();
    }
};

}  // namespace

const Criterion& lossLimit()
{
    static const LossLimit criterion;
    return criterion;
}

}  // namespace milfo::heatflow::design
