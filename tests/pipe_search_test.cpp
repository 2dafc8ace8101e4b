// The pipe thickness search of ravelt: the fast search against the literal
// accumulated scan, bit for bit, step for step and fault for fault.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "numeric.h"
#include "pipe_search.h"
#include "pipe_search_outcome.h"
#include "real.h"

using namespace milfo;
using milfo::heatflow::literalPipeScan;
using milfo::heatflow::pipeSearch;
using milfo::heatflow::PipeSearchResult;
using namespace milfo::heatflow;

namespace {

// The target of the pipe button: X = (((2 × λ) / h) × (θ1 − θ2)) / (θ2 − θa).
double target(double lambda, double theta1, double theta2, double thetaA, double h)
{
    return ((((Real(2) * lambda) / h) * (Real(theta1) - theta2)) / (Real(theta2) - thetaA)).value();
}

// What ravelt writes into Text8: ShowDecimal((d2 − d1) / 2).
std::string shownThickness(const PipeSearchResult& r, double d1)
{
    return ShowDecimal(((Real(r.d2) - d1) / Real(2)).value());
}

std::uint64_t bitsOf(double v)
{
    std::uint64_t b = 0;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

struct Input {
    double x;
    double d1;
    double k;
};

// The fast search and the literal scan on one input, both with the same
// logarithm: same Double, same step count, same fault. Returns the literal
// outcome.
Outcome expectSameAsLiteral(const Input& in, Logarithm log = roundedLn)
{
    const Outcome literal = outcomeOf(literalPipeScan, in.x, in.d1, in.k, log);
    const Outcome fast = outcomeOf(pipeSearch, in.x, in.d1, in.k, log);
    EXPECT_TRUE(sameOutcome(literal, fast))
        << "x " << std::hexfloat << in.x << " d1 " << in.d1 << " k " << in.k << std::defaultfloat
        << ": literal " << describe(literal) << ", fast " << describe(fast);
    return literal;
}

// ---- Worked examples of ravelt ---------------------------------------------

TEST(PipeSearchExamples, TargetOfTheExampleInputs)
{
    EXPECT_EQ(target(0.05, 300, 40, 20, 10), 0.13);
    EXPECT_EQ(divisorK(), 1.0000000631063886);
}

struct ExampleCase {
    double d1;
    long long steps;
    const char* shown;
};

TEST(PipeSearchExamples, ExampleDiameters)
{
    const double x = target(0.05, 300, 40, 20, 10);
    const ExampleCase cases[] = {
        {0.1143, 9711, "0.0485550000000411"},
        {0.1, 9487, "0.0474350000000301"},
    };
    for (const ExampleCase& c : cases) {
        SCOPED_TRACE(c.d1);
        const PipeSearchResult literal = literalPipeScan(x, c.d1, divisorK());
        const PipeSearchResult fast = pipeSearch(x, c.d1, divisorK());
        EXPECT_EQ(literal.steps, c.steps);
        EXPECT_EQ(fast.steps, c.steps);
        EXPECT_EQ(bitsOf(fast.d2), bitsOf(literal.d2));
        EXPECT_EQ(shownThickness(literal, c.d1), c.shown);
        EXPECT_EQ(shownThickness(fast, c.d1), c.shown);
    }
    // The accumulated d2 is near 0.21141 but not the Double 0.21141.
    const PipeSearchResult r = pipeSearch(x, 0.1143, divisorK());
    EXPECT_NEAR(r.d2, 0.21141, 1e-12);
    EXPECT_NE(r.d2, 0.21141);
}

TEST(PipeSearchExamples, TargetAtMostZeroTakesOneStep)
{
    // θ1 < θ2 above θa: X < 0.
    const double x = target(0.05, 20, 40, 20, 10);
    ASSERT_LT(x, 0.0);
    for (const double t : {x, 0.0, -1.0}) {
        const PipeSearchResult r = pipeSearch(t, 0.1, divisorK());
        EXPECT_EQ(r.steps, 1);
        EXPECT_EQ(r.d2, 0.1 + 1e-5);
        EXPECT_EQ(shownThickness(r, 0.1), "0.00000499999999999806");
        expectSameAsLiteral({t, 0.1, divisorK()});
    }
}

TEST(PipeSearchExamples, LargeTargetAtOnce)
{
    // The literal scan would take about 5·10^12 steps.
    const double k = divisorK();
    const PipeSearchResult r = pipeSearch(1e9, 0.1, k);
    EXPECT_GT(r.steps, 4'000'000'000'000LL);
    EXPECT_LT(r.steps, 6'000'000'000'000LL);
    EXPECT_GE(yAt(r.d2, 0.1, k), 1e9);
    // About one step of 1e-5 per step, as accumulated.
    EXPECT_NEAR((r.d2 - 0.1) / 1e-5, static_cast<double>(r.steps), 1e-3 * static_cast<double>(r.steps));
}

TEST(PipeSearchExamples, StalledStepStillRunsTheBodyOnce)
{
    // From d1 = 2^37 on, d1 + 1e-5 == d1: the one body gives L = ln 1 = 0 and
    // Y = 0, which ends the scan for X <= 0 with d2 = d1 and a thickness of 0.
    // (λ = 0.05, θ1 = 20, θ2 = 40, θa = 20.5, h = 10.)
    const double x = target(0.05, 20, 40, 20.5, 10);
    ASSERT_LT(x, 0.0);
    for (const double d1 : {0x1p37, 0x1p40, 1e15}) {
        SCOPED_TRACE(d1);
        for (const auto search : {literalPipeScan, pipeSearch}) {
            const PipeSearchResult r = search(x, d1, divisorK(), roundedLn);
            EXPECT_EQ(r.steps, 1);
            EXPECT_EQ(bitsOf(r.d2), bitsOf(d1));
            EXPECT_EQ(shownThickness(r, d1), "0");
        }
    }
}

// ---- Faults -----------------------------------------------------------------

struct FaultCase {
    const char* what;
    double x;
    double d1;
    ErrorKind kind;
};

TEST(PipeSearchFaults, SameFaultAsTheLiteralScan)
{
    const FaultCase cases[] = {
        {"d1 = 0 divides by zero in the first step", 0.13, 0.0, ErrorKind::DivisionByZero},
        {"d1 = 0 with X <= 0", -1.0, 0.0, ErrorKind::DivisionByZero},
        {"d1 < 0 and no crossing: ln of a non-positive number", 0.13, -0.1, ErrorKind::InvalidArgument},
        {"d1 < 0 below one step", 1.0, -4e-6, ErrorKind::InvalidArgument},
        {"d1 = -1e-5: d2 reaches 0 exactly", 1.0, -1e-5, ErrorKind::InvalidArgument},
        // The step just short of 0 lands on a value whose spacing is so fine
        // that one step spans more units of it than a 64-bit count holds.
        {"d1 just below -1e-5: a step lands next to 0", 1.0, -1.00000001e-5, ErrorKind::InvalidArgument},
        {"d1 just below -2e-5: a step lands next to 0", 1.0, -2.0000000001e-5, ErrorKind::InvalidArgument},
        {"d2 + 1e-5 == d2 from the start", 1.0, 0x1p37, ErrorKind::EndlessSearch},
        {"d2 + 1e-5 == d2 from the start, negative", 1.0, -0x1p38, ErrorKind::EndlessSearch},
        {"d2 climbs to 2^37 and stalls", 1e30, 0x1p37 - 10 * 0x1p-16, ErrorKind::EndlessSearch},
        {"the quotient overflows at once", 1.0, 5e-324, ErrorKind::Overflow},
        {"the quotient overflows after some steps", 1e30, 1e-310, ErrorKind::Overflow},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome literal = expectSameAsLiteral({c.x, c.d1, divisorK()});
        ASSERT_TRUE(literal.fault.has_value()) << describe(literal);
        EXPECT_EQ(*literal.fault, c.kind);
    }
}

TEST(PipeSearchFaults, EndlessFarAway)
{
    // The scan reaches 2^37 after some 10^16 steps and then stalls; only the
    // fast search can tell.
    try {
        pipeSearch(1e30, 0.1, divisorK());
        ADD_FAILURE() << "no fault";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::EndlessSearch);
    }
    // A target that d2 reaches just before it stalls.
    const double k = divisorK();
    // Y grows by about one unit in the last place per step there, so the
    // first computed Y >= X may come a few steps early.
    const double top = 0x1p37 - 0x1p-16;
    const double x = yAt(top, 0.1, k);
    const PipeSearchResult r = pipeSearch(x, 0.1, k);
    EXPECT_LE(r.d2, top);
    EXPECT_GE(r.d2, top - 64 * 0x1p-16);
    EXPECT_GE(yAt(r.d2, 0.1, k), x);
}

TEST(PipeSearchFaults, NegativeDiameterWithoutCrossingFarAway)
{
    try {
        pipeSearch(1e12, -1e6, divisorK());
        ADD_FAILURE() << "no fault";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::InvalidArgument);
    }
}

// ---- Fast search against the literal scan ----------------------------------

// Inputs whose literal scan ends within about `budget` steps.
class InputMaker {
public:
    explicit InputMaker(std::uint32_t seed) : rng_(seed) {}

    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
    double logUniform(double lo, double hi) { return std::exp(uniform(std::log(lo), std::log(hi))); }
    int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(double p) { return uniform(0.0, 1.0) < p; }

    // X reached by d2 ≈ d1 + budget·1e-5, for d1 > 0.
    static double reachable(double d1, double budget, double k)
    {
        const double d2 = d1 + budget * 1e-5;
        return std::log(d2 / d1) * d2 / k;
    }

    Input positive(double budget, double k)
    {
        const double d1 = logUniform(1e-4, 10);
        const double top = reachable(d1, budget, k);
        double x = 0;
        switch (integer(0, 3)) {
            case 0:
                x = uniform(-1, top);
                break;
            case 1:
                x = uniform(0, top);
                break;
            case 2:
                x = logUniform(top * 1e-6, top);
                break;
            default:
                x = top * uniform(0.9, 1.0);
                break;
        }
        return {x, d1, k};
    }

    // d1 < 0: the scan reaches 0 after |d1|·1e5 steps at most; the hump of Y
    // tops at |d1| / (e·K).
    Input negative(double budget, double k)
    {
        const double d1 = -logUniform(1e-4, std::min(10.0, std::max(1e-4, budget * 1e-5)));
        const double peak = -d1 / std::exp(1.0) / std::fabs(k);
        double x = 0;
        switch (integer(0, 4)) {
            case 0:
                x = uniform(-1, 0);
                break;
            case 1:
                x = peak * uniform(-0.1, 1.2);
                break;
            case 2:
                x = peak * uniform(0.999, 1.001);
                break;
            case 3:
                // Within a few units in the last place of the top.
                x = peak * (1 + integer(-64, 64) * 0x1p-52);
                break;
            default:
                x = peak * logUniform(1e-9, 1);
                break;
        }
        if (k < 0)
            x = -x;
        return {x, d1, k};
    }

    // d2 crosses a power of two within a few steps of where the scan ends.
    Input atBinade(double k)
    {
        const int e = integer(-13, 3);
        const double edge = std::ldexp(1.0, e);
        const int before = integer(1, 2000);
        const int around = integer(-3, 3);
        if (chance(0.6)) {
            const double d1 = edge - before * 1e-5;
            if (d1 <= 0)
                return {0.5, edge, k};
            const double d2 = edge + around * std::ldexp(1.0, e - 52) + integer(-2, 2) * 1e-5;
            return {yAt(d2, d1, k, libraryLog), d1, k};
        }
        const double d1 = -(edge + before * 1e-5);
        const double d2 = -(edge - around * std::ldexp(1.0, e - 53)) + integer(-2, 2) * 1e-5;
        const double y = d2 < 0 ? yAt(d2, d1, k, libraryLog) : 0.01;
        return {chance(0.2) ? 1e9 : y, d1, k};
    }

private:
    std::mt19937_64 rng_;
};

// Runs the differential over `count` inputs from `seed`. One input in 40
// is a long one, its literal scan running 5·10^5 to 10^6 steps; the others
// take up to 10^4 steps, most far fewer.
void differential(std::uint32_t seed, int count)
{
    InputMaker make(seed);
    const double k = divisorK();
    int compared = 0;
    long long literalSteps = 0;
    int longRuns = 0;
    for (int i = 0; i < count; ++i) {
        Input in{};
        if (i % 40 == 0) {
            const double budget = make.uniform(5e5, 1e6);
            if (make.chance(0.5)) {
                in = make.positive(budget, k);
                in.x = InputMaker::reachable(in.d1, budget, k) * make.uniform(0.95, 1.0);
            } else {
                // Up to the top of the hump and beyond: the scan runs on to
                // d2 = 0 or stops near the top.
                in = make.negative(budget, k);
                in.d1 = -budget * 1e-5;
                const double peak = -in.d1 / std::exp(1.0) / k;
                in.x = make.chance(0.5) ? peak * make.uniform(1.0, 1.1)
                                        : peak * (1 + make.integer(-64, 64) * 0x1p-52);
            }
        } else {
            const double budget = make.logUniform(1, 1e4);
            const int kind = make.integer(0, 9);
            if (kind < 5)
                in = make.positive(budget, k);
            else if (kind < 8)
                in = make.negative(budget, k);
            else
                in = make.atBinade(k);
        }
        const Outcome literal = expectSameAsLiteral(in, libraryLog);
        ++compared;
        literalSteps += literal.fault ? 0 : literal.steps;
        if (literal.fault == ErrorKind::InvalidArgument && in.d1 < 0)
            literalSteps += static_cast<long long>(-in.d1 * 1e5);
        if (i % 40 == 0)
            ++longRuns;
        // The exact Y where the scan ended, and its neighbours, as targets:
        // the scan must stop at the first Y >= X, ties included.
        if (!literal.fault && i % 40 != 0 && make.chance(0.1)) {
            const double y = yAt(literal.d2, in.d1, k, libraryLog);
            for (const double x : {y, std::nextafter(y, -INFINITY), std::nextafter(y, INFINITY)}) {
                expectSameAsLiteral({x, in.d1, k}, libraryLog);
                ++compared;
            }
        }
        if (::testing::Test::HasFailure())
            break;
    }
    EXPECT_GE(compared, count);
    std::printf("seed %u: %d inputs compared (%d long), about %lld literal steps\n", seed, compared, longRuns,
                literalSteps);
}

class PipeSearchDifferential : public ::testing::TestWithParam<int> {};

TEST_P(PipeSearchDifferential, SameAsLiteralScan)
{
    differential(20030101u + GetParam(), 2500);
}

INSTANTIATE_TEST_SUITE_P(Shards, PipeSearchDifferential, ::testing::Range(0, 4));

TEST(PipeSearchDifferential, ExamplesAndEdges)
{
    const double k = divisorK();
    const double x = target(0.05, 300, 40, 20, 10);
    const Input inputs[] = {
        {x, 0.1143, k},
        {x, 0.1, k},
        {-0.01, 0.1, k},
        {0.0, 0.1, k},
        {x, -0.1, k},
        {0.01, -0.1, k},
        {0.0, -0.1, k},
        {1.0, 0x1p-17, k},
        {1.0, 0x1p-10, k},
        {1e-3, 1 - 1e-5, k},
        {1e-3, 1 - 2e-5, k},
        {x, 0.125 - 1e-5, k},
        {x, -0.125 - 1e-5, k},
        {1e-9, 1e-300, k},
        // The step no longer moves d2; the body still runs once, at d2 = d1.
        {0.0, 0x1p37, k},
        {-1.0, 0x1p37, k},
        {-1.0, -0x1p38, k},
        {0.0, 1e15, k},
    };
    for (const Input& in : inputs)
        expectSameAsLiteral(in);
}

// Near the top of the hump (d1 < 0, |d2| = |d1| / e) the exact Y is so flat
// that rounding decides which step first reaches X: with |d1| of some 10^3 m
// the computed Y there stays level or wobbles by units in the last place over
// several steps. The literal scan would take 3·10^8 to 6·10^8 steps (some
// seconds each; bench/pipe_search_long runs one); here the accumulated d2 is
// walked by plain additions to the top, and the computed Y of 2001 steps
// around it decide. Outside that window the exact Y is lower by more than
// 10^-13 of itself, far beyond rounding.
TEST(PipeSearchHump, FlatTopDecidedByRounding)
{
    const double k = divisorK();
    for (const double d1 : {-5e3, -1e4}) {
        SCOPED_TRACE(d1);
        const long long half = 1000;
        const auto top = static_cast<long long>((-d1 + d1 / std::exp(1.0)) / 1e-5);
        const long long first = top - half;
        double d2 = d1;
        for (long long i = 1; i < first; ++i)
            d2 += 1e-5;
        std::vector<double> at;
        std::vector<double> y;
        for (long long i = 0; i <= 2 * half; ++i) {
            d2 += 1e-5;
            at.push_back(d2);
            y.push_back(yAt(d2, d1, k));
        }
        std::vector<double> values = y;
        std::sort(values.begin(), values.end());
        values.erase(std::unique(values.begin(), values.end()), values.end());
        const std::size_t ranks = 12;
        ASSERT_LT(y.front(), values[values.size() - ranks]);
        ASSERT_LT(y.back(), values[values.size() - ranks]);

        // The greatest Y values and the Doubles just below them as targets.
        for (std::size_t rank = 1; rank <= ranks; ++rank) {
            const double value = values[values.size() - rank];
            for (const double x : {value, std::nextafter(value, -INFINITY)}) {
                std::size_t expected = 0;
                while (x > y[expected])
                    ++expected;
                const Outcome fast = outcomeOf(pipeSearch, x, d1, k);
                ASSERT_FALSE(fast.fault) << rank;
                EXPECT_EQ(fast.steps, first + static_cast<long long>(expected)) << rank;
                EXPECT_EQ(bitsOf(fast.d2), bitsOf(at[expected])) << rank;
            }
        }
        const Outcome above = outcomeOf(pipeSearch, std::nextafter(values.back(), INFINITY), d1, k);
        EXPECT_EQ(above.fault, ErrorKind::InvalidArgument);
    }
}

TEST(PipeSearchDifferential, OtherDivisors)
{
    // K is a constant of ravelt, but the search takes any divisor.
    InputMaker make(7u);
    const double divisors[] = {1.0, 0.5, 3.0, 1e-3, -1.0, -0.25, -1e3};
    for (int i = 0; i < 700; ++i) {
        const double k = divisors[i % 7];
        const double budget = make.logUniform(1, 1e4);
        // With K < 0 and d1 > 0 the scan runs until d2 stalls: negative d1 only.
        const Input in = k > 0 && make.chance(0.5) ? make.positive(budget, k) : make.negative(budget, k);
        expectSameAsLiteral(in, libraryLog);
        if (::testing::Test::HasFailure())
            break;
    }
}

}  // namespace
