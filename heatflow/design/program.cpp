// 保温設計 (menu ７): the insulation thickness an engineer specifies, from the
// material and the conditions, in one press. It runs the suite's own windows
// as a person copying between them would: every value is passed on as the
// text the other window shows, read back as that window's result, so any line
// of the design can be checked in the fifteen programs. No formula of theirs
// is written here. This source is the window: its description, its handlers
// and the tables it shows beside the window; design.h is the design, and
// criterion.h the criteria it chooses a thickness for.
#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "conductivity.h"
#include "criterion.h"
#include "design.h"
#include "event.h"
#include "form_model.h"
#include "layered.h"
#include "numeric.h"
#include "pipe_sizes.h"

namespace milfo::heatflow {

const ProgramDescription& insulationDesign();

namespace {

using K = ControlKind;
using namespace design;

void Command1_Click(Form& form)
{
    designOnForm(form, nullptr, nullptr);
}

// A pipe material picked: the same entry picked in 凍結防止 gives the
// volumetric heat it shows. A text that is none of its entries leaves the
// box as typed.
void Combo7_Click(Form& form)
{
    const std::string material = form.text("Combo7");
    const std::vector<std::string> entries = entriesOf(windows().freezing, "Combo1");
    if (std::find(entries.begin(), entries.end(), material) == entries.end())
        return;
    Run run(windows().freezing, nullptr, "");
    run.enter("Combo1", material);
    form.setText("Text23", run.shown("Text5"));
}

// --- The side tables ---------------------------------------------------------------

// The window's inputs copied from a form into a loaded 保温設計 of our own.
FormModel designForm(const Form& shown)
{
    static const FormModel loaded = [] {
        FormModel form(insulationDesign());
        form.load();
        return form;
    }();
    FormModel form = loaded;
    for (const Control* input : form.rules().inputs())
        form.type(*input, shown.text(input->name));
    return form;
}

const char* const kSweepTitle = "標準厚さごとの表面温度と放散熱量";

// The tables beside the window (their shape is SideTable's):
// - the sweep: for every standard thickness of the series, step 4 (the
//   thicknesses below the required one too): T (mm), the surface
//   temperature, loss, conductivity and coefficient, the interface
//   temperature over an inner layer, or the message that ended it; charted over T with the criterion's level
//   (the target surface temperature, or the loss limit) and the adopted T marked;
// - the table of each criterion that has figures of its own, with rows when
//   it is the one chosen: T and its figures at T (or the message), charted
//   with the adopted T marked and what the criterion asks for as the level;
// - the chain: every window run of the design as the window works it out,
//   in order and in the windows' own words (ChainLine): the step, what it is
//   for, the program, the button, what was entered and what was read, each
//   by its caption, and the text passed on.
std::vector<SideTable> sideTables(const Form& shown)
{
    SideTable sweep{kSweepTitle,
                    {"標準厚さ（ｍｍ）", "表面温度（℃）", "放散熱量（Ｗ／ｍ２・Ｗ／ｍ）",
                     "平均熱伝導率（Ｗ／ｍＫ）", "表面熱伝達率（Ｗ／ｍ２Ｋ）", "境界温度（℃）", "備考"}};
    sweep.chart.x = 0;
    sweep.chart.lines = {1, 2};
    sweep.chart.markedTitle = "採用厚さ";
    std::vector<SideTable> tables{sweep};
    std::vector<const Criterion*> tabled;  // the criterion of each table after the sweep
    for (const Criterion* c : criteria()) {
        SideTable t = c->table();
        if (t.title.empty())
            continue;
        tables.push_back(std::move(t));
        tabled.push_back(c);
    }
    FormModel form = designForm(shown);
    Chain lines;
    std::optional<Plan> plan;
    try {
        designOnForm(form, &lines, &plan);
    } catch (...) {
        // The window shows how the design ended; the tables show how far it got.
    }
    SideTable chain = chainTable(lines);

    if (plan) {
        const Inputs in(form);
        Design design(in, plan->material, plan->shape, plan->inner);
        const auto mine = std::find(tabled.begin(), tabled.end(), plan->criterion);
        SideTable* own =
            mine != tabled.end() ? &tables[1 + static_cast<size_t>(mine - tabled.begin())] : nullptr;
        const std::string adopted = form.text("Text16");
        for (size_t place = 0; place < plan->series.size(); ++place) {
            const long mm = plan->series[place];
            const std::string t = std::to_string(mm);
            std::vector<std::string> row{t, "", "", "", "", "", ""};
            std::vector<std::string> figures{t};
            try {
                const AtThickness at = design.atThickness(mm, plan->start);
                row = {t, at.surface, at.loss, at.conductivity, at.coefficient, at.interface, ""};
                if (own != nullptr)
                    for (std::string& cell : plan->criterion->figures(design, *plan, place, mm, at).cells)
                        figures.push_back(std::move(cell));
            } catch (...) {
                const std::string message = currentFailure().message;
                if (row[1].empty())
                    row.back() = message;
                if (own != nullptr)
                    figures.resize(own->columns.size() - 1);
                figures.push_back(message);
            }
            if (t == adopted)
                tables[0].chart.marked = static_cast<int>(tables[0].rows.size());
            tables[0].rows.push_back(std::move(row));
            if (own == nullptr)
                continue;
            if (figures.size() < own->columns.size())
                figures.emplace_back("");
            if (t == adopted)
                own->chart.marked = static_cast<int>(own->rows.size());
            own->rows.push_back(std::move(figures));
        }
        plan->criterion->level(tables[0].chart, in, *plan);
        if (own != nullptr)
            plan->criterion->tableLevel(own->chart, in);
    }
    tables.push_back(std::move(chain));
    return tables;
}

// --- The window --------------------------------------------------------------------

// The messages the window may show: the design's own, every criterion's, and
// those of the windows it runs over an inner layer or a law of one's own.
std::vector<std::string> allMessages()
{
    std::vector<std::string> all = commonMessages();
    for (const Criterion* c : criteria())
        for (std::string& m : c->messages())
            all.push_back(std::move(m));
    // What the windows it runs over an inner layer or a law may stop with.
    for (const std::string& m : layeredInsulation().messages)
        all.push_back(m);
    all.emplace_back(conductivity::kLawBounds);
    return all;
}

// What a press reads beyond the material, the temperatures, the air, the
// finish, the shape and the series: a pipe's outer diameter, what each
// criterion asks for, the law of 係数で指定, and an inner layer's grade,
// thickness and law.
std::vector<Choice> choices()
{
    std::vector<Choice> all = {
        {"Combo4", kShapes[0], {"Text6"}},
        {"Combo4", kShapes[1], {"Text6"}},
        {"Combo6", surfaceLimit().name(), {"Text7"}},
        {"Combo6", condensation().name(), {"Text3", "Text8"}},
        {"Combo6", lossLimit().name(), {"Text9"}},
        {"Combo6", freezing().name(), {"Text21", "Text22", "Text23", "Text24"}},
        {"Combo6", outletDrop().name(), {"Text25", "Text26", "Text27", "Text28"}},
        {"Combo6", economicThickness().name(), {"Text31", "Text32", "Text33", "Text34", "Text35", "Text36"}},
    };
    const std::vector<const char*> law = {"Text41", "Text42", "Text43", "Text44", "Text45"};
    for (const MaterialChoice& m : materialChoices()) {
        if (m.law)
            all.push_back({"Combo1", m.material, law});
        std::vector<const char*> inner = {"Text38"};
        if (m.graded)
            inner.insert(inner.begin(), "Combo9");
        if (m.law)
            inner.insert(inner.end(), law.begin(), law.end());
        all.push_back({"Combo8", m.material, inner});
    }
    return all;
}

}  // namespace

// Three columns: what the line is (the material and the conditions, the
// pipe, the criterion and the series), what each criterion asks for, and
// the results.
const ProgramDescription& insulationDesign()
{
    static const ProgramDescription program{
        "保温設計",
        16560,
        9030,
        {
            // kind, name, caption or initial text, left, top, width, height, tab index
            {K::Label, "Label1", "保温厚さの設計", 240, 120, 3255, 255, 0},
            {K::Label, "Label2", "保温材", 240, 630, 2655, 255, 1},
            {K::ComboBox, "Combo1", "", 3000, 600, 3255, 300, 2},
            {K::Label, "Label3", "種類", 240, 1050, 2655, 255, 3},
            {K::ComboBox, "Combo2", "", 3000, 1020, 3255, 300, 4},
            {K::Label, "Label48", "内層保温材", 240, 1470, 2655, 255, 5},
            {K::ComboBox, "Combo8", "", 3000, 1440, 3255, 300, 6},
            {K::Label, "Label49", "内層種類", 240, 1890, 2655, 255, 7},
            {K::ComboBox, "Combo9", "", 3000, 1860, 3255, 300, 8},
            {K::Label, "Label50", "内層厚さ（ｍｍ）", 240, 2310, 2655, 255, 9},
            {K::TextBox, "Text38", "0", 3000, 2280, 1215, 300, 10},
            {K::Label, "Label4", "内部温度（℃）", 240, 2730, 2655, 255, 11},
            {K::TextBox, "Text1", "0", 3000, 2700, 1215, 300, 12},
            {K::Label, "Label5", "周囲温度（℃）", 240, 3150, 2655, 255, 13},
            {K::TextBox, "Text2", "0", 3000, 3120, 1215, 300, 14},
            {K::Label, "Label6", "相対湿度（％）", 240, 3570, 2655, 255, 15},
            {K::TextBox, "Text3", "0", 3000, 3540, 1215, 300, 16},
            {K::Label, "Label7", "風速（ｍ／ｓ）", 240, 3990, 2655, 255, 17},
            {K::TextBox, "Text4", "0", 3000, 3960, 1215, 300, 18},
            {K::Label, "Label8", "表面仕上げ", 240, 4410, 2655, 255, 19},
            {K::ComboBox, "Combo3", "", 3000, 4380, 3255, 300, 20},
            {K::Label, "Label9", "放射率", 240, 4830, 2655, 255, 21},
            {K::TextBox, "Text5", "0", 3000, 4800, 1215, 300, 22},
            {K::Label, "Label10", "形状", 240, 5250, 2655, 255, 23},
            {K::ComboBox, "Combo4", "", 3000, 5220, 1935, 300, 24},
            {K::Label, "Label11", "呼び径", 240, 5670, 2655, 255, 25},
            {K::ComboBox, "Combo5", "", 3000, 5640, 1215, 300, 26},
            {K::Label, "Label12", "外径（ｍ）", 240, 6090, 2655, 255, 27},
            {K::TextBox, "Text6", "0", 3000, 6060, 1215, 300, 28},
            {K::Label, "Label30", "管の内径（ｍ）", 240, 6510, 2655, 255, 29},
            {K::TextBox, "Text24", "0", 3000, 6480, 1215, 300, 30},
            {K::Label, "Label31", "管の材質", 240, 6930, 2655, 255, 31},
            {K::ComboBox, "Combo7", "", 3000, 6900, 1935, 300, 32},
            {K::Label, "Label32", "管材の容積比熱（ｋＪ／ｍ３Ｋ）", 240, 7350, 2655, 255, 33},
            {K::TextBox, "Text23", "0", 3000, 7320, 1215, 300, 34},
            {K::Label, "Label13", "設計条件", 240, 7770, 2655, 255, 35},
            {K::ComboBox, "Combo6", "", 3000, 7740, 1935, 300, 36},
            {K::Label, "Label17", "標準厚さ（ｍｍ）", 240, 8190, 2655, 255, 37},
            {K::TextBox, "Text10", "20,25,30,40,50,65,75,100", 3000, 8160, 3255, 300, 38},
            {K::Label, "Label14", "表面温度上限（℃）", 6600, 630, 2655, 255, 39},
            {K::TextBox, "Text7", "60", 9360, 600, 1215, 300, 40},
            {K::Label, "Label15", "防露余裕（Ｋ）", 6600, 1050, 2655, 255, 41},
            {K::TextBox, "Text8", "0", 9360, 1020, 1215, 300, 42},
            {K::Label, "Label16", "放散熱量上限（Ｗ／ｍ２・Ｗ／ｍ）", 6600, 1470, 2655, 255, 43},
            {K::TextBox, "Text9", "0", 9360, 1440, 1215, 300, 44},
            {K::Label, "Label33", "保持時間（ｈ）", 6600, 1890, 2655, 255, 45},
            {K::TextBox, "Text21", "0", 9360, 1860, 1215, 300, 46},
            {K::Label, "Label34", "凍結率（％）", 6600, 2310, 2655, 255, 47},
            {K::TextBox, "Text22", "0", 9360, 2280, 1215, 300, 48},
            {K::Label, "Label35", "流量（ｋｇ／ｈ）", 6600, 2730, 2655, 255, 49},
            {K::TextBox, "Text25", "0", 9360, 2700, 1215, 300, 50},
            {K::Label, "Label36", "比熱（ｋＪ／ｋｇＫ）", 6600, 3150, 2655, 255, 51},
            {K::TextBox, "Text26", "0", 9360, 3120, 1215, 300, 52},
            {K::Label, "Label37", "配管の長さ（ｍ）", 6600, 3570, 2655, 255, 53},
            {K::TextBox, "Text27", "0", 9360, 3540, 1215, 300, 54},
            {K::Label, "Label38", "許容温度降下（Ｋ）", 6600, 3990, 2655, 255, 55},
            {K::TextBox, "Text28", "0", 9360, 3960, 1215, 300, 56},
            {K::Label, "Label41", "保温工事費（円／ｍ・円／ｍ２）", 6600, 4410, 2655, 255, 57},
            {K::TextBox, "Text31", "0", 9360, 4380, 1935, 300, 58},
            {K::Label, "Label42", "熱量単価（円／ｋＷｈ）", 6600, 4830, 2655, 255, 59},
            {K::TextBox, "Text32", "0", 9360, 4800, 1215, 300, 60},
            {K::Label, "Label43", "年間運転時間（ｈ）", 6600, 5250, 2655, 255, 61},
            {K::TextBox, "Text33", "0", 9360, 5220, 1215, 300, 62},
            {K::Label, "Label44", "償却年数（年）", 6600, 5670, 2655, 255, 63},
            {K::TextBox, "Text34", "0", 9360, 5640, 1215, 300, 64},
            {K::Label, "Label45", "利率（％）", 6600, 6090, 2655, 255, 65},
            {K::TextBox, "Text35", "0", 9360, 6060, 1215, 300, 66},
            {K::Label, "Label46", "熱源効率（％）", 6600, 6510, 2655, 255, 67},
            {K::TextBox, "Text36", "0", 9360, 6480, 1215, 300, 68},
            {K::Label, "Label53", "係数ａ（Ｗ／ｍＫ）", 6600, 6930, 2655, 255, 69},
            {K::TextBox, "Text41", "", 9360, 6900, 1215, 300, 70},
            {K::Label, "Label54", "係数ｂ（Ｗ／ｍＫ２）", 6600, 7350, 2655, 255, 71},
            {K::TextBox, "Text42", "", 9360, 7320, 1215, 300, 72},
            {K::Label, "Label55", "係数ｃ（Ｗ／ｍＫ３）", 6600, 7770, 2655, 255, 73},
            {K::TextBox, "Text43", "", 9360, 7740, 1215, 300, 74},
            {K::Label, "Label56", "下限温度（℃）", 6600, 8190, 2655, 255, 75},
            {K::TextBox, "Text44", "", 9360, 8160, 1215, 300, 76},
            {K::Label, "Label57", "上限温度（℃）", 6600, 8610, 2655, 255, 77},
            {K::TextBox, "Text45", "", 9360, 8580, 1215, 300, 78},
            {K::CommandButton, "Command1", "計算", 14400, 600, 1215, 375, 79},
            {K::Label, "Label18", "露点温度（℃）", 11640, 1230, 2655, 255, 80},
            {K::TextBox, "Text11", "", 14400, 1200, 1935, 300, 81},
            {K::Label, "Label19", "目標表面温度（℃）", 11640, 1650, 2655, 255, 82},
            {K::TextBox, "Text12", "", 14400, 1620, 1935, 300, 83},
            {K::Label, "Label20", "平均熱伝導率（Ｗ／ｍＫ）", 11640, 2070, 2655, 255, 84},
            {K::TextBox, "Text13", "", 14400, 2040, 1935, 300, 85},
            {K::Label, "Label21", "表面熱伝達率（Ｗ／ｍ２Ｋ）", 11640, 2490, 2655, 255, 86},
            {K::TextBox, "Text14", "", 14400, 2460, 1935, 300, 87},
            {K::Label, "Label22", "必要厚さ（ｍ）", 11640, 2910, 2655, 255, 88},
            {K::TextBox, "Text15", "", 14400, 2880, 1935, 300, 89},
            {K::Label, "Label23", "採用厚さ（ｍｍ）", 11640, 3510, 2655, 255, 90},
            {K::TextBox, "Text16", "", 14400, 3480, 1935, 300, 91},
            {K::Label, "Label24", "採用厚さでの表面温度（℃）", 11640, 3930, 2655, 255, 92},
            {K::TextBox, "Text17", "", 14400, 3900, 1935, 300, 93},
            {K::Label, "Label25", "採用厚さでの放散熱量（Ｗ／ｍ２・Ｗ／ｍ）", 11640, 4290, 1695, 510, 94},
            {K::TextBox, "Text18", "", 14400, 4320, 1935, 300, 95},
            {K::Label, "Label26", "採用厚さでの平均熱伝導率（Ｗ／ｍＫ）", 11640, 4830, 1935, 510, 96},
            {K::TextBox, "Text19", "", 14400, 4860, 1935, 300, 97},
            {K::Label, "Label27", "採用厚さでの表面熱伝達率（Ｗ／ｍ２Ｋ）", 11640, 5370, 1935, 510, 98},
            {K::TextBox, "Text20", "", 14400, 5400, 1935, 300, 99},
            {K::Label, "Label39", "凍結までの時間（ｈ）", 11640, 5970, 2655, 255, 100},
            {K::TextBox, "Text29", "", 14400, 5940, 1935, 300, 101},
            {K::Label, "Label40", "出口温度（℃）", 11640, 6390, 2655, 255, 102},
            {K::TextBox, "Text30", "", 14400, 6360, 1935, 300, 103},
            {K::Label, "Label47", "年間費用（円／年）", 11640, 6810, 2655, 255, 104},
            {K::TextBox, "Text37", "", 14400, 6780, 1935, 300, 105},
            {K::Label, "Label51", "境界温度（℃）", 11640, 7230, 2655, 255, 106},
            {K::TextBox, "Text39", "", 14400, 7200, 1935, 300, 107},
            {K::Label, "Label52", "内層の平均熱伝導率（Ｗ／ｍＫ）", 11640, 7650, 2655, 255, 108},
            {K::TextBox, "Text40", "", 14400, 7620, 1935, 300, 109},
            {K::Label, "Label28", kCreditLine, 11640, 8640, 1935, 255, 110},
            {K::Label, "Label29", "2026/12/07", 14400, 8640, 1215, 255, 111},
        },
        {
            {"Combo1", materialEntries(false)},
            {"Combo3", entriesOf(windows().heatTransfer, "Combo1")},
            {"Combo4", std::vector<std::string>(std::begin(kShapes), std::end(kShapes))},
            {"Combo5", nominalSizes()},
            {"Combo6",
             [] {
                 std::vector<std::string> names;
                 for (const Criterion* c : criteria())
                     names.emplace_back(c->name());
                 return names;
             }()},
            {"Combo7", entriesOf(windows().freezing, "Combo1")},
            {"Combo8", materialEntries(true)},
        },
        {
            {"Combo1_Click", gradesPicked("Combo1", "Combo2")},
            {"Combo3_Click", finishPicked("Combo3", "Text5"), {"Text5"}},
            // A nominal size picked: its outer and inner diameter in metres.
            {"Combo5_Click", nominalSizePicked("Combo5", "Text6", "Text24"), {"Text6", "Text24"}},
            {"Combo7_Click", Combo7_Click, {"Text23"}},
            {"Combo8_Click", gradesPicked("Combo8", "Combo9")},
            {"Command1_Click",
             Command1_Click,
             resultBoxes(),
             {"Combo1", "Combo2", "Combo8", "Text1", "Text2", "Text4", "Text5", "Combo4", "Combo6",
              "Text10"}},
        },
        {
            // box, the label that captions it
            {"Combo1", "Label2"},  {"Combo2", "Label3"},  {"Text1", "Label4"},   {"Text2", "Label5"},
            {"Text3", "Label6"},   {"Text4", "Label7"},   {"Combo3", "Label8"},  {"Text5", "Label9"},
            {"Combo4", "Label10"}, {"Combo5", "Label11"}, {"Text6", "Label12"},  {"Combo6", "Label13"},
            {"Text7", "Label14"},  {"Text8", "Label15"},  {"Text9", "Label16"},  {"Text10", "Label17"},
            {"Text11", "Label18"}, {"Text12", "Label19"}, {"Text13", "Label20"}, {"Text14", "Label21"},
            {"Text15", "Label22"}, {"Text16", "Label23"}, {"Text17", "Label24"}, {"Text18", "Label25"},
            {"Text19", "Label26"}, {"Text20", "Label27"}, {"Text24", "Label30"}, {"Combo7", "Label31"},
            {"Text23", "Label32"}, {"Text21", "Label33"}, {"Text22", "Label34"}, {"Text25", "Label35"},
            {"Text26", "Label36"}, {"Text27", "Label37"}, {"Text28", "Label38"}, {"Text29", "Label39"},
            {"Text30", "Label40"}, {"Text31", "Label41"}, {"Text32", "Label42"}, {"Text33", "Label43"},
            {"Text34", "Label44"}, {"Text35", "Label45"}, {"Text36", "Label46"}, {"Text37", "Label47"},
            {"Combo8", "Label48"}, {"Combo9", "Label49"}, {"Text38", "Label50"}, {"Text39", "Label51"},
            {"Text40", "Label52"}, {"Text41", "Label53"}, {"Text42", "Label54"}, {"Text43", "Label55"},
            {"Text44", "Label56"}, {"Text45", "Label57"},
        },
        allMessages(),
        sideTables,
        // The standard thicknesses and the installed costs: lists of numbers,
        // checked by the handler.
        {"Text10", "Text31"},
        // The grades are checked by the handler (a material may have none);
        // the finish, the nominal size and the pipe material only fill boxes;
        // the inner layer's empty entry is no inner layer.
        {"Combo2", "Combo3", "Combo5", "Combo7", "Combo8", "Combo9"},
        choices(),
        // Still air, the standard series, 60 ℃ and no margin.
        {"Text4", "Text10", "Text7", "Text8"},
    };
    return program;
}

}  // namespace milfo::heatflow
