// 複層保温 through its real window: the examples of two and three layers
// (worked out beforehand by an independent implementation of the method),
// one layer split in two, one row per message; the lists and what picking
// fills.
#include <array>

#include "gui_harness.h"

using milfo::test::GuiCase;

namespace {

// The inputs in tab order, and what is shown: the boxes the lists fill,
// then the results.
constexpr std::array<const char*, 22> kInputs = {"Combo1", "Combo2", "Text1",  "Text2",  "Text3", "Text4",
                                                 "Combo3", "Text5",  "Combo4", "Combo5", "Text6", "Combo6",
                                                 "Combo7", "Text7",  "Combo8", "Combo9", "Text8", "Text9",
                                                 "Text10", "Text11", "Text12", "Text13"};
constexpr std::array<const char*, 10> kShown = {"Text1",  "Text5",  "Text14", "Text15", "Text16",
                                                "Text17", "Text18", "Text19", "Text20", "Text21"};

const char* const kNoShape = "! 形状を選んでください。";
const char* const kDiameter = "! 管の外径（ｍ）に０より大きい値を入力してください。";
const char* const kNoLayer = "! 第１層の保温材を選んでください。";
const char* const kGap = "! 保温材は第１層から順に、間をあけずに選んでください。";
const char* const kSameTemperatures = "! 内部温度と周囲温度が同じです。温度を見直してください。";
const char* const kBounds = "! 上限温度は下限温度より高くしてください。";

// One press of 計算 on a fresh window: the inputs entered (nullptr: left as
// they start; a list's text picked, or typed where `typed` names it), then
// what the shown boxes show (nullptr: empty).
struct Layers {
    const char* title;
    std::array<const char*, 22> in;  // as kInputs
    std::array<const char*, 10> shows;
    const char* fault = "";
    const char* typed = "";  // a list whose text is typed, not picked
};

GuiCase layersCase(const Layers& l)
{
    GuiCase c;
    c.title = l.title;
    for (size_t i = 0; i < kInputs.size(); ++i) {
        if (l.in[i] == nullptr)
            continue;
        const bool list = kInputs[i][0] == 'C' && std::string(kInputs[i]) != l.typed;
        c.commands.push_back(std::string(list ? "pick " : "set ") + kInputs[i] + " " + l.in[i]);
    }
    c.commands.emplace_back("click Command1");
    for (size_t i = 0; i < kShown.size(); ++i)
        c.expect.emplace_back(kShown[i], l.shows[i] != nullptr ? l.shows[i] : "");
    c.fault = l.fault;
    return c;
}

// clang-format off
const Layers kLayers[] = {
    // shape, nominal size, d, θ1, θa, v, finish, ε; 第１層 material, grade, mm; 第２層; 第３層; a, b, c, 下限, 上限
    //   → d, ε, θs, q, h, 境界温度１, 境界温度２, λ1, λ2, λ3
    {"example: calcium silicate and rock wool on 100A at 550 °C",
     {"水平管", nullptr, "0.1143", "550", "20", nullptr, nullptr, "0.22", "けい酸カルシウム保温材", "１号－１３", "50", "ロックウール", "保温筒", "75"},
     {"0.1143", "0.22", "56.7767004919166", "222.488327433348", "5.28597888956234", "333.935089951657", "", "0.1030109", "0.06779025", ""}},
    {"example: three layers on a vertical wall at 650 °C, wind 1 m/s",
     {"垂直平面", nullptr, nullptr, "650", "20", "1", nullptr, "0.3", "セラミックファイバーブランケット", "ブランケット１号", "50", "けい酸カルシウム保温材", "１号－１３", "50", "ロックウール", "保温板１号", "50"},
     {"0", "0.3", "49.6451496998957", "407.58304628933", "13.7487261968781", "537.284945805661", "337.562370683951", "0.1808024", "0.1020373", "0.07078129"}},
    {"example: a law of one's own inside glass wool",
     {"水平管", nullptr, "0.1143", "150", "20", nullptr, nullptr, "0.22", "係数で指定", nullptr, "10", "グラスウール", "保温筒", "40", nullptr, nullptr, nullptr, "0.018", "0.00005", "0", "-200", "650"},
     {"0.1143", "0.22", "33.1814632301512", "41.5047649026106", "4.67694531493547", "106.361911416212", "", "0.0244090476443144", "0.04218126", ""}},
    // 保温設計 gives 41.1292047870163 at 100 mm; the two differ by 2.4E-6 K.
    {"example: one rock wool layer split in two, by 呼び径",
     {"水平管", "100A", nullptr, "300", "20", nullptr, "アルミニウム板", nullptr, "ロックウール", "保温筒", "50", "ロックウール", "保温筒", "50"},
     {"0.1143", "0.22", "41.1292024315391", "100.288898667874", "4.8070152999977", "165.380877106523", "", "0.07452574", "0.04919678", ""}},
    // The start puts the interface at 605 °C, above rock wool's 600: no stop.
    {"example: the interface starts above rock wool's range and settles inside it",
     {"水平管", "100A", nullptr, "800", "20", nullptr, "アルミニウム板", nullptr, "けい酸カルシウム保温材", "１号－１３", "20", "ロックウール", "保温筒", "20"},
     {"0.1143", "0.22", "186.755260863963", "940.030312789457", "9.23505828950431", "505.676416407339", "", "0.1525326", "0.108133", ""}},
    {"a cold wall: polyethylene foam under polystyrene foam",
     {"垂直平面", nullptr, nullptr, "-10", "30", nullptr, nullptr, "0.3", "ポリエチレンフォーム", "保温筒１種", "20", "ポリスチレンフォーム", "押出法保温板３種ｂ", "30"},
     {"0", "0.3", "26.1038501993258", "-22.7362347439873", "5.83556482865543", "1.72083540195351", "", "0.03879627", "0.02797386", ""}},
    {"three layers on a vertical 50A pipe in wind",
     {"垂直管", "50A", nullptr, "180", "10", "3", "アルミニウム板", nullptr, "ロックウール", "保温筒", "25", "フェノールフォーム", "保温筒１号", "25", "ポリエチレンフォーム", "保温筒１種", "25"},
     {"0.0605", "0.22", "14.5054746293118", "40.7322828957625", "13.6708724093183", "110.658639697541", "53.3430700219579", "0.05631595", "0.04222009", "0.04526713"}},
    {"two layers of one glass wool board, downward plane",
     {"下向き平面", nullptr, nullptr, "120", "20", nullptr, "仕上げセメント、布類", nullptr, "グラスウール", "保温板２号２４ｋ", "30", "グラスウール", "保温板２号２４ｋ", "30"},
     {"0", "0.94", "28.2936261036571", "78.5594614821672", "9.47226948747136", "79.5655975050009", "", "0.0582866", "0.04596632", ""}},
    // Each message, as the checks come.
    {"a fresh window: no shape", {}, {"0", "0"}, kNoShape},
    {"a pipe without its diameter", {"水平管"}, {"0", "0"}, kDiameter},
    {"no layer", {"垂直平面", nullptr, nullptr, "150", "20"}, {"0", "0"}, kNoLayer},
    {"a gap between the layers",
     {"水平管", nullptr, "0.1143", "150", "20", nullptr, nullptr, "0.22", "ロックウール", "保温筒", "50", nullptr, nullptr, nullptr, "グラスウール"},
     {"0.1143", "0.22"}, kGap},
    {"a material typed that the list does not hold",
     {"水平管", nullptr, "0.1143", "150", "20", nullptr, nullptr, "0.22", "ロックウールx"},
     {"0.1143", "0.22"}, "! 第１層の保温材を選んでください。", "Combo4"},
    {"a second layer without its grade",
     {"水平管", nullptr, "0.1143", "150", "20", nullptr, nullptr, "0.22", "ロックウール", "保温筒", "50", "グラスウール"},
     {"0.1143", "0.22"}, "! 第２層の種類を選んでください。"},
    {"a grade typed that the material does not have",
     {"水平管", nullptr, "0.1143", "150", "20", nullptr, nullptr, "0.22", "ロックウール", "保温筒x", "50"},
     {"0.1143", "0.22"}, "! 第１層の種類を選んでください。", "Combo5"},
    {"a second layer of no thickness",
     {"水平管", nullptr, "0.1143", "150", "20", nullptr, nullptr, "0.22", "ロックウール", "保温筒", "50", "グラスウール", "保温筒", "-1"},
     {"0.1143", "0.22"}, "! 第２層の厚さに０より大きい値（ｍｍ）を入力してください。"},
    {"a third layer left at 0 mm",
     {"垂直平面", nullptr, nullptr, "150", "20", nullptr, nullptr, "0.22", "ロックウール", "保温筒", "50", "グラスウール", "保温筒", "40", "グラスウール", "保温筒"},
     {"0", "0.22"}, "! 第３層の厚さに０より大きい値（ｍｍ）を入力してください。"},
    {"the inside at the ambient temperature",
     {"水平管", nullptr, "0.1143", "20", "20", nullptr, nullptr, "0.22", "ロックウール", "保温筒", "50"},
     {"0.1143", "0.22"}, kSameTemperatures},
    {"a law whose 上限 is below its 下限",
     {"水平管", nullptr, "0.1143", "150", "20", nullptr, nullptr, "0.22", "係数で指定", nullptr, "50", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "650", "-200"},
     {"0.1143", "0.22"}, kBounds},
    {"rock wool alone at 700 °C: the inside beyond its range",
     {"垂直平面", nullptr, nullptr, "700", "20", nullptr, nullptr, "0.22", "ロックウール", "保温板１号", "100"},
     {"0", "0.22"}, "! 第１層の温度が保温材の使用範囲外です（100.501299154232～700 ℃）。厚さか保温材を見直してください。"},
    {"a ceramic fibre blanket outside: its surface below 100 °C",
     {"垂直平面", nullptr, nullptr, "300", "20", nullptr, nullptr, "0.22", "けい酸カルシウム保温材", "１号－１３", "50", "セラミックファイバーブランケット", "ブランケット１号", "50"},
     {"0", "0.22"}, "! 第２層の温度が保温材の使用範囲外です（44.8682865686029～175.092417739308 ℃）。厚さか保温材を見直してください。"},
    // Both faces below a law narrower than 1 K: the window runs the whole range.
    {"a law's range narrower than 1 K, the faces below it",
     {"垂直平面", nullptr, nullptr, "50", "20", nullptr, nullptr, "0.22", "係数で指定", nullptr, "50", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "0.04", "0", "0", "100", "100.5"},
     {"0", "0.22"}, "! 第１層の温度が保温材の使用範囲外です（23.9573439820879～50 ℃）。厚さか保温材を見直してください。"},
    {"urethane foam over perlite at 400 °C: the interface beyond its range",
     {"上向き平面", nullptr, nullptr, "400", "30", "2", "塗装溶融メッキ鋼板", nullptr, "はっ水性パーライト保温材", "保温板(筒)３号－２５", "40", "硬質ウレタンフォーム", nullptr, "25"},
     {"0", "0.5"}, "! 第２層の温度が保温材の使用範囲外です（44.9177364081987～291.243510723721 ℃）。厚さか保温材を見直してください。"},
};
// clang-format on

}  // namespace

MILFO_GUI_CASES(layered_insulation)
{
    std::vector<GuiCase> cases;
    for (const Layers& l : kLayers)
        cases.push_back(layersCase(l));
    // A failing press after the first example: every result box emptied,
    // the inputs kept.
    GuiCase again = cases.front();
    again.title = "a failing press after the example";
    again.commands.emplace_back("set Text3 550");
    again.commands.emplace_back("click Command1");
    again.expect = {{"Text3", "550"}, {"Text14", ""}, {"Text15", ""}, {"Text16", ""},
                    {"Text17", ""},   {"Text19", ""}, {"Text20", ""}};
    again.fault = kSameTemperatures;
    cases.push_back(again);
    // A material picked offers its grades; one without grades (or the empty
    // entry) empties the grade.
    cases.push_back({"a material picked, then one without grades",
                     {"pick Combo6 ロックウール", "pick Combo7 保温筒", "pick Combo6 係数で指定"},
                     {{"Combo6", "係数で指定"}, {"Combo7", ""}}});
    cases.push_back({"the third layer's material and grade",
                     {"pick Combo8 けい酸カルシウム保温材", "pick Combo9 ２号－２２"},
                     {{"Combo8", "けい酸カルシウム保温材"}, {"Combo9", "２号－２２"}}});
    cases.push_back({"a nominal size fills the outer diameter",
                     {"pick Combo2 500A"},
                     {{"Combo2", "500A"}, {"Text1", "0.508"}}});
    cases.push_back({"a finish fills ε as 熱伝達率 does",
                     {"pick Combo3 ステンレス鋼板"},
                     {{"Combo3", "ステンレス鋼板"}, {"Text5", "0.3"}}});

    return {"複層保温",
            {"Combo1", "Combo2", "Text1",  "Text2",  "Text3",  "Text4",  "Combo3",   "Text5",
             "Combo4", "Combo5", "Text6",  "Combo6", "Combo7", "Text7",  "Combo8",   "Combo9",
             "Text8",  "Text9",  "Text10", "Text11", "Text12", "Text13", "Command1", "Text14",
             "Text15", "Text16", "Text17", "Text18", "Text19", "Text20", "Text21",   "Combo1"},
            cases};
}
