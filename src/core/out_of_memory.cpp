#include "core/out_of_memory.h"

#include <sys/mman.h>

namespace torvel {

namespace {

// The countdown of the test seam; 0 when unarmed (always, in the program).
thread_local int failAt = 0;

} // namespace

void RequireMemory(std::size_t bytes) {
    AllocationCheckpoint();
    // Mapped and given back untouched: it costs no memory, only the question,
    // which a limit on the address space answers as the real allocation will.
    void* block =
        ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) throw std::bad_alloc();
    ::munmap(block, bytes);
}

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
