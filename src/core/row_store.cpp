#include "core/row_store.h"

#include "core/out_of_memory.h"
#include "core/parallel.h"

#include <algorithm>
#include <cstdlib>

#include <new>
#include <sys/mman.h>

namespace torvel {

void* AllocateLarge(std::size_t bytes) {
    const std::size_t rounded = (bytes + LargeBytes - 1) / LargeBytes * LargeBytes;
    void* p = std::aligned_alloc(LargeBytes, rounded);
    if (p == nullptr) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    madvise(p, rounded, MADV_HUGEPAGE); // only advice: small pages work too
#endif
    return p;
}

void FreeLarge(void* p) {
    std::free(p);
}

namespace {

// Bytes [from, to) of a column set to 0 on every processor: millions of new
// rows are cleared while the windows stay painted.
void Zero(LargeVector& column, std::size_t from, std::size_t to) {
    if (to <= from) return;
    ForParts(to - from, std::size_t(1) << 22, [&](std::size_t a, std::size_t b) {
        std::memset(column.data() + from + a, 0, b - a);
    });
}

} // namespace

void RowStore::Resize(std::size_t n) {
    if (n == Size()) return; // a shared store stays shared
    // Room first, so a failure changes nothing; then no step can fail.
    LargeVector& xy = xy_.Write();
    LargeVector& flags = flags_.Write();
    LargeVector* fit = HasFitColumn() ? &fit_.Write() : nullptr;
    xy.reserve(n * RowBytes);
    flags.reserve(n);
    if (fit) fit->reserve(n * ValueBytes);
    const std::size_t old = Size();
    xy.resize(n * RowBytes);
    flags.resize(n);
    if (fit) fit->resize(n * ValueBytes);
    ClearFrom(old); // new rows start empty
}

unsigned char* RowStore::Slot(int column, std::size_t i) {
    if (column == 1) return xy_.Write().data() + i * RowBytes;
    if (column == 2) return xy_.Write().data() + i * RowBytes + ValueBytes;
    MakeFitColumn();
    return fit_.Write().data() + i * ValueBytes;
}

Real RowStore::Value(int column, std::size_t i) const {
    return column == 1 ? X(i) : column == 2 ? Y(i) : YFit(i);
}

void RowStore::Set(int column, std::size_t i, Real value) {
    Put(Slot(column, i), value);
    flags_.Write()[i] |= FlagOf(column);
}

void RowStore::Clear(int column, std::size_t i) {
    flags_.Write()[i] &= static_cast<std::uint8_t>(~FlagOf(column));
    if (column == 3 && !HasFitColumn()) return;
    Put(Slot(column, i), 0);
}

Tdata RowStore::Row(std::size_t i) const {
    const std::uint8_t f = Flags(i);
    return {X(i), Y(i), YFit(i), (f & HasX) != 0, (f & HasY) != 0, (f & HasYFit) != 0};
}

void RowStore::SetRow(std::size_t i, const Tdata& row) {
    if (row.YFitValid || HasFitColumn()) Put(Slot(3, i), row.YFitValid ? row.YFit : 0);
    unsigned char* xy = xy_.Write().data() + i * RowBytes;
    Put(xy, row.XValid ? row.X : 0);
    Put(xy + ValueBytes, row.YValid ? row.Y : 0);
    flags_.Write()[i] = static_cast<std::uint8_t>(
        (row.XValid ? HasX : 0) | (row.YValid ? HasY : 0) | (row.YFitValid ? HasYFit : 0));
}

std::vector<Tdata> RowStore::All() const {
    std::vector<Tdata> rows(Size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = Row(i);
    return rows;
}

void RowStore::Assign(const std::vector<Tdata>& rows) {
    RowStore fresh;
    fresh.Resize(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        fresh.SetRow(i, rows[i]);
    *this = std::move(fresh);
}

void RowStore::DropFitColumn() {
    for (auto& f : flags_.Write())
        f &= static_cast<std::uint8_t>(~HasYFit);
    fit_.Drop();
}

RowStore RowStore::WithoutFit() const {
    RowStore copy;
    copy.xy_ = xy_; // shared until either writes
    copy.flags_ = flags_;
    copy.DropFitColumn();
    return copy;
}

void RowStore::MakeFitColumn() {
    if (!HasFitColumn()) fit_.Write().resize(Size() * ValueBytes, 0);
}

namespace {

// Row k of a column of width-byte values takes what row order[k] held.
// Gathered into a new column, the reads are independent and many wait for
// memory at once; walking the cycles in place waits for each row in turn,
// several times slower on a large store. Without the memory for the new
// column, the cycles are walked in place, each visited row marked in the
// order's top bit (rows are fewer than 2^31) and the marks taken off after.
void PermuteColumn(SharedColumn& shared, std::size_t width, std::vector<std::uint32_t>& order) {
    const std::size_t n = order.size();
    try {
        AllocationCheckpoint(); // a memory this full: tests walk the cycles
        LargeVector moved(n * width);
        Pulse();
        const LargeVector& column = shared.Read();
        constexpr std::size_t Ahead = 16;
        ForParts(n, 1 << 18, [&](std::size_t begin, std::size_t end) {
            for (std::size_t k = begin; k < end; ++k) {
                if (k + Ahead < end) __builtin_prefetch(column.data() + order[k + Ahead] * width);
                std::memcpy(moved.data() + k * width, column.data() + order[k] * width, width);
            }
        });
        shared.Replace(std::move(moved));
        Pulse();
        return;
    } catch (const std::bad_alloc&) {
    }
    LargeVector& column = shared.Write();
    constexpr std::uint32_t Done = 0x80000000u;
    unsigned char held[32]; // the widest column holds 20 bytes a row
    for (std::size_t start = 0; start < n; ++start) {
        if ((order[start] & Done) || order[start] == start) continue;
        std::memcpy(held, column.data() + start * width, width);
        std::size_t to = start;
        for (;;) {
            const std::size_t from = order[to];
            order[to] |= Done;
            if (from == start) {
                std::memcpy(column.data() + to * width, held, width);
                break;
            }
            std::memcpy(column.data() + to * width, column.data() + from * width, width);
            to = from;
        }
    }
    for (auto& o : order)
        o &= ~Done;
}

} // namespace

void RowStore::Permute(std::vector<std::uint32_t>& order) {
    // One column at a time, so the extra memory is one column's at most.
    PermuteColumn(xy_, RowBytes, order);
    Pulse();
    if (HasFitColumn()) PermuteColumn(fit_, ValueBytes, order);
    Pulse();
    PermuteColumn(flags_, 1, order);
    Pulse();
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = static_cast<std::uint32_t>(k);
}

void RowStore::ClearFrom(std::size_t first) {
    if (first >= Size()) return;
    Zero(xy_.Write(), first * RowBytes, xy_.Read().size());
    Zero(flags_.Write(), first, Size());
    if (HasFitColumn()) Zero(fit_.Write(), first * ValueBytes, fit_.Read().size());
}

} // namespace torvel
