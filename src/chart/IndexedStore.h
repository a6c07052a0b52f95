// TIndexedStore<T>: the index-aligned storage of a series' per-point data (values, colours,
// labels).
//
// Points are addressed by index and inserted anywhere (an ordered X list inserts in the middle), so
// the store keeps its elements in blocks of at most 2 × kBlock elements: reading element i finds
// its block from a running start index (one comparison when reading in order, the common case when
// drawing), and inserting or deleting moves at most one block's elements plus the start indexes
// of the following blocks. A store with up to 2 × kBlock elements is one plain array. So
// appending in order costs the same as a vector, and inserting at random positions stays
// O(sqrt n)-like instead of moving half the store every time.
//
// Index checking is the caller's business: `At` is unchecked; the value list checks and raises the
// framework's list error.
#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <utility>
#include <vector>

namespace tee {

template <class T>
class TIndexedStore {
 public:
  static constexpr std::size_t kBlock = 1024;

  std::size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }

  const T& At(std::size_t i) const {
    const std::size_t b = Locate(i);
    return blocks_[b][i - starts_[b]];
  }
  T& At(std::size_t i) {
    const std::size_t b = Locate(i);
    return blocks_[b][i - starts_[b]];
  }
  // The elements from i (< Size()) to the end of i's block, for reading in order block by block.
  std::span<const T> Run(std::size_t i) const {
    const std::size_t b = Locate(i);
    const std::vector<T>& block = blocks_[b];
    const std::size_t k = i - starts_[b];
    return std::span<const T>(block.data() + k, block.size() - k);
  }
  const T& Back() const { return blocks_.back().back(); }

  void PushBack(T value) {
    if (blocks_.empty() || blocks_.back().size() >= 2 * kBlock) {
      blocks_.emplace_back();
      starts_.push_back(size_);
    }
    blocks_.back().push_back(std::move(value));
    ++size_;
  }

  // 0 <= i <= Size().
  void Insert(std::size_t i, T value) {
    if (i == size_) {
      PushBack(std::move(value));
      return;
    }
    const std::size_t b = Locate(i);
    auto& block = blocks_[b];
    block.insert(block.begin() + static_cast<std::ptrdiff_t>(i - starts_[b]), std::move(value));
    ++size_;
    for (std::size_t k = b + 1; k < starts_.size(); ++k) ++starts_[k];
    if (block.size() > 2 * kBlock) Split(b);
  }

  void Erase(std::size_t i) {
    const std::size_t b = Locate(i);
    auto& block = blocks_[b];
    block.erase(block.begin() + static_cast<std::ptrdiff_t>(i - starts_[b]));
    --size_;
    for (std::size_t k = b + 1; k < starts_.size(); ++k) --starts_[k];
    if (block.empty()) {
      blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
      starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(b));
      last_ = 0;
    }
  }

  // Empties the store. The first block keeps its room (at most 2 × kBlock elements), so that
  // refilling a series of the same size allocates nothing; every other block's memory is given
  // back.
  void Clear() {
    if (blocks_.empty()) return;
    blocks_.resize(1);
    blocks_.front().clear();
    if (blocks_.front().capacity() > 2 * kBlock) std::vector<T>().swap(blocks_.front());
    starts_.assign(1, 0);
    size_ = 0;
    last_ = 0;
  }

  void Swap(std::size_t a, std::size_t b) {
    using std::swap;
    swap(At(a), At(b));
  }

  // Moves the first element to the end.
  void RotateFirstToEnd() {
    if (size_ < 2) return;
    T first = std::move(At(0));
    Erase(0);
    PushBack(std::move(first));
  }

  // Grows the store with default elements up to `n` (never shrinks).
  void Resize(std::size_t n) {
    while (size_ < n) PushBack(T{});
  }

  // Calls f(element) for each element in index order.
  template <class F>
  void ForEach(F&& f) const {
    for (const auto& block : blocks_)
      for (const auto& v : block) f(v);
  }

 private:
  std::size_t Locate(std::size_t i) const {
    if (starts_.size() <= 1) return 0;
    std::size_t b = last_ < starts_.size() ? last_ : 0;
    if (i >= starts_[b] && i < starts_[b] + blocks_[b].size()) return b;
    if (b + 1 < starts_.size() && i >= starts_[b + 1] &&
        i < starts_[b + 1] + blocks_[b + 1].size()) {
      last_ = b + 1;
      return last_;
    }
    b = static_cast<std::size_t>(std::upper_bound(starts_.begin(), starts_.end(), i) -
                                 starts_.begin()) -
        1;
    last_ = b;
    return b;
  }

  void Split(std::size_t b) {
    auto& block = blocks_[b];
    std::vector<T> tail(
        std::make_move_iterator(block.begin() + static_cast<std::ptrdiff_t>(kBlock)),
        std::make_move_iterator(block.end()));
    block.resize(kBlock);
    blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(b + 1), std::move(tail));
    starts_.insert(starts_.begin() + static_cast<std::ptrdiff_t>(b + 1), starts_[b] + kBlock);
  }

  std::vector<std::vector<T>> blocks_;
  std::vector<std::size_t> starts_;  // index of each block's first element
  std::size_t size_ = 0;
  mutable std::size_t last_ = 0;  // block of the last lookup
};

}  // namespace tee
