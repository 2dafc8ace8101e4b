// One event's handler run over a form, with the error policy every front end
// shares: whatever stops a handler (a run-time error of the numeric model, a
// message of the handler's own, or any other exception) ends as one message
// for the person at the window; each result box the handler had not written
// yet in this run is emptied, so no stale number stands beside the report;
// the inputs stay as typed. No toolkit here.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "numeric.h"
#include "program.h"

namespace milfo {

// A handler's own message instead of a result (an input its calculation
// cannot take): it stops the handler and is shown like a run-time error.
class HandlerMessage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How an event ended when it did not end well: the message a person sees;
// the numeric model's error when it was one; whether it was neither that nor
// a handler's own message (out of memory, a fault of the program).
struct Failure {
    std::string message;
    std::optional<ErrorKind> kind = std::nullopt;
    bool unexpected = false;

    bool operator==(const Failure& other) const
    {
        return message == other.message && kind == other.kind && unexpected == other.unexpected;
    }
};

// The message of an exception that is neither a run-time error of the
// numeric model nor a handler's message (a fault of the program itself).
inline constexpr const char* kUnexpectedMessage = "予期しないエラーが発生しました。";
inline constexpr const char* kOutOfMemoryMessage = "メモリが足りません。";

// Runs handler over form; the failure it ended with, if any.
std::optional<Failure> runHandler(const Handler& handler, Form& form);

// A failure of another form run inside a handler (a program that runs other
// programs' windows), thrown on unchanged: the frame reports exactly what
// that window reported, its kind of error included.
class PassedOnFailure : public std::exception {
public:
    explicit PassedOnFailure(Failure failure) : failure_(std::move(failure)) {}
    const Failure& failure() const { return failure_; }
    const char* what() const noexcept override { return failure_.message.c_str(); }

private:
    Failure failure_;
};

// The failure for the exception being handled (call inside a catch block):
// the same messages runHandler gives, for work around a handler that fails
// (a command line's row, a page's call into the module).
Failure currentFailure();

}  // namespace milfo
