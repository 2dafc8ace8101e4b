// The form model without a window: which boxes an act read otherwise than as
// typed, the places a model remembers as changed, a control of another
// program, the order a reader meets the controls in, and the inputs a
// calculation needs.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue.h"
#include "form_model.h"
#include "probe_program.h"

namespace milfo {
namespace {

TEST(ReadingNote, SaysHowATextWasReadWhenNotAsTyped)
{
    struct Row {
        const char* text;
        std::optional<std::string> note;
    };
    const Row rows[] = {
        {"12abc", "「12abc」を 12 として計算しました"},
        {"abc", "「abc」を 0 として計算しました"},
        {"３００ｄｅｇ", "「３００ｄｅｇ」を 300 として計算しました"},
        {"1,5", "「1,5」を 1 として計算しました"},
        {"1.2.3", "「1.2.3」を 1.2 として計算しました"},
        {"-", "「-」を 0 として計算しました"},
        {"1e", "「1e」を 1 として計算しました"},
        {"0.00001x", "「0.00001x」を 1E-05 として計算しました"},
        {" 12 abc", "「 12 abc」を 12 として計算しました"},
        // Read as typed: a number, blanks, full-width forms, hexadecimal.
        {"12", std::nullopt},
        {" 1 2 ", std::nullopt},
        {"１２．５", std::nullopt},
        {"−3e2", std::nullopt},
        {"&H10", std::nullopt},
        // Nothing typed is no typo.
        {"", std::nullopt},
        {"  \t\u3000", std::nullopt},
        // Beyond the Double range: the handler's own error, not a note.
        {"1e999x", std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(readingNote(row.text), row.note) << row.text;
}

struct MarkLog : FormObserver {
    std::vector<std::string> lines;
    void textChanged(const Control&, const std::string&) override {}
    void itemAdded(const Control&, const std::string&) override {}
    void itemsCleared(const Control&) override {}
    void markChanged(const Control& box, const std::string& note) override
    {
        lines.push_back(std::string(box.name) + " " + note);
    }
};

TEST(FormModel, MarksABoxReadOtherwiseThanTypedUntilMendedAndPressed)
{
    FormModel form(test::probeProgram());
    form.load();
    MarkLog log;
    form.setObserver(&log);
    const FormRules& rules = form.rules();
    const Control& text1 = *rules.find("Text1");
    const Control& text2 = *rules.find("Text2");

    form.type(text1, "2x");
    EXPECT_EQ(form.markOf(text1), "");  // typing alone reads nothing
    form.press(*rules.find("Command1"));
    EXPECT_EQ(form.text("Text3"), "0.5");  // the designed reading: 2
    EXPECT_EQ(form.markOf(text1), "「2x」を 2 として計算しました");
    EXPECT_EQ(form.markOf(text2), "");  // a result box is never marked

    form.pick(*rules.find("Combo1"), 0);  // reads no number: the mark stays
    EXPECT_EQ(form.markOf(text1), "「2x」を 2 として計算しました");
    form.type(text1, "4");
    EXPECT_EQ(form.markOf(text1), "「2x」を 2 として計算しました");
    form.press(*rules.find("Command1"));
    EXPECT_EQ(form.markOf(text1), "");

    // A copy carries the marks; the observer heard each change once.
    form.type(text1, "abc");
    form.press(*rules.find("Command1"));  // 1 / 0: the error, and the mark
    const FormModel copy = form;
    EXPECT_EQ(copy.markOf(text1), "「abc」を 0 として計算しました");
    EXPECT_EQ(log.lines, (std::vector<std::string>{"Text1 「2x」を 2 として計算しました", "Text1 ",
                                                   "Text1 「abc」を 0 として計算しました"}));
}

// A result box carries the note its handler gave it (a temperature outside
// the material's range) until a press writes the box again without one.
TEST(FormModel, MarksAResultBoxWithTheNoteItsHandlerGave)
{
    FormModel form(*findProgram("fennick"));
    form.load();
    MarkLog log;
    form.setObserver(&log);
    const FormRules& rules = form.rules();
    const Control& text3 = *rules.find("Text3");
    form.pick(*rules.find("Combo1"), 0);
    const struct {
        const char* t1;
        const char* t2;
        const char* shows;
        const char* note;
    } presses[] = {
        {"-10", "100", "0", "温度が保温材の使用範囲外です（使用範囲 -50～70 ℃）"},
        {"-10", "50", "0.0429", ""},
        {"50", "20", "0", "低温側温度が高温側温度より低くありません"},
        {"-60", "20", "0", "温度が保温材の使用範囲外です（使用範囲 -50～70 ℃）"},
    };
    for (const auto& p : presses) {
        form.type(*rules.find("Text1"), p.t1);
        form.type(*rules.find("Text2"), p.t2);
        form.press(*rules.find("Command1"));
        EXPECT_EQ(form.textOf(text3), p.shows) << p.t1 << " " << p.t2;
        EXPECT_EQ(form.markOf(text3), p.note) << p.t1 << " " << p.t2;
    }
    EXPECT_EQ(log.lines.size(), 4u);  // each change once
}

TEST(FormModel, RemembersEachChangedPlaceOnce)
{
    FormModel loaded(test::probeProgram());
    loaded.load();
    FormModel form = loaded;
    const Control& text1 = *form.rules().find("Text1");
    for (int i = 0; i < 1000; ++i) {
        form.type(text1, std::to_string(i));
        form.press(*form.rules().find("Command1"));
    }
    EXPECT_EQ(form.changedPlaces().size(), 3u);  // Text1, Text2, Text3
    form = loaded;
    EXPECT_EQ(form.text("Text1"), "1");
    EXPECT_EQ(form.text("Text3"), "old");
    EXPECT_TRUE(form.changedPlaces().empty());

    // A model never assigned keeps no more than one entry a place either.
    FormModel window(test::probeProgram());
    for (int i = 0; i < 1000; ++i)
        window.type(text1, std::to_string(i));
    EXPECT_EQ(window.changedPlaces().size(), 1u);
}

TEST(FormModel, AControlOfAnotherProgramIsAFault)
{
    const FormModel probe(test::probeProgram());
    const ProgramDescription& fennick = *findProgram("fennick");
    const Control& theirs = fennick.controls.front();
    EXPECT_THROW(probe.rules().indexOf(theirs), std::logic_error);
    EXPECT_THROW(probe.markOf(theirs), std::logic_error);
    Control copy = probe.program().controls.front();  // same name, not the table's
    EXPECT_THROW(probe.textOf(copy), std::logic_error);
}

// The order a reader meets the controls in (a page's document order): the
// controls that take the focus in tab order, each after the label that
// captions it; the other labels where their tab index puts them.
TEST(FormRules, ReadingOrderIsTheTabOrderWithEachCaptionFirst)
{
    const struct {
        const char* program;
        const char* order;
    } rows[] = {
        {"fennick", "Label1 Text1 Label2 Text2 Command1 Label3 Text3 Label4 Label5 Label6 Label7 Combo1"},
        {"lorvast", "Label1 Text1 Command1 Label2 Text2 Label3 Text3 Label4 Label5 Label6 Label7 Text4"},
    };
    for (const auto& row : rows) {
        const FormRules rules(*findProgram(row.program));
        std::string order;
        for (const Control* c : rules.readingOrder())
            order += (order.empty() ? "" : " ") + std::string(c->name);
        EXPECT_EQ(order, row.order) << row.program;
    }
}

// The inputs a calculation needs given when rows are entered without a
// window: every input the presses read but the description's defaults and
// optional lists (boxes that start at 0 included); a list given covers the
// boxes its click fills.
TEST(FormRules, MissingInputs)
{
    const struct {
        const char* program;
        std::vector<const char*> given;
        std::vector<const char*> presses;  // none: every calculating button
        std::vector<const char*> missing;
    } rows[] = {
        {"fennick", {}, {}, {"Text1", "Text2", "Combo1"}},
        {"fennick", {"Combo1", "Text2"}, {}, {"Text1"}},
        {"fennick", {"Text1", "Text2", "Combo1"}, {}, {}},
        {"halcott", {}, {}, {"Text1", "Text2"}},
        // ε starts empty, the temperatures at 0; still air and a plane are defaults.
        {"熱伝達率", {}, {}, {"Text1", "Text2", "Text12"}},
        {"熱伝達率", {"Combo1"}, {}, {"Text1", "Text2"}},  // the finish fills ε
        {"ravelt", {}, {}, {"Text1", "Text2", "Text3", "Text4", "Text5", "Text7"}},
        {"ravelt", {}, {"Command1"}, {"Text1", "Text2", "Text3", "Text4", "Text5"}},
        {"放散熱量", {"Text1", "Text2", "Text4", "Text5", "Text7", "Text8"}, {"Command2"}, {}},
        {"放散熱量", {"Text1", "Text2", "Text4", "Text5", "Text7", "Text8"}, {}, {"Text6"}},
        // The grade and the lists that fill boxes are optional; what only a
        // criterion or a pipe reads is no row's need here.
        {"保温設計", {}, {}, {"Combo1", "Text1", "Text2", "Text5", "Combo4", "Combo6"}},
        {"保温設計", {"Combo1", "Text1", "Text2", "Combo3", "Combo4", "Combo6"}, {}, {}},
    };
    for (const auto& row : rows) {
        const FormRules rules(*findProgram(row.program));
        std::vector<const Control*> given, presses;
        for (const char* name : row.given)
            given.push_back(rules.find(name));
        for (const char* name : row.presses)
            presses.push_back(rules.find(name));
        if (presses.empty())
            presses = rules.calculatingButtons();
        std::vector<std::string> missing, expected(row.missing.begin(), row.missing.end());
        for (const Control* c : rules.missingInputs(given, presses))
            missing.emplace_back(c->name);
        EXPECT_EQ(missing, expected) << row.program << " given " << row.given.size();
    }
    const FormRules heatTransfer(*findProgram("熱伝達率"));
    EXPECT_FALSE(heatTransfer.needs(*heatTransfer.find("Text3")));   // still air
    EXPECT_FALSE(heatTransfer.needs(*heatTransfer.find("Combo1")));  // fills ε
    EXPECT_TRUE(heatTransfer.needs(*heatTransfer.find("Text1")));    // starts at 0
}

// What a press reads, as the descriptions declare it: a button's own inputs
// (those no other button reads), and what a choice adds.
TEST(FormRules, ReadsOfButtonsAndChoices)
{
    const struct {
        const char* program;
        const char* control;  // a button: its own inputs; a list: the entry's reads
        const char* entry;
        const char* reads;
    } rows[] = {
        {"放散熱量", "Command1", nullptr, "Text6"},
        {"放散熱量", "Command2", nullptr, "Text7 Text8"},
        {"ravelt", "Command1", nullptr, ""},
        {"ravelt", "Command2", nullptr, "Text7"},
        {"yardow", "Command2", nullptr, "Text8"},
        {"fennick", "Command1", nullptr, "Text1 Text2 Combo1"},
        {"保温設計", "Combo6", "表面温度上限", "Text7"},
        {"保温設計", "Combo6", "防露", "Text3 Text8"},
        {"保温設計", "Combo6", "凍結防止", "Text24 Text23 Text21 Text22"},
        {"保温設計", "Combo6", "経済的厚さ", "Text31 Text32 Text33 Text34 Text35 Text36"},
        {"保温設計", "Combo4", "垂直管", "Text6"},
        {"保温設計", "Combo4", "上向き平面", ""},
        {"保温設計", "Combo6", "", ""},
    };
    for (const auto& row : rows) {
        const FormRules rules(*findProgram(row.program));
        const Control& c = *rules.find(row.control);
        const std::vector<const Control*> reads =
            row.entry == nullptr ? rules.ownInputs(c) : rules.choiceReads(c, row.entry);
        std::string names;
        for (const Control* input : reads)
            names += (names.empty() ? "" : " ") + std::string(input->name);
        EXPECT_EQ(names, row.reads) << row.program << " " << row.control << " "
                                    << (row.entry ? row.entry : "");
    }
}

}  // namespace
}  // namespace milfo
