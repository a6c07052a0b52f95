#include "chart/TeCanvasGradient.h"

namespace tee {

using fw::TValue;

const fw::TClassInfo& TCustomTeeGradient::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TCustomTeeGradient>("TCustomTeeGradient", fw::TPersistent::StaticClass())
          .Property("Direction", &TCustomTeeGradient::Direction, &TCustomTeeGradient::SetDirection)
          .Default(TValue(std::int64_t{gdTopBottom}))
          .Color("EndColor", &TCustomTeeGradient::EndColor, &TCustomTeeGradient::SetEndColor)
          .Default(TValue(std::int64_t{fw::clYellow}))
          .Color("StartColor", &TCustomTeeGradient::StartColor, &TCustomTeeGradient::SetStartColor)
          .Default(TValue(std::int64_t{fw::clWhite}))
          .Property("Visible", &TCustomTeeGradient::Visible, &TCustomTeeGradient::SetVisible)
          .Default(TValue(false))
          .Build();
  return info;
}

const fw::TClassInfo& TChartGradient::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TChartGradient>("TChartGradient", TCustomTeeGradient::StaticClass())
          .Build();
  return info;
}

TCustomTeeGradient::TCustomTeeGradient(TRepaintRequest repaint) : repaint_(std::move(repaint)) {}

void TCustomTeeGradient::SetDirection(TGradientDirection value) {
  if (value == direction_) return;
  direction_ = value;
  Repaint();
}

void TCustomTeeGradient::SetEndColor(fw::TColor value) {
  if (value == endColor_) return;
  endColor_ = value;
  Repaint();
}

void TCustomTeeGradient::SetStartColor(fw::TColor value) {
  if (value == startColor_) return;
  startColor_ = value;
  Repaint();
}

void TCustomTeeGradient::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Repaint();
}

void TCustomTeeGradient::Assign(const fw::TPersistent* source) {
  const auto* g = dynamic_cast<const TCustomTeeGradient*>(source);
  if (g == nullptr) return fw::TPersistent::Assign(source);
  if (g == this) return;
  const bool changed = g->direction_ != direction_ || g->endColor_ != endColor_ ||
                       g->startColor_ != startColor_ || g->visible_ != visible_;
  direction_ = g->direction_;
  endColor_ = g->endColor_;
  startColor_ = g->startColor_;
  visible_ = g->visible_;
  if (changed) Repaint();
}

}  // namespace tee
