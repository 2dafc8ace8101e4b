// Phenolic foam (castrel) through its real window.
#include "gui_harness.h"

using milfo::test::MeanCase;

MILFO_GUI_CASES(castrel)
{
    return {"castrel",
            {"Text1", "Text2", "Command1", "Text3", "Combo1", "Text1"},
            milfo::test::meanCases({
                // grade, θ1, θ2, Text3 shows
                {"保温板１種１号", "0", "100", "0.034"},
                {"保温板１種２号", "20", "80", "0.0316"},
                {"保温板２種１号", "-50", "100", "0.03595"},
                {"保温筒１号", "-50", "100", "0.03595"},
                {"保温板２種２号", "-50", "50", "0.0311"},
                {"保温筒２号", "20", "130", "0.0401"},
                {"保温筒２号", "20", "130.000001", "0.0401"},
                {"保温筒２号", "20", "130.00001", "0"},
                {"保温板１種１号", "-100", "130", "0"},
                {"保温板１種１号", "-99.9", "130", "0.031204"},
                {"保温板１種１号", "-99.99", "-99.98", "0.02200082"},
                {"保温板１種１号", "50", "50", "0"},
                {"保温板１種１号", "", "", "0"},
                {nullptr, "0", "100", "0"},
                // typed into the list's edit field: an exact text counts, any other does not
                {"保温板１種１号", "0", "100", "0.034", true},
                {"保温板1種1号", "0", "100", "0", true},
            })};
}
