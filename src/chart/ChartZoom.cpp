// TCustomChart: the mouse on the chart. Clicks, zoom and pan drags, the wheel, and undoing a zoom.
#include <cmath>
#include <cstdlib>

#include "chart/Chart.h"
#include "chart/ChartSeries.h"

namespace tee {
namespace {

// Pixels a zoom drag must exceed in both directions to zoom or undo.
constexpr int kMinZoomDrag = 16;

// The range SetMinMax would store for the pair, or false when it would be no range at all: an
// end that is not a finite number, or ends that stay equal in 64-bit floats even after the 1e-10
// that SetMinMax keeps between them (very large values). Such a zoom keeps the axis' range.
bool UsableRange(double a, double b) {
  if (!std::isfinite(a) || !std::isfinite(b)) return false;
  const double lo = std::fmin(a, b);
  double hi = std::fmax(a, b);
  if (hi - lo < 1e-10) hi = lo + 1e-10;
  return hi > lo && std::isfinite(hi);
}

// Pixel positions are 32-bit: a value whose position along the axis lies 2^31 pixels or more
// away cannot be placed and would be drawn at the axis' centre instead.
constexpr double kPixelLimit = 2147483647.0;

}  // namespace

bool TCustomChart::ZoomRangeUsable(const TChartAxis* axis, double a, double b) const {
  if (!UsableRange(a, b)) return false;
  double lo = std::fmin(a, b);
  double hi = std::fmax(a, b);
  if (hi - lo < 1e-10) hi = lo + 1e-10;
  // Every point the axis places must stay within 32-bit pixels of the new range: deeper zooms
  // stop here instead of drawing far points in the middle of the plot.
  double low = lo;
  double high = hi;
  const bool x = axis->Horizontal();
  for (const TChartSeries* s : SeriesList()) {
    if (!s->Active() || s->Count() == 0 || !s->UsesAxis(axis)) continue;
    low = std::fmin(low, x ? s->MinXValue() : s->MinYValue());
    high = std::fmax(high, x ? s->MaxXValue() : s->MaxYValue());
  }
  const double pixels = std::fmax(1.0, axis->PixelLength());
  return (high - low) / (hi - lo) * pixels < kPixelLimit;
}

std::array<TChartAxis*, 4> TCustomChart::BackupAxes() const {
  return {TopAxis(), LeftAxis(), RightAxis(), BottomAxis()};
}

TChartHit TCustomChart::HitTestChart(int x, int y) {
  TChartHit hit;
  const auto& series = SeriesList();
  for (auto it = series.rbegin(); it != series.rend(); ++it) {
    if (!(*it)->Active()) continue;
    const int index = (*it)->Clicked(x, y);
    if (index != -1) {
      hit.Kind = hkSeries;
      hit.Series = *it;
      hit.ValueIndex = index;
      return hit;
    }
  }
  for (TCustomChartAxis* axis : AxesList()) {
    if (axis->HitTest(x, y)) {
      hit.Kind = hkAxis;
      hit.Axis = axis;
      return hit;
    }
  }
  if (Title()->Clicked(x, y)) {
    hit.Kind = hkTitle;
  } else if (Foot()->Clicked(x, y)) {
    hit.Kind = hkFoot;
  } else if (fw::PtInRect(PlotRect(), fw::Point(x, y)) && CountActiveSeries() > 0) {
    hit.Kind = hkChartRect;
  } else if (Legend()->Visible()) {
    const int item = Legend()->Clicked(x, y);
    if (item != -1) {
      hit.Kind = hkLegend;
      hit.ValueIndex = item;
    }
  }
  return hit;
}

template <class F>
bool TCustomChart::RaiseClick(F&& call) {
  SetClickHandled(true);
  call();
  return ClickHandled();
}

bool TCustomChart::BackgroundClick(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  if (!OnClickBackground) return false;
  return RaiseClick([&] { OnClickBackground(this, button, shift, x, y); });
}

void TCustomChart::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  TCustomAxisPanel::MouseDown(button, shift, x, y);
  if (ZoomDrag().Active || PanDrag().Active) return;
  // An OnMouseDown handler that set ClickHandled has taken the press.
  if (ClickHandled()) {
    SetClickHandled(false);
    return;
  }
  const TChartHit hit = HitTestChart(x, y);
  bool handled = false;
  // The plot rectangle's press raises the background click itself; it is not raised twice.
  bool backgroundDone = false;
  switch (hit.Kind) {
    case hkLegend:
      if (OnClickLegend) handled = RaiseClick([&] { OnClickLegend(this, button, shift, x, y); });
      break;
    case hkAxis:
      if (OnClickAxis) {
        auto* axis = dynamic_cast<TChartAxis*>(hit.Axis);
        handled = RaiseClick([&] { OnClickAxis(this, axis, button, shift, x, y); });
      }
      if (!handled) handled = StartZoomOrPan(button, shift, x, y);
      break;
    case hkSeries:
      handled = hit.Series->DoSeriesClick(hit.ValueIndex, button, shift, x, y);
      if (OnClickSeries)
        handled = RaiseClick(
            [&] { OnClickSeries(this, hit.Series, hit.ValueIndex, button, shift, x, y); });
      if (!handled) handled = StartZoomOrPan(button, shift, x, y);
      break;
    case hkChartRect:
      handled = BackgroundClick(button, shift, x, y);
      backgroundDone = true;
      if (!handled) handled = StartZoomOrPan(button, shift, x, y);
      break;
    default:
      break;
  }
  if (!handled && !backgroundDone) BackgroundClick(button, shift, x, y);
  SetClickHandled(false);
}

bool TCustomChart::StartZoomOrPan(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  const TChartSettings& settings = ChartSettings();
  bool handled = false;
  if (AllowZoom() && button == settings.ZoomButton && shift.ContainsAll(settings.ZoomShift)) {
    SetCursor(fw::crDefault);
    ZoomDrag().Activate(x, y);
    InvertZoomRectangle();
    handled = true;
  }
  if (AllowPanning() != pmNone && button == settings.PanButton &&
      shift.ContainsAll(settings.PanShift)) {
    SetCursor(fw::crDefault);
    PanDrag().Activate(x, y);
    handled = true;
  }
  return handled;
}

void TCustomChart::MouseMove(fw::TShiftState shift, int x, int y) {
  TCustomAxisPanel::MouseMove(shift, x, y);
  if (ZoomDrag().Active)
    MoveZoomRectangle(x, y);
  else if (PanDrag().Active)
    PanStep(x, y);
  else
    HoverSeries(x, y);
}

void TCustomChart::MoveZoomRectangle(int x, int y) {
  TZoomPanningRecord& drag = ZoomDrag();
  if (x == drag.X1 && y == drag.Y1) return;
  InvertZoomRectangle();
  drag.X1 = x;
  drag.Y1 = y;
  InvertZoomRectangle();
}

void TCustomChart::PanStep(int x, int y) {
  TZoomPanningRecord& drag = PanDrag();
  // Leaving the plot ends the pan for good; coming back does not resume it.
  if (!fw::PtInRect(PlotRect(), fw::Point(x, y))) {
    drag.Active = false;
    return;
  }
  if (x == drag.X1 && y == drag.Y1) return;
  if (AxesBackupEmpty()) SaveAxes();
  const bool movedX = PanAxes(true, drag.X1, x);
  const bool movedY = PanAxes(false, drag.Y1, y);
  drag.X1 = x;
  drag.Y1 = y;
  if (movedX || movedY) {
    if (OnScroll) OnScroll(this);
    Invalidate();
  }
}

void TCustomChart::HoverSeries(int x, int y) {
  bool lent = false;
  for (TChartSeries* s : SeriesList()) {
    if (s->Active() && s->Cursor() != fw::crDefault && s->Clicked(x, y) != -1) {
      SetCursor(s->Cursor());
      lent = true;
      break;
    }
  }
  for (TChartSeries* s : SeriesList()) s->DoSeriesMouseMove(false, x, y);
  if (!lent) SetCursor(SavedCursor());
}

bool TCustomChart::PanAxes(bool horizontal, int from, int to) {
  if (from == to) return false;
  const TPanningMode mode = AllowPanning();
  if (mode != pmBoth && mode != (horizontal ? pmHorizontal : pmVertical)) return false;
  for (TCustomChartAxis* axis : AxesList())
    if (!axis->IsDepthAxis() && axis->Horizontal() == horizontal)
      ScrollAxisByPixels(axis, from, to);
  return true;
}

void TCustomChart::ScrollAxisByPixels(TCustomChartAxis* axis, int from, int to) {
  const double d = axis->CalcPosPoint(from) - axis->CalcPosPoint(to);
  double aMin = axis->Minimum() + d;
  double aMax = axis->Maximum() + d;
  bool allow = true;
  if (OnAllowScroll) OnAllowScroll(dynamic_cast<TChartAxis*>(axis), aMin, aMax, allow);
  // A shift that is no number (an axis of overflowing range) would lose the range.
  if (allow && UsableRange(aMin, aMax)) axis->SetMinMax(aMin, aMax);
}

void TCustomChart::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  TCustomAxisPanel::MouseUp(button, shift, x, y);
  for (TChartSeries* s : SeriesList()) s->DoSeriesMouseUp(x, y);
  if (ZoomDrag().Active && button == ChartSettings().ZoomButton) ReleaseZoom(x, y);
  PanDrag().Active = false;
}

void TCustomChart::ReleaseZoom(int x, int y) {
  TZoomPanningRecord& drag = ZoomDrag();
  drag.Active = false;
  InvertZoomRectangle();
  Canvas()->Pen().SetMode(fw::pmCopy);
  drag.X1 = x;
  drag.Y1 = y;
  if (std::abs(drag.X1 - drag.X0) <= kMinZoomDrag || std::abs(drag.Y1 - drag.Y0) <= kMinZoomDrag)
    return;
  if (drag.X1 > drag.X0 && drag.Y1 > drag.Y0)
    ZoomToRectangle();
  else
    UndoZoom();
  Invalidate();
}

void TCustomChart::ZoomToRectangle() {
  TZoomPanningRecord& drag = ZoomDrag();
  drag.Normalize();
  // The larger pixel Y is the smaller value on a vertical axis.
  ZoomToValues(LeftAxis()->CalcPosPoint(drag.Y1), LeftAxis()->CalcPosPoint(drag.Y0),
               RightAxis()->CalcPosPoint(drag.Y1), RightAxis()->CalcPosPoint(drag.Y0),
               TopAxis()->CalcPosPoint(drag.X0), TopAxis()->CalcPosPoint(drag.X1),
               BottomAxis()->CalcPosPoint(drag.X0), BottomAxis()->CalcPosPoint(drag.X1));
}

void TCustomChart::SaveAxes() {
  const auto axes = BackupAxes();
  for (std::size_t i = 0; i < axes.size(); ++i) {
    TAxisBackup& b = AxesBackup()[i];
    b.Automatic = axes[i]->Automatic();
    b.AutomaticMinimum = axes[i]->AutomaticMinimum();
    b.AutomaticMaximum = axes[i]->AutomaticMaximum();
    b.Minimum = axes[i]->Minimum();
    b.Maximum = axes[i]->Maximum();
  }
  SetAxesBackupEmpty(false);
}

void TCustomChart::ZoomToValues(double leftMin, double leftMax, double rightMin, double rightMax,
                                double topMin, double topMax, double bottomMin, double bottomMax) {
  if (AxesBackupEmpty()) SaveAxes();
  struct Target {
    TChartAxis* axis;
    double min;
    double max;
    bool usable;
  };
  std::array<Target, 4> targets{{{LeftAxis(), leftMin, leftMax, false},
                                 {RightAxis(), rightMin, rightMax, false},
                                 {TopAxis(), topMin, topMax, false},
                                 {BottomAxis(), bottomMin, bottomMax, false}}};
  for (Target& t : targets) t.usable = ZoomRangeUsable(t.axis, t.min, t.max);
  const double divisor = ChartSettings().ZoomAnimationDivisor;
  if (AnimatedZoom() && AnimatedZoomSteps() - 1 > 0 && divisor != 0) {
    for (int step = 1; step < AnimatedZoomSteps(); ++step) {
      for (const Target& t : targets) {
        if (!t.usable) continue;
        const double lo = t.axis->Minimum() + (t.min - t.axis->Minimum()) / divisor;
        const double hi = t.axis->Maximum() - (t.axis->Maximum() - t.max) / divisor;
        if (UsableRange(lo, hi)) t.axis->SetMinMax(lo, hi);
      }
      Repaint();
    }
  }
  for (const Target& t : targets)
    if (t.usable) t.axis->SetMinMax(t.min, t.max);
  SetIsZoomed(true);
  if (OnZoom) OnZoom(this);
}

void TCustomChart::UndoZoom() {
  if (!AxesBackupEmpty()) {
    const auto axes = BackupAxes();
    // Top, bottom, left, right.
    for (std::size_t i : {std::size_t{0}, std::size_t{3}, std::size_t{1}, std::size_t{2}}) {
      TChartAxis* axis = axes[i];
      const TAxisBackup& b = AxesBackup()[i];
      // SetMinMax clears the automatic flags, so the saved flags are set after it: an axis with
      // one automatic end comes back exactly as it was.
      if (!b.Automatic) axis->SetMinMax(b.Minimum, b.Maximum);
      axis->SetAutomatic(b.Automatic);
      axis->SetAutomaticMinimum(b.AutomaticMinimum);
      axis->SetAutomaticMaximum(b.AutomaticMaximum);
    }
    SetAxesBackupEmpty(true);
  }
  TCustomAxisPanel::UndoZoom();
}

bool TCustomChart::DoMouseWheelDown(fw::TShiftState shift, fw::TPoint pos) {
  const bool result = TCustomAxisPanel::DoMouseWheelDown(shift, pos);
  WheelScroll(true);
  return result;
}

bool TCustomChart::DoMouseWheelUp(fw::TShiftState shift, fw::TPoint pos) {
  const bool result = TCustomAxisPanel::DoMouseWheelUp(shift, pos);
  WheelScroll(false);
  return result;
}

void TCustomChart::WheelScroll(bool down) {
  for (TCustomChartAxis* axis : AxesList()) {
    if (axis->Horizontal()) continue;
    double d = (axis->Maximum() - axis->Minimum()) * 3 * 0.01;
    if (!down) d = -d;
    // A range too wide for a 64-bit float would turn into infinities and be lost.
    if (!UsableRange(axis->Minimum() + d, axis->Maximum() + d)) continue;
    axis->Scroll(d, false);
  }
}

}  // namespace tee
