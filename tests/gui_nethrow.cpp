// Ceramic fibre blanket (nethrow) through its real window.
#include "gui_harness.h"

using milfo::test::MeanCase;

MILFO_GUI_CASES(nethrow)
{
    return {"nethrow",
            {"Text1", "Text2", "Command1", "Text3", "Combo1", "Text1"},
            milfo::test::meanCases({
                // grade, θ1, θ2, Text3 shows
                {"ブランケット１号", "200", "800", "0.15584"},
                {"ブランケット１号", "100", "500", "0", false,
                 "温度が保温材の使用範囲外です（使用範囲 100～1000 ℃）"},
                {"ブランケット１号", "100.001", "500", "0.09506007", false, ""},
                {"ブランケット１号", "100.5", "1000", "0.1884281"},
                {"ブランケット１号", "100.5", "1000.00001", "0.1884281"},
                {"ブランケット１号", "100.5", "1000.0001", "0", false,
                 "温度が保温材の使用範囲外です（使用範囲 100～1000 ℃）"},
                {"ブランケット２号", "300", "600", "0.119895"},
                {"ブランケット３号", "500", "1000", "0.2363583"},
                {"ブランケット２号", "500", "500", "0"},
                {"ブランケット２号", "600", "300", "0"},
                {"ブランケット１号", "", "", "0"},
                // no grade: the fixed range test passes, every coefficient counts as 0
                {nullptr, "200", "800", "0", false, ""},
                // typed into the list's edit field: an exact text counts, any other does not
                {"ブランケット２号", "300", "600", "0.119895", true},
                {"ブランケット1号", "200", "800", "0", true},
                // a temperature beyond the Single range narrows to infinity and fails the test
                {"ブランケット１号", "200", "1e39", "0"},
            })};
}
