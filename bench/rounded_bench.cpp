// Nanoseconds per call of the correctly rounded logarithm, exponential and
// power against the C library's, over arguments of the size the calculators
// meet (temperatures in kelvin, ratios of diameters), and the power at the
// fixed exponents of the formulas (Arg: the exponent times 100).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "rounded.h"

namespace {

std::vector<double> arguments(double lo, double hi)
{
    std::mt19937_64 rng(1);
    std::uniform_real_distribution<double> u(lo, hi);
    std::vector<double> v(1024);
    for (double& x : v)
        x = u(rng);
    return v;
}

template <double (*F)(double)>
void unary(benchmark::State& state, double lo, double hi)
{
    const std::vector<double> xs = arguments(lo, hi);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(F(xs[i]));
        i = (i + 1) & 1023;
    }
}

template <double (*F)(double, double)>
void binary(benchmark::State& state)
{
    const std::vector<double> bases = arguments(200.0, 1000.0);
    const std::vector<double> exponents = arguments(-4.0, 4.0);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(F(bases[i], exponents[i]));
        i = (i + 1) & 1023;
    }
}

// A fixed exponent, as the formulas write them: 0.25 (a fourth root), 0.5
// (the wind factor), 4 (a fourth power).
template <double (*F)(double, double)>
void fixed(benchmark::State& state)
{
    const std::vector<double> bases = arguments(200.0, 1000.0);
    const double exponent = static_cast<double>(state.range(0)) / 100.0;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(F(bases[i], exponent));
        i = (i + 1) & 1023;
    }
}

double libraryLn(double x)
{
    return std::log(x);
}
double libraryExp(double x)
{
    return std::exp(x);
}
double libraryPow(double x, double y)
{
    return std::pow(x, y);
}

void RoundedLn(benchmark::State& s)
{
    unary<milfo::roundedLn>(s, 0.5, 1000.0);
}
void LibraryLn(benchmark::State& s)
{
    unary<libraryLn>(s, 0.5, 1000.0);
}
void RoundedExp(benchmark::State& s)
{
    unary<milfo::roundedExp>(s, -20.0, 20.0);
}
void LibraryExp(benchmark::State& s)
{
    unary<libraryExp>(s, -20.0, 20.0);
}
void RoundedPow(benchmark::State& s)
{
    binary<milfo::roundedPow>(s);
}
void LibraryPow(benchmark::State& s)
{
    binary<libraryPow>(s);
}

void RoundedPowFixed(benchmark::State& s)
{
    fixed<milfo::roundedPow>(s);
}
void LibraryPowFixed(benchmark::State& s)
{
    fixed<libraryPow>(s);
}

BENCHMARK(RoundedLn);
BENCHMARK(LibraryLn);
BENCHMARK(RoundedExp);
BENCHMARK(LibraryExp);
BENCHMARK(RoundedPow);
BENCHMARK(LibraryPow);
BENCHMARK(RoundedPowFixed)->Arg(25)->Arg(50)->Arg(400);
BENCHMARK(LibraryPowFixed)->Arg(25)->Arg(50)->Arg(400);

}  // namespace

BENCHMARK_MAIN();
