// Rigid urethane foam (halcott) through its real window: no list.
#include "gui_harness.h"

using milfo::test::MeanCase;

MILFO_GUI_CASES(halcott)
{
    return {"halcott",
            {"Text1", "Text2", "Command1", "Text3", "Text1"},
            milfo::test::meanCases({
                // grade, θ1, θ2, Text3 shows
                {nullptr, "20", "80", "0.0272"},                    // test 1
                {nullptr, "-20", "10", "0.02104638"},               // test 2
                {nullptr, "-150", "-100", "0.0169"},                // test 3
                {nullptr, "0", "50", "0.023755"},                   // test 4
                {nullptr, "15", "100", "0.02825"},                  // test 4, empty M piece
                {nullptr, "-100", "50", "0.02243764"},              // test 5
                {nullptr, "-200", "100", "0.02113549", false, ""},  // test 5, both bounds included
                {nullptr, "-100", "0", "0.02177896"},               // test 6
                {nullptr, "-60", "15", "0.02191195"},               // test 6, empty L piece
                {nullptr, "-60.5", "-60", "0.023375"},              // test 3, -60 in band L
                // narrow intervals in band M, where the power function and repeated
                // products part in the last digit (products would give ...885, ...519)
                {nullptr, "-57.46", "-57.4599999", "0.02314884"},
                {nullptr, "-38.44", "-38.4399999", "0.02263518"},
                {nullptr, "-201", "0", "0", false, "温度が保温材の使用範囲外です（使用範囲 -200～100 ℃）"},
                {nullptr, "0", "100.5", "0", false, "温度が保温材の使用範囲外です（使用範囲 -200～100 ℃）"},
                {nullptr, "10", "10", "0"},
                {nullptr, "50", "20", "0", false, "低温側温度が高温側温度より低くありません"},
                {nullptr, "", "", "0"},
                {nullptr, "", "50", "0.023755"},  // empty reads as 0
            })};
}
