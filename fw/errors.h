#pragma once
#include <stdexcept>

namespace fw {

// Use of an object that does not exist (an empty list element, a missing control).
class NilObjectException : public std::logic_error {
  public:
    NilObjectException() : std::logic_error("use of a missing object") {}
};

// An index outside a list's bounds.
class OutOfBoundsException : public std::out_of_range {
  public:
    OutOfBoundsException() : std::out_of_range("index outside the list's bounds") {}
};

}  // namespace fw
