// Polyethylene foam (fennick) through its real window.
#include "gui_harness.h"

using milfo::test::MeanCase;

MILFO_GUI_CASES(fennick)
{
    milfo::test::ProgramCases program{
        "fennick",
        {"Text1", "Text2", "Command1", "Text3", "Combo1", "Text1"},
        milfo::test::meanCases({
            // grade, θ1, θ2, Text3 shows, typed, Text3's note
            {"保温筒１種", "0", "50", "0.04375", false, ""},
            {"保温筒２種", "0", "50", "0.04375", false, ""},
            {"保温筒１種", "10", "70", "0.0463", false, ""},
            {"保温筒１種", "20", "70", "0.04715", false, ""},
            {"保温筒１種", "20", "70.000001", "0.04715", false, ""},
            {"保温筒１種", "20", "70.00001", "0", false,
             "温度が保温材の使用範囲外です（使用範囲 -50～70 ℃）"},
            {"保温筒１種", "-40", "0", "0.0361", false, ""},
            {"保温筒１種", "-49.9", "70", "0.0412085", false, ""},
            {"保温筒１種", "-49.99", "-49.98", "0.03100161", false, ""},
            {"保温筒１種", "-50", "20", "0", false, "温度が保温材の使用範囲外です（使用範囲 -50～70 ℃）"},
            {"保温筒１種", "10", "70.5", "0", false, "温度が保温材の使用範囲外です（使用範囲 -50～70 ℃）"},
            {"保温筒１種", "30", "30", "0", false, "低温側温度が高温側温度より低くありません"},
            {"保温筒１種", "60", "20", "0", false, "低温側温度が高温側温度より低くありません"},
            {"保温筒１種", "", "", "0", false, "低温側温度が高温側温度より低くありません"},
            {nullptr, "0", "50", "0", false, ""},
            // typed into the list's edit field: an exact text counts, any other does not
            {"保温筒１種", "0", "50", "0.04375", true, ""},
            {"保温筒1種", "0", "50", "0", true, ""},
            {"保温筒", "0", "50", "0", true, ""},
            // what a Japanese input method types
            {"保温筒２種", "－４０", "０", "0.0361", false, ""},
            {"保温筒２種", " 1 0 ", "70abc", "0.0463", false, ""},
            // a temperature beyond the Single range narrows to infinity and fails the test
            {"保温筒１種", "0", "1e39", "0", false, "温度が保温材の使用範囲外です（使用範囲 -50～70 ℃）"},
        })};
    program.cases.push_back({"a result edited by hand is overwritten by the next press",
                             {"pick Combo1 保温筒１種", "set Text1 0", "set Text2 50", "click Command1",
                              "set Text3 1234", "click Command1"},
                             {{"Text3", "0.04375"}}});
    program.cases.push_back(
        {"Enter in a text box computes nothing",
         {"pick Combo1 保温筒１種", "set Text1 0", "set Text2 50", "key Return", "key Enter"},
         {{"Text3", ""}}});
    program.cases.push_back({"a temperature beyond the Double range is an overflow; the inputs stay",
                             {"pick Combo1 保温筒１種", "set Text1 0", "set Text2 50", "click Command1",
                              "set Text1 1e999", "click Command1"},
                             {{"Text3", ""}, {"Text1", "1e999"}, {"Text2", "50"}, {"Combo1", "保温筒１種"}},
                             "! オーバーフローしました。"});
    // A box read otherwise than as typed is computed as read, and marked
    // until it is mended and pressed again; typing alone or a pick keeps it.
    const std::vector<std::string> typo = {"pick Combo1 保温筒１種", "set Text1 12abc", "set Text2 50",
                                           "click Command1"};
    const auto after = [&typo](std::vector<std::string> more) {
        more.insert(more.begin(), typo.begin(), typo.end());
        return more;
    };
    const std::string note = "「12abc」を 12 として計算しました";
    program.cases.push_back({"12abc is read as 12 and marked",
                             typo,
                             {{"Text3", "0.04477"}},
                             "",
                             {{"Text1", note}, {"Text2", ""}}});
    program.cases.push_back({"typing alone keeps the mark",
                             after({"set Text1 12"}),
                             {{"Text1", "12"}, {"Text3", "0.04477"}},
                             "",
                             {{"Text1", note}}});
    program.cases.push_back({"a pick keeps the mark",
                             after({"pick Combo1 保温筒２種"}),
                             {{"Text3", "0.04477"}},
                             "",
                             {{"Text1", note}}});
    program.cases.push_back({"mended and pressed again, the mark goes",
                             after({"set Text1 12", "click Command1"}),
                             {{"Text3", "0.04477"}},
                             "",
                             {{"Text1", ""}}});
    return program;
}
