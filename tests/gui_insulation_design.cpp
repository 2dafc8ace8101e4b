// 保温設計 through its real window: the design of a line (every criterion,
// shape and several materials), each row worked out beforehand by hand in
// the fifteen windows (milfo-drive, value by value as the design passes them
// on); one row per message; the lists and what picking fills.
#include <algorithm>
#include <array>

#include "gui_harness.h"

using milfo::test::GuiCase;

namespace {

// The inputs (those of the first criteria in their old tab order, then the
// pipe's own and the later criteria's), and how each is entered.
constexpr std::array<const char*, 39> kInputs = {
    "Combo1", "Combo2", "Text1",  "Text2",  "Text3",  "Text4",  "Combo3", "Text5",  "Combo4", "Combo5",
    "Text6",  "Combo6", "Text7",  "Text8",  "Text9",  "Text10", "Text24", "Combo7", "Text23", "Text21",
    "Text22", "Text25", "Text26", "Text27", "Text28", "Text31", "Text32", "Text33", "Text34", "Text35",
    "Text36", "Combo8", "Combo9", "Text38", "Text41", "Text42", "Text43", "Text44", "Text45"};
constexpr std::array<const char*, 17> kShown = {"Text5",  "Text6",  "Text11", "Text12", "Text13", "Text14",
                                                "Text15", "Text16", "Text17", "Text18", "Text19", "Text20",
                                                "Text29", "Text30", "Text37", "Text39", "Text40"};

const char* const kNoMaterial = "! 保温材を選んでください。";
const char* const kNoGrade = "! 種類を選んでください。";
const char* const kNoShape = "! 形状を選んでください。";
const char* const kNoCriterion = "! 設計条件を選んでください。";
const char* const kSeries =
    "! 標準厚さは、０より大きい整数（ｍｍ）を小さい順に「,」で区切って入力してください。";
const char* const kDiameter = "! 管の外径（ｍ）に０より大きい値を入力してください。";
const char* const kSameTemperatures = "! 内部温度と周囲温度が同じです。温度を見直してください。";
const char* const kHotOnly =
    "! 表面温度上限は、内部温度が周囲温度より高いときの条件です。設計条件か温度を見直してください。";
const char* const kColdOnly =
    "! 防露は、内部温度が周囲温度より低いときの条件です。設計条件か温度を見直してください。";
const char* const kHumidity = "! 防露には、０より大きく１００以下の相対湿度を入力してください。";
const char* const kLossLimit = "! 放散熱量上限に０より大きい値を入力してください。";
const char* const kNothingNeeded = "! 内部温度のままで目標表面温度を満たすため、保温は要りません。";
const char* const kLimitAtAmbient =
    "! 表面温度上限が周囲温度以下では、どの厚さでも満たせません。表面温度上限を見直してください。";
const char* const kDewAtAmbient =
    "! 露点温度に防露余裕を加えた温度が周囲温度以上では、どの厚さでも満たせません。"
    "相対湿度か防露余裕を見直してください。";
const char* const kNoThickness = "! 設計条件を満たす標準厚さがありません。より厚い標準厚さを加えてください。";
const char* const kRequiredRounds =
    "! 必要厚さの繰り返し計算が１００回で決まりません。入力を見直してください。";
const char* const kSurfaceRounds =
    "! 表面温度の繰り返し計算が２００回で決まりません。入力を見直してください。";
const char* const kHeatLossEmpty = "! 放散熱量の結果が空欄です。入力を見直してください。";
const char* const kPipesOnly = "! 凍結防止と温度降下は配管（水平管・垂直管）の条件です。";
const char* const kNoFrost = "! 外気温度が０℃以上では凍結しません。";
const char* const kIce = "! 水温が０℃未満です。水温を見直してください。";
const char* const kHolding = "! 保持時間に０より大きい値を入力してください。";
const char* const kAllowedDrop = "! 許容温度降下に０より大きい値を入力してください。";
const char* const kFreezeDiameters = "! 管の外径と内径は、０＜内径＜外径としてください。";
const char* const kCosts =
    "! 保温工事費は、標準厚さと同じ数だけ０以上の数を「,」で区切って入力してください。";
const char* const kPrices = "! 熱量単価・年間運転時間・熱源効率は０より大きくしてください。";
const char* const kYears = "! 償却年数は０より大きく、利率は０以上としてください。";
const char* const kInvalid = "! 関数の引数が不正です。";
const char* const kOverflow = "! オーバーフローしました。";

// One press of 計算 on a fresh window: the inputs entered (nullptr: left as
// they start), then what Text5, Text6, Text11–Text20, Text29, Text30,
// Text37, Text39 and Text40 show (nullptr: empty).
struct Design {
    const char* title;
    std::array<const char*, 39> in;  // as kInputs
    std::array<const char*, 17> shows;
    const char* fault = "";
    bool typedGrade = false;  // Combo2's text typed, not picked
    bool typedInner = false;  // Combo8's text typed, not picked
};

GuiCase designCase(const Design& d)
{
    GuiCase c;
    c.title = d.title;
    for (size_t i = 0; i < kInputs.size(); ++i) {
        if (d.in[i] == nullptr)
            continue;
        const bool list = kInputs[i][0] == 'C' && !(i == 1 && d.typedGrade) && !(i == 31 && d.typedInner);
        c.commands.push_back(std::string(list ? "pick " : "set ") + kInputs[i] + " " + d.in[i]);
    }
    c.commands.emplace_back("click Command1");
    for (size_t i = 0; i < kShown.size(); ++i)
        c.expect.emplace_back(kShown[i], d.shows[i] != nullptr ? d.shows[i] : "");
    c.fault = d.fault;
    return c;
}

// clang-format off
const Design kDesigns[] = {
    // material, grade, θ1, θa, RH, v, finish, ε, shape, nominal size, d, criterion, surface limit, dew margin,
    // loss limit, series
    //   → Text5, Text6, then Text11–Text20: dew point, θs*, λ*, h*, t, T, θs, q, λ, h at T
    {"worked example: rock wool board, horizontal pipe 0.1143 m, surface at most 60",
     {"ロックウール", "保温板１号", "300", "20", nullptr, "0", "アルミニウム板", nullptr, "水平管", nullptr, "0.1143", "表面温度上限", "60", nullptr, nullptr, nullptr},
     {"0.22", "0.1143", "", "60", "0.06656056", "5.9375082183951", "0.0499500000000425", "50", "59.9636435331515", "159.70183526292", "0.06655695", "5.93571654742847"}},
    // 凍結防止 and 温度降下: the chain runs their windows at each standard
    // thickness once its surface temperature has settled.
    //   ... then Text24 di, Combo7 pipe material, Text23 cp, Text21 hours, Text22 frozen part,
    //   Text25 flow, Text26 specific heat, Text27 length, Text28 drop allowed → ..., Text29, Text30
    {"freeze protection: polyethylene foam on 25A steel, 8 h at -10 °C",
     {"ポリエチレンフォーム", "保温筒１種", "5", "-10", nullptr, "3", "仕上げセメント、布類", nullptr, "水平管", "25A", nullptr, "凍結防止", nullptr, nullptr, nullptr, "10,15,20,25,30,40,50,65,75,100", nullptr, "鋼管", nullptr, "8", "25"},
     {"0.94", "0.034", "", "", "", "", "", "40", "-9.18899867194451", "2.88448649033797", "0.03914393", "9.93099096242956", "9.33799498042267", ""}},
    {"temperature drop: rock wool on 100A, 20 t/h over 500 m, 3 K allowed",
     {"ロックウール", "保温筒", "180", "0", nullptr, "1", "アルミニウム板", nullptr, "水平管", "100A", nullptr, "温度降下", nullptr, nullptr, nullptr, "20,25,30,40,50,65,75,100", nullptr, nullptr, nullptr, nullptr, nullptr, "20000", "2.1", "500", "3"},
     {"0.22", "0.1143", "", "", "", "", "", "65", "11.9351224705896", "66.662110615941", "0.04795022", "7.27744961422689", "", "177.165603352026"}},
    // 経済的厚さ: the least annual cost over every standard thickness.
    //   ... then Text31 costs, Text32 price of heat, Text33 hours, Text34 years, Text35 rate,
    //   Text36 efficiency → ..., Text37
    {"economic thickness: rock wool on 100A at 180 °C, 3 % over 10 years",
     {"ロックウール", "保温筒", "180", "10", nullptr, "1", "アルミニウム板", nullptr, "水平管", "100A", nullptr, "経済的厚さ", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "8000,8600,9200,10500,11800,14000,15500,19000", "6", "4000", "10", "3", "85"},
     {"0.22", "0.1143", "", "", "", "", "", "65", "21.3850582395749", "63.9809691623231", "0.04876354", "7.32221682350984", "", "", "3447.74857470253"}},
    {"economic thickness of a cold wall: a chiller's heat at 300 %",
     {"ポリスチレンフォーム", "ビーズ法保温板特号", "-10", "30", nullptr, "1", "ステンレス鋼板", nullptr, "垂直平面", nullptr, nullptr, "経済的厚さ", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "3000,3400,3800,4600,5400,6600,7400,9400", "20", "4000", "10", "3", "300"},
     {"0.3", "0", "", "", "", "", "", "65", "27.9608215952466", "-19.0841606431063", "0.03267765", "9.35874987623447", "", "", "1282.63229407689"}},
    {"worked example as a vertical plane: T = 50 is below t, 65 is adopted",
     {"ロックウール", "保温板１号", "300", "20", nullptr, "0", "アルミニウム板", nullptr, "垂直平面", nullptr, "0.1143", "表面温度上限", "60", nullptr, nullptr, nullptr},
     {"0.22", "0.1143", "", "60", "0.06656056", "7.97653566794557", "0.0500672693792216", "65", "52.8808677708482", "250.386465358829", "0.06585941", "7.61495916421094"}},
    {"the same line as a vertical pipe",
     {"ロックウール", "保温板１号", "300", "20", nullptr, "0", "アルミニウム板", nullptr, "垂直管", nullptr, "0.1143", "表面温度上限", "60", nullptr, nullptr, nullptr},
     {"0.22", "0.1143", "", "60", "0.06656056", "7.97653566794557", "0.0390350000000316", "40", "59.1441994302825", "189.605838254067", "0.06647576", "7.93527503584958"}},
    {"rock wool pipe section, downward plane, wind 2 m/s",
     {"ロックウール", "保温筒", "250", "30", nullptr, "2", "ステンレス鋼板", nullptr, "下向き平面", nullptr, nullptr, "表面温度上限", "50", nullptr, nullptr, nullptr},
     {"0.3", "0", "", "50", "0.05782625", "14.6157817079577", "0.0395642540066919", "40", "49.8318284283098", "289.299805639776", "0.05781135", "14.587651697652"}},
    {"calcium silicate, upward plane at 450 °C, surface at most 55",
     {"けい酸カルシウム保温材", "１号－１３", "450", "20", nullptr, "0", "アルミニウム板", nullptr, "上向き平面", nullptr, nullptr, "表面温度上限", "55", nullptr, nullptr, nullptr},
     {"0.22", "0", "", "55", "0.07377569", "9.42986419978978", "0.08829515896846", "100", "51.7827968971239", "292.94326881727", "0.07356369", "9.21703869440701"}},
    {"water-repellent perlite on 200A, wind 3 m/s",
     {"はっ水性パーライト保温材", "保温板(筒)３号－２５", "350", "25", nullptr, "3", "塗装溶融メッキ鋼板", nullptr, "水平管", "200A", nullptr, "表面温度上限", "50", nullptr, nullptr, nullptr},
     {"0.5", "0.2163", "", "50", "0.08966825", "14.227389610486", "0.060985000000061", "65", "48.6677047958898", "360.365617364066", "0.08957899", "13.9953965015659"}},
    {"ceramic fibre blanket at 900 °C, surface at most 150",
     {"セラミックファイバーブランケット", "ブランケット２号", "900", "20", nullptr, "0", "アルミニウム板", nullptr, "垂直平面", nullptr, nullptr, "表面温度上限", "150", nullptr, nullptr, nullptr},
     {"0.22", "0", "", "150", "0.1576725", "11.0119643531581", "0.0826055197137159", "100", "133.246621328599", "1193.8733482603", "0.155705", "10.5422425345135"}},
    {"condensation: extruded polystyrene on 50A chilled water",
     {"ポリスチレンフォーム", "押出法保温筒３種", "5", "30", "80", "0", "ステンレス鋼板", nullptr, "水平管", "50A", nullptr, "防露", nullptr, "1", nullptr, nullptr},
     {"0.3", "0.0605", "26.1697671155864", "27.1697671155864", "0.02812594", "4.4402153909358", "0.0346949999999906", "40", "27.5175914233108", "-4.7249104088219", "0.02813812", "4.31215620908949"}},
    {"condensation: rigid urethane foam, downward plane at -30 °C",
     {"硬質ウレタンフォーム", nullptr, "-30", "30", "85", "0", "ステンレス鋼板", nullptr, "下向き平面", nullptr, nullptr, "防露", nullptr, "0", nullptr, nullptr},
     {"0.3", "0", "27.2002309165815", "27.2002309165815", "0.02168783", "4.81873490755811", "0.0919514609304117", "100", "27.389391761451", "-12.450926967484", "0.02169552", "4.7693586435644"}},
    {"condensation: phenolic foam on 25A brine, cement finish",
     {"フェノールフォーム", "保温筒２号", "-10", "25", "75", "0", "仕上げセメント、布類", nullptr, "水平管", "25A", nullptr, "防露", nullptr, "1", nullptr, nullptr},
     {"0.94", "0.034", "20.2584883882635", "21.2584883882635", "0.03177551", "8.69743067023604", "0.0209800000000018", "25", "21.8622463262739", "-7.04134734341612", "0.03181174", "8.50370389933768"}},
    {"condensation: polyethylene foam on a vertical 15A pipe",
     {"ポリエチレンフォーム", "保温筒１種", "5", "28", "70", "0", "アルミニウム板", nullptr, "垂直管", "15A", nullptr, "防露", nullptr, "0", nullptr, nullptr},
     {"0.22", "0.0217", "22.0160163439797", "22.0160163439797", "0.04179636", "5.49515655738395", "0.0145650000000028", "20", "23.5122103659938", "-4.66649963441599", "0.04192354", "5.36443608420779"}},
    {"heat-loss limit: glass wool on a vertical 100A pipe, wind 1 m/s",
     {"グラスウール", "保温筒", "150", "25", nullptr, "1", "塗装溶融メッキ鋼板", nullptr, "垂直管", "100A", nullptr, "放散熱量上限", nullptr, nullptr, "60", nullptr},
     {"0.5", "0.1143", "", "", "", "", "", "50", "32.0415168392373", "54.6187074294761", "0.04632045", "11.5213539554651"}},
    {"heat-loss limit: rock wool on 150A at 200 °C",
     {"ロックウール", "保温筒", "200", "20", nullptr, "0", "アルミニウム板", nullptr, "水平管", "150A", nullptr, "放散熱量上限", nullptr, nullptr, "100", nullptr},
     {"0.22", "0.1652", "", "", "", "", "", "65", "40.2018387842574", "90.2224526214339", "0.05216302", "4.81568275348408"}},
    {"heat-loss limit on a cold plane: the gain is negative",
     {"ポリスチレンフォーム", "ビーズ法保温板特号", "-20", "30", nullptr, "0", "ステンレス鋼板", nullptr, "垂直平面", nullptr, nullptr, "放散熱量上限", nullptr, nullptr, "25", nullptr},
     {"0.3", "0", "", "", "", "", "", "65", "26.1132404283181", "-22.6783426614085", "0.03196679", "5.83476858888772"}},
    {"the series in full-width digits with 、 and ， and blanks",
     {"ロックウール", "保温板１号", "300", "20", nullptr, "0", "アルミニウム板", nullptr, "水平管", nullptr, "0.1143", "表面温度上限", "60", nullptr, nullptr, " ２０，２５、３０ , 040,５０"},
     {"0.22", "0.1143", "", "60", "0.06656056", "5.9375082183951", "0.0499500000000425", "50", "59.9636435331515", "159.70183526292", "0.06655695", "5.93571654742847"}},
    {"a grade typed into the list that the list does not offer",
     {"グラスウール", "保温板２号３２ｋ", "150", "20", nullptr, "0", "アルミニウム板", nullptr, "垂直平面", nullptr, nullptr, "表面温度上限", "45", nullptr, nullptr, nullptr},
     {"0.22", "0", "", "45", "0.0519363", "7.15146781811455", "0.0305017746772871", "40", "40.5564998982954", "140.740483247414", "0.05143859", "6.84651978419171"}, "", true},
    {"the empty finish: no emissivity, no radiation",
     {"グラスウール", "保温板２号２４ｋ", "150", "20", nullptr, "0", "", nullptr, "垂直平面", nullptr, nullptr, "表面温度上限", "45", nullptr, nullptr, nullptr},
     {"", "0", "", "45", "0.05823945", "5.72433402239946", "0.0427308555096282", "50", "42.3759812503449", "124.585521054993", "0.05787998", "5.56782380451237"}},
    // Each message, as the checks come.
    {"nothing chosen: the material first",
     {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
     {"0", "0", "", "", "", "", "", "", "", "", "", ""},
     kNoMaterial},
    {"a material with grades and no grade chosen",
     {"ロックウール", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
     {"0", "0", "", "", "", "", "", "", "", "", "", ""},
     kNoGrade},
    {"no shape chosen",
     {"ロックウール", "保温板１号", "300", "20", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
     {"0", "0", "", "", "", "", "", "", "", "", "", ""},
     kNoShape},
    {"no criterion chosen",
     {"ロックウール", "保温板１号", "300", "20", nullptr, nullptr, nullptr, nullptr, "垂直平面", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
     {"0", "0", "", "", "", "", "", "", "", "", "", ""},
     kNoCriterion},
    {"a series not ascending",
     {"ロックウール", "保温板１号", "300", "20", nullptr, nullptr, nullptr, "0.22", "垂直平面", nullptr, nullptr, "表面温度上限", nullptr, nullptr, nullptr, "20,25,25"},
     {"0.22", "0", "", "", "", "", "", "", "", "", "", ""},
     kSeries},
    {"a series with a decimal",
     {"ロックウール", "保温板１号", "300", "20", nullptr, nullptr, nullptr, "0.22", "垂直平面", nullptr, nullptr, "表面温度上限", nullptr, nullptr, nullptr, "20,25.5"},
     {"0.22", "0", "", "", "", "", "", "", "", "", "", ""},
     kSeries},
    {"a series with an empty item",
     {"ロックウール", "保温板１号", "300", "20", nullptr, nullptr, nullptr, "0.22", "垂直平面", nullptr, nullptr, "表面温度上限", nullptr, nullptr, nullptr, "20,,25"},
     {"0.22", "0", "", "", "", "", "", "", "", "", "", ""},
     kSeries},
    {"a series with 0",
     {"ロックウール", "保温板１号", "300", "20", nullptr, nullptr, nullptr, "0.22", "垂直平面", nullptr, nullptr, "表面温度上限", nullptr, nullptr, nullptr, "0,25"},
     {"0.22", "0", "", "", "", "", "", "", "", "", "", ""},
     kSeries},
    {"a series of blanks only",
     {"ロックウール", "保温板１号", "300", "20", nullptr, nullptr, nullptr, "0.22", "垂直平面", nullptr, nullptr, "表面温度上限", nullptr, nullptr, nullptr, " 　 "},
     {"0.22", "0", "", "", "", "", "", "", "", "", "", ""},
     kSeries},
    {"a pipe with no diameter",
     {"ロックウール", "保温板１号", "300", "20", nullptr, nullptr, nullptr, "0.22", "水平管", nullptr, nullptr, "表面温度上限", nullptr, nullptr, nullptr, nullptr},
     {"0.22", "0", "", "", "", "", "", "", "", "", "", ""},
     kDiameter},
    {"the inside at the ambient temperature",
     {"ロックウール", "保温板１号", "20", "20", nullptr, nullptr, nullptr, "0.22", "垂直平面", nullptr, nullptr, "表面温度上限", nullptr, nullptr, nullptr, nullptr},
     {"0.22", "0", "", "", "", "", "", "", "", "", "", ""},
     kSameTemperatures},
    {"a surface limit on a cold line",
     {"ポリスチレンフォーム", "押出法保温筒３種", "5", "30", nullptr, nullptr, nullptr, "0.3", "垂直平面", nullptr, nullptr, "表面温度上限", nullptr, nullptr, nullptr, nullptr},
     {"0.3", "0", "", "", "", "", "", "", "", "", "", ""},
     kHotOnly},
    {"condensation control on a hot line",
     {"ロックウール", "保温板１号", "300", "20", "80", nullptr, nullptr, "0.22", "垂直平面", nullptr, nullptr, "防露", nullptr, nullptr, nullptr, nullptr},
     {"0.22", "0", "", "", "", "", "", "", "", "", "", ""},
     kColdOnly},
    {"condensation control with no humidity",
     {"ポリスチレンフォーム", "押出法保温筒３種", "5", "30", nullptr, nullptr, nullptr, "0.3", "垂直平面", nullptr, nullptr, "防露", nullptr, nullptr, nullptr, nullptr},
     {"0.3", "0", "", "", "", "", "", "", "", "", "", ""},
     kHumidity},
    {"condensation control with a humidity above 100",
     {"ポリスチレンフォーム", "押出法保温筒３種", "5", "30", "100.5", nullptr, nullptr, "0.3", "垂直平面", nullptr, nullptr, "防露", nullptr, nullptr, nullptr, nullptr},
     {"0.3", "0", "", "", "", "", "", "", "", "", "", ""},
     kHumidity},
    {"a heat-loss limit of 0",
     {"ロックウール", "保温板１号", "300", "20", nullptr, nullptr, nullptr, "0.22", "垂直平面", nullptr, nullptr, "放散熱量上限", nullptr, nullptr, nullptr, nullptr},
     {"0.22", "0", "", "", "", "", "", "", "", "", "", ""},
     kLossLimit},
    {"nothing needed: the line is below the surface limit",
     {"ロックウール", "保温板１号", "50", "20", nullptr, nullptr, nullptr, "0.22", "垂直平面", nullptr, nullptr, "表面温度上限", "60", nullptr, nullptr, nullptr},
     {"0.22", "0", "", "60", "", "", "", "", "", "", "", ""},
     kNothingNeeded},
    {"nothing needed: the cold line is above its dew point",
     {"ポリスチレンフォーム", "押出法保温筒３種", "15", "30", "30", nullptr, nullptr, "0.3", "垂直平面", nullptr, nullptr, "防露", nullptr, nullptr, nullptr, nullptr},
     {"0.3", "0", "10.538906711126", "10.538906711126", "", "", "", "", "", "", "", ""},
     kNothingNeeded},
    {"a surface limit at the ambient temperature",
     {"ロックウール", "保温板１号", "300", "20", nullptr, nullptr, nullptr, "0.22", "垂直平面", nullptr, nullptr, "表面温度上限", "20", nullptr, nullptr, nullptr},
     {"0.22", "0", "", "20", "", "", "", "", "", "", "", ""},
     kLimitAtAmbient},
    {"saturated air: its dew point lies above the ambient temperature",
     {"ポリスチレンフォーム", "押出法保温筒３種", "5", "30", "100", nullptr, nullptr, "0.3", "水平管", nullptr, "0.0605", "防露", nullptr, nullptr, nullptr, nullptr},
     {"0.3", "0.0605", "30.002521423771", "30.002521423771", "", "", "", "", "", "", "", ""},
     kDewAtAmbient},
    {"ceramic fibre blanket below 100 °C: outside its range",
     {"セラミックファイバーブランケット", "ブランケット１号", "300", "20", nullptr, nullptr, "アルミニウム板", nullptr, "水平管", nullptr, "0.1143", "表面温度上限", "60", nullptr, nullptr, nullptr},
     {"0.22", "0.1143", "", "60", "", "", "", "", "", "", "", ""},
     "! 温度が保温材の使用範囲外です（60～300 ℃）。保温材・種類か温度を見直してください。"},
    {"outside the range at a standard thickness",
     {"セラミックファイバーブランケット", "ブランケット１号", "900", "20", nullptr, nullptr, "アルミニウム板", nullptr, "垂直平面", nullptr, nullptr, "表面温度上限", "105", nullptr, nullptr, "100,150,200,250"},
     {"0.22", "0", "", "105", "0.1652811", "9.69015745659017", "0.159529338177165", "", "", "", "", ""},
     "! 温度が保温材の使用範囲外です（89.1515700521033～900 ℃）。保温材・種類か温度を見直してください。"},
    {"no standard thickness is enough: the required one stays shown",
     {"ロックウール", "保温板１号", "300", "20", nullptr, nullptr, "アルミニウム板", nullptr, "垂直平面", nullptr, nullptr, "表面温度上限", "60", nullptr, nullptr, "20,25,30,40"},
     {"0.22", "0", "", "60", "0.06656056", "7.97653566794557", "0.0500672693792216", "", "", "", "", ""},
     kNoThickness},
    {"the required thickness does not settle in 100 rounds",
     {"ロックウール", "保温板１号", "215", "16", nullptr, "0.01", nullptr, "-0.2", "水平管", nullptr, "0.0001", "表面温度上限", "19.63", nullptr, nullptr, nullptr},
     {"-0.2", "0.0001", "", "19.63", "0.05286708", "", "", "", "", "", "", ""},
     kRequiredRounds},
    {"the surface temperature does not settle in 200 rounds",
     {"グラスウール", "保温筒", "59.49", "26.3", nullptr, "0.01", nullptr, "-0.5", "下向き平面", nullptr, nullptr, "放散熱量上限", nullptr, nullptr, "5", "1,2,3,5,10,20,30,50,75,100,150,200,300,500,1000"},
     {"-0.5", "0", "", "", "", "", "", "", "", "", "", ""},
     kSurfaceRounds},
    {"a negative emissivity: 放散熱量 leaves its box empty",
     {"ロックウール", "保温板１号", "300", "20", nullptr, nullptr, nullptr, "-10", "垂直平面", nullptr, nullptr, "表面温度上限", "60", nullptr, nullptr, nullptr},
     {"-10", "0", "", "60", "0.06656056", "-63.4926912022479", "0", "", "", "", "", ""},
     kHeatLossEmpty},
    {"a run-time error of a window: 熱伝達率 with a wind below -0.348",
     {"ロックウール", "保温板１号", "300", "20", nullptr, "-1", "アルミニウム板", nullptr, "垂直平面", nullptr, nullptr, "表面温度上限", "60", nullptr, nullptr, nullptr},
     {"0.22", "0", "", "60", "0.06656056", "", "", "", "", "", "", ""},
     kInvalid},
    // 凍結防止 and 温度降下: each message, as the checks come.
    {"freeze protection on a plane",
     {"ポリエチレンフォーム", "保温筒１種", "5", "-10", nullptr, nullptr, nullptr, "0.94", "垂直平面", nullptr, nullptr, "凍結防止", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "8", "25"},
     {"0.94", "0"}, kPipesOnly},
    {"a temperature drop on a plane",
     {"ロックウール", "保温筒", "180", "0", nullptr, nullptr, nullptr, "0.22", "上向き平面", nullptr, nullptr, "温度降下", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "20000", "2.1", "500", "3"},
     {"0.22", "0"}, kPipesOnly},
    {"freeze protection in air at 0 °C",
     {"ポリエチレンフォーム", "保温筒１種", "5", "0", nullptr, nullptr, nullptr, "0.94", "水平管", "25A", nullptr, "凍結防止", nullptr, nullptr, nullptr, nullptr, nullptr, "鋼管", nullptr, "8", "25"},
     {"0.94", "0.034"}, kNoFrost},
    {"freeze protection of water below 0 °C",
     {"ポリエチレンフォーム", "保温筒１種", "-1", "-10", nullptr, nullptr, nullptr, "0.94", "水平管", "25A", nullptr, "凍結防止", nullptr, nullptr, nullptr, nullptr, nullptr, "鋼管", nullptr, "8", "25"},
     {"0.94", "0.034"}, kIce},
    {"freeze protection for no hours",
     {"ポリエチレンフォーム", "保温筒１種", "5", "-10", nullptr, nullptr, nullptr, "0.94", "垂直管", "25A", nullptr, "凍結防止", nullptr, nullptr, nullptr, nullptr, nullptr, "鋼管", nullptr, nullptr, "25"},
     {"0.94", "0.034"}, kHolding},
    {"a temperature drop of 0 allowed",
     {"ロックウール", "保温筒", "180", "0", nullptr, nullptr, nullptr, "0.22", "垂直管", "100A", nullptr, "温度降下", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "20000", "2.1", "500", nullptr},
     {"0.22", "0.1143"}, kAllowedDrop},
    {"freeze protection with no inner diameter: 凍結防止's own message",
     {"ポリエチレンフォーム", "保温筒１種", "5", "-10", nullptr, "3", "仕上げセメント、布類", nullptr, "水平管", nullptr, "0.034", "凍結防止", nullptr, nullptr, nullptr, "10,15,20,25,30,40,50,65,75,100", nullptr, "鋼管", nullptr, "8", "25"},
     {"0.94", "0.034"}, kFreezeDiameters},
    {"freeze protection for longer than any standard thickness holds",
     {"ポリエチレンフォーム", "保温筒１種", "5", "-10", nullptr, "3", "仕上げセメント、布類", nullptr, "水平管", "25A", nullptr, "凍結防止", nullptr, nullptr, nullptr, "10,15,20,25,30,40,50,65,75,100", nullptr, "鋼管", nullptr, "1000", "25"},
     {"0.94", "0.034"}, kNoThickness},
    // 経済的厚さ: each message, as the checks come.
    {"economic thickness with fewer costs than standard thicknesses",
     {"ロックウール", "保温筒", "180", "10", nullptr, nullptr, nullptr, "0.22", "垂直平面", nullptr, nullptr, "経済的厚さ", nullptr, nullptr, nullptr, "20,25", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "8000", "6", "4000", "10", "3", "85"},
     {"0.22", "0"}, kCosts},
    {"economic thickness with a negative cost",
     {"ロックウール", "保温筒", "180", "10", nullptr, nullptr, nullptr, "0.22", "垂直平面", nullptr, nullptr, "経済的厚さ", nullptr, nullptr, nullptr, "20,25", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "8000,-8600", "6", "4000", "10", "3", "85"},
     {"0.22", "0"}, kCosts},
    {"economic thickness with no price of heat",
     {"ロックウール", "保温筒", "180", "10", nullptr, nullptr, nullptr, "0.22", "垂直平面", nullptr, nullptr, "経済的厚さ", nullptr, nullptr, nullptr, "20,25", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "８０００，８６００", nullptr, "4000", "10", "3", "85"},
     {"0.22", "0"}, kPrices},
    {"economic thickness over no years",
     {"ロックウール", "保温筒", "180", "10", nullptr, nullptr, nullptr, "0.22", "垂直平面", nullptr, nullptr, "経済的厚さ", nullptr, nullptr, nullptr, "20,25", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "8000,8600", "6", "4000", nullptr, "3", "85"},
     {"0.22", "0"}, kYears},
    {"economic thickness at a negative rate",
     {"ロックウール", "保温筒", "180", "10", nullptr, nullptr, nullptr, "0.22", "垂直平面", nullptr, nullptr, "経済的厚さ", nullptr, nullptr, nullptr, "20,25", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "8000,8600", "6", "4000", "10", "-1", "85"},
     {"0.22", "0"}, kYears},
    {"an inside temperature beyond the Double range",
     {"ロックウール", "保温板１号", "1e999", "20", nullptr, nullptr, "アルミニウム板", nullptr, "垂直平面", nullptr, nullptr, "表面温度上限", "60", nullptr, nullptr, nullptr},
     {"0.22", "0", "", "", "", "", "", "", "", "", "", ""},
     kOverflow},
};
// clang-format on

// A design over an inner layer or with a law of one's own: the inputs of the
// first criteria (as kInputs' first sixteen), then the inner layer's
// material, grade and thickness and the law (a, b, c, 下限, 上限); what the
// window then shows (as kShown).
struct InnerDesign {
    const char* title;
    std::array<const char*, 16> in;
    std::array<const char*, 8> inner;
    std::array<const char*, 17> shows;
    const char* fault = "";
    bool typedInner = false;
};

// clang-format off
const InnerDesign kInnerDesigns[] = {
    // material, grade, θ1, θa, RH, v, finish, ε, shape, nominal size, d, criterion, surface limit, dew margin,
    // loss limit, series; inner material, grade, mm, a, b, c, 下限, 上限
    //   → Text5, Text6, Text11–Text20, Text29, Text30, Text37, then 境界温度, the inner layer's λ
    {"example: rock wool over 50 mm of calcium silicate at 550 °C",
     {"ロックウール", "保温筒", "550", "20", nullptr, nullptr, "アルミニウム板", nullptr, "水平管", nullptr, "0.1143", "表面温度上限", "60"},
     {"けい酸カルシウム保温材", "１号－１３", "50"},
     {"0.22", "0.1143", "", "60", "", "", "", "65", "59.5231233504016", "232.133085872562", "0.0666583", "5.42998827195437", "", "", "", "322.311591234797", "0.1019897"}},
    {"a law of one's own as the material",
     {"係数で指定", nullptr, "300", "20", nullptr, nullptr, "アルミニウム板", nullptr, "水平管", "100A", nullptr, "表面温度上限", nullptr},
     {nullptr, nullptr, nullptr, "0.035", "0.00012", "3E-7", "-50", "650"},
     {"0.22", "0.1143", "", "60", "0.06776", "5.92933154418317", "0.0507500000000433", "65", "52.3918824606216", "137.209693619512", "0.0669897602826384", "5.51919367066337"}},
    // At 40 mm the design is 複層保温's example of a law inside glass wool.
    {"a law of one's own as the inner layer, a heat-loss limit",
     {"グラスウール", "保温筒", "150", "20", nullptr, nullptr, "アルミニウム板", nullptr, "水平管", "100A", nullptr, "放散熱量上限", nullptr, nullptr, "45"},
     {"係数で指定", nullptr, "10", "0.018", "0.00005", "0", "-200", "650"},
     {"0.22", "0.1143", "", "", "", "", "", "40", "33.1814632301512", "41.5047649026106", "0.04218126", "4.67694531493547", "", "", "", "106.361911416212", "0.0244090476443144"}},
    {"condensation over an inner layer: the dew point as before",
     {"ポリスチレンフォーム", "押出法保温筒３種", "-10", "30", "80", nullptr, "ステンレス鋼板", nullptr, "水平管", "80A", nullptr, "防露"},
     {"ポリエチレンフォーム", "保温筒１種", "20"},
     {"0.3", "0.0891", "26.1697671155864", "26.1697671155864", "", "", "", "30", "26.2101623332138", "-9.85718652177575", "0.02808857", "4.3781533090833", "", "", "", "4.89185327631179", "0.03906581"}},
    // Each message, as the checks come.
    {"an inner material the list does not hold",
     {"ロックウール", "保温筒", "300", "20", nullptr, nullptr, nullptr, "0.22", "水平管", "100A", nullptr, "表面温度上限"},
     {"けい酸カルシウム"},
     {"0.22", "0.1143"}, "! 内層保温材を選んでください。", true},
    {"an inner layer without its grade",
     {"ロックウール", "保温筒", "300", "20", nullptr, nullptr, nullptr, "0.22", "水平管", "100A", nullptr, "表面温度上限"},
     {"けい酸カルシウム保温材"},
     {"0.22", "0.1143"}, "! 内層種類を選んでください。"},
    {"an inner layer of no thickness",
     {"ロックウール", "保温筒", "300", "20", nullptr, nullptr, nullptr, "0.22", "水平管", "100A", nullptr, "表面温度上限"},
     {"けい酸カルシウム保温材", "１号－１３"},
     {"0.22", "0.1143"}, "! 内層厚さに０より大きい値（ｍｍ）を入力してください。"},
    {"freeze protection over an inner layer",
     {"ロックウール", "保温筒", "80", "-10", nullptr, nullptr, nullptr, "0.22", "水平管", "25A", nullptr, "凍結防止"},
     {"けい酸カルシウム保温材", "１号－１３", "50"},
     {"0.22", "0.034"}, "! 内層のある設計では、凍結防止と温度降下は選べません。"},
    {"a law whose 上限 is not above its 下限: 係数指定's own message",
     {"係数で指定", nullptr, "300", "20", nullptr, nullptr, "アルミニウム板", nullptr, "水平管", "100A", nullptr, "表面温度上限"},
     {},
     {"0.22", "0.1143", "", "60"}, "! 上限温度は下限温度より高くしてください。"},
    {"too thin a ceramic fibre blanket inside: the interface above rock wool's range",
     {"ロックウール", "保温筒", "900", "20", nullptr, nullptr, "アルミニウム板", nullptr, "水平管", "100A", nullptr, "表面温度上限", "80"},
     {"セラミックファイバーブランケット", "ブランケット１号", "10"},
     {"0.22", "0.1143", "", "80"},
     "! 境界温度が外層の保温材の使用範囲外です（279.038284182863～760.988427022722 ℃）。内層を厚くするか保温材を見直してください。"},
    {"a ceramic fibre blanket outside: its surface below 100 °C, 複層保温's own message",
     {"セラミックファイバーブランケット", "ブランケット１号", "300", "20", nullptr, nullptr, "アルミニウム板", nullptr, "垂直平面", nullptr, nullptr, "表面温度上限"},
     {"けい酸カルシウム保温材", "１号－１３", "50"},
     {"0.22", "0", "", "60"},
     "! 第２層の温度が保温材の使用範囲外です（51.6749284096926～123.70654471699 ℃）。厚さか保温材を見直してください。"},
};
// clang-format on

Design withInner(const InnerDesign& d)
{
    Design out{d.title, {}, d.shows, d.fault, false, d.typedInner};
    std::copy(d.in.begin(), d.in.end(), out.in.begin());
    std::copy(d.inner.begin(), d.inner.end(), out.in.begin() + 31);
    return out;
}

// The worked example's entries, for the cases that start from it.
std::vector<std::string> exampleCommands()
{
    return designCase(kDesigns[0]).commands;
}

}  // namespace

MILFO_GUI_CASES(insulation_design)
{
    std::vector<GuiCase> cases;
    for (const Design& d : kDesigns)
        cases.push_back(designCase(d));
    for (const InnerDesign& d : kInnerDesigns)
        cases.push_back(designCase(withInner(d)));

    // Full-width digits with a unit are read as the number, and the box is
    // marked; the design is the worked example's.
    Design typo = kDesigns[0];
    typo.title = "３００ｄｅｇ is read as 300 and marked";
    typo.in[2] = "３００ｄｅｇ";
    cases.push_back(designCase(typo));
    cases.back().marks = {{"Text1", "「３００ｄｅｇ」を 300 として計算しました"}, {"Text2", ""}};

    // A press that fails after one that went through: every result box is
    // emptied first, and those the new press wrote before it failed keep
    // their new text; the inputs stay as typed.
    GuiCase again{"a failing press after the worked example", exampleCommands(), {}, kInvalid};
    for (const char* command : {"set Text4 -1", "click Command1"})
        again.commands.emplace_back(command);
    again.expect = {
        {"Text4", "-1"}, {"Text5", "0.22"}, {"Text11", ""}, {"Text12", "60"}, {"Text13", "0.06656056"},
        {"Text14", ""},  {"Text15", ""},    {"Text16", ""}, {"Text17", ""},   {"Text18", ""},
        {"Text19", ""},  {"Text20", ""},    {"Text29", ""}, {"Text30", ""},   {"Text37", ""},
        {"Text39", ""},  {"Text40", ""}};
    cases.push_back(again);

    // The grade list is the material's own window's list, refilled on every
    // pick (unit_tests hold each list against its window's).
    cases.push_back({"a material's grades, first and last",
                     {"pick Combo1 グラスウール", "pick Combo2 ウール２号", "pick Combo2 保温筒"},
                     {{"Combo1", "グラスウール"}, {"Combo2", "保温筒"}}});
    cases.push_back({"another material empties the grade and offers its own",
                     {"pick Combo1 グラスウール", "pick Combo2 保温筒", "pick Combo1 ロックウール",
                      "pick Combo2 保温板３号"},
                     {{"Combo2", "保温板３号"}}});
    cases.push_back(
        {"a material without grades empties the grade",
         {"pick Combo1 ロックウール", "pick Combo2 保温板１号", "pick Combo1 硬質ウレタンフォーム"},
         {{"Combo1", "硬質ウレタンフォーム"}, {"Combo2", ""}}});
    // The finishes and their emissivities as 熱伝達率 shows them.
    const char* const finishes[][2] = {{"塗装溶融メッキ鋼板", "0.5"},
                                       {"アルミニウム板", "0.22"},
                                       {"ステンレス鋼板", "0.3"},
                                       {"仕上げセメント、布類", "0.94"},
                                       {"", ""}};
    for (const auto& [finish, emissivity] : finishes)
        cases.push_back({std::string("the finish ") + (*finish ? finish : "(empty entry)") + " fills ε",
                         {"pick Combo3 アルミニウム板", std::string("pick Combo3 ") + finish},
                         {{"Combo3", finish}, {"Text5", emissivity}}});
    // The nominal sizes of JIS G 3452 fill the outer and inner diameter in metres.
    const char* const sizes[][3] = {
        {"6A", "0.0105", "0.0065"}, {"100A", "0.1143", "0.1053"}, {"500A", "0.508", "0.4922"}};
    for (const auto& [nominal, outer, inner] : sizes)
        cases.push_back({std::string(nominal) + " fills its outer and inner diameter",
                         {std::string("pick Combo5 ") + nominal},
                         {{"Combo5", nominal}, {"Text6", outer}, {"Text24", inner}}});
    cases.push_back({"a diameter typed after the size is the one read",
                     {"pick Combo5 100A", "set Text6 0.12"},
                     {{"Combo5", "100A"}, {"Text6", "0.12"}, {"Text24", "0.1053"}}});
    // The pipe materials and their volumetric heat as 凍結防止 shows them.
    const char* const pipes[][2] = {{"鋼管", "3611"}, {"ステンレス鋼管", "3957"}, {"銅管", "3450"}};
    for (const auto& [material, heat] : pipes)
        cases.push_back({std::string("the pipe material ") + material + " fills its volumetric heat",
                         {"pick Combo7 銅管", std::string("pick Combo7 ") + material},
                         {{"Combo7", material}, {"Text23", heat}}});

    // The inner layer's grades are its material's window's, as the outer's.
    cases.push_back({"an inner material's grades; the empty entry empties them",
                     {"pick Combo8 けい酸カルシウム保温材", "pick Combo9 ２号－２２", "pick Combo8 "},
                     {{"Combo8", ""}, {"Combo9", ""}}});
    cases.push_back({"an inner material's grade",
                     {"pick Combo8 ロックウール", "pick Combo9 フェルト"},
                     {{"Combo8", "ロックウール"}, {"Combo9", "フェルト"}}});

    return {
        "保温設計",
        {"Combo1", "Combo2", "Combo8", "Combo9", "Text38", "Text1",  "Text2",  "Text3",  "Text4",  "Combo3",
         "Text5",  "Combo4", "Combo5", "Text6",  "Text24", "Combo7", "Text23", "Combo6", "Text10", "Text7",
         "Text8",  "Text9",  "Text21", "Text22", "Text25", "Text26", "Text27", "Text28", "Text31", "Text32",
         "Text33", "Text34", "Text35", "Text36", "Text41", "Text42", "Text43", "Text44", "Text45", "Command1",
         "Text11", "Text12", "Text13", "Text14", "Text15", "Text16", "Text17", "Text18", "Text19", "Text20",
         "Text29", "Text30", "Text37", "Text39", "Text40", "Combo1"},
        cases};
}
