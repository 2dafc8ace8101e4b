// 保温設計 (menu ７): the insulation thickness an engineer specifies, from the
// material and the conditions, in one press. It runs the suite's own windows
// as a person copying between them would: every value is passed on as the
// text the other window shows, read back as that window's result, so any line
// of the design can be checked in the fifteen programs. No formula of theirs
// is written here. This source is the window: its description, its handlers
// and the tables it shows beside the window; design.h is the design, and
// criterion.h the criteria it chooses a thickness for.
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "criterion.h"
#include "design.h"
#include "event.h"
#include "form_model.h"
#include "numeric.h"
#include "pipe_sizes.h"
#include "programs.h"

namespace milfo::heatflow {

const ProgramDescription& insulationDesign();

namespace {

using K = ControlKind;
using namespace design;

void Command1_Click(Form& form)
{
    designOnForm(form, nullptr, nullptr);
}

// A material picked: its grades, as its own window lists them.
void Combo1_Click(Form& form)
{
    form.clearItems("Combo2");
    const std::string material = form.text("Combo1");
    for (size_t i = 0; i < materials().size(); ++i) {
        if (material != materials()[i].name)
            continue;
        for (const std::string& grade : entriesOf(windows().materials[i], "Combo1"))
            form.addItem("Combo2", grade);
        return;
    }
}

// A finish picked: the same entry picked in 熱伝達率 gives the emissivity it
// shows.
void Combo3_Click(Form& form)
{
    Run run(windows().heatTransfer, nullptr, "");
    run.enter("Combo1", form.text("Combo3"));
    form.setText("Text5", run.shown("Text12"));
}

// A nominal size picked: its outer diameter in metres.
void Combo5_Click(Form& form)
{
    const std::string nominal = form.text("Combo5");
    for (const PipeSize& size : sgpSizes())
        if (nominal == size.nominal)
            form.setText("Text6", size.outerDiameter);
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
const char* const kChainTitle = "計算の過程（各プログラムに入力した値と結果）";

// Two tables beside the window (their shape is SideTable's):
// - the sweep: for every standard thickness of the series, step 4 (the
//   thicknesses below the required one too): T (mm), the surface
//   temperature, loss, conductivity and coefficient, or the message that
//   ended it; charted over T with the criterion's level (the target surface
//   temperature, or the loss limit) and the adopted T marked;
// - the chain: every window run of the design as the window works it out,
//   in order and in the windows' own words (ChainLine): the step, what it is
//   for, the program, the button, what was entered and what was read, each
//   by its caption, and the text passed on.
std::vector<SideTable> sideTables(const Form& shown)
{
    SideTable sweep{kSweepTitle,
                    {"標準厚さ（ｍｍ）", "表面温度（℃）", "放散熱量（Ｗ／ｍ２・Ｗ／ｍ）",
                     "平均熱伝導率（Ｗ／ｍＫ）", "表面熱伝達率（Ｗ／ｍ２Ｋ）", "備考"}};
    sweep.chart.x = 0;
    sweep.chart.lines = {1, 2};
    sweep.chart.markedTitle = "採用厚さ";
    SideTable chain{kChainTitle, {"手順", "内容", "プログラム", "ボタン", "入力", "結果", "渡す値"}};

    FormModel form = designForm(shown);
    Chain lines;
    std::optional<Plan> plan;
    try {
        designOnForm(form, &lines, &plan);
    } catch (...) {
        // The window shows how the design ended; the tables show how far it got.
    }
    for (ChainLine& l : lines)
        chain.rows.push_back({l.step, l.purpose, l.program, l.button, l.entered, l.read, l.value});
    if (!plan)
        return {sweep, chain};

    const Inputs in(form);
    Design design(in, *plan->materialWindow, plan->shape);
    for (const long mm : plan->series) {
        std::vector<std::string> row{std::to_string(mm), "", "", "", "", ""};
        try {
            const AtThickness at = design.atThickness(mm, plan->start);
            row = {std::to_string(mm), at.surface, at.loss, at.conductivity, at.coefficient, ""};
        } catch (...) {
            row.back() = currentFailure().message;
        }
        if (row.front() == form.text("Text16"))
            sweep.chart.marked = static_cast<int>(sweep.rows.size());
        sweep.rows.push_back(std::move(row));
    }
    plan->criterion->level(sweep.chart, in, *plan);
    return {sweep, chain};
}

// --- The window --------------------------------------------------------------------

// The messages the window may show: the design's own, and every criterion's.
std::vector<std::string> allMessages()
{
    std::vector<std::string> all = commonMessages();
    for (const Criterion* c : criteria())
        for (std::string& m : c->messages())
            all.push_back(std::move(m));
    return all;
}

}  // namespace

const ProgramDescription& insulationDesign()
{
    static const ProgramDescription program{
        "保温設計",
        "ミルフォ－７",
        11460,
        7560,
        {
            // kind, name, caption or initial text, left, top, width, height, tab index
            {K::Label, "Label1", "保温厚さの設計", 240, 120, 3255, 255, 0},
            {K::Label, "Label2", "保温材", 240, 630, 2655, 255, 1},
            {K::ComboBox, "Combo1", "", 3000, 600, 3255, 300, 2},
            {K::Label, "Label3", "種類", 240, 1050, 2655, 255, 3},
            {K::ComboBox, "Combo2", "", 3000, 1020, 3255, 300, 4},
            {K::Label, "Label4", "内部温度（℃）", 240, 1470, 2655, 255, 5},
            {K::TextBox, "Text1", "0", 3000, 1440, 1215, 300, 6},
            {K::Label, "Label5", "周囲温度（℃）", 240, 1890, 2655, 255, 7},
            {K::TextBox, "Text2", "0", 3000, 1860, 1215, 300, 8},
            {K::Label, "Label6", "相対湿度（％）", 240, 2310, 2655, 255, 9},
            {K::TextBox, "Text3", "0", 3000, 2280, 1215, 300, 10},
            {K::Label, "Label7", "風速（ｍ／ｓ）", 240, 2730, 2655, 255, 11},
            {K::TextBox, "Text4", "0", 3000, 2700, 1215, 300, 12},
            {K::Label, "Label8", "表面仕上げ", 240, 3150, 2655, 255, 13},
            {K::ComboBox, "Combo3", "", 3000, 3120, 3255, 300, 14},
            {K::Label, "Label9", "放射率", 240, 3570, 2655, 255, 15},
            {K::TextBox, "Text5", "0", 3000, 3540, 1215, 300, 16},
            {K::Label, "Label10", "形状", 240, 3990, 2655, 255, 17},
            {K::ComboBox, "Combo4", "", 3000, 3960, 1935, 300, 18},
            {K::Label, "Label11", "呼び径", 240, 4410, 2655, 255, 19},
            {K::ComboBox, "Combo5", "", 3000, 4380, 1215, 300, 20},
            {K::Label, "Label12", "外径（ｍ）", 240, 4830, 2655, 255, 21},
            {K::TextBox, "Text6", "0", 3000, 4800, 1215, 300, 22},
            {K::Label, "Label13", "設計条件", 240, 5250, 2655, 255, 23},
            {K::ComboBox, "Combo6", "", 3000, 5220, 1935, 300, 24},
            {K::Label, "Label14", "表面温度上限（℃）", 240, 5670, 2655, 255, 25},
            {K::TextBox, "Text7", "60", 3000, 5640, 1215, 300, 26},
            {K::Label, "Label15", "防露余裕（Ｋ）", 240, 6090, 2655, 255, 27},
            {K::TextBox, "Text8", "0", 3000, 6060, 1215, 300, 28},
            {K::Label, "Label16", "放散熱量上限（Ｗ／ｍ２・Ｗ／ｍ）", 240, 6510, 2655, 255, 29},
            {K::TextBox, "Text9", "0", 3000, 6480, 1215, 300, 30},
            {K::Label, "Label17", "標準厚さ（ｍｍ）", 240, 6930, 2655, 255, 31},
            {K::TextBox, "Text10", "20,25,30,40,50,65,75,100", 3000, 6900, 3255, 300, 32},
            {K::CommandButton, "Command1", "計算", 9360, 600, 1215, 375, 33},
            {K::Label, "Label18", "露点温度（℃）", 6600, 1230, 2655, 255, 34},
            {K::TextBox, "Text11", "", 9360, 1200, 1935, 300, 35},
            {K::Label, "Label19", "目標表面温度（℃）", 6600, 1650, 2655, 255, 36},
            {K::TextBox, "Text12", "", 9360, 1620, 1935, 300, 37},
            {K::Label, "Label20", "平均熱伝導率（Ｗ／ｍＫ）", 6600, 2070, 2655, 255, 38},
            {K::TextBox, "Text13", "", 9360, 2040, 1935, 300, 39},
            {K::Label, "Label21", "表面熱伝達率（Ｗ／ｍ２Ｋ）", 6600, 2490, 2655, 255, 40},
            {K::TextBox, "Text14", "", 9360, 2460, 1935, 300, 41},
            {K::Label, "Label22", "必要厚さ（ｍ）", 6600, 2910, 2655, 255, 42},
            {K::TextBox, "Text15", "", 9360, 2880, 1935, 300, 43},
            {K::Label, "Label23", "採用厚さ（ｍｍ）", 6600, 3510, 2655, 255, 44},
            {K::TextBox, "Text16", "", 9360, 3480, 1935, 300, 45},
            {K::Label, "Label24", "採用厚さでの表面温度（℃）", 6600, 3930, 2655, 255, 46},
            {K::TextBox, "Text17", "", 9360, 3900, 1935, 300, 47},
            {K::Label, "Label25", "採用厚さでの放散熱量（Ｗ／ｍ２・Ｗ／ｍ）", 6600, 4290, 1695, 510, 48},
            {K::TextBox, "Text18", "", 9360, 4320, 1935, 300, 49},
            {K::Label, "Label26", "採用厚さでの平均熱伝導率（Ｗ／ｍＫ）", 6600, 4890, 1935, 510, 50},
            {K::TextBox, "Text19", "", 9360, 4920, 1935, 300, 51},
            {K::Label, "Label27", "採用厚さでの表面熱伝達率（Ｗ／ｍ２Ｋ）", 6600, 5490, 1935, 510, 52},
            {K::TextBox, "Text20", "", 9360, 5520, 1935, 300, 53},
            {K::Label, "Label28", kCreditLine, 9360, 6660, 1935, 255, 54},
            {K::Label, "Label29", "2026/12/07", 9360, 6960, 1215, 255, 55},
        },
        {
            {"Combo1",
             [] {
                 std::vector<std::string> entries;
                 for (const Material& m : materials())
                     entries.emplace_back(m.name);
                 return entries;
             }()},
            {"Combo3", entriesOf(windows().heatTransfer, "Combo1")},
            {"Combo4", std::vector<std::string>(std::begin(kShapes), std::end(kShapes))},
            {"Combo5",
             [] {
                 std::vector<std::string> entries;
                 for (const PipeSize& size : sgpSizes())
                     entries.emplace_back(size.nominal);
                 return entries;
             }()},
            {"Combo6",
             [] {
                 std::vector<std::string> entries;
                 for (const Criterion* c : criteria())
                     entries.emplace_back(c->name());
                 return entries;
             }()},
        },
        {
            {"Combo1_Click", Combo1_Click},
            {"Combo3_Click", Combo3_Click, {"Text5"}},
            {"Combo5_Click", Combo5_Click, {"Text6"}},
            {"Command1_Click",
             Command1_Click,
             {"Text11", "Text12", "Text13", "Text14", "Text15", "Text16", "Text17", "Text18", "Text19",
              "Text20"}},
        },
        {
            // box, the label that captions it
            {"Combo1", "Label2"},  {"Combo2", "Label3"},  {"Text1", "Label4"},   {"Text2", "Label5"},
            {"Text3", "Label6"},   {"Text4", "Label7"},   {"Combo3", "Label8"},  {"Text5", "Label9"},
            {"Combo4", "Label10"}, {"Combo5", "Label11"}, {"Text6", "Label12"},  {"Combo6", "Label13"},
            {"Text7", "Label14"},  {"Text8", "Label15"},  {"Text9", "Label16"},  {"Text10", "Label17"},
            {"Text11", "Label18"}, {"Text12", "Label19"}, {"Text13", "Label20"}, {"Text14", "Label21"},
            {"Text15", "Label22"}, {"Text16", "Label23"}, {"Text17", "Label24"}, {"Text18", "Label25"},
            {"Text19", "Label26"}, {"Text20", "Label27"},
        },
        allMessages(),
        sideTables,
        // The standard thicknesses: a list of whole millimetres, checked by the handler.
        {"Text10"},
        // The grade is checked by the handler (a material may have none); the
        // finish and the nominal size only fill ε and the outer diameter.
        {"Combo2", "Combo3", "Combo5"},
    };
    return program;
}

}  // namespace milfo::heatflow
