// The chart's pens: a framework pen that can be switched off and drawn in small dots.
//
// `TChartPen` adds `Visible` (an invisible pen strokes nothing) and `SmallDots` (a one-pixel pen
// that sets every other pixel) to the framework pen; the canvas applies it with
// `TTeeCanvas::AssignVisiblePen`. Its change notification (`OnChange`, given at construction) goes
// to the owning chart part, which repaints. The five variants differ only in their defaults:
//   TChartHiddenPen  Visible false        TDarkGrayPen    colour grey 0x808080
//   TDottedGrayPen   grey, style dotted   TChartAxisPen   width 2
//   TChartArrowPen   colour white
// Published: Color, Mode, Style, Width (as the framework pen, with the variant's defaults),
// SmallDots (false), Visible (true).
#pragma once

#include "framework/core/Pen.h"
#include "framework/core/Value.h"

namespace tee {

class TChartPen : public fw::TPen {
  FW_CLASS

 public:
  explicit TChartPen(fw::TNotifyEvent onChange = {});

  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool SmallDots() const { return smallDots_; }
  void SetSmallDots(bool value);

  // From another chart pen: both flags, then the framework pen's properties; from a plain
  // framework pen only the latter.
  void Assign(const fw::TPersistent* source) override;

 private:
  bool visible_ = true;
  bool smallDots_ = false;
};

class TChartHiddenPen : public TChartPen {
  FW_CLASS

 public:
  explicit TChartHiddenPen(fw::TNotifyEvent onChange = {});
};

class TDarkGrayPen : public TChartPen {
  FW_CLASS

 public:
  explicit TDarkGrayPen(fw::TNotifyEvent onChange = {});
};

class TDottedGrayPen : public TChartPen {
  FW_CLASS

 public:
  explicit TDottedGrayPen(fw::TNotifyEvent onChange = {});
};

class TChartAxisPen : public TChartPen {
  FW_CLASS

 public:
  explicit TChartAxisPen(fw::TNotifyEvent onChange = {});
};

class TChartArrowPen : public TChartPen {
  FW_CLASS

 public:
  explicit TChartArrowPen(fw::TNotifyEvent onChange = {});
};

}  // namespace tee
