// Rock wool (pimbrel) through its real window.
#include "gui_harness.h"

using milfo::test::MeanCase;

MILFO_GUI_CASES(pimbrel)
{
    return {
        "pimbrel",
        {"Text1", "Text2", "Command1", "Text3", "Combo1", "Text1"},
        milfo::test::meanCases({
            // grade, θ1, θ2, Text3 shows
            {"保温板１号", "0", "100", "0.04125"},                // lower range only
            {"保温板１号", "-20", "100", "0.03974"},              // both bounds included
            {"保温板１号", "100", "400", "0.086485"},             // across, lower piece 0
            {"保温板１号", "100.001", "400", "0.08648513"},       // upper range only
            {"保温板１号", "200", "400", "0.1005767"},            // upper range only
            {"保温板１号", "-20", "600", "0.1109833"},            // across, whole range
            {"保温筒", "20", "300", "0.06043286"},                // across
            {"フェルト", "-20", "400", "0.08447571", false, ""},  // across, felt ends at 400
            {"フェルト", "-20", "400.001", "0", false, "温度が保温材の使用範囲外です（使用範囲 -20～400 ℃）"},
            {"保温板２号", "-20.001", "50", "0", false,
             "温度が保温材の使用範囲外です（使用範囲 -20～600 ℃）"},
            {"保温帯１号", "50", "50", "0"},
            {"保温帯２号", "300", "50", "0", false, "低温側温度が高温側温度より低くありません"},
            {"保温板１号", "", "", "0"},
            {nullptr, "20", "300", "0", false, ""},
            // typed into the list's edit field: an exact text counts, any other does not
            {"保温筒", "20", "300", "0.06043286", true},
            {"保温板1号", "20", "300", "0", true},
        })};
}
