// The windows 保温設計 runs, and one run of a window.
#include "chain.h"

#include "conductivity.h"
#include "heatflow.h"
#include "layered.h"

namespace milfo::heatflow::design {

namespace {

FormModel loadedForm(const ProgramDescription& program)
{
    FormModel form(program);
    form.load();
    return form;
}

TitleOf programTitles = nullptr;

}  // namespace

const Windows& windows()
{
    static const Windows loaded{
        loadedForm(heatTransfer()),
        loadedForm(ravelt()),
        loadedForm(heatLoss()),
        loadedForm(surfaceTemperature()),
        loadedForm(lorvast()),
        loadedForm(freezeProtection()),
        loadedForm(temperatureDrop()),
        loadedForm(layeredInsulation()),
        [] {
            std::vector<FormModel> all;
            for (const conductivity::MaterialWindow& m : conductivity::materialWindows())
                all.push_back(loadedForm(m.description()));
            return all;
        }(),
    };
    return loaded;
}

void nameProgramsBy(TitleOf titleOf)
{
    programTitles = titleOf;
}

SideTable chainTable(const Chain& chain)
{
    SideTable table{"計算の過程（各プログラムに入力した値と結果）",
                    {"手順", "内容", "プログラム", "ボタン", "入力", "結果", "渡す値"}};
    for (const ChainLine& l : chain)
        table.rows.push_back({l.step, l.purpose, l.program, l.button, l.entered, l.read, l.value});
    return table;
}

std::vector<std::string> entriesOf(const FormModel& window, const char* list)
{
    const Control* c = window.rules().find(list);
    return c != nullptr ? window.entries(*c) : std::vector<std::string>{};
}

Run::Run(const FormModel& loaded, Chain* chain, std::string purpose) : form_(loaded), chain_(chain)
{
    if (chain_ != nullptr) {
        line_.purpose = std::move(purpose);
        const char* name = loaded.program().name;
        const char* title = programTitles != nullptr ? programTitles(name) : nullptr;
        line_.program = title != nullptr ? title : name;
    }
}

Run& Run::enter(const char* control, const std::string& text)
{
    const Control& c = form_.rules().controls()[form_.rules().placeOf(control)];
    const std::optional<size_t> entry =
        c.kind == ControlKind::ComboBox ? form_.findEntry(c, text) : std::nullopt;
    if (entry)
        passOn(form_.pick(c, *entry));
    else
        form_.type(c, text);
    note(line_.entered, control, text);
    return *this;
}

Run& Run::press(const char* button)
{
    const Control& c = form_.rules().controls()[form_.rules().placeOf(button)];
    if (chain_ != nullptr)
        line_.button = form_.rules().caption(c);
    passOn(form_.press(c));
    return *this;
}

std::string Run::shown(const char* box)
{
    std::string text = form_.text(box);
    note(line_.read, box, text);
    return text;
}

std::string Run::result(const char* box)
{
    std::string text = shown(box);
    if (text.empty()) {
        std::string message = std::string(form_.program().name) + kEmptyResult;
        finish("! " + message);
        throw HandlerMessage(message);
    }
    return text;
}

std::string Run::finish(std::string value)
{
    if (chain_ != nullptr) {
        line_.step = std::to_string(chain_->size() + 1);
        line_.value = value;
        chain_->push_back(line_);
        chain_ = nullptr;
    }
    return value;
}

// "caption=text", one a line; a caption that ends in its own equals sign
// (熱伝達率's "ε＝") is not given a second.
void Run::note(std::string& list, const char* control, const std::string& text)
{
    if (chain_ == nullptr)
        return;
    const std::string caption = form_.rules().caption(*form_.rules().find(control));
    const auto endsWith = [&](std::string_view end) {
        return caption.size() >= end.size() &&
               caption.compare(caption.size() - end.size(), end.size(), end) == 0;
    };
    list += (list.empty() ? "" : "\n") + caption + (endsWith("=") || endsWith("＝") ? "" : "=") + text;
}

void Run::passOn(const std::optional<Failure>& failure)
{
    if (!failure)
        return;
    finish("! " + failure->message);
    throw PassedOnFailure(*failure);
}

}  // namespace milfo::heatflow::design
