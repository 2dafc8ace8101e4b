// The WebAssembly side of the web front end: the page hands over the current
// texts of its controls, raises an event, and gets back what the handler
// changed, as JSON. The handlers are the desktop's, run through Form with the
// same run-time error policy (runHandler).
#include <emscripten/emscripten.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "event.h"
#include "json.h"
#include "registry.h"

namespace {

using milfo::web::quoted;

// The page's controls as the handler sees them: the texts the page gave,
// then what the handler writes, in order.
class PageForm : public milfo::Form {
public:
    std::string text(std::string_view control) const override
    {
        const auto it = texts_.find(control);
        return it == texts_.end() ? std::string() : it->second;
    }
    void setText(std::string_view control, std::string_view text) override
    {
        texts_[std::string(control)] = std::string(text);
        changes_.emplace_back("text", std::string(control), std::string(text));
    }
    void addItem(std::string_view control, std::string_view text) override
    {
        changes_.emplace_back("item", std::string(control), std::string(text));
    }
    void end() override { ended_ = true; }

    void begin(const milfo::ProgramDescription* program)
    {
        program_ = program;
        texts_.clear();
        changes_.clear();
        ended_ = false;
    }
    void give(const char* control, const char* text) { texts_[control] = text; }

    // {"changes":[["text"|"item",control,text]...],"error":message|null,"ended":bool}
    std::string raise(const char* event)
    {
        changes_.clear();
        const milfo::Handler* handler = program_ != nullptr ? program_->handler(event) : nullptr;
        std::optional<milfo::ErrorKind> error;
        if (handler != nullptr && !ended_)
            error = milfo::runHandler(*handler, *this);
        std::string out = "{\"changes\":[";
        for (size_t i = 0; i < changes_.size(); ++i) {
            const auto& [what, control, text] = changes_[i];
            out += (i ? ",[" : "[") + quoted(what) + "," + quoted(control) + "," + quoted(text) + "]";
        }
        out += "],\"error\":";
        out += error ? quoted(milfo::errorMessage(*error)) : "null";
        out += ",\"ended\":";
        out += ended_ ? "true" : "false";
        return out + "}";
    }

private:
    const milfo::ProgramDescription* program_ = nullptr;
    std::map<std::string, std::string, std::less<>> texts_;
    std::vector<std::tuple<const char*, std::string, std::string>> changes_;
    bool ended_ = false;
};

PageForm page;
std::string answer;

}  // namespace

extern "C" {

// Starts a page of the program by its deliverable name; 0 when there is none.
EMSCRIPTEN_KEEPALIVE int milfo_begin(const char* program)
{
    const milfo::ProgramDescription* p = milfo::findProgram(program);
    page.begin(p);
    return p != nullptr;
}

// The current text of one control.
EMSCRIPTEN_KEEPALIVE void milfo_text(const char* control, const char* text)
{
    page.give(control, text);
}

// Runs the handler of an event over the texts given; the answer stays valid
// until the next call.
EMSCRIPTEN_KEEPALIVE const char* milfo_raise(const char* event)
{
    answer = page.raise(event);
    return answer.c_str();
}
}
