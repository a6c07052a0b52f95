// The pen a canvas strokes lines and outlines with.
//
// Styles and modes are the platform's: a width of 1 (or 0) is a cosmetic one-pixel pen on which
// the dash styles apply; a wider pen is always solid with round ends. `psAlternate` sets every
// other pixel. `Mode` is the raster operation of everything drawn (`pmNotXor` drawn twice
// restores the pixels underneath).
#pragma once

#include <cstdint>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Color.h"
#include "framework/core/GraphicsObject.h"

namespace fw {

enum TPenStyle : std::uint8_t {
  psSolid,
  psDash,
  psDot,
  psDashDot,
  psDashDotDot,
  psClear,
  psInsideFrame,
  psUserStyle,
  psAlternate
};
FW_ENUM_NAMES(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
              "psInsideFrame", "psUserStyle", "psAlternate")

enum TPenMode : std::uint8_t {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};
FW_ENUM_NAMES(TPenMode, "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy",
              "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge",
              "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor")

// Published: Color (clBlack), Mode (pmCopy), Style (psSolid), Width (1).
class TPen : public TGraphicsObject {
  FW_CLASS

 public:
  TPen() = default;

  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode value);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle value);
  int Width() const { return width_; }
  void SetWidth(int value);

  // From another pen: copies colour, mode, style and width with one change notification.
  void Assign(const TPersistent* source) override;

 private:
  TColor color_ = clBlack;
  TPenMode mode_ = pmCopy;
  TPenStyle style_ = psSolid;
  int width_ = 1;
};

}  // namespace fw
