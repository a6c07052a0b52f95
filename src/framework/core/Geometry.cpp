#include "framework/core/Geometry.h"

#include <cstdlib>
#include <limits>

namespace fw {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t magnitude = std::llabs(product);
  const std::int64_t divisor = std::llabs(static_cast<std::int64_t>(c));
  const std::int64_t rounded = (magnitude + divisor / 2) / divisor;
  if (rounded > std::numeric_limits<int>::max()) return -1;
  return static_cast<int>(negative ? -rounded : rounded);
}

bool PtInRect(const TRect& r, const TPoint& p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

bool IsRectEmpty(const TRect& r) {
  return r.Right <= r.Left || r.Bottom <= r.Top;
}

bool IntersectRect(TRect& dest, const TRect& a, const TRect& b) {
  TRect result{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
               a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
  if (IsRectEmpty(result)) {
    dest = TRect{};
    return false;
  }
  dest = result;
  return true;
}

void InflateRect(TRect& r, int dx, int dy) {
  r.Left -= dx;
  r.Top -= dy;
  r.Right += dx;
  r.Bottom += dy;
}

void OffsetRect(TRect& r, int dx, int dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
}

}  // namespace fw
