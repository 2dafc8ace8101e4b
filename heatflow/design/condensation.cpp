// 防露: the thinnest standard thickness whose surface stays above the dew
// point of the air plus a margin (Text8) on a line colder than the air.
#include "criterion.h"
#include "event.h"
#include "numeric.h"
#include "real.h"

namespace milfo::heatflow::design {

namespace {

const char* const kColdOnly =
    "防露は、内部温度が周囲温度より低いときの条件です。設計条件か温度を見直してください。";
const char* const kHumidity = "防露には、０より大きく１００以下の相対湿度を入力してください。";
const char* const kDewAtAmbient =
    "露点温度に防露余裕を加えた温度が周囲温度以上では、どの厚さでも満たせません。"
    "相対湿度か防露余裕を見直してください。";

class Condensation final : public Criterion {
public:
    const char* name() const override { return "防露"; }
    std::vector<std::string> messages() const override { return {kColdOnly, kHumidity, kDewAtAmbient}; }

    void check(const Inputs& in, const Plan& /*plan*/) const override
    {
        if (!(ReadVal(in.inner) < ReadVal(in.ambient)))
            throw HandlerMessage(kColdOnly);
        const double humidity = ReadVal(in.humidity);
        if (!(humidity > 0 && humidity <= 100))
            throw HandlerMessage(kHumidity);
    }

    // Step 1: the dew point (Text11) and the margin above it (Text12).
    std::string target(Form& form, const Inputs& in, Design& design) const override
    {
        const std::string dew = design.dewPoint();
        form.setText("Text11", dew);
        const std::string target = ShowDecimal((Real(ReadVal(dew)) + Real(ReadVal(in.dewMargin))).value());
        form.setText("Text12", target);
        const double value = ReadVal(target);
        if (value <= ReadVal(in.inner))
            throw HandlerMessage(kNothingNeeded);
        if (value >= ReadVal(in.ambient))
            throw HandlerMessage(kDewAtAmbient);
        return target;
    }

    bool meets(const Inputs& /*in*/, const Plan& plan, const Candidate& c) const override
    {
        return ReadVal(c.at.surface) >= ReadVal(plan.target);
    }
};

}  // namespace

const Criterion& condensation()
{
    static const Condensation criterion;
    return criterion;
}

}  // namespace milfo::heatflow::design
