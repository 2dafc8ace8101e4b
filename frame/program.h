// A calculator program as data: caption, client size, control table, list
// entries and handlers. The handlers see the window only through `Form`, a
// narrow interface the frame implements, so they run alike under the real
// window, the driver and the tests. No toolkit here.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace milfo {

enum class ControlKind { Label, TextBox, ComboBox, CommandButton };

// The font of a text box: the program's default UI font, or the
// "ＭＳ Ｐゴシック" 9.75 pt of the conductivity programs' boxes.
enum class FontChoice { Default, MsPGothic };

inline constexpr const char* kMsPGothicFamily = "ＭＳ Ｐゴシック";
inline constexpr double kMsPGothicPoints = 9.75;

// The UI font of every other control: IPAPGothic at 11 pixels, slightly
// condensed, so that every caption fits the rectangle it was laid out in
// (the captions were planned for a 9 pt face 12 px a line and 6 px a digit).
// "ＭＳ Ｐゴシック" is drawn as IPAPGothic, which has the same metrics.
inline constexpr const char* kUiFontFamily = "IPAPGothic";
inline constexpr int kUiFontPixels = 11;
inline constexpr int kUiFontStretch = 95;  // per cent

// The credit line every program carries.
inline constexpr const char* kCreditLine = "ミルフォ技術計算";

// One row of a control table, in the column order of the design tables:
// kind, name, caption or initial text, left, top, width, height (twips),
// tab index, font.
struct Control {
    ControlKind kind;
    const char* name;
    const char* text;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    FontChoice font = FontChoice::Default;
};

// What a handler may do to the window: read and write a control's text, say
// why a result box it writes shows what it shows (a result of 0 because a
// temperature lies outside the material's range: every front end shows the
// note on the box until the next press writes it), add an entry to a list or
// empty it (its entries and its text), end the program.
class Form {
public:
    virtual ~Form() = default;
    virtual std::string text(std::string_view control) const = 0;
    virtual void setText(std::string_view control, std::string_view text) = 0;
    virtual void setNote(std::string_view box, std::string_view note) = 0;
    virtual void addItem(std::string_view list, std::string_view text) = 0;
    virtual void clearItems(std::string_view list) = 0;
    virtual void end() = 0;
};

using HandlerFn = std::function<void(Form&)>;

// A handler by its event name ("form_load", or a control's click: its name
// and "_Click") with the result boxes it writes in one run. When a
// run-time error stops it, the frame empties those it has not written yet.
// A button's handler may say which inputs its press reads whatever the
// lists hold (where a program's buttons read different inputs: 平面の計算
// the thickness, 配管の計算 the diameters); without them it reads every
// input.
struct Handler {
    const char* event;
    HandlerFn run;
    std::vector<const char*> results = {};
    std::vector<const char*> reads = {};
};

// An entry of a list that makes a press read inputs beyond the button's own
// (a criterion, a shape, a layer's material): the list, the entry, and
// those inputs. A row that makes another choice needs none of them.
struct Choice {
    const char* list;
    std::string entry;
    std::vector<const char*> reads;
};

// How a text box or the list is named to assistive technology: by the label
// that captions it (which becomes its buddy), or by an explicit name where no
// single label says what it holds.
struct Caption {
    const char* control;
    const char* label;
    const char* name = nullptr;  // overrides the label's text
};

// The entries a list holds when the form loads, in order.
struct ListContents {
    const char* list;
    std::vector<std::string> entries;
};

// A table of texts that a front end may show beside the window (the site
// shows it below the window, with a chart where the table asks for one):
// a title, the heads of its columns, and its rows, every cell a text as the
// window would show it ("" where a cell has no value). Columns are counted
// from 0.
//
// A chart draws the rows over the column `x` (read as numbers; the rows in
// order): the first column of `lines` against the left axis, a second one
// against the right axis; with `sharedAxis`, every column of `lines` against
// the left axis (parts and their sum). `marked` is a row to mark (-1: none),
// named `markedTitle`; the level line is drawn at the value `level` against
// the axis of column `levelColumn` (-1: none), named `levelTitle`. No chart
// when `x` is -1.
struct SideTable {
    struct Chart {
        int x = -1;
        std::vector<int> lines = {};
        bool sharedAxis = false;
        int marked = -1;
        std::string markedTitle = "";
        int levelColumn = -1;
        std::string level = "";
        std::string levelTitle = "";
    };
    std::string title;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows = {};
    Chart chart = {};
};

// Works out a program's side tables from the texts of its form as they
// stand (a front end asks after each press); it leaves the form as it is.
// The titles and heads are the same for every form, rows or none.
using SideTablesFn = std::function<std::vector<SideTable>(const Form&)>;

struct ProgramDescription {
    const char* name;  // the deliverable's name, e.g. "fennick"
    int clientWidth;   // twips
    int clientHeight;  // twips
    std::vector<Control> controls;
    // Added to their lists when the form loads, before any form_load
    // handler runs.
    std::vector<ListContents> lists = {};
    std::vector<Handler> handlers = {};
    std::vector<Caption> captions = {};
    // The texts the handlers may show of their own (the messages they stop
    // with, HandlerMessage), so that a front end that must know every text
    // beforehand (the site's font) knows them. Parts that a message fills in
    // (a number, a program's name) are texts the front ends show anyway.
    std::vector<std::string> messages = {};
    // Optional: the tables a front end may show beside the window.
    SideTablesFn sideTables = nullptr;
    // The input boxes whose text is no number but a text of its own (a list
    // the handler reads itself): a front end that checks that a number was
    // given leaves them to the handler's own checks.
    std::vector<const char*> textInputs = {};
    // The lists a calculation does without: a list that only fills other
    // boxes when an entry is picked (a finish, a nominal size), and a list
    // whose text the handler checks itself (a grade that some materials do
    // not have). Every other input a press reads (a box, whatever its start
    // text, but those of `defaults`) is one the calculation needs: a front end
    // that enters rows without a window (milfo-calc) must be given a value
    // for it.
    std::vector<const char*> optionalInputs = {};
    // The entries of lists that make a press read more inputs.
    std::vector<Choice> choices = {};
    // The inputs whose start text is a value a calculation may stand on
    // (still air, a plane, the standard series): entered without a window,
    // a row that gives such an input no value leaves it as the window
    // starts (and is told so). Every other input a press reads must be given.
    std::vector<const char*> defaults = {};
    // The window's caption, "ミルフォ－" and the menu number in full-width
    // characters ("ミルフォ－１．１．８"). The menu number is the catalogue's:
    // the catalogue gives each program it lists its caption, and a
    // description's own source leaves it empty.
    const char* caption = "";

    const Handler* handler(std::string_view event) const
    {
        for (const Handler& h : handlers)
            if (event == h.event)
                return &h;
        return nullptr;
    }
};

}  // namespace milfo
