// 保温設計: design rows per second over the SGP sizes 6A to 500A on a
// horizontal pipe (the shape whose required thickness takes rounds) under
// each of the three criteria, through the program's form model as milfo-calc
// runs a row: the loaded window copied, the lists picked, the boxes typed,
// 計算 pressed. Prints rows per second (CPU and wall time) per criterion and
// in all, and how many window runs a design takes (from its chain table).
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "catalogue.h"
#include "form_model.h"
#include "pipe_sizes.h"

namespace {

using namespace milfo;

// One line's conditions, a pick or a text per input.
struct Line {
    const char* criterion;
    std::vector<std::pair<const char*, const char*>> entries;
};

const Line kLines[] = {
    {"表面温度上限",
     {{"Combo1", "ロックウール"},
      {"Combo2", "保温筒"},
      {"Text1", "350"},
      {"Text2", "20"},
      {"Combo3", "アルミニウム板"},
      {"Combo4", "水平管"},
      {"Combo6", "表面温度上限"},
      {"Text7", "60"}}},
    {"防露",
     {{"Combo1", "ポリスチレンフォーム"},
      {"Combo2", "押出法保温筒３種"},
      {"Text1", "7"},
      {"Text2", "30"},
      {"Text3", "80"},
      {"Combo3", "ステンレス鋼板"},
      {"Combo4", "水平管"},
      {"Combo6", "防露"},
      {"Text8", "1"}}},
    {"放散熱量上限",
     {{"Combo1", "ロックウール"},
      {"Combo2", "保温筒"},
      {"Text1", "200"},
      {"Text2", "20"},
      {"Combo3", "アルミニウム板"},
      {"Combo4", "水平管"},
      {"Combo6", "放散熱量上限"},
      {"Text9", "150"}}},
};

void enter(FormModel& form, const char* name, const std::string& text)
{
    const Control& c = *form.rules().find(name);
    if (c.kind == ControlKind::ComboBox) {
        if (const auto entry = form.findEntry(c, text)) {
            form.pick(c, *entry);
            return;
        }
    }
    form.type(c, text);
}

// One design row: the line on one pipe size. Whether it ended with a message.
bool designRow(const FormModel& loaded, const Line& line, const heatflow::PipeSize& size, FormModel& form)
{
    form = loaded;
    for (const auto& [name, text] : line.entries)
        enter(form, name, text);
    enter(form, "Combo5", size.nominal);
    return form.press(*form.rules().find("Command1")).has_value();
}

double cpuSeconds()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

}  // namespace

int main()
{
    const ProgramDescription& program = *findProgram("保温設計");
    FormModel loaded(program);
    loaded.load();
    FormModel form = loaded;
    const std::vector<heatflow::PipeSize>& sizes = heatflow::sgpSizes();

    // Window runs per design, from the chain the program shows last beside its
    // window.
    long runs = 0, designs = 0, messages = 0;
    for (const Line& line : kLines)
        for (const heatflow::PipeSize& size : sizes) {
            messages += designRow(loaded, line, size, form) ? 1 : 0;
            runs += static_cast<long>(program.sideTables(form).back().rows.size());
            ++designs;
        }
    std::printf(
        "%ld designs over SGP 6A-500A x 3 criteria, %ld ending with a message; %.1f window runs a "
        "design on average\n",
        designs, messages, static_cast<double>(runs) / static_cast<double>(designs));

    constexpr double kSeconds = 3.0;
    long allRows = 0;
    double allCpu = 0, allWall = 0;
    for (const Line& line : kLines) {
        long rows = 0;
        const double cpu0 = cpuSeconds();
        const auto wall0 = std::chrono::steady_clock::now();
        double wall = 0;
        while (wall < kSeconds) {
            for (const heatflow::PipeSize& size : sizes) {
                designRow(loaded, line, size, form);
                ++rows;
            }
            wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
        }
        const double cpu = cpuSeconds() - cpu0;
        std::printf("%7ld rows  %8.0f rows/s (CPU)  %8.0f rows/s (wall)  %s\n", rows,
                    static_cast<double>(rows) / cpu, static_cast<double>(rows) / wall, line.criterion);
        allRows += rows;
        allCpu += cpu;
        allWall += wall;
    }
    std::printf("%7ld rows  %8.0f rows/s (CPU)  %8.0f rows/s (wall)  all three (target: 500 rows/s)\n",
                allRows, static_cast<double>(allRows) / allCpu, static_cast<double>(allRows) / allWall);
    return 0;
}
