// 保温設計's design: its checks, and the steps it takes through the windows
// (the windows by what they give):
//   M(lo, hi)   the material's window, its grade, Text1 lo, Text2 hi → Text3
//   H(θs, t)    熱伝達率: θa, θs, v, d (pipes; "0" for planes), t, ε → the
//               radiation coefficient plus the convective one of the shape
//   R(λ, θs, h) ravelt: 平面の計算 → Text6, 配管の計算 → Text8
//   q           放散熱量: 平面の計算 → Text9, 配管の計算 → Text10
//   θs          表面温度: 平面の計算 → Text9, 配管の計算 → Text10
//   dew point   lorvast: θa, RH → Text3
#include "design.h"

#include <algorithm>

#include "conductivity.h"
#include "criterion.h"
#include "event.h"
#include "layered.h"
#include "numeric.h"
#include "real.h"

namespace milfo::heatflow::design {

namespace {

constexpr int kRequiredRoundLimit = 100;
constexpr int kSurfaceRoundLimit = 200;

// What the steps are for, as the design's record names them.
const char* const kRequired = "必要厚さ";

// The place of text among names, or nothing.
template <typename List, typename Name>
std::optional<size_t> choice(const List& names, std::string_view text, Name name)
{
    size_t i = 0;
    for (const auto& n : names) {
        if (text == name(n))
            return i;
        ++i;
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::string> commonMessages()
{
    return {kNoMaterial,      kNoGrade,          kNoShape,        kNoCriterion,   kSeries,
            kDiameter,        kSameTemperatures, kNothingNeeded,  kRangeBefore,   kRangeAfter,
            kNoThickness,     kPipesOnly,        kRequiredRounds, kSurfaceRounds, kEmptyResult,
            kNoInnerMaterial, kNoInnerGrade,     kInnerThickness, kInnerRefused,  kInterfaceBefore,
            kInterfaceAfter};
}

Inputs::Inputs(const Form& form)
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
      series(form.text("Text10")),
      innerDiameter(form.text("Text24")),
      volumetricHeat(form.text("Text23")),
      holdingHours(form.text("Text21")),
      frozenPart(form.text("Text22")),
      flow(form.text("Text25")),
      specificHeat(form.text("Text26")),
      length(form.text("Text27")),
      allowedDrop(form.text("Text28")),
      costs(form.text("Text31")),
      heatPrice(form.text("Text32")),
      hours(form.text("Text33")),
      years(form.text("Text34")),
      rate(form.text("Text35")),
      efficiency(form.text("Text36")),
      innerMaterial(form.text("Combo8")),
      innerGrade(form.text("Combo9")),
      innerThickness(form.text("Text38")),
      law{form.text("Text41"), form.text("Text42"), form.text("Text43"), form.text("Text44"),
          form.text("Text45")}
{
}

std::optional<std::vector<std::string>> seriesItems(std::string_view text, bool decimals)
{
    std::vector<std::string> items(1);
    const auto starts = [&](size_t i, std::string_view s) { return text.substr(i, s.size()) == s; };
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == ' ' || c == '\t') {
            ++i;
        } else if (starts(i, "\u3000")) {
            i += 3;
        } else if ((c >= '0' && c <= '9') || (decimals && c == '.')) {
            items.back() += c;
            ++i;
        } else if (starts(i, "\xEF\xBC") && i + 2 < text.size() && text[i + 2] >= '\x90' &&
                   text[i + 2] <= '\x99') {  // ０ to ９: U+FF10 to U+FF19
            items.back() += static_cast<char>('0' + (text[i + 2] - '\x90'));
            i += 3;
        } else if (decimals && starts(i, "\uFF0E")) {  // ．
            items.back() += '.';
            i += 3;
        } else if (c == ',' || starts(i, "\uFF0C") || starts(i, "\u3001")) {
            items.emplace_back();
            i += c == ',' ? 1 : 3;
        } else {
            return std::nullopt;
        }
    }
    return items;
}

std::optional<std::vector<long>> parseSeries(std::string_view text)
{
    constexpr size_t kMaxDigits = 6;  // up to 999999 mm
    const std::optional<std::vector<std::string>> items = seriesItems(text, false);
    if (!items)
        return std::nullopt;
    std::vector<long> series;
    for (const std::string& digits : *items) {
        const size_t first = digits.find_first_not_of('0');
        if (first == std::string::npos || digits.size() - first > kMaxDigits)
            return std::nullopt;
        const long mm = std::stol(digits.substr(first));
        if (!series.empty() && mm <= series.back())
            return std::nullopt;
        series.push_back(mm);
    }
    return series;
}

std::string standardStep(long mm)
{
    return "標準厚さ" + std::to_string(mm) + "ｍｍ";
}

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

std::optional<size_t> materialOf(std::string_view text)
{
    return choice(conductivity::materialWindows(), text,
                  [](const conductivity::MaterialWindow& m) { return m.material; });
}

std::vector<std::string> materialEntries(bool emptyFirst)
{
    std::vector<std::string> all;
    if (emptyFirst)
        all.emplace_back();
    for (const conductivity::MaterialWindow& m : conductivity::materialWindows())
        all.emplace_back(m.material);
    return all;
}

std::vector<MaterialChoice> materialChoices()
{
    std::vector<MaterialChoice> all;
    for (const conductivity::MaterialWindow& m : conductivity::materialWindows()) {
        const std::vector<Control>& controls = m.description().controls;
        const bool graded = std::any_of(controls.begin(), controls.end(), [](const Control& c) {
            return c.name == std::string_view("Combo1");
        });
        all.push_back({m.material, graded, m.law});
    }
    return all;
}

HandlerFn gradesPicked(const char* list, const char* grades)
{
    return [=](Form& form) {
        form.clearItems(grades);
        const std::optional<size_t> material = materialOf(form.text(list));
        if (!material)
            return;
        for (const std::string& grade : entriesOf(windows().materials[*material], "Combo1"))
            form.addItem(grades, grade);
    };
}

HandlerFn finishPicked(const char* list, const char* box)
{
    return [=](Form& form) {
        Run run(windows().heatTransfer, nullptr, "");
        run.enter("Combo1", form.text(list));
        form.setText(box, run.shown("Text12"));
    };
}

// --- The steps every window of ours takes ----------------------------------------------

const FormModel& Material::form() const
{
    return windows().materials[window];
}

bool Material::graded() const
{
    return form().rules().find("Combo1") != nullptr;
}

std::optional<conductivity::Range> Material::range() const
{
    FormModel entered = form();
    if (graded())
        entered.type(*entered.rules().find("Combo1"), grade);
    if (conductivity::materialWindows()[window].law)
        for (size_t i = 0; i < law.size(); ++i)
            entered.type(*entered.rules().find(conductivity::kLawBoxes[i]), law[i]);
    return conductivity::materialWindows()[window].range(entered);
}

std::string meanConductivity(const Material& material, const std::string& lo, const std::string& hi,
                             Chain* chain, std::string purpose)
{
    Run run(material.form(), chain, std::move(purpose));
    if (material.graded())
        run.enter("Combo1", material.grade);
    if (conductivity::materialWindows()[material.window].law)
        for (size_t i = 0; i < material.law.size(); ++i)
            run.enter(conductivity::kLawBoxes[i], material.law[i]);
    run.enter("Text1", lo).enter("Text2", hi).press("Command1");
    const std::string lambda = run.result("Text3");
    run.finish(lambda == "0" ? "! 0" : lambda);
    return lambda;
}

std::string surfaceCoefficient(const Surroundings& around, const std::string& surface,
                               const std::string& thickness, Chain* chain, std::string purpose)
{
    Run run(windows().heatTransfer, chain, std::move(purpose));
    run.enter("Text1", around.ambient)
        .enter("Text2", surface)
        .enter("Text3", around.wind)
        .enter("Text4", isPipe(around.shape) ? around.diameter : "0")
        .enter("Text5", thickness)
        .enter("Text12", around.emissivity)
        .press("Command1");
    const Real radiation = ReadVal(run.result("Text6"));
    Real convection;
    switch (around.shape) {
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

// --- The steps -----------------------------------------------------------------------

std::string Design::dewPoint()
{
    Run run(windows().dewPoint, chain_, "露点温度");
    run.enter("Text1", in_.ambient).enter("Text4", in_.humidity).press("Command1");
    return run.finish(run.result("Text3"));
}

std::string Design::conductivity(const std::string& surface, const std::string& purpose)
{
    const bool ordered = !(ReadVal(in_.inner) < ReadVal(surface));
    const std::string& lo = ordered ? surface : in_.inner;
    const std::string& hi = ordered ? in_.inner : surface;
    const std::string lambda = meanConductivity(material_, lo, hi, chain_, purpose);
    if (lambda == "0")
        throw HandlerMessage(std::string(kRangeBefore) + "（" + lo + "～" + hi + " ℃）" + kRangeAfter);
    return lambda;
}

Surroundings Design::surroundings() const
{
    return {shape_, in_.ambient, in_.wind, in_.diameter, in_.emissivity};
}

std::string Design::coefficient(const std::string& surface, const std::string& thickness,
                                const std::string& purpose)
{
    return surfaceCoefficient(surroundings(), surface, thickness, chain_, purpose);
}

std::string Design::thickness(const std::string& lambda, const std::string& surface, const std::string& h,
                              const std::string& purpose)
{
    Run run(windows().thickness, chain_, purpose);
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

// A horizontal pipe's coefficient depends on the thickness: from t0 = "0"
// the two are worked out in turn until a thickness repeats.
std::pair<std::string, std::string> Design::required(const std::string& target, const std::string& lambda)
{
    if (shape_ != Shape::HorizontalPipe) {
        const std::string h = coefficient(target, "0", kRequired);
        return {h, thickness(lambda, target, h, kRequired)};
    }
    std::vector<std::string> seen{"0"};
    for (int round = 1; round <= kRequiredRoundLimit; ++round) {
        const std::string purpose = std::string(kRequired) + "（" + std::to_string(round) + "回目）";
        const std::string h = coefficient(target, seen.back(), purpose);
        std::string t = thickness(lambda, target, h, purpose);
        const bool repeats = std::find(seen.begin(), seen.end(), t) != seen.end();
        seen.push_back(std::move(t));
        if (repeats)
            return {h, seen.back()};
    }
    throw HandlerMessage(kRequiredRounds);
}

AtThickness Design::atThickness(long mm, const std::string& start)
{
    if (inner_)
        return layered(mm);
    const std::string metres = metresText(mm);
    std::string outer;
    if (isPipe(shape_))
        outer = ShowDecimal((Real(2) * Real(ReadVal(metres)) + Real(ReadVal(in_.diameter))).value());
    std::vector<std::string> seen{start};
    for (int round = 1; round <= kSurfaceRoundLimit; ++round) {
        const std::string purpose = standardStep(mm) + "（" + std::to_string(round) + "回目）";
        const std::string& surface = seen.back();
        AtThickness at;
        at.conductivity = conductivity(surface, purpose);
        at.coefficient = coefficient(surface, metres, purpose);
        at.loss = loss(at.conductivity, surface, at.coefficient, metres, outer, purpose);
        at.surface = surfaceTemperature(at.loss, at.coefficient, outer, purpose);
        const bool repeats = std::find(seen.begin(), seen.end(), at.surface) != seen.end();
        seen.push_back(at.surface);
        if (repeats)
            return at;
    }
    throw HandlerMessage(kSurfaceRounds);
}

// 複層保温 with the inner layer as 第１層 and the standard thickness of the
// material as 第２層. A thickness at which the interface leaves the outer
// layer's range stops the design with a message of its own (a thicker outer
// layer would only move the interface further toward the inside); any other
// stop of 複層保温 is passed on as it reported it.
AtThickness Design::layered(long mm)
{
    Run run(windows().layered, chain_, standardStep(mm));
    run.enter("Combo1", in_.shape);
    if (isPipe(shape_))
        run.enter("Text1", in_.diameter);
    run.enter("Text2", in_.inner)
        .enter("Text3", in_.ambient)
        .enter("Text4", in_.wind)
        .enter("Text5", in_.emissivity);
    const auto enterLayer = [&run](const LayerBoxes& boxes, const std::string& name, const Material& m,
                                   const std::string& thickness) {
        run.enter(boxes.material, name);
        if (m.graded())
            run.enter(boxes.grade, m.grade);
        run.enter(boxes.thickness, thickness);
    };
    enterLayer(kLayerBoxes[0], in_.innerMaterial, *inner_, in_.innerThickness);
    enterLayer(kLayerBoxes[1], in_.material, material_, std::to_string(mm));
    const std::vector<conductivity::MaterialWindow>& materials = conductivity::materialWindows();
    if (materials[inner_->window].law || materials[material_.window].law)
        for (size_t i = 0; i < in_.law.size(); ++i)
            run.enter(kLayerLaw[i], in_.law[i]);
    try {
        run.press("Command1");
    } catch (const PassedOnFailure& failure) {
        const std::optional<RangeStop> stop = rangeStopOf(failure.failure().message);
        const std::optional<conductivity::Range> range = material_.range();
        if (stop && stop->layer == 1 && range) {
            const bool hot = ReadVal(in_.inner) > ReadVal(in_.ambient);
            const double interface = ReadVal(hot ? stop->higher : stop->lower);
            if (!range->admitsLow(interface) || !range->admitsHigh(interface))
                throw HandlerMessage(std::string(kInterfaceBefore) + "（" + stop->lower + "～" +
                                     stop->higher + " ℃）" + kInterfaceAfter);
        }
        throw;
    }
    AtThickness at;
    at.surface = run.result(kLayerSurface);
    at.loss = run.result(kLayerLoss);
    at.coefficient = run.result(kLayerCoefficient);
    at.interface = run.result(kLayerInterfaces[0]);
    at.innerConductivity = run.result(kLayerBoxes[0].conductivity);
    at.conductivity = run.result(kLayerBoxes[1].conductivity);
    run.finish(at.surface);
    return at;
}

// 放散熱量: the loss through the thickness at this surface temperature.
std::string Design::loss(const std::string& lambda, const std::string& surface, const std::string& h,
                         const std::string& metres, const std::string& outer, const std::string& purpose)
{
    Run run(windows().heatLoss, chain_, purpose);
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
std::string Design::surfaceTemperature(const std::string& q, const std::string& h, const std::string& outer,
                                       const std::string& purpose)
{
    Run run(windows().surfaceTemperature, chain_, purpose);
    run.enter("Text1", in_.ambient).enter("Text2", q).enter("Text3", h);
    if (isPipe(shape_)) {
        run.enter("Text8", outer).press("Command2");
        return run.finish(run.result("Text10"));
    }
    run.press("Command1");
    return run.finish(run.result("Text9"));
}

// --- The press -------------------------------------------------------------------------

const std::vector<const Criterion*>& criteria()
{
    static const std::vector<const Criterion*> all = {&surfaceLimit(), &condensation(), &lossLimit(),
                                                      &freezing(),     &outletDrop(),   &economicThickness()};
    return all;
}

namespace {

// The checks, in their order, and the target: the criterion writes what it
// shows of its target as soon as each is known. Throws the first check's
// message that fails.
Plan prepare(Form& form, const Inputs& in, Chain* chain)
{
    const std::optional<size_t> material = materialOf(in.material);
    if (!material)
        throw HandlerMessage(kNoMaterial);
    const Material chosen{*material, in.grade, in.law};
    if (chosen.graded() && in.grade.empty())
        throw HandlerMessage(kNoGrade);
    // An inner layer: its material (the list's empty entry: none) and grade.
    std::optional<Material> innerLayer;
    if (!in.innerMaterial.empty()) {
        const std::optional<size_t> innerMaterial = materialOf(in.innerMaterial);
        if (!innerMaterial)
            throw HandlerMessage(kNoInnerMaterial);
        innerLayer = Material{*innerMaterial, in.innerGrade, in.law};
        if (innerLayer->graded() && in.innerGrade.empty())
            throw HandlerMessage(kNoInnerGrade);
    }
    const std::optional<size_t> shape = choice(kShapes, in.shape, [](const char* s) { return s; });
    if (!shape)
        throw HandlerMessage(kNoShape);
    const std::optional<size_t> criterion =
        choice(criteria(), in.criterion, [](const Criterion* c) { return c->name(); });
    if (!criterion)
        throw HandlerMessage(kNoCriterion);
    Plan plan;
    plan.material = chosen;
    plan.inner = innerLayer;
    plan.shape = static_cast<Shape>(*shape);
    plan.criterion = criteria()[*criterion];

    std::optional<std::vector<long>> series = parseSeries(in.series);
    if (!series)
        throw HandlerMessage(kSeries);
    plan.series = std::move(*series);
    if (isPipe(plan.shape) && !(ReadVal(in.diameter) > 0))
        throw HandlerMessage(kDiameter);
    if (plan.inner && !(ReadVal(in.innerThickness) > 0))
        throw HandlerMessage(kInnerThickness);
    const double inner = ReadVal(in.inner);
    const double ambient = ReadVal(in.ambient);
    if (inner == ambient)
        throw HandlerMessage(kSameTemperatures);
    if (plan.inner && (plan.criterion == &freezing() || plan.criterion == &outletDrop()))
        throw HandlerMessage(kInnerRefused);
    plan.criterion->check(in, plan);

    Design design(in, plan.material, plan.shape, plan.inner);
    design.logTo(chain);
    plan.target = plan.criterion->target(form, in, design);
    plan.start =
        !plan.target.empty() ? plan.target : ShowDecimal(((Real(inner) + Real(ambient)) / Real(2)).value());
    return plan;
}

}  // namespace

const std::vector<const char*>& resultBoxes()
{
    static const std::vector<const char*> boxes = [] {
        std::vector<const char*> all = {"Text11", "Text12", "Text13", "Text14", "Text15",
                                        "Text16", "Text17", "Text18", "Text19", "Text20"};
        for (const Criterion* c : criteria())
            if (c->resultBox() != nullptr)
                all.push_back(c->resultBox());
        all.push_back("Text39");
        all.push_back("Text40");
        return all;
    }();
    return boxes;
}

Candidate candidate(Design& design, const Plan& plan, size_t place)
{
    Candidate c;
    c.mm = plan.series[place];
    c.at = design.atThickness(c.mm, plan.start);
    c.figures = plan.criterion->figures(design, plan, place, c.mm, c.at);
    return c;
}

namespace {

// The adopted thickness: what it gives, and the criterion's own result.
void adopt(Form& form, const Criterion& criterion, const Candidate& c)
{
    form.setText("Text16", std::to_string(c.mm));
    form.setText("Text17", c.at.surface);
    form.setText("Text18", c.at.loss);
    form.setText("Text19", c.at.conductivity);
    form.setText("Text20", c.at.coefficient);
    if (criterion.resultBox() != nullptr)
        form.setText(criterion.resultBox(), criterion.result(c.figures));
    form.setText("Text39", c.at.interface);
    form.setText("Text40", c.at.innerConductivity);
}

}  // namespace

void designOnForm(Form& form, Chain* chain, std::optional<Plan>* planned)
{
    for (const char* box : resultBoxes())
        form.setText(box, "");
    const Inputs in(form);
    const Plan plan = prepare(form, in, chain);
    if (planned != nullptr)
        *planned = plan;
    Design design(in, plan.material, plan.shape, plan.inner);
    design.logTo(chain);

    // Over an inner layer the required thickness of one layer means
    // nothing: every standard thickness is worked out from the first.
    std::string required;
    if (!plan.target.empty() && !plan.inner) {
        const std::string lambda = design.conductivity(plan.target, "目標表面温度での平均熱伝導率");
        form.setText("Text13", lambda);
        const auto [h, t] = design.required(plan.target, lambda);
        form.setText("Text14", h);
        form.setText("Text15", t);
        required = t;
    }
    const Criterion& criterion = *plan.criterion;
    std::optional<Candidate> least;
    for (size_t place = 0; place < plan.series.size(); ++place) {
        if (!required.empty() && ReadVal(metresText(plan.series[place])) < ReadVal(required))
            continue;
        Candidate c = candidate(design, plan, place);
        if (criterion.choosesLeast()) {
            if (!least || c.figures.amount < least->figures.amount)
                least = std::move(c);
        } else if (criterion.meets(in, plan, c)) {
            adopt(form, criterion, c);
            return;
        }
    }
    if (!least)
        throw HandlerMessage(kNoThickness);
    adopt(form, criterion, *least);
}

}  // namespace milfo::heatflow::design
