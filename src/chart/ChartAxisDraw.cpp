// TCustomChartAxis: drawing the title, labels, axis line, ticks, grid and minor items.
#include <algorithm>
#include <cmath>

#include "chart/ChartAxis.h"
#include "chart/ChartAxisText.h"
#include "chart/ChartTypes.h"
#include "chart/TeCanvas.h"
#include "chart/TeeProcs.h"
#include "framework/core/Brush.h"
#include "framework/core/Canvas.h"

namespace tee {
namespace {

// More minor ticks between two labels than this cannot be told apart on any screen; the bound
// keeps an absurd MinorTickCount from stalling a paint.
constexpr int kMaxMinorTickCount = 2000;

enum TAxisSide { sideBottom, sideTop, sideLeft, sideRight };

// How a text is anchored at one of the four right angles: the canvas alignment, the first line's
// offset from the anchor and each further line's step.
struct TAnchor {
  unsigned Align;
  int Dx, Dy;
  int StepX, StepY;
};

TAnchor AnchorFor(TAxisSide side, int angle, int h, int m, int q) {
  using fw::TA_BOTTOM, fw::TA_CENTER, fw::TA_LEFT, fw::TA_RIGHT, fw::TA_TOP;
  const int rest = h * (m - 1);
  switch (angle) {
    case 0:
      switch (side) {
        case sideBottom:
          return {TA_CENTER | TA_TOP, 0, 0, 0, h};
        case sideTop:
          return {TA_CENTER | TA_BOTTOM, 0, -rest, 0, h};
        case sideLeft:
          return {TA_RIGHT | TA_TOP, 0, -q, 0, h};
        case sideRight:
          return {TA_LEFT | TA_TOP, 0, -q, 0, h};
      }
      break;
    case 90:
      switch (side) {
        case sideBottom:
          return {TA_RIGHT | TA_TOP, -q, 0, h, 0};
        case sideTop:
          return {TA_LEFT | TA_TOP, -q, 0, h, 0};
        case sideLeft:
          return {TA_CENTER | TA_BOTTOM, -rest, 0, h, 0};
        case sideRight:
          return {TA_CENTER | TA_TOP, 0, 0, h, 0};
      }
      break;
    case 180:
      switch (side) {
        case sideBottom:
          return {TA_CENTER | TA_BOTTOM, 0, rest, 0, -h};
        case sideTop:
          return {TA_CENTER | TA_TOP, 0, 0, 0, -h};
        case sideLeft:
          return {TA_LEFT | TA_TOP, 0, q, 0, -h};
        case sideRight:
          return {TA_RIGHT | TA_TOP, 0, q, 0, -h};
      }
      break;
    case 270:
      switch (side) {
        case sideBottom:
          return {TA_LEFT | TA_TOP, q, 0, -h, 0};
        case sideTop:
          return {TA_RIGHT | TA_TOP, q, 0, -h, 0};
        case sideLeft:
          return {TA_CENTER | TA_TOP, 0, 0, -h, 0};
        case sideRight:
          return {TA_CENTER | TA_BOTTOM, rest, 0, -h, 0};
      }
      break;
    default:
      break;
  }
  // Any other angle: every line at the anchor itself.
  return {TA_LEFT | TA_TOP, 0, 0, 0, 0};
}

}  // namespace

void TCustomChartAxis::Draw(bool calcPosAxis) {
  TCanvas3D* c = Canvas();
  if (!c || !chart_) return;
  dateTimeAxis_ = CalcDateTimeAxis();
  SetCanvasFont(*labelsFont_);
  if (calcPosAxis) axisPos_ = ShiftedAxisLinePos(chart_->PlotRect());

  // Everything a drawing shows is known before the first pixel is drawn.
  CalcLabels(drawn_);

  if (!title_->Caption().empty()) DrawTitle();
  for (const TAxisLabel& label : drawn_.Items) DrawLabel(label.Pos, label.Text);

  if (axisPen_->Visible()) {
    c->AssignVisiblePen(*axisPen_);
    DrawAxisLine();
  }
  if (ticks_->Visible()) DrawTicks(*ticks_, 1, tickLength_);
  if (grid_->Visible()) DrawGrid();
  if (ticksInner_->Visible()) DrawTicks(*ticksInner_, -1, -tickInnerLength_);
  if (minorTicks_->Visible() || minorGrid_->Visible()) DrawMinor();
}

void TCustomChartAxis::DrawTitle() {
  TCanvas3D* c = Canvas();
  SetCanvasFont(*title_->Font());
  c->Brush().SetStyle(fw::bsClear);
  const int z = otherSide_ ? chart_->DepthOffsetX() : 0;
  if (horizontal_)
    DrawAnchoredText(centerPixel_, titlePos_, z, title_->Caption(), title_->Angle());
  else
    DrawAnchoredText(titlePos_, centerPixel_, z, title_->Caption(), title_->Angle());
}

void TCustomChartAxis::DrawLabel(int pos, const std::string& text) {
  TCanvas3D* c = Canvas();
  SetCanvasFont(*labelsFont_);
  c->Brush().SetColor(chart_->PanelColor());
  c->Brush().SetStyle(fw::bsClear);
  if (chart_->Printing() && c->Font().Color() == fw::clWhite) c->Font().SetColor(fw::clBlack);
  if (isDepthAxis_) {
    c->SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
    const int h = c->FontHeight();
    int y = chart_->PlotRect().Bottom;
    ForEachLine(text, [&](std::string_view line) {
      c->TextOut3D(labelsPos_, y, pos, std::string(line));
      y += h;
    });
    return;
  }
  const int z = otherSide_ ? chart_->DepthOffsetX() : 0;
  if (horizontal_)
    DrawAnchoredText(pos, labelsPos_, z, text, labelsAngle_);
  else
    DrawAnchoredText(labelsPos_, pos, z, text, labelsAngle_);
}

void TCustomChartAxis::DrawAnchoredText(int x, int y, int z, const std::string& text, int angle) {
  TCanvas3D* c = Canvas();
  const int h = c->FontHeight();
  const int m = LineCount(text);
  const int q = h / 2 + RoundHalfEven(h * (m + 1) / 2.0) - h;
  const TAxisSide side =
      horizontal_ ? (otherSide_ ? sideTop : sideBottom) : (otherSide_ ? sideRight : sideLeft);
  const TAnchor a = AnchorFor(side, angle, h, m, q);
  c->SetTextAlign(a.Align);
  int px = x + a.Dx;
  int py = y + a.Dy;
  auto write = [&](const std::string& line) {
    if (angle == 0)
      c->TextOut3D(px, py, z, line);
    else
      c->RotateLabel3D(px, py, z, line, angle);
    px += a.StepX;
    py += a.StepY;
  };
  if (m == 1)
    write(text);
  else
    ForEachLine(text, [&](std::string_view line) { write(std::string(line)); });
  c->SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
}

void TCustomChartAxis::DrawAxisLine() {
  TCanvas3D* c = Canvas();
  const fw::TRect& plot = chart_->PlotRect();
  const int depth = chart_->DepthOffsetX();
  if (isDepthAxis_) {
    c->ZLine3D(plot.Right, plot.Bottom + WallSize(false, false), 0, depth);
  } else if (horizontal_) {
    if (otherSide_)
      c->HorizLine3D(startPixel_, endPixel_, axisPos_, depth);
    else
      c->HorizLine3D(startPixel_ - WallSize(false, true), endPixel_,
                     axisPos_ + WallSize(true, false), 0);
  } else {
    if (otherSide_)
      c->VertLine3D(axisPos_, startPixel_, endPixel_, depth);
    else
      c->VertLine3D(axisPos_ - WallSize(true, false), startPixel_,
                    endPixel_ + WallSize(false, false), 0);
  }
}

void TCustomChartAxis::DrawTick(int pos, int offset, int length) {
  TCanvas3D* c = Canvas();
  if (isDepthAxis_) {
    c->HorizLine3D(axisPos_ + offset, axisPos_ + offset + length, chart_->PlotRect().Bottom, pos);
    return;
  }
  const int depth = chart_->DepthOffsetX();
  if (horizontal_) {
    if (otherSide_) {
      c->VertLine3D(pos, axisPos_ - offset, axisPos_ - offset - length, depth);
    } else {
      const int from = axisPos_ + offset + WallSize(true, false);
      c->VertLine3D(pos, from, from + length, 0);
    }
  } else {
    if (otherSide_) {
      c->HorizLine3D(axisPos_ + offset, axisPos_ + offset + length, pos, depth);
    } else {
      const int from = axisPos_ - offset - WallSize(true, false);
      c->HorizLine3D(from, from - length, pos, 0);
    }
  }
}

void TCustomChartAxis::DrawTicks(const TChartPen& pen, int offset, int length) {
  Canvas()->AssignVisiblePen(pen);
  const TAxisTickList& ticks = drawn_.Ticks;
  for (int i = 0; i < ticks.Count(); ++i) DrawTick(ticks.Pos(i), offset, length);
}

void TCustomChartAxis::DrawGridLine(int pos) {
  TCanvas3D* c = Canvas();
  const fw::TRect& plot = chart_->PlotRect();
  const int depth = chart_->DepthOffsetX();
  if (isDepthAxis_) {
    c->VertLine3D(plot.Left, plot.Top, plot.Bottom, pos);
    c->HorizLine3D(plot.Left, plot.Right, plot.Bottom, pos);
  } else if (!chart_->View3D()) {
    if (horizontal_)
      c->VertLine(pos, plot.Top, plot.Bottom);
    else
      c->HorizLine(plot.Left, plot.Right, pos);
  } else if (otherSide_) {
    if (horizontal_)
      c->VertLine3D(pos, plot.Top, plot.Bottom, depth);
    else
      c->HorizLine3D(plot.Left, plot.Right, pos, depth);
  } else if (horizontal_) {
    // Along the floor from the axis, then up the back wall.
    c->ZLine3D(pos, axisPos_ + WallSize(true, false), 0, depth);
    c->VertLine3D(pos, plot.Top, plot.Bottom, depth);
  } else {
    c->ZLine3D(axisPos_ - WallSize(true, false), pos, 0, depth);
    c->HorizLine3D(plot.Left, plot.Right, pos, depth);
  }
}

// Grid pens are dotted: the gaps stay transparent over the back wall.
static void PrepareGridPen(TCanvas3D& c, const TChartPen& pen, bool printing) {
  c.Brush().SetStyle(fw::bsClear);
  c.SetBackMode(fw::TRANSPARENT);
  c.AssignVisiblePen(pen);
  if (printing && pen.Style() != fw::psSolid && pen.Width() == 1) c.Pen().SetWidth(0);
  if (c.Pen().Color() == clAutoColor) c.Pen().SetColor(fw::clGray);
}

void TCustomChartAxis::DrawGrid() {
  TCanvas3D* c = Canvas();
  PrepareGridPen(*c, *grid_, chart_->Printing());
  const TAxisTickList& ticks = drawn_.Ticks;
  if (gridCentered_) {
    for (int i = 1; i < ticks.Count(); ++i)
      DrawGridLine(RoundHalfEven((ticks.Pos(i - 1) + static_cast<double>(ticks.Pos(i))) * 0.5));
  } else {
    for (int i = 0; i < ticks.Count(); ++i) DrawGridLine(ticks.Pos(i));
  }
  c->SetBackMode(fw::OPAQUE);
}

template <class F>
void TCustomChartAxis::ForEachMinorPos(F&& each) {
  const int count = std::clamp(minorTickCount_, 0, kMaxMinorTickCount);
  const TAxisTickList& ticks = drawn_.Ticks;
  const int n = ticks.Count();
  if (count == 0 || n == 0) return;
  auto emit = [&](int pos) {
    if (startPixel_ < pos && pos < endPixel_) each(pos);
  };
  if (!logarithmic_) {
    if (n < 2) return;
    // Beyond the ends the first interval's spacing continues.
    const double spacing = (ticks.Pos(1) - static_cast<double>(ticks.Pos(0))) / (count + 1);
    for (int j = 1; j <= count; ++j) emit(RoundHalfEven(ticks.Pos(0) - j * spacing));
    for (int i = 1; i < n; ++i) {
      const int a = ticks.Pos(i - 1);
      const double width = ticks.Pos(i) - static_cast<double>(a);
      for (int j = 1; j <= count; ++j) emit(a + RoundHalfEven(j * width / (count + 1)));
    }
    for (int j = 1; j <= count; ++j) emit(RoundHalfEven(ticks.Pos(n - 1) + j * spacing));
    return;
  }
  const double base = logarithmicBase_;
  for (int i = 0; i < n; ++i) {
    double v = ticks.Value(i);
    const double step = (base * v - v) / (count + 1);
    for (int j = 1; j <= count; ++j) {
      v += step;
      if (v > rangeMax_) break;
      emit(CalcPosValue(v));
    }
  }
}

void TCustomChartAxis::DrawMinor() {
  TCanvas3D* c = Canvas();
  if (minorTicks_->Visible()) {
    c->AssignVisiblePen(*minorTicks_);
    ForEachMinorPos([&](int pos) { DrawTick(pos, 1, minorTickLength_); });
  }
  if (minorGrid_->Visible()) {
    PrepareGridPen(*c, *minorGrid_, chart_->Printing());
    ForEachMinorPos([&](int pos) { DrawGridLine(pos); });
    c->SetBackMode(fw::OPAQUE);
  }
}

}  // namespace tee
