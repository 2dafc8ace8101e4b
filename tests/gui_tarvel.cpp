// Polystyrene foam (tarvel) through its real window.
#include "gui_harness.h"

using milfo::test::MeanCase;

MILFO_GUI_CASES(tarvel)
{
    return {"tarvel",
            {"Text1", "Text2", "Command1", "Text3", "Combo1", "Text1"},
            milfo::test::meanCases({
                // grade, θ1, θ2, Text3 shows
                {"ビーズ法保温板特号", "0", "50", "0.0346"},
                {"ビーズ法保温板特号", "20", "80", "0.0376"},
                {"ビーズ法保温板特号", "-20", "80", "0.0352"},
                {"ビーズ法保温筒１号", "0", "50", "0.03665"},
                {"ビーズ法保温筒１号", "20", "75", "0"},
                {"ビーズ法保温板３号", "-49.9", "80", "0.039208"},
                {"押出法保温板３種ａ", "-40", "0", "0.0256"},
                {"押出法保温筒３種", "20", "70", "0.03015"},
                {"押出法保温板２種ａ，ｂ", "-50", "20", "0"},
                {"ビーズ法保温板特号", "50", "50", "0"},
                {"ビーズ法保温板特号", "60", "20", "0"},
                {"ビーズ法保温板特号", "", "", "0"},
                {nullptr, "0", "50", "0"},
                // typed into the list's edit field: an exact text counts, any other does not
                {"押出法保温筒３種", "20", "70", "0.03015", true},
                {"押出法保温板２種a,b", "0", "50", "0", true},
            })};
}
