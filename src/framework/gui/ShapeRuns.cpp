#include "framework/gui/ShapeRuns.h"

namespace fw {

const TDashPattern* DashPatternFor(TPenStyle style) {
  static const TDashPattern dash{{18, 6}, 2, 24};
  static const TDashPattern dot{{3, 3}, 2, 6};
  static const TDashPattern dashDot{{9, 6, 3, 6}, 4, 24};
  static const TDashPattern dashDotDot{{9, 3, 3, 3, 3, 3}, 6, 24};
  static const TDashPattern alternate{{1, 1}, 2, 2};
  switch (style) {
    case psDash:
      return &dash;
    case psDot:
      return &dot;
    case psDashDot:
      return &dashDot;
    case psDashDotDot:
      return &dashDotDot;
    case psAlternate:
      return &alternate;
    default:
      return nullptr;
  }
}

}  // namespace fw
