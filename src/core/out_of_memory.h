// Running out of memory ends the command that ran out, never the program: the
// command's start catches it, puts back what the command had changed, tells
// the user "Not enough memory to ..." and the program goes on.
#pragma once

#include "core/feedback.h"

#include <new>
#include <optional>
#include <string>
#include <utility>

namespace torvel {

// "Not enough memory to " + what + "." (what: "draw the graph", "save the data" ...).
std::string NotEnoughMemoryText(const std::string& what);

// Runs command. When it runs out of memory (std::bad_alloc) the user is told
// through feedback and false is returned; the caller's state is then what the
// command left, so commands that change the document use the form below.
template <class Command>
bool GuardMemory(Feedback& feedback, const std::string& what, Command&& command) {
    try {
        std::forward<Command>(command)();
        return true;
    } catch (const std::bad_alloc&) {
        feedback.Message(MessageKind::Error, NotEnoughMemoryText(what), MessageButtons::Ok);
        return false;
    }
}

// The same, and state is put back as it was before the command when it runs
// out of memory (a copy is taken first: a state too big to copy is a command
// that does not start).
template <class State, class Command>
bool GuardMemory(Feedback& feedback, const std::string& what, State& state, Command&& command) {
    return GuardMemory(feedback, what, [&] {
        std::optional<State> before(state);
        try {
            std::forward<Command>(command)();
        } catch (const std::bad_alloc&) {
            state = std::move(*before);
            throw;
        }
    });
}

// Throws std::bad_alloc unless that many bytes can be had now. For work handed
// to a library that cannot report a failed allocation itself (the toolkit's
// widgets): asked for first, so that running short ends the command instead.
void RequireMemory(std::size_t bytes);

// Where the engine allocates in proportion to the data (measuring a series,
// the rows of a fit), a test can make the allocation fail as a full memory
// would: the checkpoint throws std::bad_alloc when armed.
void AllocationCheckpoint();
// Test seam: the n-th checkpoint from now (1 = the next one) throws; 0 disarms.
// Per thread, so tests running side by side do not meet.
void FailAllocationAt(int n);

} // namespace torvel
