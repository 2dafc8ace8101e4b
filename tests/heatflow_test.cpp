// The heat-flow handlers without a window: a form that records every write,
// the examples as rows, and the boxes each handler writes against its
// `results` list.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue.h"
#include "common.h"
#include "conductivity.h"
#include "design/economics.h"
#include "form_model.h"
#include "heatflow.h"
#include "insulated_pipe.h"
#include "numeric.h"
#include "pipe_search.h"
#include "pipe_sizes.h"
#include "rounded.h"

using namespace milfo;

namespace {

// A program's form with the given texts typed in, that records every write
// of a handler, in order.
class RecordingForm : public FormObserver {
public:
    RecordingForm(const ProgramDescription& program, const std::map<std::string, std::string>& texts)
        : form(program)
    {
        for (const auto& [name, text] : texts)
            form.type(*form.rules().find(name), text);
        form.setObserver(this);
    }
    void textChanged(const Control& c, const std::string& text) override
    {
        writes.emplace_back(c.name, text);
    }
    void itemAdded(const Control&, const std::string&) override {}
    void itemsCleared(const Control&) override {}

    FormModel form;
    std::vector<std::pair<std::string, std::string>> writes;
};

struct Row {
    const ProgramDescription& (*program)();
    const char* event;
    std::map<std::string, std::string> inputs;
    std::vector<std::pair<std::string, std::string>> writes;  // in writing order
    std::optional<ErrorKind> error = std::nullopt;            // raised after those writes
};

std::vector<Row> rows()
{
    using heatflow::heatLoss, heatflow::heatTransfer, heatflow::lorvast, heatflow::ravelt,
        heatflow::surfaceTemperature, heatflow::yardow, heatflow::freezeProtection, heatflow::temperatureDrop;
    const std::map<std::string, std::string> freezeExample{
        {"Text1", "5"},    {"Text2", "-10"},  {"Text3", "0.034"}, {"Text4", "0.0276"}, {"Text5", "3611"},
        {"Text6", "0.02"}, {"Text7", "0.04"}, {"Text8", "8"},     {"Text9", "25"}};
    return {
        {heatTransfer,
         "Command1_Click",
         {{"Text1", "20"},
          {"Text2", "50"},
          {"Text3", "0"},
          {"Text4", "0.1"},
          {"Text5", "0.05"},
          {"Text12", "0.94"}},
         {{"Text6", "6.2529544779648"},
          {"Text7", "0"},
          {"Text8", "0"},
          {"Text9", "5.99128913746103"},
          {"Text10", "0"},
          {"Text11", "4.16456625878089"}}},
        {heatTransfer,
         "Command1_Click",
         {{"Text1", "20"},
          {"Text2", "50"},
          {"Text3", "0"},
          {"Text4", "0"},
          {"Text5", "0.05"},
          {"Text12", "0.94"}},
         {{"Text6", "6.2529544779648"},
          {"Text7", "7.62953226098553"},
          {"Text8", "5.33599188805123"},
          {"Text9", "5.99128913746103"},
          {"Text10", "0"},
          {"Text11", "0"}}},
        {heatTransfer,
         "Command1_Click",
         {{"Text1", "20"},
          {"Text2", "25"},
          {"Text3", "2"},
          {"Text4", "0.1"},
          {"Text5", "0.05"},
          {"Text12", "0.5"}},
         {{"Text6", "2.93074313800748"},
          {"Text7", "0"},
          {"Text8", "0"},
          {"Text9", "0"},
          {"Text10", "10.5978943907383"},
          {"Text11", "6.91180358051588"}}},
        {heatTransfer,
         "Command1_Click",
         {},
         {{"Text6", "0"}, {"Text7", "0"}, {"Text8", "0"}, {"Text9", "0"}, {"Text10", "0"}, {"Text11", "0"}}},
        {heatTransfer,
         "Command1_Click",
         {{"Text1", "20"}, {"Text2", "50"}, {"Text3", "-1"}, {"Text4", "0.1"}},
         {},
         ErrorKind::InvalidArgument},
        {heatTransfer,
         "Command1_Click",
         {{"Text1", "20"}, {"Text2", "50"}, {"Text4", "0.1"}, {"Text5", "-0.05"}},
         {},
         ErrorKind::DivisionByZero},
        {heatTransfer, "Command1_Click", {{"Text1", "1e-20"}, {"Text2", "0"}}, {}, ErrorKind::DivisionByZero},
        {heatTransfer, "Combo1_Click", {{"Combo1", "アルミニウム板"}}, {{"Text12", "0.22"}}},
        {heatTransfer, "Combo1_Click", {{"Combo1", "仕上げセメント、布類"}}, {{"Text12", "0.94"}}},
        {heatTransfer, "Combo1_Click", {{"Combo1", ""}, {"Text12", "0.5"}}, {{"Text12", ""}}},
        {heatTransfer, "Combo1_Click", {{"Combo1", "ｱﾙﾐﾆｳﾑ板"}}, {{"Text12", ""}}},

        {heatLoss,
         "Command1_Click",
         {{"Text1", "0.05"}, {"Text2", "300"}, {"Text4", "20"}, {"Text5", "10"}, {"Text6", "0.1"}},
         {{"Text9", "133.333333333333"}}},
        {heatLoss,
         "Command2_Click",
         {{"Text1", "0.05"},
          {"Text2", "300"},
          {"Text4", "20"},
          {"Text5", "10"},
          {"Text7", "0.1143"},
          {"Text8", "0.3143"}},
         {{"Text10", "84.3106608071631"}}},
        {heatLoss, "Command1_Click", {}, {{"Text9", ""}}},
        {heatLoss, "Command2_Click", {}, {{"Text10", ""}}},
        {heatLoss,
         "Command1_Click",
         {{"Text1", "1"}, {"Text5", "1"}, {"Text6", "-1"}},
         {},
         ErrorKind::DivisionByZero},

        {yardow, "Command1_Click", {{"Text1", "40"}, {"Text2", "20"}, {"Text3", "10"}}, {{"Text9", "200"}}},
        {yardow,
         "Command2_Click",
         {{"Text1", "40"}, {"Text2", "20"}, {"Text3", "10"}, {"Text8", "0.3143"}},
         {{"Text10", "197.4803474"}}},
        {yardow, "Command1_Click", {}, {{"Text9", "0"}}},

        {ravelt,
         "Command1_Click",
         {{"Text1", "0.05"}, {"Text2", "300"}, {"Text3", "40"}, {"Text4", "20"}, {"Text5", "10"}},
         {{"Text6", "0.065"}}},
        {ravelt,
         "Command2_Click",
         {{"Text1", "0.05"},
          {"Text2", "300"},
          {"Text3", "40"},
          {"Text4", "20"},
          {"Text5", "10"},
          {"Text7", "0.1143"}},
         {{"Text8", "0.0485550000000411"}}},
        {ravelt,
         "Command2_Click",
         {{"Text1", "0.05"},
          {"Text2", "300"},
          {"Text3", "40"},
          {"Text4", "20"},
          {"Text5", "10"},
          {"Text7", "0.1"}},
         {{"Text8", "0.0474350000000301"}}},
        {ravelt,
         "Command2_Click",
         {{"Text1", "0.05"},
          {"Text2", "30"},
          {"Text3", "40"},
          {"Text4", "20"},
          {"Text5", "10"},
          {"Text7", "0.1"}},
         {{"Text8", "0.00000499999999999806"}}},
        {ravelt, "Command1_Click", {}, {{"Text6", "0"}}},
        {ravelt, "Command2_Click", {}, {}, ErrorKind::DivisionByZero},
        {ravelt,
         "Command2_Click",
         {{"Text1", "0.05"},
          {"Text2", "300"},
          {"Text3", "40"},
          {"Text4", "20"},
          {"Text5", "10"},
          {"Text7", "0"}},
         {},
         ErrorKind::DivisionByZero},

        {surfaceTemperature,
         "Command1_Click",
         {{"Text1", "20"}, {"Text2", "200"}, {"Text3", "10"}},
         {{"Text9", "40"}}},
        {surfaceTemperature,
         "Command2_Click",
         {{"Text1", "20"}, {"Text2", "200"}, {"Text3", "10"}, {"Text8", "0.3143"}},
         {{"Text10", "40.2551800858337"}}},
        {surfaceTemperature, "Command1_Click", {}, {}, ErrorKind::DivisionByZero},
        {surfaceTemperature, "Command2_Click", {}, {}, ErrorKind::DivisionByZero},

        {lorvast,
         "Command1_Click",
         {{"Text1", "20"}, {"Text4", "50"}},
         {{"Text2", "2339.24632185165"}, {"Text3", "9.26241245957127"}}},
        {lorvast,
         "Command1_Click",
         {{"Text1", "20"}, {"Text4", "100"}},
         {{"Text2", "2339.24632185165"}, {"Text3", "19.9966827700218"}}},
        {lorvast,
         "Command1_Click",
         {{"Text1", "-10"}, {"Text4", "80"}},
         {{"Text2", "286.520392421228"}, {"Text3", "-12.7776960401714"}}},
        {lorvast,
         "Command1_Click",
         {{"Text1", "30"}, {"Text4", "60"}},
         {{"Text2", "4247.02403969233"}, {"Text3", "21.3863876765537"}}},
        {lorvast, "Command1_Click", {}, {{"Text2", "611.212089705252"}, {"Text3", "0"}}},
        {lorvast,
         "Command1_Click",
         {{"Text1", "0"}, {"Text4", "100"}},
         {{"Text2", "611.212089705252"}, {"Text3", "-0.0000204341458379003"}}},
        {lorvast,
         "Command1_Click",
         {{"Text1", "-266"}, {"Text4", "50"}},
         {{"Text2", "0"}},
         ErrorKind::InvalidArgument},
        {lorvast, "Command1_Click", {{"Text1", "-273.15"}, {"Text4", "50"}}, {}, ErrorKind::InvalidArgument},
        {lorvast, "Command1_Click", {{"Text1", "2200"}, {"Text4", "50"}}, {}, ErrorKind::Overflow},
        {lorvast, "Command1_Click", {{"Text1", "7000"}, {"Text4", "50"}}, {}, ErrorKind::Overflow},

        {freezeProtection,
         "Command1_Click",
         freezeExample,
         {{"Text10", "3.63207377745199"},
          {"Text11", "1.48188913436651"},
          {"Text12", "5.04018737162585"},
          {"Text13", "6.52207650599237"}}},
        {freezeProtection, "Combo2_Click", {{"Combo2", "25A"}}, {{"Text3", "0.034"}, {"Text4", "0.0276"}}},
        {freezeProtection, "Combo1_Click", {{"Combo1", "ステンレス鋼管"}}, {{"Text5", "3957"}}},
        {temperatureDrop,
         "Command1_Click",
         {{"Text1", "150"},
          {"Text2", "10"},
          {"Text3", "2000"},
          {"Text4", "4.19"},
          {"Text5", "100"},
          {"Text6", "0.1143"},
          {"Text7", "0.05"},
          {"Text8", "0.05"},
          {"Text9", "8"}},
         {{"Text10", "2.18640623442246"},
          {"Text11", "147.27606934892"},
          {"Text12", "2.72393065108031"},
          {"Text13", "6340.7052377925"}}},
        {temperatureDrop, "Combo1_Click", {{"Combo1", "50A"}}, {{"Text6", "0.0605"}}},
        // The first division by 0 stops the press; no box is written.
        {temperatureDrop,
         "Command1_Click",
         {{"Text1", "150"},
          {"Text2", "10"},
          {"Text3", "1e-320"},
          {"Text4", "1e-10"},
          {"Text5", "100"},
          {"Text6", "0.1143"},
          {"Text7", "0.05"},
          {"Text8", "0.05"},
          {"Text9", "8"}},
         {{"Text10", "2.18640623442246"}},
         ErrorKind::DivisionByZero},
    };
}

}  // namespace

TEST(HeatFlow, RowsWriteTheirBoxesInOrder)
{
    for (const Row& row : rows()) {
        const ProgramDescription& program = row.program();
        const Handler* handler = program.handler(row.event);
        ASSERT_NE(handler, nullptr) << program.name << " " << row.event;
        RecordingForm form(program, row.inputs);
        std::optional<ErrorKind> error;
        try {
            handler->run(form.form);
        } catch (const RuntimeError& e) {
            error = e.kind();
        }
        SCOPED_TRACE(std::string(program.name) + " " + row.event);
        EXPECT_EQ(form.writes, row.writes);
        EXPECT_EQ(error, row.error);
        // A press that runs to its end writes exactly its results, in order.
        if (!error) {
            ASSERT_EQ(form.writes.size(), handler->results.size());
            for (size_t i = 0; i < form.writes.size(); ++i)
                EXPECT_EQ(form.writes[i].first, handler->results[i]);
        }
    }
}

TEST(HeatFlow, EndButtonEndsAndWritesNothing)
{
    RecordingForm form(heatflow::heatTransfer(), {});
    heatflow::heatTransfer().handler("Command2_Click")->run(form.form);
    EXPECT_TRUE(form.form.ended());
    EXPECT_TRUE(form.writes.empty());
}

TEST(HeatFlow, FinishListStartsWithTheEmptyEntry)
{
    const std::vector<std::string> expected = {"", "塗装溶融メッキ鋼板", "アルミニウム板", "ステンレス鋼板",
                                               "仕上げセメント、布類"};
    FormModel form(heatflow::heatTransfer());
    form.load();
    EXPECT_EQ(form.entries(*form.rules().find("Combo1")), expected);
}

// Every logarithm, exponential and power of a formula is a call of the
// correctly rounded functions when the handler runs: none folded into a
// constant, none rewritten into a product or a reciprocal by the compiler.
// The counts follow from the formulas.
TEST(HeatFlow, EveryLogExpAndPowerIsCalledAtRunTime)
{
    using heatflow::heatLoss, heatflow::heatTransfer, heatflow::lorvast;
    struct CallRow {
        const char* what;
        const ProgramDescription& (*program)();
        const char* event;
        std::map<std::string, std::string> inputs;
        std::uint64_t ln;
        std::uint64_t exp;
        std::uint64_t pow;
    };
    const std::map<std::string, std::string> heatTransferPipe{{"Text1", "20"},   {"Text2", "50"},
                                                              {"Text3", "0"},    {"Text4", "0.1"},
                                                              {"Text5", "0.05"}, {"Text12", "0.94"}};
    std::map<std::string, std::string> heatTransferPlane = heatTransferPipe;
    heatTransferPlane["Text4"] = "0";
    const CallRow rows[] = {
        // ln T, K, ln(pw / 611.213); e^E; T^-1, T^2, α^2, α^3, α^4
        {"lorvast", lorvast, "Command1_Click", {{"Text1", "27"}, {"Text4", "53"}}, 3, 1, 5},
        // no humidity: no third logarithm, the dew point's powers of α = 0 still
        {"lorvast, φ = 0", lorvast, "Command1_Click", {{"Text1", "27"}, {"Text4", "0"}}, 2, 1, 5},
        // T^4.0 and T^4; the vertical and the pipe case: a fourth root and a wind factor each
        {"熱伝達率, pipe", heatTransfer, "Command1_Click", heatTransferPipe, 0, 0, 6},
        // and the upward and downward plane instead of the pipe
        {"熱伝達率, plane", heatTransfer, "Command1_Click", heatTransferPlane, 0, 0, 8},
        // ln(d2 / d1) and K
        {"放散熱量, pipe",
         heatLoss,
         "Command2_Click",
         {{"Text1", "0.05"},
          {"Text2", "300"},
          {"Text4", "20"},
          {"Text5", "10"},
          {"Text7", "0.1143"},
          {"Text8", "0.2143"}},
         2,
         0,
         0},
        // ln(d2 / d1) and ln((θw − θa) / (0 − θa))
        {"凍結防止",
         heatflow::freezeProtection,
         "Command1_Click",
         {{"Text1", "5"},
          {"Text2", "-10"},
          {"Text3", "0.034"},
          {"Text4", "0.0276"},
          {"Text5", "3611"},
          {"Text6", "0.02"},
          {"Text7", "0.04"},
          {"Text8", "8"},
          {"Text9", "25"}},
         2,
         0,
         0},
        // 係数指定: the powers of its law as products
        {"係数指定",
         conductivity::coefficientLaw,
         "Command1_Click",
         {{"Text4", "0.035"},
          {"Text5", "0.00012"},
          {"Text6", "3E-7"},
          {"Text7", "-50"},
          {"Text8", "650"},
          {"Text1", "40"},
          {"Text2", "500"}},
         0,
         0,
         0},
        // ln(d2 / d1) and e^(−L / (m R))
        {"温度降下",
         heatflow::temperatureDrop,
         "Command1_Click",
         {{"Text1", "150"},
          {"Text2", "10"},
          {"Text3", "2000"},
          {"Text4", "4.19"},
          {"Text5", "100"},
          {"Text6", "0.1143"},
          {"Text7", "0.05"},
          {"Text8", "0.05"},
          {"Text9", "8"}},
         1,
         1,
         0},
    };
    for (const CallRow& row : rows) {
        SCOPED_TRACE(row.what);
        RecordingForm form(row.program(), row.inputs);
        const RoundedCalls before = roundedCalls();
        row.program().handler(row.event)->run(form.form);
        const RoundedCalls after = roundedCalls();
        EXPECT_EQ(after.ln - before.ln, row.ln);
        EXPECT_EQ(after.exp - before.exp, row.exp);
        EXPECT_EQ(after.pow - before.pow, row.pow);
    }
}

// The resistance of one metre of insulated pipe, left to right in Doubles,
// as 凍結防止 and 温度降下 show it; d1 or λ of 0 divides by zero.
TEST(HeatFlow, InsulatedPipeResistance)
{
    const struct {
        double d1, t, lambda, h;
        const char* shows;
        std::optional<ErrorKind> error = std::nullopt;
    } rows[] = {
        {0.034, 0.02, 0.04, 8, "3.63207377745199"},
        {0.1143, 0.05, 0.05, 8, "2.18640623442246"},
        {0.0605, 0.04, 0.035, 6, "4.20897023183259"},
        // no insulation: the surface film alone, 1 / (π d1 h)
        {0.034, 0, 0.04, 8, "1.17025693449923"},
        // the film left out (h = 1E+12): the layer alone
        {0.060325, 0.0381, 0.04323944172, 1E+12, "3.00631939342594"},
        {0, 0.02, 0.04, 8, "", ErrorKind::DivisionByZero},
        {0.034, 0.02, 0, 8, "", ErrorKind::DivisionByZero},
        {-0.034, 0.02, 0.04, 8, "", ErrorKind::InvalidArgument},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.shows);
        std::optional<ErrorKind> error;
        std::string shown;
        try {
            shown = ShowVariant(heatflow::insulatedPipeResistance(row.d1, row.t, row.lambda, row.h).value());
        } catch (const RuntimeError& e) {
            error = e.kind();
        }
        EXPECT_EQ(shown, row.shows);
        EXPECT_EQ(error, row.error);
    }
}

// The SGP table: each size's outer diameter and wall (mm) as JIS G 3452
// lists them, and the diameters the table holds as texts in metres; the
// inner one is the outer less twice the wall, worked out here in tenths of
// a millimetre.
TEST(HeatFlow, SgpSizesAndInnerDiameters)
{
    const struct {
        const char* nominal;
        int outer, wall;  // tenths of a millimetre
        const char* outerText;
        const char* innerText;
    } rows[] = {
        {"6A", 105, 20, "0.0105", "0.0065"},    {"8A", 138, 23, "0.0138", "0.0092"},
        {"10A", 173, 23, "0.0173", "0.0127"},   {"15A", 217, 28, "0.0217", "0.0161"},
        {"20A", 272, 28, "0.0272", "0.0216"},   {"25A", 340, 32, "0.034", "0.0276"},
        {"32A", 427, 35, "0.0427", "0.0357"},   {"40A", 486, 35, "0.0486", "0.0416"},
        {"50A", 605, 38, "0.0605", "0.0529"},   {"65A", 763, 42, "0.0763", "0.0679"},
        {"80A", 891, 42, "0.0891", "0.0807"},   {"90A", 1016, 42, "0.1016", "0.0932"},
        {"100A", 1143, 45, "0.1143", "0.1053"}, {"125A", 1398, 45, "0.1398", "0.1308"},
        {"150A", 1652, 50, "0.1652", "0.1552"}, {"175A", 1907, 53, "0.1907", "0.1801"},
        {"200A", 2163, 58, "0.2163", "0.2047"}, {"225A", 2418, 62, "0.2418", "0.2294"},
        {"250A", 2674, 66, "0.2674", "0.2542"}, {"300A", 3185, 69, "0.3185", "0.3047"},
        {"350A", 3556, 79, "0.3556", "0.3398"}, {"400A", 4064, 79, "0.4064", "0.3906"},
        {"450A", 4572, 79, "0.4572", "0.4414"}, {"500A", 5080, 79, "0.508", "0.4922"},
    };
    // Tenths of a millimetre as metres in plain decimal: 276 → "0.0276".
    const auto metres = [](int tenths) {
        std::string digits = std::to_string(tenths);
        digits.insert(0, 5 - digits.size(), '0');
        std::string text = "0." + digits.substr(1);
        while (text.back() == '0')
            text.pop_back();
        return text;
    };
    const std::vector<heatflow::PipeSize>& sizes = heatflow::sgpSizes();
    ASSERT_EQ(sizes.size(), std::size(rows));
    for (size_t i = 0; i < sizes.size(); ++i) {
        SCOPED_TRACE(rows[i].nominal);
        EXPECT_STREQ(sizes[i].nominal, rows[i].nominal);
        EXPECT_STREQ(sizes[i].outerDiameter, rows[i].outerText);
        EXPECT_STREQ(sizes[i].innerDiameter, rows[i].innerText);
        EXPECT_EQ(metres(rows[i].outer), rows[i].outerText);
        EXPECT_EQ(metres(rows[i].outer - 2 * rows[i].wall), rows[i].innerText);
    }
}

TEST(HeatFlow, LogarithmOfEIsNotOne)
{
    EXPECT_EQ(heatflow::logOfE().value(), 1.0000000631063886);
}

// The pipe target of the examples, and where the accumulated steps stop: the
// scan's 9711 and 9487 steps, and the same d2 from the search ravelt uses.
TEST(HeatFlow, PipeSearchOfTheExamples)
{
    const Real target = (((Real(2) * 0.05) / 10.0) * (Real(300) - 40.0)) / (Real(40) - 20.0);
    EXPECT_EQ(target.value(), 0.13);
    const Real k = heatflow::logOfE();
    const heatflow::PipeSearchResult wide = heatflow::literalPipeScan(target, 0.1143, k);
    EXPECT_EQ(wide.steps, 9711);
    EXPECT_EQ(ShowDecimal(wide.d2), "0.211410000000082");
    EXPECT_EQ(heatflow::pipeSearch(target, 0.1143, k).d2, wide.d2);
    const heatflow::PipeSearchResult narrow = heatflow::literalPipeScan(target, 0.1, k);
    EXPECT_EQ(narrow.steps, 9487);
    EXPECT_EQ(heatflow::pipeSearch(target, 0.1, k).d2, narrow.d2);
}

namespace {

// 保温設計's form, loaded, with entries picked and texts typed in tab order
// as a person enters them ("" for a list: nothing picked).
FormModel designWith(const std::vector<std::pair<const char*, const char*>>& entries)
{
    FormModel form(*findProgram("保温設計"));
    form.load();
    for (const auto& [name, text] : entries) {
        const Control& c = *form.rules().find(name);
        if (c.kind == ControlKind::ComboBox)
            form.pick(c, form.findEntry(c, text).value());
        else
            form.type(c, text);
    }
    return form;
}

}  // namespace

// A material picked in 保温設計 offers the grades its own window lists, in
// its order (none for rigid urethane foam; glass wool's typed-only grade
// not among them).
TEST(InsulationDesign, GradesAreTheMaterialWindowsOwn)
{
    const struct {
        const char* material;
        const char* program;
        size_t grades;
    } rows[] = {
        {"ロックウール", "pimbrel", 9},
        {"グラスウール", "mostrel", 19},
        {"セラミックファイバーブランケット", "nethrow", 3},
        {"けい酸カルシウム保温材", "dovrin", 4},
        {"はっ水性パーライト保温材", "sonderly", 2},
        {"ポリスチレンフォーム", "tarvel", 15},
        {"硬質ウレタンフォーム", "halcott", 0},
        {"ポリエチレンフォーム", "fennick", 2},
        {"フェノールフォーム", "castrel", 6},
        {"係数で指定", "係数指定", 0},
    };
    FormModel design = designWith({});
    const Control& materials = *design.rules().find("Combo1");
    const Control& grades = *design.rules().find("Combo2");
    ASSERT_EQ(design.entries(materials).size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].material);
        EXPECT_EQ(design.entries(materials)[i], rows[i].material);
        design.pick(materials, i);
        FormModel window(*findProgram(rows[i].program));
        window.load();
        const Control* list = window.rules().find("Combo1");
        const std::vector<std::string> own =
            list != nullptr ? window.entries(*list) : std::vector<std::string>{};
        EXPECT_EQ(design.entries(grades), own);
        EXPECT_EQ(design.entries(grades).size(), rows[i].grades);
    }
}

// The side tables of the worked example: the sweep holds every standard
// thickness (those below the required one too), and its row for the adopted
// thickness is what the window shows; the chain starts with the material's
// window at the target and ends with the run that settled it.
TEST(InsulationDesign, SideTablesOfTheWorkedExample)
{
    const auto check = [](const char* shape, size_t chainLines, const char* last, bool isPipe) {
        SCOPED_TRACE(shape);
        FormModel form = designWith({{"Combo1", "ロックウール"},
                                     {"Combo2", "保温板１号"},
                                     {"Text1", "300"},
                                     {"Text2", "20"},
                                     {"Combo3", "アルミニウム板"},
                                     {"Combo4", shape},
                                     {"Text6", "0.1143"},
                                     {"Combo6", "表面温度上限"}});
        ASSERT_FALSE(form.press(*form.rules().find("Command1")));
        const std::vector<SideTable> tables = form.program().sideTables(form);
        // The sweep, the tables of the criteria with figures of their own
        // (no rows for this one), the chain.
        ASSERT_EQ(tables.size(), 5u);
        for (size_t i = 1; i + 1 < tables.size(); ++i)
            EXPECT_TRUE(tables[i].rows.empty()) << tables[i].title;
        const SideTable& sweep = tables[0];
        ASSERT_EQ(sweep.rows.size(), 8u);
        ASSERT_GE(sweep.chart.marked, 0);
        const std::vector<std::string>& adopted = sweep.rows[static_cast<size_t>(sweep.chart.marked)];
        EXPECT_EQ(adopted,
                  (std::vector<std::string>{form.text("Text16"), form.text("Text17"), form.text("Text18"),
                                            form.text("Text19"), form.text("Text20"), "", ""}));
        EXPECT_EQ(sweep.chart.level, "60");
        EXPECT_EQ(sweep.chart.levelColumn, 1);
        for (const std::vector<std::string>& row : sweep.rows)
            EXPECT_EQ(row.back(), "") << row.front();
        const SideTable& chain = tables.back();
        ASSERT_EQ(chain.rows.size(), chainLines);
        // In the windows' words: the step from 1, the program by its title,
        // the button, the values entered and read by their captions.
        EXPECT_EQ(chain.rows.front(),
                  (std::vector<std::string>{
                      "1", "目標表面温度での平均熱伝導率", "ロックウールの平均熱伝導率", "計算",
                      "ロックウールの種類=保温板１号\n低温側温度（℃）=60\n高温側温度（℃）=300",
                      "平均熱伝導率（Ｗ／ｍｋ）=0.06656056", "0.06656056"}));
        EXPECT_EQ(chain.rows[1][1], shape == std::string("水平管") ? "必要厚さ（1回目）" : "必要厚さ");
        EXPECT_EQ(chain.rows[1][2], "熱伝達率");
        // ε's caption brings its own equals sign.
        const std::string& entered = chain.rows[1][4];
        EXPECT_EQ(entered.substr(entered.rfind('\n') + 1), "ε＝0.22");
        EXPECT_EQ(chain.rows.back()[0], std::to_string(chainLines));
        EXPECT_EQ(chain.rows.back()[1], last);
        EXPECT_EQ(chain.rows.back()[2], "施工後の断熱材の外表面温度");
        EXPECT_EQ(chain.rows.back()[3], isPipe ? "配管の計算" : "平面の計算");
        EXPECT_EQ(chain.rows.back()[6], form.text("Text17"));
        for (const std::vector<std::string>& row : chain.rows)
            for (const std::string& cell : row)
                EXPECT_EQ(cell.find("Text"), std::string::npos) << cell;
    };
    check("水平管", 49, "標準厚さ50ｍｍ（9回目）", true);
    check("垂直平面", 47, "標準厚さ65ｍｍ（11回目）", false);

    // Before a design has passed its checks the tables have their heads and
    // no rows.
    FormModel fresh = designWith({});
    fresh.press(*fresh.rules().find("Command1"));
    for (const SideTable& t : fresh.program().sideTables(fresh)) {
        EXPECT_FALSE(t.columns.empty());
        EXPECT_TRUE(t.rows.empty());
    }
}

// Over an inner layer every standard thickness is one run of 複層保温 (its
// surface temperatures from 20 mm: 80.2, 76.8, 73.8, 68.7, 64.5, then 65 mm
// adopted); the sweep shows each interface, the chain each run in 複層保温's
// own words; no required thickness is worked out.
TEST(InsulationDesign, SideTablesOverAnInnerLayer)
{
    FormModel form = designWith({{"Combo1", "ロックウール"},
                                 {"Combo2", "保温筒"},
                                 {"Combo8", "けい酸カルシウム保温材"},
                                 {"Combo9", "１号－１３"},
                                 {"Text38", "50"},
                                 {"Text1", "550"},
                                 {"Text2", "20"},
                                 {"Combo3", "アルミニウム板"},
                                 {"Combo4", "水平管"},
                                 {"Combo5", "100A"},
                                 {"Combo6", "表面温度上限"}});
    ASSERT_FALSE(form.press(*form.rules().find("Command1")));
    const std::vector<SideTable> tables = form.program().sideTables(form);
    const SideTable& sweep = tables[0];
    EXPECT_EQ(sweep.columns[5], "境界温度（℃）");
    const char* const surfaces[] = {"80.2", "76.8", "73.8", "68.7", "64.5", "59.5"};
    ASSERT_EQ(sweep.rows.size(), 8u);
    for (size_t i = 0; i < std::size(surfaces); ++i)
        EXPECT_EQ(sweep.rows[i][1].substr(0, 4), surfaces[i]) << sweep.rows[i][0];
    ASSERT_EQ(sweep.chart.marked, 5);
    EXPECT_EQ(sweep.rows[5],
              (std::vector<std::string>{"65", "59.5231233504016", "232.133085872562", form.text("Text19"),
                                        form.text("Text20"), "322.311591234797", ""}));
    EXPECT_EQ(form.text("Text39"), "322.311591234797");
    EXPECT_EQ(form.text("Text40"), "0.1019897");
    for (const char* box : {"Text13", "Text14", "Text15"})
        EXPECT_EQ(form.text(box), "") << box;
    const SideTable& chain = tables.back();
    ASSERT_EQ(chain.rows.size(), 6u);
    EXPECT_EQ(chain.rows[0],
              (std::vector<std::string>{
                  "1", "標準厚さ20ｍｍ", "複層保温の放散熱量と表面温度", "計算",
                  "形状=水平管\n外径（ｍ）=0.1143\n内部温度（℃）=550\n周囲温度（℃）=20\n風速（ｍ／ｓ）=0\n"
                  "放射率=0.22\n第１層の保温材=けい酸カルシウム保温材\n第１層の種類=１号－１３\n"
                  "第１層の厚さ（ｍｍ）=50\n第２層の保温材=ロックウール\n第２層の種類=保温筒\n"
                  "第２層の厚さ（ｍｍ）=20",
                  chain.rows[0][5], sweep.rows[0][1]}));
}

// One layer of rock wool split in two: 複層保温's surface temperature is
// 保温設計's at the whole thickness (41.1292047870163 at 100 mm) to within
// 1E-5 K, though each is worked out on its own path.
TEST(LayeredInsulation, OneLayerSplitInTwo)
{
    FormModel design = designWith({{"Combo1", "ロックウール"},
                                   {"Combo2", "保温筒"},
                                   {"Text1", "300"},
                                   {"Text2", "20"},
                                   {"Combo3", "アルミニウム板"},
                                   {"Combo4", "水平管"},
                                   {"Combo5", "100A"},
                                   {"Combo6", "経済的厚さ"},
                                   {"Text10", "100"},
                                   {"Text31", "0"},
                                   {"Text32", "1"},
                                   {"Text33", "1"},
                                   {"Text34", "1"},
                                   {"Text35", "0"},
                                   {"Text36", "100"}});
    ASSERT_FALSE(design.press(*design.rules().find("Command1")));
    EXPECT_EQ(design.text("Text17"), "41.1292047870163");
    FormModel layers(*findProgram("複層保温"));
    layers.load();
    for (const auto& [name, text] :
         std::vector<std::pair<const char*, const char*>>{{"Combo1", "水平管"},
                                                          {"Combo2", "100A"},
                                                          {"Combo3", "アルミニウム板"},
                                                          {"Combo4", "ロックウール"},
                                                          {"Combo5", "保温筒"},
                                                          {"Combo6", "ロックウール"},
                                                          {"Combo7", "保温筒"}}) {
        const Control& c = *layers.rules().find(name);
        layers.pick(c, layers.findEntry(c, text).value());
    }
    for (const auto& [name, text] : std::vector<std::pair<const char*, const char*>>{
             {"Text2", "300"}, {"Text3", "20"}, {"Text6", "50"}, {"Text7", "50"}})
        layers.type(*layers.rules().find(name), text);
    ASSERT_FALSE(layers.press(*layers.rules().find("Command1")));
    EXPECT_EQ(layers.text("Text14"), "41.1292024315391");
    EXPECT_LT(std::fabs(ReadVal(layers.text("Text14")) - ReadVal(design.text("Text17"))), 1E-5);
}

// The side tables of 凍結防止 and 温度降下: the criterion's own table holds
// its window's figures at every standard thickness, the adopted one marked
// with what the window shows, the requirement as the chart's level; the
// chain runs the criterion's window once at each thickness up to the adopted
// one, after the rounds that settled its surface temperature.
TEST(InsulationDesign, SideTablesOfTheNewCriteria)
{
    const struct {
        const char* title;
        std::vector<std::pair<const char*, const char*>> entries;
        size_t table;  // its place among the side tables
        std::vector<std::string> adopted;
        const char* level;
        size_t criterionRuns;
    } rows[] = {
        {"凍結防止",
         {{"Combo1", "ポリエチレンフォーム"},
          {"Combo2", "保温筒１種"},
          {"Text1", "5"},
          {"Text2", "-10"},
          {"Text4", "3"},
          {"Combo3", "仕上げセメント、布類"},
          {"Combo4", "水平管"},
          {"Combo5", "25A"},
          {"Combo7", "鋼管"},
          {"Combo6", "凍結防止"},
          {"Text10", "10,15,20,25,30,40,50,65,75,100"},
          {"Text21", "8"},
          {"Text22", "25"}},
         1,
         {"40", "", "", "", "9.33799498042267", ""},
         "8",
         6},
        {"温度降下",
         {{"Combo1", "ロックウール"},
          {"Combo2", "保温筒"},
          {"Text1", "180"},
          {"Text2", "0"},
          {"Text4", "1"},
          {"Combo3", "アルミニウム板"},
          {"Combo4", "水平管"},
          {"Combo5", "100A"},
          {"Combo6", "温度降下"},
          {"Text25", "20000"},
          {"Text26", "2.1"},
          {"Text27", "500"},
          {"Text28", "3"}},
         2,
         {"65", "", "177.165603352026", "", "", ""},
         "177",
         6},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.title);
        FormModel form = designWith(row.entries);
        ASSERT_FALSE(form.press(*form.rules().find("Command1")));
        const std::vector<SideTable> tables = form.program().sideTables(form);
        const SideTable& own = tables.at(row.table);
        ASSERT_EQ(own.rows.size(), 10u - (row.table == 2 ? 2u : 0u));
        ASSERT_GE(own.chart.marked, 0);
        const std::vector<std::string>& adopted = own.rows[static_cast<size_t>(own.chart.marked)];
        for (size_t i = 0; i < adopted.size(); ++i) {
            if (!row.adopted[i].empty()) {
                EXPECT_EQ(adopted[i], row.adopted[i]) << own.columns[i];
            }
        }
        EXPECT_EQ(own.chart.level, row.level);
        EXPECT_EQ(own.chart.levelColumn, own.chart.lines.front());
        EXPECT_EQ(tables[0].chart.marked, own.chart.marked);
        EXPECT_EQ(tables[0].chart.levelColumn, -1);
        for (size_t i = 1; i + 1 < tables.size(); ++i) {
            if (i != row.table) {
                EXPECT_TRUE(tables[i].rows.empty()) << tables[i].title;
            }
        }
        size_t runs = 0;
        for (const std::vector<std::string>& line : tables.back().rows)
            runs += line[2] == findEntry(row.title)->title;
        EXPECT_EQ(runs, row.criterionRuns);
        EXPECT_EQ(tables.back().rows.back()[2], findEntry(row.title)->title);
    }
}

// 経済的厚さ's arithmetic against published figures: the tables' end-of-year
// present-worth factor at 7 % over 25 years, 11.654, is 1 / a; the heat's
// share of a published half-inch pipe (52 → 11.5 Btu/(h·ft) over 2000 h at
// 1.05 dollars per therm through a 70 % source; published as 1.22 dollars
// per foot and year) fed in its own units (a price per thousand Btu);
// and the annuity's edges.
TEST(InsulationDesign, EconomicArithmetic)
{
    using heatflow::design::annuityFactor, heatflow::design::heatCost;
    const struct {
        const char* what;
        Real value;
        const char* shows;
    } rows[] = {
        {"1 / a at 7 % over 25 years", Real(1) / annuityFactor(7, 25), "11.6535831782537"},
        {"a at 3 % over 10 years", annuityFactor(3, 10), "0.11723050660516"},
        {"a at 0 %: 1 / n", annuityFactor(0, 8), "0.125"},
        {"a over one year: 1 + i", annuityFactor(5, 1), "1.05"},
        {"the half-inch pipe's saving", heatCost(52 - 11.5, 2000, 1.05 / 100, 70), "1.215"},
        {"a cold line's gain costs as much", heatCost(-40.5, 2000, 0.0105, 70), "1.215"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ShowVariant(row.value.value()), row.shows) << row.what;
}

// The installed costs: one plain decimal per item, as the series separates
// them; anything else is no list.
TEST(InsulationDesign, InstalledCosts)
{
    using heatflow::design::parseCosts;
    const struct {
        const char* text;
        std::optional<std::vector<std::string>> costs;
    } rows[] = {
        {"8000,8600,9200", std::vector<std::string>{"8000", "8600", "9200"}},
        {" ８０００．５，８６００、 0.25\u3000", std::vector<std::string>{"8000.5", "8600", "0.25"}},
        {"0", std::vector<std::string>{"0"}},
        {"8000,,9200", std::nullopt},
        {"-8000", std::nullopt},
        {"1e3", std::nullopt},
        {"8000.", std::nullopt},
        {".5", std::nullopt},
        {"1.2.3", std::nullopt},
        {"", std::nullopt},
        {"8000,", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(parseCosts(row.text), row.costs) << row.text;
}

// The annual costs over the series of the economic example, the least
// adopted and marked, and its three figures in the criterion's table.
TEST(InsulationDesign, AnnualCostsOfTheEconomicExample)
{
    FormModel form = designWith({{"Combo1", "ロックウール"},
                                 {"Combo2", "保温筒"},
                                 {"Text1", "180"},
                                 {"Text2", "10"},
                                 {"Text4", "1"},
                                 {"Combo3", "アルミニウム板"},
                                 {"Combo4", "水平管"},
                                 {"Combo5", "100A"},
                                 {"Combo6", "経済的厚さ"},
                                 {"Text31", "8000,8600,9200,10500,11800,14000,15500,19000"},
                                 {"Text32", "6"},
                                 {"Text33", "4000"},
                                 {"Text34", "10"},
                                 {"Text35", "3"},
                                 {"Text36", "85"}});
    ASSERT_FALSE(form.press(*form.rules().find("Command1")));
    EXPECT_EQ(form.text("Text37"), "3447.74857470253");
    const std::vector<SideTable> tables = form.program().sideTables(form);
    const SideTable& costs = tables.at(3);
    EXPECT_TRUE(costs.chart.sharedAxis);
    ASSERT_EQ(costs.rows.size(), 8u);
    const char* const annual[] = {"5102.45", "4541.04", "4170.59", "3746.60",
                                  "3537.18", "3447.74", "3464.08", "3606.22"};
    for (size_t i = 0; i < costs.rows.size(); ++i) {
        SCOPED_TRACE(costs.rows[i][0]);
        EXPECT_EQ(costs.rows[i][3].substr(0, 7), annual[i]);
    }
    EXPECT_EQ(costs.chart.marked, 5);
    EXPECT_EQ(costs.rows[5][3], form.text("Text37"));
    EXPECT_EQ(tables[0].chart.marked, 5);
}
