// 凍結防止's checks of the air and the water, which 保温設計 makes too before
// it runs 凍結防止's window for its criterion 凍結防止.
#pragma once

#include "real.h"

namespace milfo::heatflow {

inline constexpr const char* kNoFrost = "外気温度が０℃以上では凍結しません。";
inline constexpr const char* kIce = "水温が０℃未満です。水温を見直してください。";

// The air below 0 °C, then the water at 0 °C or above: the first that
// fails stops the press with its message (HandlerMessage).
void checkFrost(Real air, Real water);

}  // namespace milfo::heatflow
