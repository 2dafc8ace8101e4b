// 温度降下 through its real window: the outlet temperature, the drop and the
// heat lost of a fluid flowing through an insulated line, hot and cold; one
// row per check's message; the list and what picking fills.
#include "gui_harness.h"

using milfo::test::GuiCase;

namespace {

const char* const kDiameter = "! 管の外径は０より大きくしてください。";
const char* const kThickness = "! 保温材の厚さは０以上としてください。";
const char* const kCoefficients = "! 熱伝導率と表面熱伝達率は０より大きくしてください。";
const char* const kFlow = "! 流量と比熱は０より大きくしてください。";
const char* const kLength = "! 配管の長さは０以上としてください。";

// The inputs in tab order, entered as a person does; then the box the list
// fills and the results.
const milfo::test::EntryWindow kWindow{
    {"Text1", "Text2", "Text3", "Text4", "Text5", "Combo1", "Text6", "Text7", "Text8", "Text9"},
    {"Text6", "Text10", "Text11", "Text12", "Text13"}};

}  // namespace

MILFO_GUI_CASES(temperature_drop)
{
    // clang-format off
    std::vector<GuiCase> cases = milfo::test::entryCases(kWindow, {
        // title, {θ1, θa, W, c, L, 呼び径, d1, t, λ, h}
        //   → d1, then 熱抵抗, 出口温度, 温度降下, 放散熱量
        {"example: steam condensate over 100 m of 100A",
         {"150", "10", "2000", "4.19", "100", nullptr, "0.1143", "0.05", "0.05", "8"},
         {"0.1143", "2.18640623442246", "147.27606934892", "2.72393065108031", "6340.7052377925"}},
        {"example: a cold line warms",
         {"-20", "30", "500", "2.5", "50", nullptr, "0.0605", "0.04", "0.035", "6"},
         {"0.0605", "4.20897023183259", "-18.3182995445965", "-1.68170045540345", "-583.923769237309"}},
        {"the size picked instead of the diameter typed",
         {"150", "10", "2000", "4.19", "100", "100A", nullptr, "0.05", "0.05", "8"},
         {"0.1143", "2.18640623442246", "147.27606934892", "2.72393065108031", "6340.7052377925"}},
        {"no length: no drop",
         {"150", "10", "2000", "4.19", "0", "100A", nullptr, "0.05", "0.05", "8"},
         {"0.1143", "2.18640623442246", "150", "0", "0"}},
        {"a bare line",
         {"150", "10", "2000", "4.19", "100", "100A", nullptr, "0", "0.05", "8"},
         {"0.1143", "0.348107924522956", "133.746369677852", "16.2536303221482", "37834.8394721117"}},
        {"an endless line: the fluid reaches the air's temperature",
         {"150", "10", "2000", "4.19", "1e9", "100A", nullptr, "0.05", "0.05", "8"},
         {"0.1143", "2.18640623442246", "10", "140", "325888.888888889"}},
        // Each message, as the checks come.
        {"a fresh window: no diameter", {}, {}, kDiameter},
        {"a negative thickness",
         {"150", "10", "2000", "4.19", "100", "100A", nullptr, "-0.05", "0.05", "8"},
         {"0.1143"}, kThickness},
        {"no conductivity",
         {"150", "10", "2000", "4.19", "100", "100A", nullptr, "0.05", "0", "8"},
         {"0.1143"}, kCoefficients},
        {"no flow",
         {"150", "10", "0", "4.19", "100", "100A", nullptr, "0.05", "0.05", "8"},
         {"0.1143"}, kFlow},
        {"a negative specific heat",
         {"150", "10", "2000", "-4.19", "100", "100A", nullptr, "0.05", "0.05", "8"},
         {"0.1143"}, kFlow},
        {"a negative length",
         {"150", "10", "2000", "4.19", "-100", "100A", nullptr, "0.05", "0.05", "8"},
         {"0.1143"}, kLength},
        {"a flow beyond the Double range",
         {"150", "10", "1e999", "4.19", "100", "100A", nullptr, "0.05", "0.05", "8"},
         {"0.1143"}, "! 流量（ｋｇ／ｈ）の値が大きすぎて、オーバーフローしました。"},
    });
    // clang-format on

    cases.push_back(
        {"500A fills its outer diameter", {"pick Combo1 500A"}, {{"Combo1", "500A"}, {"Text6", "0.508"}}});

    return {"温度降下",
            {"Text1", "Text2", "Text3", "Text4", "Text5", "Combo1", "Text6", "Text7", "Text8", "Text9",
             "Command1", "Text10", "Text11", "Text12", "Text13", "Text1"},
            cases};
}
