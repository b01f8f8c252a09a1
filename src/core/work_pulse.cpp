#include "core/work_pulse.h"

#include <chrono>

namespace torvel {

namespace {

using Clock = std::chrono::steady_clock;

thread_local PulseScope* current = nullptr;
thread_local bool pumping = false;
thread_local Clock::time_point lastPainted;

} // namespace

PulseScope::PulseScope(std::function<void()> keepPainted)
    : keepPainted_(std::move(keepPainted)), outer_(current) {
    if (!outer_) lastPainted = Clock::now();
    current = this;
}

PulseScope::~PulseScope() {
    current = outer_;
    // Only the outermost scope holds any (WhenDone puts them there).
    for (const auto& fn : whenDone_) {
        try {
            fn();
        } catch (...) {
            // What waited for the work is told nothing more; the work is done.
        }
    }
}

bool PulseScope::Active() {
    return current != nullptr;
}

bool PulseScope::Pumping() {
    return pumping;
}

void PulseScope::WhenDone(std::function<void()> fn) {
    if (!current) {
        fn();
        return;
    }
    PulseScope* outermost = current;
    while (outermost->outer_)
        outermost = outermost->outer_;
    outermost->whenDone_.push_back(std::move(fn));
}

void PulseScope::PaintNow(const std::function<void()>& keepPainted) {
    if (pumping) return; // painting already, further down the stack
    pumping = true;
    struct Reset {
        ~Reset() {
            pumping = false;
            lastPainted = Clock::now();
        }
    } reset;
    keepPainted();
}

void Pulse() {
    if (!current || pumping) return;
    if (Clock::now() - lastPainted < std::chrono::milliseconds(PulseMs)) return;
    PulseScope::PaintNow(current->keepPainted_);
}

} // namespace torvel
