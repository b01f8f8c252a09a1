// The sums of a least-squares fit in about 106 bits where the extended type
// keeps 64: every value is split exactly into a pair of doubles, and powers,
// products and sums run in double-double arithmetic, two rows at a time in
// the vector registers. Exact data give exact sums; inexact data are not
// rounded again by every addition and product of a long pass.
#pragma once

#include "core/data_model.h"
#include "core/row_store.h"
#include "fit/quad.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace torvel {

// The rows a fit works on: X and Y of every row of a store that has both,
// read in X order when given (the positions of those rows sorted by X), else
// in row order, and the Y of their middle row in X order. The sums depend on
// the order in their last rounding, which an ill-conditioned fit magnifies:
// read in X order, the same rows give the same fit however they came in.
class FitRows {
  public:
    FitRows(const RowStore& store, std::size_t count, Real middleY,
            const std::vector<std::uint32_t>* xOrder = nullptr)
        : store_(&store), count_(count), middleY_(middleY), xOrder_(xOrder) {}
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    Real MiddleY() const { return middleY_; }
    // fn(x, y) for each row.
    template <class Fn> void ForEach(Fn&& fn) const {
        if (xOrder_ && !xOrder_->empty()) {
            // Rows in X order lie anywhere: each is asked for well ahead.
            const std::vector<std::uint32_t>& order = *xOrder_;
            constexpr std::size_t Ahead = 16;
            for (std::size_t k = 0, n = order.size(); k < n; ++k) {
                if (k + Ahead < n) store_->Prefetch(order[k + Ahead]);
                fn(store_->X(order[k]), store_->Y(order[k]));
            }
            return;
        }
        ForEachInRowOrder(fn);
    }
    // fn(x, y) for each row in row order: for what the order cannot change,
    // read one row after the other rather than wherever X puts it.
    template <class Fn> void ForEachInRowOrder(Fn&& fn) const { ForEachInRows(0, StoreRows(), fn); }
    // The same for the store's rows begin..end-1 (of StoreRows()).
    std::size_t StoreRows() const { return store_->Size(); }
    template <class Fn> void ForEachInRows(std::size_t begin, std::size_t end, Fn&& fn) const {
        for (std::size_t i = begin; i < end; ++i)
            if (store_->BothXY(i)) fn(store_->X(i), store_->Y(i));
    }

  private:
    const RowStore* store_;
    std::size_t count_;
    Real middleY_;
    const std::vector<std::uint32_t>* xOrder_;
};

// The smallest and largest X and Y of some rows.
struct DataBounds {
    Real MinX = 0, MaxX = 0, MinY = 0, MaxY = 0;
};
DataBounds BoundsOf(const FitRows& rows);

// The sums of the normal equations of the fitted variables u (X or ln X) and
// v (Y or ln Y). v enters shifted by one of its values, w = v - V0, so that
// values far from 0 but close to each other keep their digits in the sums of
// squares; the caller adds the shift back.
struct PowerSums {
    std::array<Quad, 11> U{}; // sum of u^k; U[0] = N
    std::array<Quad, 6> UW{}; // sum of u^k * w; UW[0] = sum of w
    Quad W2 = 0;              // sum of w^2
    Real V0 = 0;
    bool AllVEqual = false;
};

// rows: the valid rows, bounds: BoundsOf(rows). The logarithms are taken only
// when asked for; the caller has checked that their arguments are positive.
PowerSums SumPowers(const FitRows& rows, bool logU, bool logV, const DataBounds& bounds);

// The sum of the squared residuals w - (c[0] + c[1] u + ... + c[degree] u^degree)
// of the same rows, with w shifted as SumPowers shifts it: each residual is
// formed in double-double, so an exact fit leaves next to nothing. Not a
// number when the coefficients of the scaled variables leave the doubles'
// range.
Quad SumSquaredResiduals(const FitRows& rows, bool logU, bool logV, const DataBounds& bounds,
                         const std::array<Quad, 6>& c, int degree);

} // namespace torvel
