// 複層保温 (menu １０): the heat loss, the surface temperature and the
// temperatures between the layers of an insulation of up to three layers,
// worked out through the suite's own windows as 保温設計 runs them (the
// materials' windows for each layer's conductivity, 熱伝達率 for the
// surface), every value passed on as the text the window shows. 保温設計
// runs it at each standard thickness over an inner layer.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "chain.h"
#include "program.h"

namespace milfo::heatflow {

const ProgramDescription& layeredInsulation();

}  // namespace milfo::heatflow

namespace milfo::heatflow::design {

// A layer's boxes: its material, its grade, its thickness in millimetres,
// and the result box of its mean conductivity.
struct LayerBoxes {
    const char* material;
    const char* grade;
    const char* thickness;
    const char* conductivity;
};
inline constexpr LayerBoxes kLayerBoxes[] = {{"Combo4", "Combo5", "Text6", "Text19"},
                                             {"Combo6", "Combo7", "Text7", "Text20"},
                                             {"Combo8", "Combo9", "Text8", "Text21"}};
// The law of 係数で指定 every layer that picks it uses: a, b, c, 下限, 上限.
inline constexpr const char* kLayerLaw[] = {"Text9", "Text10", "Text11", "Text12", "Text13"};
// The results beside the layers': the surface temperature, the loss, the
// surface coefficient, the temperatures between 第１層 and 第２層 and
// between 第２層 and 第３層.
inline constexpr const char* kLayerSurface = "Text14";
inline constexpr const char* kLayerLoss = "Text15";
inline constexpr const char* kLayerCoefficient = "Text16";
inline constexpr const char* kLayerInterfaces[] = {"Text17", "Text18"};

// The layer (from 0) whose faces left its material's range, and the two
// face temperatures as the range message names them, when a message of
// 複層保温 is that message.
struct RangeStop {
    size_t layer;
    std::string lower;
    std::string higher;
};
std::optional<RangeStop> rangeStopOf(std::string_view message);

}  // namespace milfo::heatflow::design
