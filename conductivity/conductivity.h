// The mean-conductivity calculators, one description each (the nine
// materials, then a material given by its law), the range each applies, and
// the materials they are for.
#pragma once

#include <optional>
#include <vector>

#include "mean.h"
#include "program.h"

namespace milfo::conductivity {

const ProgramDescription& pimbrel();         // rock wool, 1.1.1
const ProgramDescription& mostrel();         // glass wool, 1.1.2
const ProgramDescription& nethrow();         // ceramic fibre blanket, 1.1.3
const ProgramDescription& dovrin();          // calcium silicate, 1.1.4
const ProgramDescription& sonderly();        // water-repellent perlite, 1.1.5
const ProgramDescription& tarvel();          // polystyrene foam, 1.1.6
const ProgramDescription& halcott();         // rigid urethane foam, 1.1.7
const ProgramDescription& fennick();         // polyethylene foam, 1.1.8
const ProgramDescription& castrel();         // phenolic foam, 1.1.9
const ProgramDescription& coefficientLaw();  // 係数指定: a law a + bθ + cθ² of one's own, 1.1.10

// The range each window applies to the grade or law its form holds (its
// list's text; 係数指定's bounds), or nothing when it has no such grade.
std::optional<Range> pimbrelRange(const Form& window);
std::optional<Range> mostrelRange(const Form& window);
std::optional<Range> nethrowRange(const Form& window);
std::optional<Range> dovrinRange(const Form& window);
std::optional<Range> sonderlyRange(const Form& window);
std::optional<Range> tarvelRange(const Form& window);
std::optional<Range> halcottRange(const Form& window);
std::optional<Range> fennickRange(const Form& window);
std::optional<Range> castrelRange(const Form& window);
std::optional<Range> coefficientLawRange(const Form& window);

// 係数指定's boxes of the law, in the order a, b, c, 下限, 上限.
inline constexpr const char* kLawBoxes[] = {"Text4", "Text5", "Text6", "Text7", "Text8"};
// 係数指定's message when 上限 is not above 下限.
inline constexpr const char* kLawBounds = "上限温度は下限温度より高くしてください。";

// A material and the window that gives its mean conductivity: its range,
// and whether the window takes a law (kLawBoxes) instead of a grade.
struct MaterialWindow {
    const char* material;  // as 保温設計's list of materials (保温材) names it
    const ProgramDescription& (*description)();
    std::optional<Range> (*range)(const Form& window);
    bool law = false;
};

// Every material window, in menu order: the materials 保温設計 and 複層保温
// offer.
const std::vector<MaterialWindow>& materialWindows();

}  // namespace milfo::conductivity
