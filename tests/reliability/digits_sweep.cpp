// Every program of the suite over random inputs, without a window: prints one
// line per press with the inputs, the texts of every box afterwards and the
// run-time error, if any. The same seed gives the same lines on any machine
// and under any code path of the C library; cpu_paths.sh holds two runs
// against each other.
//
//   digits_sweep [ROWS_PER_PROGRAM] [SEED]
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue.h"
#include "form_model.h"
#include "numeric.h"

namespace {

using namespace milfo;

// A number as a person types it, at one of three scales: a length or a
// conductivity, a temperature or humidity, a hot process temperature.
std::string randomNumber(std::mt19937_64& rng)
{
    struct Scale {
        double lo;
        double hi;
        int decimals;
    };
    static const Scale scales[] = {{0.0, 1.0, 4}, {-50.0, 100.0, 2}, {0.0, 700.0, 1}};
    const Scale& s = scales[std::uniform_int_distribution<int>(0, 2)(rng)];
    long long unit = 1;
    for (int i = 0; i < s.decimals; ++i)
        unit *= 10;
    const auto lo = static_cast<long long>(s.lo * static_cast<double>(unit));
    const auto hi = static_cast<long long>(s.hi * static_cast<double>(unit));
    const long long n = std::uniform_int_distribution<long long>(lo, hi)(rng);
    const long long whole = (n < 0 ? -n : n) / unit;
    const long long part = (n < 0 ? -n : n) % unit;
    std::string digits(static_cast<std::size_t>(s.decimals), '0');
    for (long long p = part, i = s.decimals - 1; i >= 0; --i, p /= 10)
        digits[static_cast<std::size_t>(i)] = static_cast<char>('0' + p % 10);
    return (n < 0 ? "-" : "") + std::to_string(whole) + "." + digits;
}

void sweep(const ProgramDescription& program, int rows, std::mt19937_64& rng)
{
    FormModel form(program);
    form.load();
    const FormRules& rules = form.rules();
    for (int row = 0; row < rows; ++row) {
        std::string line = program.name;
        for (const Control& c : rules.controls()) {
            if (c.kind != ControlKind::TextBox)
                continue;
            const std::string number = randomNumber(rng);
            form.type(c, number);
            line += "\t" + number;
        }
        for (const Control* list : rules.lists()) {
            const std::vector<std::string>& entries = form.entries(*list);
            if (entries.empty())
                continue;
            const auto pick = std::uniform_int_distribution<std::size_t>(0, entries.size() - 1)(rng);
            line += "\t" + entries[pick];
            if (const auto failure = form.pick(*list, pick))
                line += "\t! " + failure->message;
        }
        line += "\t|";
        for (const Control* button : rules.calculatingButtons()) {
            if (const auto failure = form.press(*button)) {
                line += "\t! " + failure->message;
                continue;
            }
            for (const char* box : rules.clickHandler(*button)->results)
                line += "\t" + form.text(box);
        }
        std::puts(line.c_str());
    }
}

}  // namespace

int main(int argc, char** argv)
{
    int rows = 20000;
    std::uint64_t seed = 20030707;
    if (argc > 1)
        std::from_chars(argv[1], argv[1] + std::char_traits<char>::length(argv[1]), rows);
    if (argc > 2)
        std::from_chars(argv[2], argv[2] + std::char_traits<char>::length(argv[2]), seed);
    std::mt19937_64 rng(seed);
    for (const ProgramDescription* program : allPrograms())
        sweep(*program, rows, rng);
    return 0;
}
