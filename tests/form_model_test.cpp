// The form model without a window: which boxes an act read otherwise than as
// typed, the places a model remembers as changed, a control of another
// program, and the order a reader meets the controls in.
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

}  // namespace
}  // namespace milfo
