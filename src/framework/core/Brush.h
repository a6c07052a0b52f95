// The brush a canvas fills shapes and rectangles with.
//
// A brush is solid, clear (fills nothing) or one of the platform's 8 × 8 hatches drawn in `Color`
// (the gaps take the canvas back colour in opaque back mode). A non-empty `Bitmap` (not owned)
// makes it a pattern brush that tiles the bitmap whatever the style.
#pragma once

#include <cstdint>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Color.h"
#include "framework/core/GraphicsObject.h"

namespace fw {

class TCustomBitmap;

enum TBrushStyle : std::uint8_t {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};
FW_ENUM_NAMES(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
              "bsBDiagonal", "bsCross", "bsDiagCross")

// Published: Color (clWhite), Style (bsSolid).
class TBrush : public TGraphicsObject {
  FW_CLASS

 public:
  TBrush() = default;

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle value);
  TCustomBitmap* Bitmap() const { return bitmap_; }
  void SetBitmap(TCustomBitmap* value);

  // From another brush: copies colour, style and bitmap with one change notification.
  void Assign(const TPersistent* source) override;

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  TCustomBitmap* bitmap_ = nullptr;
};

}  // namespace fw
