#include "pipe_sizes.h"

namespace milfo::heatflow {

const std::vector<PipeSize>& sgpSizes()
{
    // Nominal size (A) and outer diameter (10.5 mm → 0.0105 m).
    static const std::vector<PipeSize> sizes = {
        {"6A", "0.0105"},   {"8A", "0.0138"},   {"10A", "0.0173"},  {"15A", "0.0217"},  {"20A", "0.0272"},
        {"25A", "0.034"},   {"32A", "0.0427"},  {"40A", "0.0486"},  {"50A", "0.0605"},  {"65A", "0.0763"},
        {"80A", "0.0891"},  {"90A", "0.1016"},  {"100A", "0.1143"}, {"125A", "0.1398"}, {"150A", "0.1652"},
        {"175A", "0.1907"}, {"200A", "0.2163"}, {"225A", "0.2418"}, {"250A", "0.2674"}, {"300A", "0.3185"},
        {"350A", "0.3556"}, {"400A", "0.4064"}, {"450A", "0.4572"}, {"500A", "0.508"},
    };
    return sizes;
}

}  // namespace milfo::heatflow
