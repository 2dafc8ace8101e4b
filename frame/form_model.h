// The form of a program without a window: the texts of its controls, the
// entries of its lists, the load sequence, the tab order, the captions of its
// boxes, its events by name and the error policy. Every front end stands on
// it: the Qt window binds it to widgets, milfo-calc enters CSV rows into it,
// the web page renders it, and a program that runs other programs' windows
// runs them here. Plain C++, no toolkit.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "event.h"
#include "program.h"

namespace milfo {

// 15 twips to a logical pixel (1440 twips per inch at 96 dots per inch),
// to the nearest pixel.
int twipsToPixels(int twips);

// The name of a control's kind: "Label", "TextBox", "ComboBox",
// "CommandButton".
const char* kindName(ControlKind kind);

// A control's rectangle in logical pixels.
struct PixelRect {
    int left;
    int top;
    int width;
    int height;
};
PixelRect pixelRect(const Control& control);

// What follows from a program's description alone, worked out once and
// shared by every model of the program.
class FormRules {
public:
    explicit FormRules(const ProgramDescription& program);

    const ProgramDescription& program() const { return program_; }
    const std::vector<Control>& controls() const { return program_.controls; }

    // A control's place in the table by its name; nullptr / npos when none.
    const Control* find(std::string_view name) const;
    // A control's place in the table; a control of another table is a fault
    // of the program (std::logic_error).
    size_t indexOf(const Control& control) const;
    // The place of a control a handler names; a name the table does not
    // have is a fault of the program (std::logic_error).
    size_t placeOf(std::string_view name) const;

    // The event a control raises when it is clicked: a button pressed, an
    // entry of a list picked. The load event is kLoadEvent.
    static std::string clickEvent(std::string_view control);
    static constexpr const char* kLoadEvent = "form_load";
    // The handler of a control's click, or nullptr.
    const Handler* clickHandler(const Control& control) const { return clickHandlers_[indexOf(control)]; }

    // Every control by tab index (table order among equals), labels too.
    const std::vector<const Control*>& byTabIndex() const { return byTabIndex_; }
    // The controls that take the focus (every kind but labels), in tab
    // order; the first has the focus at start.
    const std::vector<const Control*>& tabOrder() const { return tabOrder_; }
    const Control* firstFocus() const { return tabOrder_.empty() ? nullptr : tabOrder_.front(); }
    // Every control in the order a reader meets them (a page's document
    // order): the controls that take the focus in tab order, each after the
    // label that captions it; the other labels where their tab index puts
    // them.
    const std::vector<const Control*>& readingOrder() const { return readingOrder_; }

    // The label that captions a box or list (its buddy), or nullptr.
    const Control* captionLabel(const Control& control) const;
    // The name a control is known by: a box's or list's caption (a name
    // given for it, else its label's text), a button's text; the control
    // name when it has none.
    std::string caption(const Control& control) const;

    // The lists, in table order, and the entries each holds at load.
    const std::vector<const Control*>& lists() const { return lists_; }
    // The list of the designed windows, Combo1, which a listing of a window
    // names first and by no name of its own; nullptr when there is none.
    const Control* firstList() const { return find(kFirstList); }
    static constexpr const char* kFirstList = "Combo1";
    const std::vector<std::string>& initialEntries(const Control& list) const;

    // What a person enters and presses to calculate: the boxes no button
    // writes and the lists, in tab order; the buttons whose handlers write
    // result boxes (never one that only ends the program), in tab order.
    const std::vector<const Control*>& inputs() const { return inputs_; }
    // Whether an input box is read as a number (not one of the program's
    // text inputs).
    bool readsNumber(const Control& box) const;
    // Whether the control at a place is an input box read as a number.
    bool isNumberInput(size_t place) const { return numberInputs_[place]; }
    // What a calculation reads (the description's reads, choices and
    // defaults): the inputs a press of a calculating button reads whatever
    // the lists hold (those its handler names, else every input), in tab
    // order; the inputs it reads besides while a list holds an entry (none
    // for an entry that is no choice); the lists with such entries.
    const std::vector<const Control*>& readsOf(const Control& button) const;
    const std::vector<const Control*>& choiceReads(const Control& list, std::string_view entry) const;
    const std::vector<const Control*>& choiceLists() const { return choiceLists_; }
    // Whether an input's start text is a value a calculation may stand on.
    bool hasDefault(const Control& input) const;
    // Whether an input a press reads must be given a value when rows are
    // entered without a window: any but a default and an optional list.
    bool needs(const Control& input) const;
    // The boxes a list's pick fills (its click handler's results).
    const std::vector<const Control*>& filledBy(const Control& list) const;
    // The inputs a press of the button reads that no other calculating
    // button's press reads.
    std::vector<const Control*> ownInputs(const Control& button) const;
    // The inputs the presses of these buttons read whatever the lists hold,
    // that need a value and are not among given, in tab order; an input
    // filled by a given list's click (the diameter a nominal size fills)
    // counts as given.
    std::vector<const Control*> missingInputs(const std::vector<const Control*>& given,
                                              const std::vector<const Control*>& presses) const;
    const std::vector<const Control*>& calculatingButtons() const { return buttons_; }
    // The boxes a button writes, in tab order.
    const std::vector<const Control*>& results() const { return results_; }

private:
    void declaredReads();

    const ProgramDescription& program_;
    std::vector<std::string_view> names_;        // by place
    std::vector<const Handler*> clickHandlers_;  // by place
    std::vector<const Control*> byTabIndex_;
    std::vector<const Control*> tabOrder_;
    std::vector<const Control*> readingOrder_;
    std::vector<const Control*> lists_;
    std::vector<const Control*> inputs_;
    std::vector<const Control*> buttons_;
    std::vector<const Control*> results_;
    std::vector<bool> numberInputs_;                  // by place
    std::vector<std::vector<const Control*>> reads_;  // by place: a calculating button's reads
    std::vector<std::vector<const Control*>> fills_;  // by place: a list's filled boxes
    std::vector<bool> defaults_;                      // by place
    std::vector<bool> optional_;                      // by place
    std::vector<const Control*> choiceLists_;
    struct ChoiceOf {
        const Control* list;
        std::string entry;
        std::vector<const Control*> reads;
    };
    std::vector<ChoiceOf> choices_;
};

// Hears every change of a model: a front end that shows the form.
class FormObserver {
public:
    virtual ~FormObserver() = default;
    virtual void textChanged(const Control& control, const std::string& text) = 0;
    virtual void itemAdded(const Control& list, const std::string& text) = 0;
    virtual void itemsCleared(const Control& list) = 0;
    // A box's reading note changed (readingNote; "" when it went).
    virtual void markChanged(const Control& /*box*/, const std::string& /*note*/) {}
};

// What a person should be told about a number box's text that the frame reads
// otherwise than as typed: letters after the number ("12abc" read as 12), no
// number at all ("abc" read as 0), a unit after full-width digits
// ("３００ｄｅｇ"): 「12abc」を 12 として計算しました. Nothing for a text read
// as it stands, blanks and full-width digits included, and nothing for an
// empty text (a box left empty is no typo).
std::optional<std::string> readingNote(std::string_view text);

class FormModel final : public Form {
public:
    explicit FormModel(const ProgramDescription& program);
    explicit FormModel(std::shared_ptr<const FormRules> rules);
    // A copy has the texts and entries, but not the observer. Assigned again
    // from the model it was last assigned from, unchanged since, a model
    // puts back only what changed in between (milfo-calc starts every row
    // from the loaded window).
    FormModel(const FormModel& other);
    FormModel& operator=(const FormModel& other);

    const FormRules& rules() const { return *rules_; }
    const ProgramDescription& program() const { return rules_->program(); }

    // The form as the handlers see it; a list's text is its edit field's.
    std::string text(std::string_view control) const override;
    void setText(std::string_view control, std::string_view text) override;
    void setNote(std::string_view box, std::string_view note) override;
    void addItem(std::string_view list, std::string_view text) override;
    void clearItems(std::string_view list) override;
    void end() override { ended_ = true; }

    const std::string& textOf(const Control& control) const { return texts_[rules_->indexOf(control)]; }
    const std::vector<std::string>& entries(const Control& list) const
    {
        return entries_[rules_->indexOf(list)];
    }
    // The entry of a list whose text is exactly text.
    std::optional<size_t> findEntry(const Control& list, std::string_view text) const;

    // What a person types into a box or a list's edit field: the text
    // changes, no event is raised.
    void type(const Control& control, std::string_view text);

    // The load sequence, once: every list filled with its entries, then
    // form_load. The lists start with an empty text and no entry chosen.
    std::optional<Failure> load();
    // The form put back as the load sequence leaves it, as when the window
    // was opened anew: every list's entries and text, every box's text, no
    // box marked. The observer hears every change. The load's failure, if
    // any.
    std::optional<Failure> startAgain();
    // A button pressed: its click event.
    std::optional<Failure> press(const Control& button) { return run(rules_->clickHandler(button)); }
    // An entry picked from a list: its text into the list's edit field,
    // then the list's click event.
    std::optional<Failure> pick(const Control& list, size_t entry);
    // An event by its name, through the error policy. Nothing happens when
    // the program has no handler for it, while another handler runs, or
    // after a handler has ended the program.
    std::optional<Failure> raise(std::string_view event);
    bool ended() const { return ended_; }

    // The note on a number box that an act read otherwise than as typed
    // (readingNote), or on a result box the note its handler gave it
    // (setNote); "" when none. Each act that runs a handler sets or clears
    // the note of every number input it read, and of every result box it
    // writes; the boxes it did not read keep theirs, so a mended box loses its
    // mark when a press reads it.
    const std::string& markOf(const Control& box) const;

    void setObserver(FormObserver* observer) { observer_ = observer; }

    // The places changed since the model was last assigned, each once (what
    // the next assignment from the same source puts back).
    const std::vector<size_t>& changedPlaces() const { return changedSince_; }

private:
    void changeText(size_t place, std::string_view text);
    std::optional<Failure> run(const Handler* handler);

    void changed(size_t place);
    void updateMarks(const Handler& handler);
    void mark(size_t place, std::string note);

    std::shared_ptr<const FormRules> rules_;
    std::vector<std::string> texts_;                 // by place in the table
    std::vector<std::vector<std::string>> entries_;  // by place; lists only
    FormObserver* observer_ = nullptr;
    // Which state this is: a model's own number (never reused) and how many
    // changes it has had; the state it was last assigned from, and the
    // places changed since.
    std::uint64_t id_;
    std::uint64_t changes_ = 0;
    std::uint64_t sourceId_ = 0;
    std::uint64_t sourceChanges_ = 0;
    std::vector<size_t> changedSince_;                   // each place once
    std::vector<bool> changedFlags_;                     // by place: in changedSince_
    std::vector<std::string> marks_;                     // by place: the reading note (empty: none at all)
    mutable std::vector<bool> read_;                     // by place: read by the running handler
    std::vector<std::pair<size_t, std::string>> notes_;  // set by the running handler
    bool loaded_ = false;
    bool running_ = false;
    bool ended_ = false;
};

}  // namespace milfo
