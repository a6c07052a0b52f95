#include "framework/gui/ShapeStamps.h"

#include <algorithm>

namespace fw {

void TStamp::Add(const TPixelRun& run) {
  if (run.X1 < run.X0 || run.Y1 < run.Y0) return;  // an empty run draws nothing
  if (Runs.empty()) {
    X0 = run.X0, Y0 = run.Y0, X1 = run.X1, Y1 = run.Y1;
  } else {
    X0 = std::min(X0, run.X0), Y0 = std::min(Y0, run.Y0);
    X1 = std::max(X1, run.X1), Y1 = std::max(Y1, run.Y1);
  }
  Runs.push_back(run);
  Roles |= static_cast<std::uint8_t>(1u << static_cast<unsigned>(run.Role));
}

bool TStampColors::Uniform(std::uint8_t roles) const {
  bool any = false;
  QRgb color = 0;
  for (TRunRole role : {TRunRole::Fill, TRunRole::Ink, TRunRole::Gap}) {
    if (!(roles & (1u << static_cast<unsigned>(role)))) continue;
    if (any && Of(role) != color) return false;
    color = Of(role);
    any = true;
  }
  return true;
}

TStamp* TStampCache::Find(const TStampKey& key) {
  if (stamps_[last_].Valid && stamps_[last_].Key == key) return &stamps_[last_];
  for (std::size_t i = 0; i < kSize; ++i) {
    if (stamps_[i].Valid && stamps_[i].Key == key) {
      last_ = i;
      return &stamps_[i];
    }
  }
  return nullptr;
}

TStamp& TStampCache::Add(const TStampKey& key) {
  TStamp& s = stamps_[next_];
  last_ = next_;
  next_ = (next_ + 1) % kSize;
  s.Key = key;
  s.Runs.clear();
  s.X0 = s.Y0 = 0;
  s.X1 = s.Y1 = -1;
  s.Roles = 0;
  s.Valid = true;
  return s;
}

void TStampMarks::Resize(int width, int height) {
  current_ = nullptr;
  width_ = width;
  height_ = height;
  stride_ = width + 2 * kMargin;
  rows_ = height + 2 * kMargin;
  // Allocated when first needed, so that a bitmap that never gets shapes costs nothing.
  std::vector<std::uint64_t>().swap(bits_);
}

void TStampMarks::NewGeneration() {
  const std::size_t anchors = static_cast<std::size_t>(stride_) * static_cast<std::size_t>(rows_);
  bits_.assign((anchors + 63) / 64, 0);
}

}  // namespace fw
