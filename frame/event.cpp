#include "event.h"

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
    void addItem(std::string_view control, std::string_view text) override { form_.addItem(control, text); }
    void end() override { form_.end(); }

    bool written(std::string_view control) const { return written_.find(control) != written_.end(); }

private:
    Form& form_;
    std::set<std::string, std::less<>> written_;
};

}  // namespace

std::optional<ErrorKind> runHandler(const Handler& handler, Form& form)
{
    WriteLog writes(form);
    try {
        handler.run(writes);
    } catch (const RuntimeError& error) {
        for (const char* box : handler.results)
            if (!writes.written(box))
                form.setText(box, "");
        return error.kind();
    }
    return std::nullopt;
}

}  // namespace milfo
