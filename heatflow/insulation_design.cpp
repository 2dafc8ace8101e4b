// 保温設計 (menu ７): the insulation thickness an engineer specifies, from the
// material and the conditions, in one press. It runs the suite's own windows
// as a person copying between them would: every value is passed on as the
// text the other window shows, read back as that window's result, so any line
// of the design can be checked in the fifteen programs. No formula of theirs
// is written here.
//
// The windows, by what they give:
//   M(lo, hi)   the material's window, its grade, Text1 lo, Text2 hi → Text3
//   H(θs, t)    熱伝達率: θa, θs, v, d (pipes; "0" for planes), t, ε → the
//               radiation coefficient plus the convective one of the shape
//   R(λ, θs, h) ravelt: 平面の計算 → Text6, 配管の計算 → Text8
//   q           放散熱量: 平面の計算 → Text9, 配管の計算 → Text10
//   θs          表面温度: 平面の計算 → Text9, 配管の計算 → Text10
//   dew point   lorvast: θa, RH → Text3
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue.h"
#include "event.h"
#include "form_model.h"
#include "numeric.h"
#include "pipe_sizes.h"
#include "real.h"

namespace milfo::heatflow {

const ProgramDescription& insulationDesign();

namespace {

using K = ControlKind;

// --- The handler's own messages ------------------------------------------------

const char* const kNoMaterial = "保温材を選んでください。";
const char* const kNoGrade = "種類を選んでください。";
const char* const kNoShape = "形状を選んでください。";
const char* const kNoCriterion = "設計条件を選んでください。";
const char* const kSeries =
    "標準厚さは、０より大きい整数（ｍｍ）を小さい順に「,」で区切って入力してください。";
const char* const kDiameter = "管の外径（ｍ）に０より大きい値を入力してください。";
const char* const kSameTemperatures = "内部温度と周囲温度が同じです。温度を見直してください。";
const char* const kHotOnly =
    "表面温度上限は、内部温度が周囲温度より高いときの条件です。設計条件か温度を見直してください。";
const char* const kColdOnly =
    "防露は、内部温度が周囲温度より低いときの条件です。設計条件か温度を見直してください。";
const char* const kHumidity = "防露には、０より大きく１００以下の相対湿度を入力してください。";
const char* const kLossLimit = "放散熱量上限に０より大きい値を入力してください。";
const char* const kNothingNeeded = "内部温度のままで目標表面温度を満たすため、保温は要りません。";
const char* const kLimitAtAmbient =
    "表面温度上限が周囲温度以下では、どの厚さでも満たせません。表面温度上限を見直してください。";
const char* const kDewAtAmbient =
    "露点温度に防露余裕を加えた温度が周囲温度以上では、どの厚さでも満たせません。"
    "相対湿度か防露余裕を見直してください。";
// "温度が保温材の使用範囲外です（lo～hi ℃）。保温材・種類か温度を見直してください。"
const char* const kRangeBefore = "温度が保温材の使用範囲外です";
const char* const kRangeAfter = "。保温材・種類か温度を見直してください。";
const char* const kNoThickness = "設計条件を満たす標準厚さがありません。より厚い標準厚さを加えてください。";
const char* const kRequiredRounds =
    "必要厚さの繰り返し計算が１００回で決まりません。入力を見直してください。";
const char* const kSurfaceRounds = "表面温度の繰り返し計算が２００回で決まりません。入力を見直してください。";
// After the name of the program whose result box stayed empty.
const char* const kEmptyResult = "の結果が空欄です。入力を見直してください。";

constexpr int kRequiredRoundLimit = 100;
constexpr int kSurfaceRoundLimit = 200;

// --- Choices ---------------------------------------------------------------------

// The nine materials, in menu order, with the program of each.
struct Material {
    const char* name;
    const char* program;
};
const Material kMaterials[] = {
    {"ロックウール", "pimbrel"},
    {"グラスウール", "mostrel"},
    {"セラミックファイバーブランケット", "nethrow"},
    {"けい酸カルシウム保温材", "dovrin"},
    {"はっ水性パーライト保温材", "sonderly"},
    {"ポリスチレンフォーム", "tarvel"},
    {"硬質ウレタンフォーム", "halcott"},
    {"ポリエチレンフォーム", "fennick"},
    {"フェノールフォーム", "castrel"},
};

enum class Shape { HorizontalPipe, VerticalPipe, VerticalPlane, UpwardPlane, DownwardPlane };
const char* const kShapes[] = {"水平管", "垂直管", "垂直平面", "上向き平面", "下向き平面"};

enum class Criterion { SurfaceLimit, Condensation, LossLimit };
const char* const kCriteria[] = {"表面温度上限", "防露", "放散熱量上限"};

bool isPipe(Shape shape)
{
    return shape == Shape::HorizontalPipe || shape == Shape::VerticalPipe;
}

// The place of text among names, or nothing.
template <typename T, size_t N, typename Name>
std::optional<size_t> choice(const T (&names)[N], std::string_view text, Name name)
{
    for (size_t i = 0; i < N; ++i)
        if (text == name(names[i]))
            return i;
    return std::nullopt;
}

// --- The other windows ---------------------------------------------------------

FormModel loadedForm(const char* program)
{
    const ProgramDescription* p = findProgram(program);
    if (p == nullptr)
        throw std::logic_error(std::string("no program ") + program);
    FormModel form(*p);
    form.load();
    return form;
}

// Every window the design runs, loaded once; each run starts from a copy.
struct Windows {
    FormModel heatTransfer = loadedForm("熱伝達率");
    FormModel thickness = loadedForm("ravelt");
    FormModel heatLoss = loadedForm("放散熱量");
    FormModel surfaceTemperature = loadedForm("表面温度");
    FormModel dewPoint = loadedForm("lorvast");
    std::vector<FormModel> materials = [] {
        std::vector<FormModel> all;
        for (const Material& m : kMaterials)
            all.push_back(loadedForm(m.program));
        return all;
    }();
};

const Windows& windows()
{
    static const Windows loaded;
    return loaded;
}

// The entries of a window's list as the window, loaded, lists them.
std::vector<std::string> entriesOf(const FormModel& window, const char* list)
{
    const Control* c = window.rules().find(list);
    return c != nullptr ? window.entries(*c) : std::vector<std::string>{};
}

// One line of the chain of window runs: which step, which window and button,
// what was entered, what was read, and the text passed on.
struct ChainLine {
    std::string step;
    std::string program;
    std::string button;
    std::string entered;
    std::string read;
    std::string value;
};
using Chain = std::vector<ChainLine>;

// One run of a window: entries as a person makes them (a list's text picked
// when it is one of the list's entries, else typed), a press, the results
// read. A failure of the window is passed on as the window reported it; an
// empty result ends the design.
class Run {
public:
    Run(const FormModel& loaded, Chain* chain, std::string step) : form_(loaded), chain_(chain)
    {
        if (chain_ != nullptr) {
            line_.step = std::move(step);
            line_.program = loaded.program().name;
        }
    }

    Run& enter(const char* control, const std::string& text)
    {
        const Control& c = form_.rules().controls()[form_.rules().placeOf(control)];
        const std::optional<size_t> entry =
            c.kind == ControlKind::ComboBox ? form_.findEntry(c, text) : std::nullopt;
        if (entry)
            passOn(form_.pick(c, *entry));
        else
            form_.type(c, text);
        note(line_.entered, control, text);
        return *this;
    }

    Run& press(const char* button)
    {
        const Control& c = form_.rules().controls()[form_.rules().placeOf(button)];
        if (chain_ != nullptr)
            line_.button = c.text;
        passOn(form_.press(c));
        return *this;
    }

    // A result box's text, as shown.
    std::string shown(const char* box)
    {
        std::string text = form_.text(box);
        note(line_.read, box, text);
        return text;
    }

    // A result box's text, which must not be empty.
    std::string result(const char* box)
    {
        std::string text = shown(box);
        if (text.empty()) {
            std::string message = std::string(form_.program().name) + kEmptyResult;
            finish("! " + message);
            throw HandlerMessage(message);
        }
        return text;
    }

    // The text this run passes on to the next step.
    std::string finish(std::string value)
    {
        if (chain_ != nullptr) {
            line_.value = value;
            chain_->push_back(line_);
            chain_ = nullptr;
        }
        return value;
    }

private:
    void note(std::string& list, const char* control, const std::string& text)
    {
        if (chain_ != nullptr)
            list += (list.empty() ? "" : " ") + std::string(control) + "=" + text;
    }

    void passOn(const std::optional<Failure>& failure)
    {
        if (!failure)
            return;
        finish("! " + failure->message);
        throw PassedOnFailure(*failure);
    }

    FormModel form_;
    Chain* chain_;
    ChainLine line_;
};

// --- The design ------------------------------------------------------------------

// The texts of the form a design reads.
struct Inputs {
    std::string material, grade, inner, ambient, humidity, wind, emissivity, shape, diameter, criterion,
        surfaceLimit, dewMargin, lossLimit, series;

    explicit Inputs(const Form& form)
        : material(form.text("Combo1")),
          grade(form.text("Combo2")),
          inner(form.text("Text1")),
          ambient(form.text("Text2")),
          humidity(form.text("Text3")),
          wind(form.text("Text4")),
          emissivity(form.text("Text5")),
          shape(form.text("Combo4")),
          diameter(form.text("Text6")),
          criterion(form.text("Combo6")),
          surfaceLimit(form.text("Text7")),
          dewMargin(form.text("Text8")),
          lossLimit(form.text("Text9")),
          series(form.text("Text10"))
    {
    }
};

// The standard thicknesses in millimetres: whole numbers above 0, strictly
// ascending, separated by "," "，" or "、"; blanks (and the ideographic
// space) are ignored, full-width digits read as digits. Nothing when the
// text is not such a series.
std::optional<std::vector<long>> parseSeries(std::string_view text)
{
    constexpr size_t kMaxDigits = 6;  // up to 999999 mm
    std::vector<long> series;
    std::string digits;
    const auto close = [&]() {
        const size_t first = digits.find_first_not_of('0');
        if (first == std::string::npos || digits.size() - first > kMaxDigits)
            return false;
        const long mm = std::stol(digits.substr(first));
        if (!series.empty() && mm <= series.back())
            return false;
        series.push_back(mm);
        digits.clear();
        return true;
    };
    const auto starts = [&](size_t i, std::string_view s) { return text.substr(i, s.size()) == s; };
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == ' ' || c == '\t') {
            ++i;
        } else if (starts(i, "\u3000")) {
            i += 3;
        } else if (c >= '0' && c <= '9') {
            digits += c;
            ++i;
        } else if (starts(i, "\xEF\xBC") && i + 2 < text.size() && text[i + 2] >= '\x90' &&
                   text[i + 2] <= '\x99') {  // ０ to ９: U+FF10 to U+FF19
            digits += static_cast<char>('0' + (text[i + 2] - '\x90'));
            i += 3;
        } else if (c == ',' || starts(i, "\uFF0C") || starts(i, "\u3001")) {
            if (!close())
                return std::nullopt;
            i += c == ',' ? 1 : 3;
        } else {
            return std::nullopt;
        }
    }
    if (!close())
        return std::nullopt;
    return series;
}

// A thickness in millimetres as metres, exactly in decimal: 25 → "0.025",
// 100 → "0.1", 1500 → "1.5".
std::string metresText(long mm)
{
    std::string digits = std::to_string(mm);
    if (digits.size() < 4)
        digits.insert(0, 4 - digits.size(), '0');
    std::string fraction = digits.substr(digits.size() - 3);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    const std::string whole = digits.substr(0, digits.size() - 3);
    return fraction.empty() ? whole : whole + "." + fraction;
}

// What one standard thickness gives once its surface temperature repeats:
// the surface temperature shown, and the loss, conductivity and coefficient
// of the round that gave it.
struct AtThickness {
    std::string surface;
    std::string loss;
    std::string conductivity;
    std::string coefficient;
};

// The checks have passed: what the design stands on, and the steps of it
// (each a run of windows, logged to the chain when there is one).
class Design {
public:
    Design(const Inputs& in, const FormModel& materialWindow, Shape shape, Criterion criterion)
        : in_(in), materialWindow_(materialWindow), shape_(shape), criterion_(criterion)
    {
    }

    void logTo(Chain* chain) { chain_ = chain; }
    Criterion criterion() const { return criterion_; }

    // lorvast: θa and RH → the dew point.
    std::string dewPoint()
    {
        Run run(windows().dewPoint, chain_, "1");
        run.enter("Text1", in_.ambient).enter("Text4", in_.humidity).press("Command1");
        return run.finish(run.result("Text3"));
    }

    // M(θs, θ1): the mean conductivity between the surface and the inside;
    // "0" means outside the grade's range.
    std::string conductivity(const std::string& surface, const std::string& step)
    {
        const bool ordered = !(ReadVal(in_.inner) < ReadVal(surface));
        const std::string& lo = ordered ? surface : in_.inner;
        const std::string& hi = ordered ? in_.inner : surface;
        Run run(materialWindow_, chain_, step);
        if (materialWindow_.rules().find("Combo1") != nullptr)
            run.enter("Combo1", in_.grade);
        run.enter("Text1", lo).enter("Text2", hi).press("Command1");
        const std::string lambda = run.result("Text3");
        if (lambda == "0") {
            run.finish("! 0");
            throw HandlerMessage(std::string(kRangeBefore) + "（" + lo + "～" + hi + " ℃）" + kRangeAfter);
        }
        return run.finish(lambda);
    }

    // H(θs, t): 熱伝達率's radiation coefficient plus its convective one for
    // the shape, h = ShowDecimal(ReadVal(Text6) + hc).
    std::string coefficient(const std::string& surface, const std::string& thickness, const std::string& step)
    {
        Run run(windows().heatTransfer, chain_, step);
        run.enter("Text1", in_.ambient)
            .enter("Text2", surface)
            .enter("Text3", in_.wind)
            .enter("Text4", isPipe(shape_) ? in_.diameter : "0")
            .enter("Text5", thickness)
            .enter("Text12", in_.emissivity)
            .press("Command1");
        const Real radiation = ReadVal(run.result("Text6"));
        Real convection;
        switch (shape_) {
            case Shape::HorizontalPipe:
                convection = ReadVal(run.result("Text11"));
                break;
            case Shape::VerticalPipe:
            case Shape::VerticalPlane: {
                // One of the two is the "0" of the case not worked out.
                const Real large = ReadVal(run.result("Text9"));
                const Real small = ReadVal(run.result("Text10"));
                convection = large + small;
                break;
            }
            case Shape::UpwardPlane:
                convection = ReadVal(run.result("Text7"));
                break;
            case Shape::DownwardPlane:
                convection = ReadVal(run.result("Text8"));
                break;
        }
        return run.finish(ShowDecimal((radiation + convection).value()));
    }

    // R(λ, θs, h): ravelt's thickness for the wanted surface temperature.
    std::string thickness(const std::string& lambda, const std::string& surface, const std::string& h,
                          const std::string& step)
    {
        Run run(windows().thickness, chain_, step);
        run.enter("Text1", lambda)
            .enter("Text2", in_.inner)
            .enter("Text3", surface)
            .enter("Text4", in_.ambient)
            .enter("Text5", h);
        if (isPipe(shape_))
            run.enter("Text7", in_.diameter).press("Command2");
        else
            run.press("Command1");
        return run.finish(run.result(isPipe(shape_) ? "Text8" : "Text6"));
    }

    // Step 3: the required thickness at the target surface temperature and
    // the coefficient it was worked out with. A horizontal pipe's coefficient
    // depends on the thickness: from t0 = "0" the two are worked out in turn
    // until a thickness repeats.
    std::pair<std::string, std::string> required(const std::string& target, const std::string& lambda)
    {
        if (shape_ != Shape::HorizontalPipe) {
            const std::string h = coefficient(target, "0", "3");
            return {h, thickness(lambda, target, h, "3")};
        }
        std::vector<std::string> seen{"0"};
        for (int round = 1; round <= kRequiredRoundLimit; ++round) {
            const std::string step = "3 (" + std::to_string(round) + ")";
            const std::string h = coefficient(target, seen.back(), step);
            std::string t = thickness(lambda, target, h, step);
            const bool repeats = std::find(seen.begin(), seen.end(), t) != seen.end();
            seen.push_back(std::move(t));
            if (repeats)
                return {h, seen.back()};
        }
        throw HandlerMessage(kRequiredRounds);
    }

    // Step 4 for one standard thickness: from the start, the conductivity,
    // the coefficient, the loss and the surface temperature in turn until the
    // surface temperature repeats.
    AtThickness atThickness(long mm, const std::string& start)
    {
        const std::string metres = metresText(mm);
        std::string outer;
        if (isPipe(shape_))
            outer = ShowDecimal((Real(2) * Real(ReadVal(metres)) + Real(ReadVal(in_.diameter))).value());
        std::vector<std::string> seen{start};
        for (int round = 1; round <= kSurfaceRoundLimit; ++round) {
            const std::string step = "4 T=" + std::to_string(mm) + " (" + std::to_string(round) + ")";
            const std::string& surface = seen.back();
            AtThickness at;
            at.conductivity = conductivity(surface, step);
            at.coefficient = coefficient(surface, metres, step);
            at.loss = loss(at.conductivity, surface, at.coefficient, metres, outer, step);
            at.surface = surfaceTemperature(at.loss, at.coefficient, outer, step);
            const bool repeats = std::find(seen.begin(), seen.end(), at.surface) != seen.end();
            seen.push_back(at.surface);
            if (repeats)
                return at;
        }
        throw HandlerMessage(kSurfaceRounds);
    }

    // Whether what a standard thickness gives meets the criterion.
    bool meets(const AtThickness& at, const std::string& target) const
    {
        switch (criterion_) {
            case Criterion::SurfaceLimit:
                return ReadVal(at.surface) <= ReadVal(target);
            case Criterion::Condensation:
                return ReadVal(at.surface) >= ReadVal(target);
            case Criterion::LossLimit:
                break;
        }
        return absolute(Real(ReadVal(at.loss))) <= Real(ReadVal(in_.lossLimit));
    }

private:
    // 放散熱量: the loss through the thickness at this surface temperature.
    std::string loss(const std::string& lambda, const std::string& surface, const std::string& h,
                     const std::string& metres, const std::string& outer, const std::string& step)
    {
        Run run(windows().heatLoss, chain_, step);
        run.enter("Text1", lambda)
            .enter("Text2", in_.inner)
            .enter("Text3", surface)
            .enter("Text4", in_.ambient)
            .enter("Text5", h);
        if (isPipe(shape_)) {
            run.enter("Text7", in_.diameter).enter("Text8", outer).press("Command2");
            return run.finish(run.result("Text10"));
        }
        run.enter("Text6", metres).press("Command1");
        return run.finish(run.result("Text9"));
    }

    // 表面温度: the surface temperature that loss gives.
    std::string surfaceTemperature(const std::string& q, const std::string& h, const std::string& outer,
                                   const std::string& step)
    {
        Run run(windows().surfaceTemperature, chain_, step);
        run.enter("Text1", in_.ambient).enter("Text2", q).enter("Text3", h);
        if (isPipe(shape_)) {
            run.enter("Text8", outer).press("Command2");
            return run.finish(run.result("Text10"));
        }
        run.press("Command1");
        return run.finish(run.result("Text9"));
    }

    const Inputs& in_;
    const FormModel& materialWindow_;
    Shape shape_;
    Criterion criterion_;
    Chain* chain_ = nullptr;
};

// What a design's checks established: the choices, the series, the target
// surface temperature ("" for 放散熱量上限) and where step 4 starts.
struct Plan {
    const FormModel* materialWindow = nullptr;
    Shape shape = Shape::HorizontalPipe;
    Criterion criterion = Criterion::SurfaceLimit;
    std::vector<long> series = {};
    std::string target = "";
    std::string start = "";
};

// The checks, in their order, and the target: writes Text11 and Text12 as
// soon as each is known. Throws the first check's message that fails.
Plan prepare(Form& form, const Inputs& in, Chain* chain)
{
    const std::optional<size_t> material =
        choice(kMaterials, in.material, [](const Material& m) { return m.name; });
    if (!material)
        throw HandlerMessage(kNoMaterial);
    const FormModel& materialWindow = windows().materials[*material];
    if (materialWindow.rules().find("Combo1") != nullptr && in.grade.empty())
        throw HandlerMessage(kNoGrade);
    const std::optional<size_t> shape = choice(kShapes, in.shape, [](const char* s) { return s; });
    if (!shape)
        throw HandlerMessage(kNoShape);
    const std::optional<size_t> criterion = choice(kCriteria, in.criterion, [](const char* s) { return s; });
    if (!criterion)
        throw HandlerMessage(kNoCriterion);
    Plan plan;
    plan.materialWindow = &materialWindow;
    plan.shape = static_cast<Shape>(*shape);
    plan.criterion = static_cast<Criterion>(*criterion);

    std::optional<std::vector<long>> series = parseSeries(in.series);
    if (!series)
        throw HandlerMessage(kSeries);
    plan.series = std::move(*series);
    if (isPipe(plan.shape) && !(ReadVal(in.diameter) > 0))
        throw HandlerMessage(kDiameter);
    const double inner = ReadVal(in.inner);
    const double ambient = ReadVal(in.ambient);
    if (inner == ambient)
        throw HandlerMessage(kSameTemperatures);
    if (plan.criterion == Criterion::SurfaceLimit && !(inner > ambient))
        throw HandlerMessage(kHotOnly);
    if (plan.criterion == Criterion::Condensation && !(inner < ambient))
        throw HandlerMessage(kColdOnly);
    if (plan.criterion == Criterion::Condensation) {
        const double humidity = ReadVal(in.humidity);
        if (!(humidity > 0 && humidity <= 100))
            throw HandlerMessage(kHumidity);
    }
    if (plan.criterion == Criterion::LossLimit) {
        if (!(ReadVal(in.lossLimit) > 0))
            throw HandlerMessage(kLossLimit);
        plan.start = ShowDecimal(((Real(inner) + Real(ambient)) / Real(2)).value());
        return plan;
    }

    if (plan.criterion == Criterion::SurfaceLimit) {
        plan.target = ShowDecimal(ReadVal(in.surfaceLimit));
    } else {
        Design design(in, *plan.materialWindow, plan.shape, plan.criterion);
        design.logTo(chain);
        const std::string dew = design.dewPoint();
        form.setText("Text11", dew);
        plan.target = ShowDecimal((Real(ReadVal(dew)) + Real(ReadVal(in.dewMargin))).value());
    }
    form.setText("Text12", plan.target);
    plan.start = plan.target;
    const double target = ReadVal(plan.target);
    const bool hot = plan.criterion == Criterion::SurfaceLimit;
    if (hot ? target >= inner : target <= inner)
        throw HandlerMessage(kNothingNeeded);
    if (hot ? target <= ambient : target >= ambient)
        throw HandlerMessage(hot ? kLimitAtAmbient : kDewAtAmbient);
    return plan;
}

// One press of 計算: Text11–Text20 emptied, the checks, steps 2 and 3 where
// there is a target, then step 4 over the standard thicknesses. Each box is
// written as soon as its value is known. `planned` gets the plan once the
// checks have passed.
void designOnForm(Form& form, Chain* chain, std::optional<Plan>* planned)
{
    for (const char* box :
         {"Text11", "Text12", "Text13", "Text14", "Text15", "Text16", "Text17", "Text18", "Text19", "Text20"})
        form.setText(box, "");
    const Inputs in(form);
    const Plan plan = prepare(form, in, chain);
    if (planned != nullptr)
        *planned = plan;
    Design design(in, *plan.materialWindow, plan.shape, plan.criterion);
    design.logTo(chain);

    std::string required;
    if (!plan.target.empty()) {
        const std::string lambda = design.conductivity(plan.target, "2");
        form.setText("Text13", lambda);
        const auto [h, t] = design.required(plan.target, lambda);
        form.setText("Text14", h);
        form.setText("Text15", t);
        required = t;
    }
    for (const long mm : plan.series) {
        if (!required.empty() && ReadVal(metresText(mm)) < ReadVal(required))
            continue;
        const AtThickness at = design.atThickness(mm, plan.start);
        if (!design.meets(at, plan.target))
            continue;
        form.setText("Text16", std::to_string(mm));
        form.setText("Text17", at.surface);
        form.setText("Text18", at.loss);
        form.setText("Text19", at.conductivity);
        form.setText("Text20", at.coefficient);
        return;
    }
    throw HandlerMessage(kNoThickness);
}

void Command1_Click(Form& form)
{
    designOnForm(form, nullptr, nullptr);
}

// A material picked: its grades, as its own window lists them.
void Combo1_Click(Form& form)
{
    form.clearItems("Combo2");
    const std::optional<size_t> material =
        choice(kMaterials, form.text("Combo1"), [](const Material& m) { return m.name; });
    if (!material)
        return;
    for (const std::string& grade : entriesOf(windows().materials[*material], "Combo1"))
        form.addItem("Combo2", grade);
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
//   ended it; charted over T with the target surface temperature (or the
//   loss limit) as the level and the adopted T marked;
// - the chain: every window run of the design as the window works it out,
//   in order: step ("1" dew point, "2" λ at the target, "3 (k)" the
//   required thickness, "4 T=… (k)" a standard thickness), program, button,
//   what was entered, what was read, and the text passed on ("! message"
//   where the run failed).
std::vector<SideTable> sideTables(const Form& shown)
{
    SideTable sweep{kSweepTitle,
                    {"標準厚さ（ｍｍ）", "表面温度（℃）", "放散熱量（Ｗ／ｍ２・Ｗ／ｍ）",
                     "平均熱伝導率（Ｗ／ｍＫ）", "表面熱伝達率（Ｗ／ｍ２Ｋ）", "備考"}};
    sweep.chart.x = 0;
    sweep.chart.lines = {1, 2};
    sweep.chart.markedTitle = "採用厚さ";
    SideTable chain{kChainTitle, {"手順", "プログラム", "ボタン", "入力", "結果", "渡す値"}};

    FormModel form = designForm(shown);
    Chain lines;
    std::optional<Plan> plan;
    try {
        designOnForm(form, &lines, &plan);
    } catch (...) {
        // The window shows how the design ended; the tables show how far it got.
    }
    for (ChainLine& l : lines)
        chain.rows.push_back({l.step, l.program, l.button, l.entered, l.read, l.value});
    if (!plan)
        return {sweep, chain};

    const Inputs in(form);
    Design design(in, *plan->materialWindow, plan->shape, plan->criterion);
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
    if (plan->criterion == Criterion::LossLimit) {
        // The limit is on the loss's magnitude; a cold line's loss is negative.
        const bool cold = ReadVal(in.inner) < ReadVal(in.ambient);
        sweep.chart.levelColumn = 2;
        sweep.chart.level = ShowDecimal(cold ? -ReadVal(in.lossLimit) : ReadVal(in.lossLimit));
        sweep.chart.levelTitle = kCriteria[static_cast<int>(Criterion::LossLimit)];
    } else {
        sweep.chart.levelColumn = 1;
        sweep.chart.level = plan->target;
        sweep.chart.levelTitle = "目標表面温度";
    }
    return {sweep, chain};
}

// --- The window --------------------------------------------------------------------

std::vector<std::string> names(const char* const* first, const char* const* last)
{
    return std::vector<std::string>(first, last);
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
            {K::Label, "Label26", "採用厚さでの平均熱伝導率", 6600, 4950, 2655, 255, 50},
            {K::TextBox, "Text19", "", 9360, 4920, 1935, 300, 51},
            {K::Label, "Label27", "採用厚さでの表面熱伝達率", 6600, 5370, 2655, 255, 52},
            {K::TextBox, "Text20", "", 9360, 5340, 1935, 300, 53},
            {K::Label, "Label28", kCreditLine, 9360, 6660, 1935, 255, 54},
            {K::Label, "Label29", "2026/12/07", 9360, 6960, 1215, 255, 55},
        },
        {
            {"Combo1",
             [] {
                 std::vector<std::string> entries;
                 for (const Material& m : kMaterials)
                     entries.emplace_back(m.name);
                 return entries;
             }()},
            {"Combo3", entriesOf(windows().heatTransfer, "Combo1")},
            {"Combo4", names(std::begin(kShapes), std::end(kShapes))},
            {"Combo5",
             [] {
                 std::vector<std::string> entries;
                 for (const PipeSize& size : sgpSizes())
                     entries.emplace_back(size.nominal);
                 return entries;
             }()},
            {"Combo6", names(std::begin(kCriteria), std::end(kCriteria))},
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
        {kNoMaterial, kNoGrade,          kNoShape,        kNoCriterion,   kSeries,
         kDiameter,   kSameTemperatures, kHotOnly,        kColdOnly,      kHumidity,
         kLossLimit,  kNothingNeeded,    kLimitAtAmbient, kDewAtAmbient,  kRangeBefore,
         kRangeAfter, kNoThickness,      kRequiredRounds, kSurfaceRounds, kEmptyResult},
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
