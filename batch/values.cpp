#include "values.h"

#include <algorithm>
#include <limits>

#include "pipe_sizes.h"

namespace milfo::calc {

namespace {

// A plain decimal number: sign, digits, at most one point.
struct Decimal {
    bool negative = false;
    std::string digits;  // without the point, leading zeros kept
    int scale = 0;       // digits after the point
};

bool parseDecimal(std::string_view s, Decimal& d)
{
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        d.negative = s[i++] == '-';
    bool point = false, any = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            d.digits += c;
            any = true;
            d.scale += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return any;
}

constexpr int kMaxDigits = 17;  // so that every value and step fits 64 bits

// d in units of 10^-scale (scale ≥ d.scale).
std::int64_t scaled(const Decimal& d, int scale)
{
    std::string digits = d.digits;
    digits.append(static_cast<size_t>(scale - d.scale), '0');
    const size_t first = digits.find_first_not_of('0');
    if (first != std::string::npos && digits.size() - first > kMaxDigits)
        throw std::invalid_argument("too many digits");
    std::int64_t v = 0;
    for (char c : digits)
        v = v * 10 + (c - '0');
    return d.negative ? -v : v;
}

}  // namespace

DecimalRange::DecimalRange(std::string_view from, std::string_view to, std::string_view step)
{
    Decimal f, t, s;
    if (!parseDecimal(from, f) || !parseDecimal(to, t) || !parseDecimal(step, s))
        throw std::invalid_argument("FROM, TO and STEP of a range must be plain decimal numbers");
    scale_ = std::max({f.scale, t.scale, s.scale});
    from_ = scaled(f, scale_);
    const std::int64_t last = scaled(t, scale_);
    step_ = scaled(s, scale_);
    if (step_ == 0)
        throw std::invalid_argument("the step of a range must not be 0");
    // |TO - FROM| fits 64 bits unsigned, both being below 10^17.
    const bool up = last >= from_;
    if ((step_ > 0) != up && last != from_)
        throw std::invalid_argument("the step leads away from TO");
    const std::uint64_t span =
        up ? static_cast<std::uint64_t>(last - from_) : static_cast<std::uint64_t>(from_ - last);
    const std::uint64_t stride = static_cast<std::uint64_t>(step_ > 0 ? step_ : -step_);
    count_ = span / stride + 1;
}

std::string DecimalRange::at(std::uint64_t i) const
{
    // |from + i·step| stays within |from| and |to|, below 10^17.
    const std::int64_t v = from_ + static_cast<std::int64_t>(i) * step_;
    std::string digits = std::to_string(v < 0 ? -v : v);
    if (static_cast<int>(digits.size()) <= scale_)
        digits.insert(0, static_cast<size_t>(scale_) + 1 - digits.size(), '0');
    std::string text = digits.substr(0, digits.size() - static_cast<size_t>(scale_));
    std::string fraction = digits.substr(digits.size() - static_cast<size_t>(scale_));
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        text += "." + fraction;
    return v < 0 ? "-" + text : text;
}

ValueList::ValueList(std::string_view list)
{
    if (list == "sgp") {
        sgp_ = true;
        size_ = heatflow::sgpSizes().size();
        return;
    }
    // Commas split the items; an item with two colons is a range.
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        const std::string_view item =
            list.substr(start, comma == std::string_view::npos ? comma : comma - start);
        Item it{std::string(item)};
        const size_t c1 = item.find(':');
        if (c1 != std::string_view::npos) {
            const size_t c2 = item.find(':', c1 + 1);
            if (c2 == std::string_view::npos || item.find(':', c2 + 1) != std::string_view::npos)
                throw std::invalid_argument("\"" + std::string(item) + "\": a range is FROM:TO:STEP");
            try {
                ranges_.emplace_back(item.substr(0, c1), item.substr(c1 + 1, c2 - c1 - 1),
                                     item.substr(c2 + 1));
            } catch (const std::invalid_argument& e) {
                throw std::invalid_argument("\"" + std::string(item) + "\": " + e.what());
            }
            it.range = static_cast<int>(ranges_.size()) - 1;
        }
        starts_.push_back(size_);
        const std::uint64_t n = it.range >= 0 ? ranges_.back().size() : 1;
        if (n > std::numeric_limits<std::uint64_t>::max() - size_)
            throw std::invalid_argument("too many values");
        size_ += n;
        items_.push_back(std::move(it));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
}

std::uint64_t ValueList::size() const
{
    return size_;
}

std::string ValueList::text(std::uint64_t i) const
{
    if (sgp_)
        return heatflow::sgpSizes()[i].outerDiameter;
    const size_t k =
        static_cast<size_t>(std::upper_bound(starts_.begin(), starts_.end(), i) - starts_.begin()) - 1;
    const Item& it = items_[k];
    return it.range < 0 ? it.text : ranges_[static_cast<size_t>(it.range)].at(i - starts_[k]);
}

std::string ValueList::nominal(std::uint64_t i) const
{
    return sgp_ ? heatflow::sgpSizes()[i].nominal : "";
}

}  // namespace milfo::calc
