// The values of a `--vary NAME=LIST`: texts separated by commas, decimal
// ranges FROM:TO:STEP among them, or `sgp`, the outer diameters of the
// carbon steel pipes of JIS G 3452 (SGP) in metres with their nominal sizes.
// A range is not stored: its values are worked out one at a time, exactly in
// decimal, so a long range costs no memory and no value is off by a rounding
// (0:1:0.1 gives 0.3, never 0.30000000000000004).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace milfo::calc {

// FROM, FROM + STEP, ... up to TO (TO itself when a step lands on it), each
// as its shortest decimal text.
class DecimalRange {
public:
    // Throws std::invalid_argument when a part is no plain decimal number,
    // STEP is 0 or leads away from TO, or the digits are too many.
    DecimalRange(std::string_view from, std::string_view to, std::string_view step);
    std::uint64_t size() const { return count_; }
    std::string at(std::uint64_t i) const;

private:
    std::int64_t from_ = 0;  // in units of 10^-scale_
    std::int64_t step_ = 0;
    int scale_ = 0;
    std::uint64_t count_ = 0;
};

class ValueList {
public:
    // Throws std::invalid_argument with what is wrong.
    explicit ValueList(std::string_view list);
    std::uint64_t size() const;
    std::string text(std::uint64_t i) const;
    // The nominal pipe size of value i ("" unless the list is `sgp`).
    std::string nominal(std::uint64_t i) const;
    bool isPipeSizes() const { return sgp_; }

private:
    // Items in order: a plain text (range < 0) or a range.
    struct Item {
        std::string text;
        int range = -1;
    };
    std::vector<Item> items_;
    std::vector<DecimalRange> ranges_;
    std::vector<std::uint64_t> starts_;  // the index of each item's first value
    std::uint64_t size_ = 0;
    bool sgp_ = false;
};

}  // namespace milfo::calc
