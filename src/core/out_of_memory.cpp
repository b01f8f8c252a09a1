#include "core/out_of_memory.h"

namespace torvel {

namespace {

// The countdown of the test seam; 0 when unarmed (always, in the program).
thread_local int failAt = 0;

} // namespace

std::string NotEnoughMemoryText(const std::string& what) {
    return "Not enough memory to " + what + ".";
}

void AllocationCheckpoint() {
    if (failAt == 0) return;
    if (--failAt == 0) throw std::bad_alloc();
}

void FailAllocationAt(int n) {
    failAt = n < 0 ? 0 : n;
}

} // namespace torvel
