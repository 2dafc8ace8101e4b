#include "pipe_sizes.h"

namespace milfo::heatflow {

const std::vector<PipeSize>& sgpSizes()
{
    // Nominal size (A), outer diameter (10.5 mm → 0.0105 m) and inner
    // diameter: the outer less twice the wall (10.5 − 2 × 2.0 = 6.5 mm), in
    // decimal as written here, never worked out in Doubles.
    static const std::vector<PipeSize> sizes = {
        // nominal, outer, inner          outer/wall (mm)
        {"6A", "0.0105", "0.0065"},    // 10.5/2.0
        {"8A", "0.0138", "0.0092"},    // 13.8/2.3
        {"10A", "0.0173", "0.0127"},   // 17.3/2.3
        {"15A", "0.0217", "0.0161"},   // 21.7/2.8
        {"20A", "0.0272", "0.0216"},   // 27.2/2.8
        {"25A", "0.034", "0.0276"},    // 34.0/3.2
        {"32A", "0.0427", "0.0357"},   // 42.7/3.5
        {"40A", "0.0486", "0.0416"},   // 48.6/3.5
        {"50A", "0.0605", "0.0529"},   // 60.5/3.8
        {"65A", "0.0763", "0.0679"},   // 76.3/4.2
        {"80A", "0.0891", "0.0807"},   // 89.1/4.2
        {"90A", "0.1016", "0.0932"},   // 101.6/4.2
        {"100A", "0.1143", "0.1053"},  // 114.3/4.5
        {"125A", "0.1398", "0.1308"},  // 139.8/4.5
        {"150A", "0.1652", "0.1552"},  // 165.2/5.0
        {"175A", "0.1907", "0.1801"},  // 190.7/5.3
        {"200A", "0.2163", "0.2047"},  // 216.3/5.8
        {"225A", "0.2418", "0.2294"},  // 241.8/6.2
        {"250A", "0.2674", "0.2542"},  // 267.4/6.6
        {"300A", "0.3185", "0.3047"},  // 318.5/6.9
        {"350A", "0.3556", "0.3398"},  // 355.6/7.9
        {"400A", "0.4064", "0.3906"},  // 406.4/7.9
        {"450A", "0.4572", "0.4414"},  // 457.2/7.9
        {"500A", "0.508", "0.4922"},   // 508.0/7.9
    };
    return sizes;
}

std::vector<std::string> nominalSizes()
{
    std::vector<std::string> entries;
    for (const PipeSize& size : sgpSizes())
        entries.emplace_back(size.nominal);
    return entries;
}

HandlerFn nominalSizePicked(const char* list, const char* outerBox, const char* innerBox)
{
    return [=](Form& form) {
        const std::string nominal = form.text(list);
        for (const PipeSize& size : sgpSizes())
            if (nominal == size.nominal) {
                form.setText(outerBox, size.outerDiameter);
                if (innerBox != nullptr)
                    form.setText(innerBox, size.innerDiameter);
            }
    };
}

}  // namespace milfo::heatflow
