// Glass wool (mostrel) through its real window.
#include "gui_harness.h"

using milfo::test::MeanCase;

MILFO_GUI_CASES(mostrel)
{
    return {"mostrel",
            {"Text1", "Text2", "Command1", "Text3", "Combo1", "Text1"},
            milfo::test::meanCases({
                // grade, θ1, θ2, Text3 shows
                {"ウール２号", "10", "100", "0.04395"},
                {"ウール２号", "0", "100", "0"},
                {"保温板２号２４ｋ", "20", "200", "0.0636632"},
                {"保温板２号２４ｋ", "-20", "200", "0"},
                {"保温板２号２４ｋ", "-19.9", "200", "0.05861075"},
                {"保温筒", "0", "200", "0"},
                {"保温筒", "20", "200", "0.0507876"},
                {"保温筒", "20", "201", "0"},
                {"波形保温板", "10", "100", "0.049345"},
                {"波形保温板", "10", "100.000001", "0.049345"},
                {"波形保温板", "10", "100.001", "0"},
                {"波形保温板", "50", "50", "0"},
                {"波形保温板", "", "", "0"},
                {nullptr, "20", "80", "0"},
                // typed into the list's edit field: the row the list does not offer is found
                {"保温板２号３２ｋ", "20", "200", "0.0563188", true},
                {"保温板２号２４ｋ", "20", "200", "0.0636632", true},
                {"保温板２号２４k", "20", "200", "0", true},
                // a temperature beyond the Single range narrows to infinity and fails the test
                {"保温筒", "20", "1e39", "0"},
            })};
}
