// A case kept and opened again: the bytes written (UTF-8 with a byte order
// mark, CRLF, 計算プログラム then the inputs' captions in tab order), every
// program's inputs through a file and back, the files refused with their
// messages, and the files a person may have made otherwise (CP932, control
// names, captions without units, columns in another order, fewer columns).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_file.h"
#include "catalogue.h"
#include "form_model.h"
#include "probe_program.h"

namespace milfo {
namespace {

const Control& control(const FormModel& form, const char* name)
{
    return *form.rules().find(name);
}

FormModel loaded(const ProgramDescription& program)
{
    FormModel form(program);
    form.load();
    return form;
}

std::string inputTexts(const FormModel& form)
{
    std::string out;
    for (const Control* c : form.rules().inputs())
        out += std::string(c->name) + "=" + form.textOf(*c) + ";";
    return out;
}

TEST(CaseFile, WrittenAsALineListOfOneRow)
{
    FormModel form = loaded(*findProgram("fennick"));
    form.type(control(form, "Text1"), "12abc");
    form.type(control(form, "Text2"), "5,0");
    form.pick(control(form, "Combo1"), 1);
    EXPECT_EQ(calc::writeCase(form),
              "\xEF\xBB\xBF計算プログラム,低温側温度（℃）,高温側温度（℃）,ポリエチレンフォームの種類\r\n"
              "fennick,12abc,\"5,0\",保温筒２種\r\n");
}

// Every program: each box typed, each list's last entry picked in tab order,
// written, and opened into a window left otherwise: the same texts.
TEST(CaseFile, EveryProgramsInputsComeBack)
{
    for (const ProgramDescription* p : allPrograms()) {
        FormModel form = loaded(*p);
        int n = 0;
        for (const Control* c : form.rules().inputs()) {
            if (c->kind == ControlKind::ComboBox && !form.entries(*c).empty())
                form.pick(*c, form.entries(*c).size() - 1);
            else if (c->kind == ControlKind::TextBox)
                form.type(*c, std::to_string(++n) + ".5");
        }
        const std::string saved = calc::writeCase(form);
        FormModel other = loaded(*p);
        for (const Control* c : other.rules().inputs())
            other.type(*c, "other");
        EXPECT_TRUE(calc::enterCase(other, calc::readCase(other.rules(), saved)).empty()) << p->name;
        EXPECT_EQ(inputTexts(other), inputTexts(form)) << p->name;
        EXPECT_EQ(calc::writeCase(other), saved) << p->name;
    }
}

TEST(CaseFile, Refused)
{
    const struct {
        const char* program;
        std::string bytes;
        const char* message;
    } rows[] = {
        {"保温設計", "計算プログラム,低温側温度（℃）\r\nfennick,1\r\n",
         "このファイルは fennick の入力です。保温設計 の入力ではありません。"},
        {"fennick", "\xEF\xBB\xBF計算プログラム,低温側温度（℃）\r\nfennick,1\r\nfennick,2\r\n",
         "ファイルに 2 行あります。1 行のファイルを開いてください。"},
        {"fennick", "計算プログラム,低温側温度（℃）\r\n",
         "ファイルに 0 行あります。1 行のファイルを開いてください。"},
        {"fennick", "", "ファイルに 0 行あります。1 行のファイルを開いてください。"},
        {"fennick", "計算プログラム,低温側温度（℃）,備考\r\nfennick,1,L-101\r\n",
         "列「備考」は fennick の入力ではありません。"},
        {"fennick", "低温側温度（℃）,Text1\r\n1,2\r\n",
         "ファイル の 1 行目 2 列目: 「低温側温度（℃）」と「Text1」が同じ入力 Text1 を指しています。"},
        {"fennick", "計算プログラム,Text1\r\nfennick,\"1\r\n",
         "2 行目: 2 番目のセルを開く \" が閉じていません。"},
    };
    for (const auto& row : rows) {
        const FormRules rules(*findProgram(row.program));
        try {
            calc::readCase(rules, row.bytes);
            ADD_FAILURE() << row.message << ": not refused";
        } catch (const calc::CaseRefused& refused) {
            EXPECT_EQ(refused.message().ja(), row.message);
        }
    }
}

// Files as a person may have made them: read by the runner's rules, entered
// in tab order from the window's start texts.
TEST(CaseFile, ReadAsTheRunnerReadsLineLists)
{
    const struct {
        std::string bytes;
        const char* texts;  // fennick's inputs afterwards
    } rows[] = {
        // Control names, no byte order mark, LF, no 計算プログラム.
        {"Text2,Text1\n50,0\n", "Text1=0;Text2=50;Combo1=;"},
        // Captions without their units, a list cell as a person types it.
        {"低温側温度,ポリエチレンフォームの種類\r\n-10,保温筒1種\r\n", "Text1=-10;Text2=;Combo1=保温筒１種;"},
        // A list cell that names no entry is typed; an empty 計算プログラム.
        {"計算プログラム,ポリエチレンフォームの種類\r\n,保温筒９種\r\n", "Text1=;Text2=;Combo1=保温筒９種;"},
        // CP932, as Excel on a Japanese system saves it: 高温側温度（℃）.
        {"\x8d\x82\x89\xb7\x91\xa4\x89\xb7\x93\x78\x81\x69\x81\x8e\x81\x6a\r\n70\r\n",
         "Text1=;Text2=70;Combo1=;"},
    };
    for (const auto& row : rows) {
        FormModel form = loaded(*findProgram("fennick"));
        form.type(control(form, "Text1"), "typed before");
        EXPECT_TRUE(calc::enterCase(form, calc::readCase(form.rules(), row.bytes)).empty()) << row.texts;
        EXPECT_EQ(inputTexts(form), row.texts);
    }
}

// Opening starts from the start texts: marks go, a list refilled by another
// list's pick is entered after it whatever the columns' order, and nothing
// is pressed.
TEST(CaseFile, EnteredFromTheStartTextsInTabOrder)
{
    test::probePresses = test::probePicks = 0;
    FormModel form = loaded(test::probeProgram());
    form.type(control(form, "Text1"), "0x");
    form.press(control(form, "Command1"));
    ASSERT_FALSE(form.markOf(control(form, "Text1")).empty());
    const auto cells = calc::readCase(form.rules(), "Combo2,Combo1\r\nabd-2,abd\r\n");
    EXPECT_TRUE(calc::enterCase(form, cells).empty());
    EXPECT_EQ(form.textOf(control(form, "Text1")), "1");
    EXPECT_EQ(form.markOf(control(form, "Text1")), "");
    EXPECT_EQ(form.textOf(control(form, "Combo2")), "abd-2");
    EXPECT_EQ(form.textOf(control(form, "Text3")), "abd-2");  // Combo2's click
    EXPECT_EQ(form.textOf(control(form, "Text2")), "loaded");
    EXPECT_EQ(test::probePicks, 1);
    EXPECT_EQ(test::probePresses, 1);
}

TEST(CaseFile, TitleWithTheFileName)
{
    EXPECT_EQ(calc::caseTitle("ミルフォ－７", "L-101.csv"), "ミルフォ－７ — L-101.csv");
}

}  // namespace
}  // namespace milfo
