// 凍結防止 through its real window: the hours until standing water in an
// insulated pipe has cooled to 0 °C and then frozen to the part given; one
// row per check's message; the lists and what picking fills.
#include "gui_harness.h"

using milfo::test::GuiCase;

namespace {

const char* const kDiameters = "! 管の外径と内径は、０＜内径＜外径としてください。";
const char* const kThickness = "! 保温材の厚さは０以上としてください。";
const char* const kCoefficients = "! 熱伝導率と表面熱伝達率は０より大きくしてください。";
const char* const kVolumetricHeat = "! 管材の容積比熱は０以上としてください。";
const char* const kFrozenPart = "! 凍結率は０以上１００以下としてください。";
const char* const kNoFrost = "! 外気温度が０℃以上では凍結しません。";
const char* const kIce = "! 水温が０℃未満です。水温を見直してください。";

// The inputs in tab order, entered as a person does; then the boxes the
// picks fill and the results.
const milfo::test::EntryWindow kWindow{
    {"Text1", "Text2", "Combo2", "Text3", "Text4", "Combo1", "Text5", "Text6", "Text7", "Text8", "Text9"},
    {"Text3", "Text4", "Text5", "Text10", "Text11", "Text12", "Text13"}};

}  // namespace

MILFO_GUI_CASES(freeze_protection)
{
    // clang-format off
    std::vector<GuiCase> cases = milfo::test::entryCases(kWindow, {
        // title, {θw, θa, 呼び径, d1, di, 管の材質, cp, t, λ, h, f}
        //   → d1, di, cp, then 熱抵抗, 冷却時間, 凍結時間, 合計時間
        {"example: 25A steel, 20 mm at 0.04, a quarter frozen",
         {"5", "-10", "25A", nullptr, nullptr, "鋼管", nullptr, "0.02", "0.04", "8", "25"},
         {"0.034", "0.0276", "3611", "3.63207377745199", "1.48188913436651", "5.04018737162585", "6.52207650599237"}},
        // A 2-inch schedule-40 pipe under 1.5 inches of k 0.30 Btu·in/(h·ft²·°F),
        // water at 42 °F in air at -18 °F, the pipe and the air film left out:
        // 1.4 h published.
        {"the textbook check: 1.4 h to 0 °C",
         {"5.555555556", "-27.77777778", nullptr, "0.060325", "0.0525018", nullptr, "0", "0.0381", "0.04323944172", "1E+12", "0"},
         {"0.060325", "0.0525018", "0", "3.00631939342594", "1.37977454982896", "0", "1.37977454982896"}},
        {"water at 0 °C in a copper pipe: no cooling, all of it frozen",
         {"0", "-10", "25A", nullptr, nullptr, "銅管", nullptr, "0.02", "0.04", "8", "100"},
         {"0.034", "0.0276", "3450", "3.63207377745199", "0", "20.1607494865034", "20.1607494865034"}},
        {"a bare stainless pipe: only the surface film",
         {"5", "-10", "25A", nullptr, nullptr, "ステンレス鋼管", nullptr, "0", "0.04", "8", "25"},
         {"0.034", "0.0276", "3957", "1.17025693449923", "0.491586592721259", "1.62395220588235", "2.11553879860361"}},
        // Each message, as the checks come.
        {"a fresh window: no diameters", {}, {}, kDiameters},
        {"an inner diameter equal to the outer",
         {"5", "-10", nullptr, "0.034", "0.034", nullptr, "3611", "0.02", "0.04", "8", "25"},
         {"0.034", "0.034", "3611"}, kDiameters},
        {"a negative thickness",
         {"5", "-10", "25A", nullptr, nullptr, "鋼管", nullptr, "-0.01", "0.04", "8", "25"},
         {"0.034", "0.0276", "3611"}, kThickness},
        {"no surface coefficient",
         {"5", "-10", "25A", nullptr, nullptr, "鋼管", nullptr, "0.02", "0.04", "0", "25"},
         {"0.034", "0.0276", "3611"}, kCoefficients},
        {"a negative volumetric heat",
         {"5", "-10", "25A", nullptr, nullptr, nullptr, "-1", "0.02", "0.04", "8", "25"},
         {"0.034", "0.0276", "-1"}, kVolumetricHeat},
        {"a frozen part above 100 %",
         {"5", "-10", "25A", nullptr, nullptr, "鋼管", nullptr, "0.02", "0.04", "8", "100.5"},
         {"0.034", "0.0276", "3611"}, kFrozenPart},
        {"air at 0 °C",
         {"5", "0", "25A", nullptr, nullptr, "鋼管", nullptr, "0.02", "0.04", "8", "25"},
         {"0.034", "0.0276", "3611"}, kNoFrost},
        {"water below 0 °C",
         {"-1", "-10", "25A", nullptr, nullptr, "鋼管", nullptr, "0.02", "0.04", "8", "25"},
         {"0.034", "0.0276", "3611"}, kIce},
        {"a water temperature beyond the Double range",
         {"1e999", "-10", "25A", nullptr, nullptr, "鋼管", nullptr, "0.02", "0.04", "8", "25"},
         {"0.034", "0.0276", "3611"}, "! 水温（℃）の値が大きすぎて、オーバーフローしました。"},
        {"a volumetric heat beyond the Double range",
         {"5", "-10", "25A", nullptr, nullptr, nullptr, "1e999", "0.02", "0.04", "8", "25"},
         {"0.034", "0.0276", "1e999"}, "! 管材の容積比熱（ｋＪ／ｍ３Ｋ）の値が大きすぎて、オーバーフローしました。"},
    });
    // clang-format on

    // A failing press after the example: every result box emptied, the
    // inputs kept.
    GuiCase again = cases.front();
    again.title = "a failing press after the example";
    for (const char* command : {"set Text9 101", "click Command1"})
        again.commands.emplace_back(command);
    again.expect = {{"Text9", "101"}, {"Text10", ""}, {"Text11", ""}, {"Text12", ""}, {"Text13", ""}};
    again.fault = kFrozenPart;
    cases.push_back(again);
    // The sizes of JIS G 3452 fill both diameters in metres.
    const char* const sizes[][3] = {
        {"6A", "0.0105", "0.0065"}, {"100A", "0.1143", "0.1053"}, {"500A", "0.508", "0.4922"}};
    for (const auto& [nominal, outer, inner] : sizes)
        cases.push_back({std::string(nominal) + " fills both diameters",
                         {std::string("pick Combo2 ") + nominal},
                         {{"Combo2", nominal}, {"Text3", outer}, {"Text4", inner}}});
    cases.push_back({"a material picked, then its volumetric heat typed over",
                     {"pick Combo1 銅管", "set Text5 3500"},
                     {{"Combo1", "銅管"}, {"Text5", "3500"}}});

    return {"凍結防止",
            {"Text1", "Text2", "Combo2", "Text3", "Text4", "Combo1", "Text5", "Text6", "Text7", "Text8",
             "Text9", "Command1", "Text10", "Text11", "Text12", "Text13", "Text1"},
            cases};
}
