// The mean thermal conductivity method: the integral mean of a grade's
// conductivity law over [θ1, θ2], shown only when both temperatures lie in the
// grade's range of validity. Each material source holds only its grade table
// and its window; the method and the handlers are written once, here.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "program.h"

namespace milfo::conductivity {

// One grade of a one-law material: λ(θ) = a + b·θ + c·θ², valid for
// lo < θ1 and θ2 ≤ hi.
struct Grade {
    const char* text;  // list text, compared exactly with the list's text
    double a;
    double b;
    double c;
    int lo;
    int hi;
    bool listed = true;  // offered in the list (a row may only be typed)
};

// Bounds that belong to the material rather than to its rows: lo (an
// Integer, exclusive) and hi (a Single, inclusive).
struct FixedBounds {
    int lo;
    float hi;
};

struct OneLawMaterial {
    std::vector<Grade> grades;
    std::optional<FixedBounds> bounds = std::nullopt;
};

// The row whose list text equals the list's text, or nullptr.
template <typename Row>
const Row* findRow(const std::vector<Row>& rows, std::string_view text)
{
    for (const Row& row : rows)
        if (text == row.text)
            return &row;
    return nullptr;
}

// λm of one click: θ1 a Double, θ2 already narrowed to a Single. 0 when the
// range test fails or no row is chosen.
float oneLawMean(const OneLawMaterial& material, const Grade* row, double t1, float t2);

// The window shape of a one-law material completed with its list entries
// (the listed rows in table order) and its "計算" handler.
ProgramDescription oneLawProgram(ProgramDescription shape, const OneLawMaterial& material);

}  // namespace milfo::conductivity
