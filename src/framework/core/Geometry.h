// Points, sizes and rectangles in pixels, with the platform's rectangle operations.
//
// A rectangle's right and bottom edges lie outside it: TRect{0, 0, 10, 10} covers the pixels 0 to 9
// in both directions, which is the convention all drawing and hit testing of the application uses.
#pragma once

#include <cstdint>

namespace fw {

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(int x, int y) {
  return TPoint{x, y};
}
constexpr TRect Rect(int left, int top, int right, int bottom) {
  return TRect{left, top, right, bottom};
}

// a × b / c computed in 64 bits and rounded to the nearest integer, halves away from zero;
// -1 when c is 0 or the result does not fit in 32 bits (the platform's multiply-divide).
int MulDiv(int a, int b, int c);

// True when the point lies inside the rectangle (right and bottom edges excluded).
bool PtInRect(const TRect& r, const TPoint& p);

// The overlap of a and b into dest; false (and an empty dest) when they do not overlap.
bool IntersectRect(TRect& dest, const TRect& a, const TRect& b);

// Moves each edge outwards by dx and dy (inwards for negative values).
void InflateRect(TRect& r, int dx, int dy);

void OffsetRect(TRect& r, int dx, int dy);

// True when the rectangle has no pixels (right ≤ left or bottom ≤ top).
bool IsRectEmpty(const TRect& r);

}  // namespace fw
