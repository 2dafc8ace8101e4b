// 複層保温 (menu １０): up to three layers of insulation from the inside out,
// each of its own material, worked out through the suite's own windows:
//   λ_i  each layer's material window between its two faces (the lower as
//        低温側温度), each face first brought inside the material's range
//   h    熱伝達率 at the surface, with the whole thickness T
//   R_i  Log(D_i / D_(i−1)) / ((2π)·λ_i) for a pipe, t_i / λ_i for a plane
//   R_s  1 / ((π·D_n)·h) for a pipe, 1 / h for a plane
//   q    (θ1 − θa) / (R_1 + … + R_n + R_s), the faces θ_i = θ_(i−1) − q·R_i
// in turn from the faces of the mean surface temperature, until the faces'
// texts repeat those of an earlier round. Every value passes on as the text
// the window shows; the resistances are worked left to right in Doubles, with
// π the Double nearest it and the logarithm correctly rounded.
#include "layered.h"

#include <algorithm>
#include <vector>

#include "conductivity.h"
#include "design.h"
#include "event.h"
#include "heatflow.h"
#include "insulated_pipe.h"
#include "numeric.h"
#include "pipe_sizes.h"
#include "real.h"

namespace milfo::heatflow {

namespace design {

namespace {

constexpr int kRoundLimit = 200;
constexpr size_t kLayers = 3;

const char* const kLayerNames[] = {"第１層", "第２層", "第３層"};
const char* const kGap = "保温材は第１層から順に、間をあけずに選んでください。";
const char* const kRounds = "繰り返し計算が２００回で決まりません。入力を見直してください。";
// "第２層の温度が保温材の使用範囲外です（lo～hi ℃）。厚さか保温材を見直してください。"
const char* const kRangeMiddle = "の温度が保温材の使用範囲外です（";
const char* const kRangeBetween = "～";
const char* const kRangeEnd = " ℃）。厚さか保温材を見直してください。";

std::string noMaterial(size_t layer)
{
    return std::string(kLayerNames[layer]) + "の保温材を選んでください。";
}

std::string noGrade(size_t layer)
{
    return std::string(kLayerNames[layer]) + "の種類を選んでください。";
}

std::string noThickness(size_t layer)
{
    return std::string(kLayerNames[layer]) + "の厚さに０より大きい値（ｍｍ）を入力してください。";
}

std::string rangeMessage(size_t layer, const std::string& lower, const std::string& higher)
{
    return kLayerNames[layer] + std::string(kRangeMiddle) + lower + kRangeBetween + higher + kRangeEnd;
}

// Every message of the window, each layer's in full.
std::vector<std::string> messages()
{
    std::vector<std::string> all{kNoShape, kDiameter,   kGap, kSameTemperatures, conductivity::kLawBounds,
                                 kRounds,  kEmptyResult};
    for (size_t i = 0; i < kLayers; ++i) {
        all.push_back(noMaterial(i));
        all.push_back(noGrade(i));
        all.push_back(noThickness(i));
        all.push_back(kLayerNames[i] + std::string(kRangeMiddle));
    }
    all.emplace_back(kRangeBetween);
    all.emplace_back(kRangeEnd);
    return all;
}

const std::vector<const char*>& layerResults()
{
    static const std::vector<const char*> boxes = {kLayerSurface,
                                                   kLayerLoss,
                                                   kLayerCoefficient,
                                                   kLayerInterfaces[0],
                                                   kLayerInterfaces[1],
                                                   kLayerBoxes[0].conductivity,
                                                   kLayerBoxes[1].conductivity,
                                                   kLayerBoxes[2].conductivity};
    return boxes;
}

// A layer in use: its material, its thickness in metres, and the range its
// window applies.
struct Layer {
    Material material;
    Real thickness;
    conductivity::Range range;
};

// A face as the window is given it: inside the range, and which bound it was
// beyond (-1 the lower, +1 the upper, 0 none).
struct Face {
    std::string text;
    double value;
    int beyond;
};

// A face brought inside a range: above the upper bound it is the bound;
// below the lower bound it is the bound, or 0.01 K above it where the window
// admits only temperatures above its lower bound.
Face broughtInside(const conductivity::Range& range, const std::string& text)
{
    const double value = ReadVal(text);
    if (!range.admitsHigh(value))
        return {ShowVariant(range.hi), range.hi, 1};
    if (!range.admitsLow(value)) {
        const double bound = range.lowerAdmitted ? range.lo : (Real(range.lo) + Real(0.01)).value();
        return {ShowVariant(bound), bound, -1};
    }
    return {text, value, 0};
}

// λ of a layer between two faces, lower first. When both lie beyond the
// same bound the window runs between that bound (as brought inside) and
// 1 K inside it; so it does when one lies at the bound the other is beyond.
// A range narrower than 1 K is run whole.
std::string layerConductivity(const Layer& layer, const std::string& one, const std::string& other,
                              Chain* chain, std::string purpose)
{
    const conductivity::Range& range = layer.range;
    const Face a = broughtInside(range, one);
    const Face b = broughtInside(range, other);
    std::string lo, hi;
    if (a.value == b.value) {
        if (a.beyond > 0 || b.beyond > 0) {
            const Real inside = Real(a.value) - Real(1);
            const Face lowest = broughtInside(range, ShowVariant(inside.value()));
            lo = lowest.text;
            hi = a.text;
        } else {
            const Real inside = Real(a.value) + Real(1);
            lo = a.text;
            hi = inside > Real(range.hi) ? ShowVariant(range.hi) : ShowVariant(inside.value());
        }
    } else {
        const bool ordered = a.value < b.value;
        lo = ordered ? a.text : b.text;
        hi = ordered ? b.text : a.text;
    }
    return meanConductivity(layer.material, lo, hi, chain, std::move(purpose));
}

// The checks, in their order, and the layers they let through.
std::vector<Layer> checkedLayers(const Form& form, Shape shape)
{
    if (isPipe(shape) && !(ReadVal(form.text("Text1")) > 0))
        throw HandlerMessage(kDiameter);
    size_t used = 0;
    while (used < kLayers && !form.text(kLayerBoxes[used].material).empty())
        ++used;
    if (used == 0)
        throw HandlerMessage(noMaterial(0));
    for (size_t i = used; i < kLayers; ++i)
        if (!form.text(kLayerBoxes[i].material).empty())
            throw HandlerMessage(kGap);
    std::vector<std::string> law;
    for (const char* box : kLayerLaw)
        law.push_back(form.text(box));
    std::vector<Layer> layers;
    bool anyLaw = false;
    for (size_t i = 0; i < used; ++i) {
        const LayerBoxes& boxes = kLayerBoxes[i];
        const std::optional<size_t> material = materialOf(form.text(boxes.material));
        if (!material)
            throw HandlerMessage(noMaterial(i));
        const Material m{*material, form.text(boxes.grade), law};
        const std::optional<conductivity::Range> range = m.range();
        if (!range || (m.graded() && m.grade.empty()))
            throw HandlerMessage(noGrade(i));
        const Real mm = readReal(form.text(boxes.thickness));
        if (!(mm > Real(0)))
            throw HandlerMessage(noThickness(i));
        layers.push_back({m, mm / Real(1000), *range});
        anyLaw = anyLaw || conductivity::materialWindows()[*material].law;
    }
    if (ReadVal(form.text("Text2")) == ReadVal(form.text("Text3")))
        throw HandlerMessage(kSameTemperatures);
    if (anyLaw && !(ReadVal(law[3]) < ReadVal(law[4])))
        throw HandlerMessage(conductivity::kLawBounds);
    return layers;
}

}  // namespace

std::optional<RangeStop> rangeStopOf(std::string_view message)
{
    for (size_t i = 0; i < kLayers; ++i) {
        const std::string start = kLayerNames[i] + std::string(kRangeMiddle);
        const std::string_view end = kRangeEnd;
        if (message.substr(0, start.size()) != start || message.size() < start.size() + end.size() ||
            message.substr(message.size() - end.size()) != end)
            continue;
        const std::string_view faces =
            message.substr(start.size(), message.size() - start.size() - end.size());
        const size_t between = faces.find(kRangeBetween);
        if (between == std::string_view::npos)
            return std::nullopt;
        return RangeStop{i, std::string(faces.substr(0, between)),
                         std::string(faces.substr(between + std::string_view(kRangeBetween).size()))};
    }
    return std::nullopt;
}

namespace {

// The layers as laid on the pipe or the wall: the diameters from the pipe
// out (a plane has none), the depth of each face from the inside, the total
// thickness as 熱伝達率 is given it.
struct Build {
    bool pipe;
    std::vector<Real> diameters;
    std::vector<Real> depths;
    Real total;
    std::string totalText;
};

Build buildOf(const std::vector<Layer>& layers, bool pipe, const std::string& diameter)
{
    Build b{pipe, {pipe ? readReal(diameter) : Real(0)}, {}, Real(0), ""};
    for (const Layer& layer : layers) {
        b.diameters.push_back(b.diameters.back() + Real(2) * layer.thickness);
        b.total = b.total + layer.thickness;
        b.depths.push_back(b.total);
    }
    b.totalText = ShowVariant(b.total.value());
    return b;
}

// What one round works out from the faces it starts at: each layer's mean
// conductivity and the surface coefficient (the windows' texts), the loss,
// and the faces that loss gives.
struct Round {
    std::vector<std::string> lambdas;
    std::string h;
    Real q;
    std::vector<std::string> faces;
};

Round roundFrom(const std::vector<Layer>& layers, const Build& b, const Surroundings& around,
                const std::string& innerText, const std::vector<std::string>& at, Chain* chain, int number)
{
    const size_t n = layers.size();
    const std::string count = "（" + std::to_string(number) + "回目）";
    Round r;
    for (size_t i = 0; i < n; ++i)
        r.lambdas.push_back(layerConductivity(layers[i], i == 0 ? innerText : at[i - 1], at[i], chain,
                                              kLayerNames[i] + std::string("の平均熱伝導率") + count));
    r.h = surfaceCoefficient(around, at.back(), b.totalText, chain, "表面熱伝達率" + count);

    const Real pi(kPiNearest);
    std::vector<Real> resistances;
    for (size_t i = 0; i < n; ++i) {
        const Real lambda = readReal(r.lambdas[i]);
        resistances.push_back(b.pipe ? ln(b.diameters[i + 1] / b.diameters[i]) / ((Real(2) * pi) * lambda)
                                     : layers[i].thickness / lambda);
    }
    const Real surfaceResistance =
        b.pipe ? Real(1) / ((pi * b.diameters.back()) * readReal(r.h)) : Real(1) / readReal(r.h);
    Real sum = resistances[0];
    for (size_t i = 1; i < n; ++i)
        sum = sum + resistances[i];
    sum = sum + surfaceResistance;
    const Real inner = readReal(innerText);
    r.q = (inner - readReal(around.ambient)) / sum;
    Real face = inner;
    for (size_t i = 0; i < n; ++i) {
        face = face - r.q * resistances[i];
        r.faces.push_back(ShowVariant(face.value()));
    }
    return r;
}

// The settled round: every layer's two faces within the range its window
// applies (the range message otherwise), then the results written.
void settle(Form& form, const std::vector<Layer>& layers, const std::string& innerText, const Round& r)
{
    const size_t n = layers.size();
    for (size_t i = 0; i < n; ++i) {
        const std::string& one = i == 0 ? innerText : r.faces[i - 1];
        const std::string& other = r.faces[i];
        const bool ordered = ReadVal(one) < ReadVal(other);
        const std::string& lower = ordered ? one : other;
        const std::string& higher = ordered ? other : one;
        if (!layers[i].range.admitsLow(ReadVal(lower)) || !layers[i].range.admitsHigh(ReadVal(higher)))
            throw HandlerMessage(rangeMessage(i, lower, higher));
    }
    form.setText(kLayerSurface, r.faces.back());
    form.setText(kLayerLoss, ShowVariant(r.q.value()));
    form.setText(kLayerCoefficient, r.h);
    for (size_t i = 0; i + 1 < n; ++i)
        form.setText(kLayerInterfaces[i], r.faces[i]);
    for (size_t i = 0; i < n; ++i)
        form.setText(kLayerBoxes[i].conductivity, r.lambdas[i]);
}

// One press of 計算: every result box emptied, the checks, then the rounds
// until the faces repeat; the figures of the round that repeated once its
// faces are within their layers' ranges. `chain` gets every window run.
void layeredOnForm(Form& form, Chain* chain)
{
    for (const char* box : layerResults())
        form.setText(box, "");
    const std::string shapeText = form.text("Combo1");
    const auto shapeAt = std::find(std::begin(kShapes), std::end(kShapes), shapeText);
    if (shapeAt == std::end(kShapes))
        throw HandlerMessage(kNoShape);
    const Shape shape = static_cast<Shape>(shapeAt - std::begin(kShapes));
    const std::vector<Layer> layers = checkedLayers(form, shape);

    const std::string innerText = form.text("Text2");
    const Real inner = readReal(innerText);
    const Real ambient = readReal(form.text("Text3"));
    const Surroundings around{shape, form.text("Text3"), form.text("Text4"), form.text("Text1"),
                              form.text("Text5")};
    const Build b = buildOf(layers, isPipe(shape), around.diameter);

    // The start: the surface at the mean of the two temperatures, the faces
    // between in proportion to their depth.
    const Real start = (inner + ambient) / Real(2);
    std::vector<std::string> faces;
    for (const Real& depth : b.depths)
        faces.push_back(ShowVariant((inner + (start - inner) * (depth / b.total)).value()));
    std::vector<std::vector<std::string>> seen{faces};
    for (int number = 1; number <= kRoundLimit; ++number) {
        Round r = roundFrom(layers, b, around, innerText, seen.back(), chain, number);
        const bool repeats = std::find(seen.begin(), seen.end(), r.faces) != seen.end();
        seen.push_back(r.faces);
        if (repeats)
            return settle(form, layers, innerText, r);
    }
    throw HandlerMessage(kRounds);
}

void Command1_Click(Form& form)
{
    layeredOnForm(form, nullptr);
}

// The chain of a press beside the window: every window run, in the
// windows' own words, as far as the press got.
std::vector<SideTable> sideTables(const Form& shown)
{
    static const FormModel loaded = [] {
        FormModel form(layeredInsulation());
        form.load();
        return form;
    }();
    FormModel form = loaded;
    for (const Control* input : form.rules().inputs())
        form.type(*input, shown.text(input->name));
    Chain lines;
    try {
        layeredOnForm(form, &lines);
    } catch (...) {
        // The window shows how the press ended; the table shows how far it got.
    }
    return {chainTable(lines)};
}

// What a press reads beyond the shape, the temperatures, the air, the finish
// and the first layer's material: a pipe's outer diameter, and each layer's
// grade, thickness and law as its material asks.
std::vector<Choice> choices()
{
    std::vector<Choice> all = {{"Combo1", kShapes[0], {"Text1"}}, {"Combo1", kShapes[1], {"Text1"}}};
    for (const LayerBoxes& boxes : kLayerBoxes)
        for (const MaterialChoice& m : materialChoices()) {
            std::vector<const char*> reads = {boxes.thickness};
            if (m.graded)
                reads.insert(reads.begin(), boxes.grade);
            if (m.law)
                reads.insert(reads.end(), std::begin(kLayerLaw), std::end(kLayerLaw));
            all.push_back({boxes.material, m.material, reads});
        }
    return all;
}

// The finishes as 熱伝達率, loaded, lists them.
std::vector<std::string> finishes()
{
    FormModel window(heatTransfer());
    window.load();
    return window.entries(*window.rules().find("Combo1"));
}

}  // namespace

}  // namespace design

using namespace design;

// Three columns: the conditions (the shape, the pipe, the temperatures, the
// air and the finish), the layers from the inside out with the law of
// 係数で指定, and the results.
const ProgramDescription& layeredInsulation()
{
    using K = ControlKind;
    static const ProgramDescription program{
        "複層保温",
        17400,
        6870,
        {
            // kind, name, caption or initial text, left, top, width, height, tab index
            {K::Label, "Label1", "複層保温の放散熱量と表面温度", 240, 120, 3255, 255, 0},
            {K::Label, "Label2", "形状", 240, 630, 2655, 255, 1},
            {K::ComboBox, "Combo1", "", 3000, 600, 1935, 300, 2},
            {K::Label, "Label3", "呼び径", 240, 1050, 2655, 255, 3},
            {K::ComboBox, "Combo2", "", 3000, 1020, 1215, 300, 4},
            {K::Label, "Label4", "外径（ｍ）", 240, 1470, 2655, 255, 5},
            {K::TextBox, "Text1", "0", 3000, 1440, 1215, 300, 6},
            {K::Label, "Label5", "内部温度（℃）", 240, 1890, 2655, 255, 7},
            {K::TextBox, "Text2", "0", 3000, 1860, 1215, 300, 8},
            {K::Label, "Label6", "周囲温度（℃）", 240, 2310, 2655, 255, 9},
            {K::TextBox, "Text3", "0", 3000, 2280, 1215, 300, 10},
            {K::Label, "Label7", "風速（ｍ／ｓ）", 240, 2730, 2655, 255, 11},
            {K::TextBox, "Text4", "0", 3000, 2700, 1215, 300, 12},
            {K::Label, "Label8", "表面仕上げ", 240, 3150, 2655, 255, 13},
            {K::ComboBox, "Combo3", "", 3000, 3120, 3255, 300, 14},
            {K::Label, "Label9", "放射率", 240, 3570, 2655, 255, 15},
            {K::TextBox, "Text5", "0", 3000, 3540, 1215, 300, 16},
            {K::Label, "Label10", "第１層の保温材", 6600, 630, 2175, 255, 17},
            {K::ComboBox, "Combo4", "", 8880, 600, 3255, 300, 18},
            {K::Label, "Label11", "第１層の種類", 6600, 1050, 2175, 255, 19},
            {K::ComboBox, "Combo5", "", 8880, 1020, 3255, 300, 20},
            {K::Label, "Label12", "第１層の厚さ（ｍｍ）", 6600, 1470, 2175, 255, 21},
            {K::TextBox, "Text6", "0", 8880, 1440, 1215, 300, 22},
            {K::Label, "Label13", "第２層の保温材", 6600, 1890, 2175, 255, 23},
            {K::ComboBox, "Combo6", "", 8880, 1860, 3255, 300, 24},
            {K::Label, "Label14", "第２層の種類", 6600, 2310, 2175, 255, 25},
            {K::ComboBox, "Combo7", "", 8880, 2280, 3255, 300, 26},
            {K::Label, "Label15", "第２層の厚さ（ｍｍ）", 6600, 2730, 2175, 255, 27},
            {K::TextBox, "Text7", "0", 8880, 2700, 1215, 300, 28},
            {K::Label, "Label16", "第３層の保温材", 6600, 3150, 2175, 255, 29},
            {K::ComboBox, "Combo8", "", 8880, 3120, 3255, 300, 30},
            {K::Label, "Label17", "第３層の種類", 6600, 3570, 2175, 255, 31},
            {K::ComboBox, "Combo9", "", 8880, 3540, 3255, 300, 32},
            {K::Label, "Label18", "第３層の厚さ（ｍｍ）", 6600, 3990, 2175, 255, 33},
            {K::TextBox, "Text8", "0", 8880, 3960, 1215, 300, 34},
            {K::Label, "Label19", "係数ａ（Ｗ／ｍＫ）", 6600, 4410, 2175, 255, 35},
            {K::TextBox, "Text9", "", 8880, 4380, 1215, 300, 36},
            {K::Label, "Label20", "係数ｂ（Ｗ／ｍＫ２）", 6600, 4830, 2175, 255, 37},
            {K::TextBox, "Text10", "", 8880, 4800, 1215, 300, 38},
            {K::Label, "Label21", "係数ｃ（Ｗ／ｍＫ３）", 6600, 5250, 2175, 255, 39},
            {K::TextBox, "Text11", "", 8880, 5220, 1215, 300, 40},
            {K::Label, "Label22", "下限温度（℃）", 6600, 5670, 2175, 255, 41},
            {K::TextBox, "Text12", "", 8880, 5640, 1215, 300, 42},
            {K::Label, "Label23", "上限温度（℃）", 6600, 6090, 2175, 255, 43},
            {K::TextBox, "Text13", "", 8880, 6060, 1215, 300, 44},
            {K::CommandButton, "Command1", "計算", 15240, 600, 1215, 375, 45},
            {K::Label, "Label24", "表面温度（℃）", 12480, 1230, 2655, 255, 46},
            {K::TextBox, "Text14", "", 15240, 1200, 1935, 300, 47},
            {K::Label, "Label25", "放散熱量（Ｗ／ｍ・Ｗ／ｍ２）", 12480, 1650, 2655, 255, 48},
            {K::TextBox, "Text15", "", 15240, 1620, 1935, 300, 49},
            {K::Label, "Label26", "表面熱伝達率（Ｗ／ｍ２Ｋ）", 12480, 2070, 2655, 255, 50},
            {K::TextBox, "Text16", "", 15240, 2040, 1935, 300, 51},
            {K::Label, "Label27", "境界温度１（℃）", 12480, 2490, 2655, 255, 52},
            {K::TextBox, "Text17", "", 15240, 2460, 1935, 300, 53},
            {K::Label, "Label28", "境界温度２（℃）", 12480, 2910, 2655, 255, 54},
            {K::TextBox, "Text18", "", 15240, 2880, 1935, 300, 55},
            {K::Label, "Label29", "平均熱伝導率 第１層（Ｗ／ｍＫ）", 12480, 3330, 2655, 255, 56},
            {K::TextBox, "Text19", "", 15240, 3300, 1935, 300, 57},
            {K::Label, "Label30", "平均熱伝導率 第２層（Ｗ／ｍＫ）", 12480, 3750, 2655, 255, 58},
            {K::TextBox, "Text20", "", 15240, 3720, 1935, 300, 59},
            {K::Label, "Label31", "平均熱伝導率 第３層（Ｗ／ｍＫ）", 12480, 4170, 2655, 255, 60},
            {K::TextBox, "Text21", "", 15240, 4140, 1935, 300, 61},
            {K::Label, "Label32", kCreditLine, 12480, 6090, 1935, 255, 62},
            {K::Label, "Label33", "2026/12/07", 15240, 6090, 1215, 255, 63},
        },
        {
            {"Combo1", std::vector<std::string>(std::begin(kShapes), std::end(kShapes))},
            {"Combo2", nominalSizes()},
            {"Combo3", finishes()},
            {"Combo4", materialEntries(true)},
            {"Combo6", materialEntries(true)},
            {"Combo8", materialEntries(true)},
        },
        {
            // A nominal size picked: its outer diameter in metres.
            {"Combo2_Click", nominalSizePicked("Combo2", "Text1"), {"Text1"}},
            {"Combo3_Click", finishPicked("Combo3", "Text5"), {"Text5"}},
            {"Combo4_Click", gradesPicked("Combo4", "Combo5")},
            {"Combo6_Click", gradesPicked("Combo6", "Combo7")},
            {"Combo8_Click", gradesPicked("Combo8", "Combo9")},
            {"Command1_Click",
             Command1_Click,
             layerResults(),
             {"Combo1", "Text2", "Text3", "Text4", "Text5", "Combo4", "Combo6", "Combo8"}},
        },
        {
            // box, the label that captions it
            {"Combo1", "Label2"},  {"Combo2", "Label3"},  {"Text1", "Label4"},   {"Text2", "Label5"},
            {"Text3", "Label6"},   {"Text4", "Label7"},   {"Combo3", "Label8"},  {"Text5", "Label9"},
            {"Combo4", "Label10"}, {"Combo5", "Label11"}, {"Text6", "Label12"},  {"Combo6", "Label13"},
            {"Combo7", "Label14"}, {"Text7", "Label15"},  {"Combo8", "Label16"}, {"Combo9", "Label17"},
            {"Text8", "Label18"},  {"Text9", "Label19"},  {"Text10", "Label20"}, {"Text11", "Label21"},
            {"Text12", "Label22"}, {"Text13", "Label23"}, {"Text14", "Label24"}, {"Text15", "Label25"},
            {"Text16", "Label26"}, {"Text17", "Label27"}, {"Text18", "Label28"}, {"Text19", "Label29"},
            {"Text20", "Label30"}, {"Text21", "Label31"},
        },
        messages(),
        sideTables,
        {},
        // The grades are checked by the handler (a material may have none);
        // the nominal size and the finish only fill boxes; the second and
        // third layer's empty entry is no layer.
        {"Combo2", "Combo3", "Combo5", "Combo6", "Combo7", "Combo8", "Combo9"},
        choices(),
        // Still air.
        {"Text4"},
    };
    return program;
}

}  // namespace milfo::heatflow
