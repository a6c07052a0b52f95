// A two-colour gradient fill as chart parts expose it (the panel background).
//
// `TChartGradient` (base `TCustomTeeGradient`) holds Direction, StartColor, EndColor and Visible;
// the canvas' `GradientFill` paints it. Each setter stores only a real change and then makes the
// owner's repaint request (given at construction). Published: Direction (gdTopBottom), EndColor
// (yellow 0x00FFFF), StartColor (white 0xFFFFFF), Visible (false).
#pragma once

#include <cstdint>
#include <functional>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Color.h"
#include "framework/core/Persistent.h"

namespace tee {

enum TGradientDirection : std::uint8_t {
  gdTopBottom,
  gdBottomTop,
  gdLeftRight,
  gdRightLeft,
  gdFromCenter,
  gdFromTopLeft,
  gdFromBottomLeft
};
FW_ENUM_NAMES(TGradientDirection, "gdTopBottom", "gdBottomTop", "gdLeftRight", "gdRightLeft",
              "gdFromCenter", "gdFromTopLeft", "gdFromBottomLeft")

class TCustomTeeGradient : public fw::TPersistent {
  FW_CLASS

 public:
  using TRepaintRequest = std::function<void()>;

  explicit TCustomTeeGradient(TRepaintRequest repaint = {});

  TGradientDirection Direction() const { return direction_; }
  void SetDirection(TGradientDirection value);
  fw::TColor EndColor() const { return endColor_; }
  void SetEndColor(fw::TColor value);
  fw::TColor StartColor() const { return startColor_; }
  void SetStartColor(fw::TColor value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  // From another gradient: all four values (one repaint request when any changed).
  void Assign(const fw::TPersistent* source) override;

 private:
  void Repaint() const {
    if (repaint_) repaint_();
  }

  TRepaintRequest repaint_;
  TGradientDirection direction_ = gdTopBottom;
  fw::TColor endColor_ = fw::clYellow;
  fw::TColor startColor_ = fw::clWhite;
  bool visible_ = false;
};

class TChartGradient : public TCustomTeeGradient {
  FW_CLASS

 public:
  using TCustomTeeGradient::TCustomTeeGradient;
};

}  // namespace tee
