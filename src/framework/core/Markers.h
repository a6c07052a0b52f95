// A run of markers: one small shape drawn at many places, each place with its own colour.
//
// A chart draws the pointer of every point this way. `TCanvas::DrawMarkers` is exactly the calls
// one by one (the brush colour, and the pen colour when it follows, set to the place's colour,
// then the shape at the place), so what a backend records or draws does not depend on whether the
// shapes came as a run; a backend that draws pixels itself may write a whole run at once.
#pragma once

#include <array>
#include <cstdint>

#include "framework/core/Color.h"
#include "framework/core/Geometry.h"

namespace fw {

struct TMarkerShape {
  enum class TKind : std::uint8_t { Ellipse, Rectangle, Polygon };
  static constexpr int kMaxPoints = 4;
  TKind Kind = TKind::Ellipse;
  // Relative to the place: the two corners of the box of an ellipse or rectangle (as passed to
  // Ellipse and Rectangle), or the `Count` points of a polygon.
  std::array<TPoint, kMaxPoints> Points{};
  std::uint8_t Count = 2;
};

struct TMarkerPlace {
  int X = 0;
  int Y = 0;
  TColor Color = clBlack;
};

}  // namespace fw
