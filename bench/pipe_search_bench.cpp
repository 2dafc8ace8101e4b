// ravelt's pipe thickness search: the literal accumulated scan against the
// fast search, at targets that the scan reaches after about 10^4, 10^6 and
// 10^8 steps. Prints Google Benchmark's table, then both times side by side
// with their ratio. The fast search takes the correctly rounded logarithm, as
// ravelt does; the literal scan, the tests' reference over long scans, takes
// the C library's, which is what makes 10^8 steps affordable there.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "pipe_search.h"

namespace {

using milfo::Real;
using milfo::heatflow::literalPipeScan;
using milfo::heatflow::pipeSearch;
using milfo::heatflow::PipeSearchResult;

constexpr double kInnerDiameter = 0.1143;

double divisorK()
{
    return milfo::ln(Real(2.718282)).value();
}

// A target that the scan from kInnerDiameter reaches after about `steps` steps.
double targetFor(long long steps)
{
    const double d2 = kInnerDiameter + static_cast<double>(steps) * 1e-5;
    return std::log(d2 / kInnerDiameter) * d2 / divisorK();
}

double libraryLog(double x)
{
    return std::log(x);
}

template <PipeSearchResult (*Search)(Real, Real, Real, milfo::heatflow::Logarithm), double (*Log)(double)>
void runSearch(benchmark::State& state)
{
    const double x = targetFor(state.range(0));
    const double k = divisorK();
    PipeSearchResult r{};
    for (auto _ : state) {
        r = Search(x, kInnerDiameter, k, Log);
        benchmark::DoNotOptimize(r);
    }
    state.counters["steps"] = static_cast<double>(r.steps);
}

void Literal(benchmark::State& state)
{
    runSearch<literalPipeScan, libraryLog>(state);
}
void Fast(benchmark::State& state)
{
    runSearch<pipeSearch, milfo::roundedLn>(state);
}

const std::vector<long long> kSizes = {10'000, 1'000'000, 100'000'000};

// Keeps each run's real and CPU time per iteration, in nanoseconds, by name.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal.
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) != 0 ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration)
                continue;
            const double toNanos = 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            times_[run.benchmark_name()] = {run.GetAdjustedRealTime() * toNanos,
                                            run.GetAdjustedCPUTime() * toNanos};
        }
    }

    void printRatios() const
    {
        std::printf("\n%11s  %21s  %21s  %19s\n", "steps", "literal real / CPU", "fast real / CPU",
                    "ratio real / CPU");
        for (const long long n : kSizes) {
            const std::string arg = "/" + std::to_string(n);
            const auto literal = times_.find("Literal" + arg);
            const auto fast = times_.find("Fast" + arg);
            if (literal == times_.end() || fast == times_.end())
                continue;
            const Times& l = literal->second;
            const Times& f = fast->second;
            std::printf("%11lld  %9.3f / %9.3f ms  %9.3f / %9.3f us  %9.0f / %9.0f\n", n, l.real / 1e6,
                        l.cpu / 1e6, f.real / 1e3, f.cpu / 1e3, l.real / f.real, l.cpu / f.cpu);
        }
    }

private:
    struct Times {
        double real;
        double cpu;
    };
    std::map<std::string, Times> times_;
};

}  // namespace

BENCHMARK(Literal)->Arg(10'000)->Arg(1'000'000)->Arg(100'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(Fast)->Arg(10'000)->Arg(1'000'000)->Arg(100'000'000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
