// The values of a series' rows: X, Y and the fitted Y in the extended type
// with their flags. Each value is packed into the ten bytes that hold the
// whole of it (the type's other six are padding), X and Y of a row side by
// side, the flags apart: ten million rows of X and Y take 210 MB, not 640.
// The fitted column exists only while some row has a fitted value.
#pragma once

#include "core/data_model.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace torvel {

// Memory for a large column, in huge pages where the system gives them on
// request: rows read in X order lie anywhere in it, and with small pages
// nearly every such read also misses the processor's cache of addresses.
void* AllocateLarge(std::size_t bytes);
void FreeLarge(void* p);
constexpr std::size_t LargeBytes = std::size_t(2) << 20;

template <class T> struct LargeAllocator {
    using value_type = T;
    LargeAllocator() = default;
    template <class U> LargeAllocator(const LargeAllocator<U>&) {}
    T* allocate(std::size_t n) {
        if (n * sizeof(T) < LargeBytes) return std::allocator<T>().allocate(n);
        return static_cast<T*>(AllocateLarge(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) {
        if (n * sizeof(T) < LargeBytes)
            std::allocator<T>().deallocate(p, n);
        else
            FreeLarge(p);
    }
    // A bare size leaves the bytes as they come: a column about to be
    // written whole is not cleared first. Rows that must start empty are
    // sized with an explicit 0.
    template <class U> void construct(U* p) { ::new (static_cast<void*>(p)) U; }
    template <class U, class... A> void construct(U* p, A&&... a) {
        ::new (static_cast<void*>(p)) U(std::forward<A>(a)...);
    }
    bool operator==(const LargeAllocator&) const { return true; }
};
using LargeVector = std::vector<unsigned char, LargeAllocator<unsigned char>>;

// A column shared by copies of a store until one of them writes to it: a
// duplicated series, a snapshot for recovery or for the clipboard cost no
// memory for their rows until the rows differ. Copies are made and written
// on one thread; other threads only read and let go of theirs.
class SharedColumn {
  public:
    const LargeVector& Read() const { return v_ ? *v_ : Empty(); }
    // The column to write to, this store's own (copied now if shared).
    LargeVector& Write() {
        if (!v_)
            v_ = std::make_shared<LargeVector>();
        else if (v_.use_count() > 1)
            v_ = std::make_shared<LargeVector>(*v_);
        return *v_;
    }
    // Takes `column` in place of what it held, without copying either.
    void Replace(LargeVector&& column) { v_ = std::make_shared<LargeVector>(std::move(column)); }
    void Drop() { v_.reset(); }

  private:
    static const LargeVector& Empty() {
        static const LargeVector empty;
        return empty;
    }
    std::shared_ptr<LargeVector> v_;
};

class RowStore {
  public:
    enum Flag : std::uint8_t { HasX = 1, HasY = 2, HasYFit = 4, HasXY = HasX | HasY };

    std::size_t Size() const { return flags_.Read().size(); }
    // New rows are empty; rows beyond n go. Running out of memory leaves the
    // rows as they were.
    void Resize(std::size_t n);

    Real X(std::size_t i) const { return Load(xy_.Read().data() + i * RowBytes); }
    Real Y(std::size_t i) const { return Load(xy_.Read().data() + i * RowBytes + ValueBytes); }
    Real YFit(std::size_t i) const {
        return fit_.Read().empty() ? 0 : Load(fit_.Read().data() + i * ValueBytes);
    }
    std::uint8_t Flags(std::size_t i) const { return flags_.Read()[i]; }
    bool BothXY(std::size_t i) const { return (Flags(i) & HasXY) == HasXY; }

    // Sets or clears one value (column 1 X, 2 Y, 3 fitted Y) with its flag.
    void Set(int column, std::size_t i, Real value);
    void Clear(int column, std::size_t i);
    Real Value(int column, std::size_t i) const;
    bool Has(int column, std::size_t i) const { return Flags(i) & FlagOf(column); }

    Tdata Row(std::size_t i) const;
    void SetRow(std::size_t i, const Tdata& row);
    // Every row as a record, and the rows replaced by records (their count too).
    std::vector<Tdata> All() const;
    void Assign(const std::vector<Tdata>& rows);

    // Every fitted value gone, and the memory of the column with them.
    void DropFitColumn();
    // The memory of the fitted column, had now (it may not be).
    void MakeFitColumn();
    // A copy of X and Y with their flags, without the fitted column.
    RowStore WithoutFit() const;
    bool HasFitColumn() const { return !fit_.Read().empty(); }

    // Rewrites the rows in place: row k takes what row order[k] held, for k
    // below order.size(), which must be a permutation of 0..Size()-1. The
    // order is used up (every entry becomes its own position).
    void Permute(std::vector<std::uint32_t>& order);
    // Rows first..Size()-1 emptied.
    void ClearFrom(std::size_t first);
    // Every column this store's own: rows may then be written from several
    // threads at once, each its own rows.
    void Unshare() {
        xy_.Write();
        flags_.Write();
        if (HasFitColumn()) fit_.Write();
    }

    // Asks for row i's X and Y ahead of reading it: rows read in X order
    // rather than row order otherwise wait for memory one by one.
    void Prefetch(std::size_t i) const {
        const unsigned char* p = xy_.Read().data() + i * RowBytes;
        __builtin_prefetch(p);
        __builtin_prefetch(p + RowBytes - 1);
    }

  private:
    static constexpr std::size_t ValueBytes = 10;
    static constexpr std::size_t RowBytes = 2 * ValueBytes;
    static_assert(sizeof(Real) >= ValueBytes);

    static Real Load(const unsigned char* p) {
        Real v = 0;
        std::memcpy(&v, p, ValueBytes);
        return v;
    }
    static void Put(unsigned char* p, Real v) { std::memcpy(p, &v, ValueBytes); }
    static std::uint8_t FlagOf(int column) {
        return column == 1 ? HasX : column == 2 ? HasY : HasYFit;
    }
    unsigned char* Slot(int column, std::size_t i);

    SharedColumn xy_;
    SharedColumn flags_;
    SharedColumn fit_;
};

} // namespace torvel
