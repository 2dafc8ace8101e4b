// The fast pipe search against the literal scan on a few inputs whose scan
// runs about 10^8 steps (one 6·10^8): plain targets for d1 > 0, and for
// d1 < 0 targets at the flat top of the hump of Y, where the computed Y
// stays level or wobbles from step to step by rounding and only the first
// step with Y >= X is right. Both take the C library's logarithm here (with
// the correctly rounded one the literal scans would take hours). Prints each
// input with both times and a final count; exits with 1 on any difference.
// Takes about a second per 10^8 steps.
//
// Then ravelt's own search, with the correctly rounded logarithm, over a grid
// of physical inputs (d1 from 1 mm to 100 m, targets from 10^-4 to 10^14):
// the slowest answer and the most logarithms one answer takes.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "pipe_search.h"
#include "pipe_search_outcome.h"
#include "rounded.h"

namespace {

using milfo::ErrorKind;
using milfo::Real;
using milfo::RuntimeError;
using milfo::heatflow::literalPipeScan;
using milfo::heatflow::pipeSearch;
using milfo::heatflow::PipeSearchResult;
using namespace milfo::heatflow;

struct Hump {
    long long firstStep;
    std::vector<double> y;
};

Hump humpOf(double d1, double k, long long halfWidth)
{
    const double size = -d1;
    const auto top = static_cast<long long>((size - size / std::exp(1.0)) / 1e-5);
    Hump h{top - halfWidth, {}};
    double d2 = d1;
    for (long long i = 1; i < h.firstStep; ++i)
        d2 += 1e-5;
    for (long long i = 0; i <= 2 * halfWidth; ++i) {
        d2 += 1e-5;
        h.y.push_back(yAt(d2, d1, k, libraryLog));
    }
    return h;
}

struct Input {
    std::string what;
    double x;
    double d1;
};

}  // namespace

int main()
{
    const double k = divisorK();
    std::vector<Input> inputs;
    for (const double d1 : {0.1143, 0.1}) {
        const double d2 = d1 + 1e8 * 1e-5;
        inputs.push_back({"d1 > 0, about 10^8 steps", std::log(d2 / d1) * d2 / k, d1});
    }
    {
        const Hump h = humpOf(-1000, k, 20000);
        const double top = *std::max_element(h.y.begin(), h.y.end());
        inputs.push_back({"d1 = -1000, X = greatest Y of the hump", top, -1000});
        inputs.push_back(
            {"d1 = -1000, X just above every Y: no crossing", std::nextafter(top, INFINITY), -1000});
        inputs.push_back({"d1 = -1000, X = Y 3000 steps before the top", h.y[20000 - 3000], -1000});
    }
    {
        const Hump h = humpOf(-1300, k, 20000);
        std::vector<double> values = h.y;
        std::sort(values.begin(), values.end());
        values.erase(std::unique(values.begin(), values.end()), values.end());
        inputs.push_back({"d1 = -1300, X = second greatest Y of the hump", values[values.size() - 2], -1300});
        inputs.push_back({"d1 = -1300, X = fifth greatest Y of the hump", values[values.size() - 5], -1300});
    }
    {
        // Here the exact Y is flat over several steps at the top and rounding
        // alone decides the first step with Y >= X: 6·10^8 literal steps.
        const Hump h = humpOf(-1e4, k, 2000);
        const double top = *std::max_element(h.y.begin(), h.y.end());
        inputs.push_back({"d1 = -10^4, X = greatest Y of the hump", top, -1e4});
    }
    {
        const double peak = 1200 / std::exp(1.0) / k;
        inputs.push_back({"d1 = -1200, X 1e-12 below the exact top", peak * (1 - 1e-12), -1200});
    }

    int identical = 0;
    double literalSeconds = 0;
    for (const Input& in : inputs) {
        const Outcome literal = outcomeOf(literalPipeScan, in.x, in.d1, k, libraryLog);
        const Outcome fast = outcomeOf(pipeSearch, in.x, in.d1, k, libraryLog);
        const bool ok = sameOutcome(literal, fast);
        identical += ok ? 1 : 0;
        literalSeconds += literal.seconds;
        std::printf("%-48s literal %8.3f s  fast %9.1f us  %s  %s\n", in.what.c_str(), literal.seconds,
                    fast.seconds * 1e6, ok ? "same" : "DIFFERENT", describe(literal).c_str());
        if (!ok)
            std::printf("    fast: %s\n", describe(fast).c_str());
        std::fflush(stdout);
    }
    std::printf("%d of %zu inputs identical (literal scans %.1f s in all)\n", identical, inputs.size(),
                literalSeconds);

    double slowest = 0;
    std::uint64_t mostLogs = 0;
    int answers = 0;
    for (const double d1 : {0.001, 0.01, 0.1143, 1.0, 10.0, 100.0}) {
        for (double x = 1e-4; x < 1e14; x *= 1.037) {
            const std::uint64_t before = milfo::roundedCalls().ln;
            const Outcome o = outcomeOf(pipeSearch, x, d1, k);
            slowest = std::max(slowest, o.seconds);
            mostLogs = std::max(mostLogs, milfo::roundedCalls().ln - before);
            ++answers;
        }
    }
    std::printf(
        "ravelt's search, correctly rounded, %d physical inputs: slowest %.0f us, at most %llu logarithms\n",
        answers, slowest * 1e6, static_cast<unsigned long long>(mostLogs));
    return identical == static_cast<int>(inputs.size()) ? 0 : 1;
}
