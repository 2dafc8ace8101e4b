// Calcium silicate (dovrin) through its real window.
#include "gui_harness.h"

using milfo::test::MeanCase;

MILFO_GUI_CASES(dovrin)
{
    return {"dovrin",
            {"Text1", "Text2", "Command1", "Text3", "Combo1", "Text1"},
            milfo::test::meanCases({
                // grade, θ1, θ2, Text3 shows
                {"１号－１３", "0", "300", "0.0599"},        // lower range only, both ends included
                {"１号－１３", "300", "800", "0.1291783"},   // across, lower piece 0
                {"１号－１３", "400", "600", "0.1146433"},   // upper range only
                {"１号－１３", "0", "800", "0.103199"},      // across, whole range
                {"２号－１７", "199", "201", "0.06990013"},  // across the 200 °C boundary
                {"２号－２２", "0", "600", "0.09413"},
                {"２号－２２", "0", "600.001", "0"},
                {"２号－２２", "-1", "100", "0"},
                {"１号－１３", "500", "500", "0"},
                {"１号－１３", "600", "500", "0"},
                {"１号－１３", "", "", "0"},
                {nullptr, "20", "300", "0"},
                // "１号－２２" with b0 = 0.0612: the laws meet at 300 °C
                {"１号－２２", "0", "800", "0.1158625"},
                {"１号－２２", "299", "301", "0.08860373"},
                {"１号－２２", "300", "800", "0.14284"},
                {"１号－２２", "300.001", "800", "0.1428401"},
                // typed into the list's edit field: an exact text counts, any other does not
                {"２号－２２", "0", "600", "0.09413", true},
                {"1号-13", "0", "300", "0", true},
            })};
}
