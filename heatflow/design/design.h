// 保温設計's design: what it reads from its form, the steps it takes through
// the suite's windows (chain.h), and the press of 計算 that chooses a
// standard thickness for the criterion picked (criterion.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "../../conductivity/mean.h"
#include "chain.h"
#include "program.h"

namespace milfo::heatflow::design {

// --- The messages every criterion shares ----------------------------------------

inline constexpr const char* kNoMaterial = "保温材を選んでください。";
inline constexpr const char* kNoGrade = "種類を選んでください。";
inline constexpr const char* kNoShape = "形状を選んでください。";
inline constexpr const char* kNoCriterion = "設計条件を選んでください。";
inline constexpr const char* kSeries =
    "標準厚さは、０より大きい整数（ｍｍ）を小さい順に「,」で区切って入力してください。";
inline constexpr const char* kDiameter = "管の外径（ｍ）に０より大きい値を入力してください。";
inline constexpr const char* kSameTemperatures = "内部温度と周囲温度が同じです。温度を見直してください。";
inline constexpr const char* kNothingNeeded = "内部温度のままで目標表面温度を満たすため、保温は要りません。";
// "温度が保温材の使用範囲外です（lo～hi ℃）。保温材・種類か温度を見直してください。"
inline constexpr const char* kRangeBefore = "温度が保温材の使用範囲外です";
inline constexpr const char* kRangeAfter = "。保温材・種類か温度を見直してください。";
inline constexpr const char* kNoThickness =
    "設計条件を満たす標準厚さがありません。より厚い標準厚さを加えてください。";
inline constexpr const char* kRequiredRounds =
    "必要厚さの繰り返し計算が１００回で決まりません。入力を見直してください。";
inline constexpr const char* kPipesOnly = "凍結防止と温度降下は配管（水平管・垂直管）の条件です。";
inline constexpr const char* kSurfaceRounds =
    "表面温度の繰り返し計算が２００回で決まりません。入力を見直してください。";
inline constexpr const char* kNoInnerMaterial = "内層保温材を選んでください。";
inline constexpr const char* kNoInnerGrade = "内層種類を選んでください。";
inline constexpr const char* kInnerThickness = "内層厚さに０より大きい値（ｍｍ）を入力してください。";
inline constexpr const char* kInnerRefused = "内層のある設計では、凍結防止と温度降下は選べません。";
// "境界温度が外層の保温材の使用範囲外です（lo～hi ℃）。内層を厚くするか保温材を見直してください。"
inline constexpr const char* kInterfaceBefore = "境界温度が外層の保温材の使用範囲外です";
inline constexpr const char* kInterfaceAfter = "。内層を厚くするか保温材を見直してください。";

// Every message above, and the chain's own.
std::vector<std::string> commonMessages();

// --- What the design reads ---------------------------------------------------------

// The texts of the form a design reads.
struct Inputs {
    std::string material, grade, inner, ambient, humidity, wind, emissivity, shape, diameter, criterion,
        surfaceLimit, dewMargin, lossLimit, series;
    // A pipe's own: its inner diameter, its material's volumetric heat.
    std::string innerDiameter, volumetricHeat;
    // 凍結防止: the hours the water must hold, the part of it that may freeze.
    std::string holdingHours, frozenPart;
    // 温度降下: the flow, its specific heat, the line's length, the drop allowed.
    std::string flow, specificHeat, length, allowedDrop;
    // 経済的厚さ: the installed costs, the price of heat, the hours a year,
    // the years and the rate of the annuity, the heat source's efficiency.
    std::string costs, heatPrice, hours, years, rate, efficiency;
    // The inner layer ("" material: none): its material, grade and
    // thickness in millimetres; the law of 係数で指定 (a, b, c, 下限, 上限).
    std::string innerMaterial, innerGrade, innerThickness;
    std::vector<std::string> law;

    explicit Inputs(const Form& form);
};

enum class Shape { HorizontalPipe, VerticalPipe, VerticalPlane, UpwardPlane, DownwardPlane };
inline constexpr const char* kShapes[] = {"水平管", "垂直管", "垂直平面", "上向き平面", "下向き平面"};

inline bool isPipe(Shape shape)
{
    return shape == Shape::HorizontalPipe || shape == Shape::VerticalPipe;
}

// The items of a list typed as the standard thicknesses are: separated by
// "," "，" or "、", blanks (and the ideographic space) ignored, full-width
// digits read as digits and, where decimals are allowed, "." and "．" as a
// point. Each item in ASCII ("" for an empty one); nothing when the text
// holds any other character.
std::optional<std::vector<std::string>> seriesItems(std::string_view text, bool decimals);

// The standard thicknesses in millimetres: whole numbers above 0, strictly
// ascending, a list as seriesItems reads it. Nothing when the text is not
// such a series.
std::optional<std::vector<long>> parseSeries(std::string_view text);

// A standard thickness's steps as the design's record names them:
// "標準厚さ50ｍｍ".
std::string standardStep(long mm);

// A thickness in millimetres as metres, exactly in decimal: 25 → "0.025",
// 100 → "0.1", 1500 → "1.5".
std::string metresText(long mm);

// The place of a text among the materials' names
// (conductivity::materialWindows()), or nothing.
std::optional<size_t> materialOf(std::string_view text);

// The materials' names as a list of 保温材 offers them, after an empty entry
// where the list may name none.
std::vector<std::string> materialEntries(bool emptyFirst);

// Each material by its name: whether its window has a list of grades, and
// whether it takes a law (what picking it makes a press read).
struct MaterialChoice {
    std::string material;
    bool graded;
    bool law;
};
std::vector<MaterialChoice> materialChoices();

// The click of a list of materials: the grades of the material picked into
// another list, as its own window lists them (none for a text that is no
// material).
HandlerFn gradesPicked(const char* list, const char* grades);

// The click of a list of finishes: the emissivity 熱伝達率 shows for the same
// entry, into a box.
HandlerFn finishPicked(const char* list, const char* box);

// --- The steps every window of ours takes ------------------------------------------

// A material as a design or a layer stands on it: its window (its place in
// conductivity::materialWindows()), the grade for its list, and the law's
// texts (a, b, c, 下限, 上限) for a window that takes one.
struct Material {
    size_t window = 0;
    std::string grade = "";
    std::vector<std::string> law = {};

    const FormModel& form() const;
    // Whether its window has a list of grades.
    bool graded() const;
    // The range its window applies to its grade or law; nothing when the
    // window has no such grade.
    std::optional<conductivity::Range> range() const;
};

// M(lo, hi): the material's window, its grade or law, Text1 lo, Text2 hi →
// Text3 as shown ("0": outside the grade's range).
std::string meanConductivity(const Material& material, const std::string& lo, const std::string& hi,
                             Chain* chain, std::string purpose);

// What 熱伝達率 is given besides the surface temperature and the thickness:
// the shape, the air, a pipe's outer diameter, the finish's emissivity.
struct Surroundings {
    Shape shape;
    std::string ambient, wind, diameter, emissivity;
};

// H(θs, t): 熱伝達率's radiation coefficient plus its convective one for the
// shape, each read from the text shown, h = ShowDecimal(radiation + hc); the
// diameter is "0" for a plane.
std::string surfaceCoefficient(const Surroundings& around, const std::string& surface,
                               const std::string& thickness, Chain* chain, std::string purpose);

// --- The steps ---------------------------------------------------------------------

// What one standard thickness gives once its surface temperature repeats:
// the surface temperature shown, and the loss, conductivity and coefficient
// of the round that gave it; over an inner layer, the interface temperature
// and the inner layer's conductivity too (the conductivity is the outer
// layer's).
struct AtThickness {
    std::string surface;
    std::string loss;
    std::string conductivity;
    std::string coefficient;
    std::string interface = "";
    std::string innerConductivity = "";
};

// The checks have passed: what the design stands on, and the steps of it
// (each a run of windows, logged to the chain when there is one).
class Design {
public:
    Design(const Inputs& in, Material material, Shape shape, std::optional<Material> inner = std::nullopt)
        : in_(in), material_(std::move(material)), inner_(std::move(inner)), shape_(shape)
    {
    }

    void logTo(Chain* chain) { chain_ = chain; }
    const Inputs& inputs() const { return in_; }
    Shape shape() const { return shape_; }
    // A run of another window as a step of this design (a criterion's own).
    Run run(const FormModel& window, std::string purpose) const
    {
        return Run(window, chain_, std::move(purpose));
    }

    // lorvast: θa and RH → the dew point.
    std::string dewPoint();
    // M(θs, θ1): the mean conductivity between the surface and the inside;
    // "0" means outside the grade's range.
    std::string conductivity(const std::string& surface, const std::string& purpose);
    // H(θs, t): 熱伝達率's radiation coefficient plus its convective one for
    // the shape, h = ShowDecimal(ReadVal(Text6) + hc).
    std::string coefficient(const std::string& surface, const std::string& thickness,
                            const std::string& purpose);
    // R(λ, θs, h): ravelt's thickness for the wanted surface temperature.
    std::string thickness(const std::string& lambda, const std::string& surface, const std::string& h,
                          const std::string& purpose);
    // Step 3: the required thickness at the target surface temperature and
    // the coefficient it was worked out with.
    std::pair<std::string, std::string> required(const std::string& target, const std::string& lambda);
    // Step 4 for one standard thickness: from the start, the conductivity,
    // the coefficient, the loss and the surface temperature in turn until the
    // surface temperature repeats. Over an inner layer, 複層保温 with the
    // two layers (the thickness the outer one's) instead.
    AtThickness atThickness(long mm, const std::string& start);

private:
    AtThickness layered(long mm);
    Surroundings surroundings() const;
    std::string loss(const std::string& lambda, const std::string& surface, const std::string& h,
                     const std::string& metres, const std::string& outer, const std::string& purpose);
    std::string surfaceTemperature(const std::string& q, const std::string& h, const std::string& outer,
                                   const std::string& purpose);

    const Inputs& in_;
    Material material_;
    std::optional<Material> inner_;
    Shape shape_;
    Chain* chain_ = nullptr;
};

class Criterion;

// What a design's checks established: the choices (the inner layer's
// material when there is one), the series, the target surface temperature
// ("" for a criterion without one) and where step 4 starts.
struct Plan {
    Material material = {};
    std::optional<Material> inner = std::nullopt;
    Shape shape = Shape::HorizontalPipe;
    const Criterion* criterion = nullptr;
    std::vector<long> series = {};
    std::string target = "";
    std::string start = "";
};

// What a standard thickness gives a criterion beyond the coupled figures
// (its own window's results, its costs): the cells of its table, and the
// amount compared by a criterion that chooses the least.
struct Figures {
    std::vector<std::string> cells = {};
    double amount = 0;
};

// A standard thickness and all it gives, in the order of the series.
struct Candidate {
    long mm = 0;
    AtThickness at = {};
    Figures figures = {};
};

// One press of 計算: every result box emptied, the checks, steps 2 and 3
// where there is a target, then step 4 over the standard thicknesses until
// the criterion adopts one. Each box is written as soon as its value is
// known. `chain` gets every window run; `planned` gets the plan once the
// checks have passed.
void designOnForm(Form& form, Chain* chain, std::optional<Plan>* planned);

// The result boxes of a press, in the order the press writes them.
const std::vector<const char*>& resultBoxes();

// The criterion's figures at the standard thickness at `place` in the
// series: step 4, then what the criterion works out there.
Candidate candidate(Design& design, const Plan& plan, size_t place);

}  // namespace milfo::heatflow::design
