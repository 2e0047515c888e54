#pragma once
#include <deque>
#include <memory>

#include "fw/errors.h"

namespace fw {

// A list indexed from 0 to its upper bound. The game's lists keep element 0 empty and use 1..N.
// Changing the upper bound keeps the elements up to the new bound and adds empty ones.
template <class T>
class List {
  public:
    explicit List(int upperBound = -1) { redim(upperBound); }

    int ubound() const { return int(items_.size()) - 1; }
    void redim(int upperBound) { items_.resize(size_t(std::max(upperBound + 1, 0))); }

    T& operator[](int i) {
        check(i);
        return items_[size_t(i)];
    }
    const T& operator[](int i) const {
        check(i);
        return items_[size_t(i)];
    }
    // The index of the first element equal to v, or -1.
    int indexOf(const T& v) const {
        for (size_t i = 0; i < items_.size(); ++i)
            if (items_[i] == v) return int(i);
        return -1;
    }

  private:
    void check(int i) const {
        if (i < 0 || i > ubound()) throw OutOfBoundsException();
    }
    std::deque<T> items_;  // a deque, so that List<bool> hands out real references
};

// A list of shared records. Records are shared by reference: the list and any holder see one object.
template <class T>
class ObjList : public List<std::shared_ptr<T>> {
  public:
    explicit ObjList(int upperBound = -1) : List<std::shared_ptr<T>>(upperBound) {}
    // The record at i; throws when i is out of bounds or the element holds no record.
    T& operator()(int i) const {
        const auto& p = List<std::shared_ptr<T>>::operator[](i);
        if (!p) throw NilObjectException();
        return *p;
    }
    void put(int i, std::shared_ptr<T> record) { (*this)[i] = std::move(record); }
};

}  // namespace fw
