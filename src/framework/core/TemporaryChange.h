// TTemporaryChange: gives a variable a value for the rest of a scope and puts the old value back
// when the scope ends, on every path out of it, an exception included.
//
//   TTemporaryChange guard(aligning_, true);  // aligning_ is true until the scope ends
//
// It holds a reference to the variable, which must outlive it; it cannot be copied or moved.
#pragma once

#include <utility>

namespace fw {

template <class T>
class TTemporaryChange {
 public:
  TTemporaryChange(T& variable, T value) : variable_(variable), saved_(std::move(variable)) {
    variable_ = std::move(value);
  }
  ~TTemporaryChange() { variable_ = std::move(saved_); }
  TTemporaryChange(const TTemporaryChange&) = delete;
  TTemporaryChange& operator=(const TTemporaryChange&) = delete;

 private:
  T& variable_;
  T saved_;
};

}  // namespace fw
