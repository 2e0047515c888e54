#pragma once
#include <algorithm>
#include <vector>

#include "fw/errors.h"

namespace fw {

// A two-dimensional list [i, j] with both indices from 0 to their upper bounds. Changing the
// bounds keeps every element whose two indices lie within the old and the new bounds; elements
// that come into being are empty.
template <class T>
class Grid {
  public:
    explicit Grid(int upper1 = 0, int upper2 = 0) { redim(upper1, upper2); }

    int ubound1() const { return rows_ - 1; }
    int ubound2() const { return cols_ - 1; }

    void redim(int upper1, int upper2) {
        const int rows = std::max(upper1 + 1, 0), cols = std::max(upper2 + 1, 0);
        if (rows == rows_ && cols == cols_) return;
        const int keptRows = std::min(rows, rows_), keptCols = std::min(cols, cols_);
        if (cols > stride_) {
            // Rows are laid out with room to grow: a table widened one column at a time is
            // copied only each time its width doubles.
            const int stride = std::max(cols, 2 * stride_);
            std::vector<T> next(size_t(rows) * size_t(stride));
            for (int i = 0; i < keptRows; ++i)
                for (int j = 0; j < keptCols; ++j)
                    next[size_t(i) * size_t(stride) + size_t(j)] = std::move(items_[index(i, j)]);
            items_ = std::move(next);
            stride_ = stride;
        } else {
            // Columns given up are emptied, so that they come back empty.
            for (int i = 0; i < keptRows; ++i)
                for (int j = cols; j < cols_; ++j) items_[index(i, j)] = T();
            items_.resize(size_t(rows) * size_t(stride_));
        }
        rows_ = rows;
        cols_ = cols;
    }

    T& operator()(int i, int j) { return items_[checked(i, j)]; }
    const T& operator()(int i, int j) const { return items_[checked(i, j)]; }

  private:
    size_t index(int i, int j) const { return size_t(i) * size_t(stride_) + size_t(j); }
    size_t checked(int i, int j) const {
        if (i < 0 || j < 0 || i >= rows_ || j >= cols_) throw OutOfBoundsException();
        return index(i, j);
    }
    std::vector<T> items_;
    int rows_ = 0, cols_ = 0;
    int stride_ = 0;  // elements per row in items_, cols_ or more
};

}  // namespace fw
