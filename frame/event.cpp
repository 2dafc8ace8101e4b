#include "event.h"

#include <new>
#include <set>
#include <string>

namespace milfo {

namespace {

// Passes everything on to the form and notes which controls were written.
class WriteLog : public Form {
public:
    explicit WriteLog(Form& form) : form_(form) {}

    std::string text(std::string_view control) const override { return form_.text(control); }
    void setText(std::string_view control, std::string_view text) override
    {
        form_.setText(control, text);
        written_.emplace(control);
    }
    void setNote(std::string_view box, std::string_view note) override { form_.setNote(box, note); }
    void addItem(std::string_view list, std::string_view text) override { form_.addItem(list, text); }
    void clearItems(std::string_view list) override { form_.clearItems(list); }
    void end() override { form_.end(); }

    bool written(std::string_view control) const { return written_.find(control) != written_.end(); }

private:
    Form& form_;
    std::set<std::string, std::less<>> written_;
};

}  // namespace

Failure currentFailure()
{
    try {
        throw;
    } catch (const PassedOnFailure& passed) {
        return passed.failure();
    } catch (const RuntimeError& error) {
        return {errorMessage(error.kind()), error.kind()};
    } catch (const HandlerMessage& message) {
        return {message.what()};
    } catch (const std::bad_alloc&) {
        return {kOutOfMemoryMessage, std::nullopt, true};
    } catch (const std::exception& error) {
        // The program's own fault: say so, with what it knows, so that the
        // report can be passed on.
        return {std::string(kUnexpectedMessage) + "（" + error.what() + "）", std::nullopt, true};
    } catch (...) {
        return {kUnexpectedMessage, std::nullopt, true};
    }
}

std::optional<Failure> runHandler(const Handler& handler, Form& form)
{
    WriteLog writes(form);
    try {
        handler.run(writes);
    } catch (...) {
        Failure failure = currentFailure();
        try {
            for (const char* box : handler.results)
                if (!writes.written(box))
                    form.setText(box, "");
        } catch (...) {
            // A result box the window does not have: a fault of the program,
            // already reported by the failure above.
        }
        return failure;
    }
    return std::nullopt;
}

}  // namespace milfo
