// TChartWall: the back, left and bottom walls of the chart.
//
// In 2D only the back wall is drawn: it frames and fills the plot rectangle (one pixel wider and
// higher than it). In 3D the walls are flat planes or, with a `Size`, boxes of that thickness
// behind and beside the plot (the chart's DrawWalls places them). A wall whose `Color` is
// clAutoColor and whose brush is solid is not filled; otherwise it is filled with `Color` in the
// brush's style. `Dark3D` darkens the side faces of a wall box.
//
// Each wall records a default colour (clAutoColor, or the one the chart gives it at creation: the
// left wall light yellow, the bottom wall white); `Color` is stored only when it differs from it.
// Owned by the chart, which it asks for a repaint whenever a property really changes.
// Published: ParentChart (read only), Brush, Color, Dark3D (true), Pen, Size (0).
#pragma once

#include <memory>

#include "chart/TeCanvasBrush.h"
#include "chart/TeCanvasPen.h"
#include "framework/core/Persistent.h"

namespace tee {

class TCustomChart;

class TCustomChartWall : public fw::TPersistent {
  FW_CLASS

 public:
  explicit TCustomChartWall(TCustomChart* chart);
  ~TCustomChartWall() override;

  // From another wall: Brush, Color, Dark3D, Pen, Size.
  void Assign(const fw::TPersistent* source) override;

  TCustomChart* ParentChart() const { return chart_; }

  TChartBrush* Brush() const { return brush_.get(); }
  void SetBrush(TChartBrush* value) { brush_->Assign(value); }
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool Dark3D() const { return dark3D_; }
  void SetDark3D(bool value);
  TChartPen* Pen() const { return pen_.get(); }
  void SetPen(TChartPen* value) { pen_->Assign(value); }
  int Size() const { return size_; }
  void SetSize(int value);

  TColor DefaultColor() const { return defaultColor_; }
  // Gives the wall its colour and records it as the default (not stored).
  void InitColor(TColor value);

  // Sets up the chart's canvas for drawing this wall.
  void PrepareCanvas() const;
  // Whether the side faces of a wall box are darkened: a filled brush without bitmap, and Dark3D.
  bool HasDarkSides() const;

 private:
  void Repaint() const;

  TCustomChart* chart_;
  std::unique_ptr<TChartBrush> brush_;
  TColor color_;
  TColor defaultColor_;
  bool dark3D_ = true;
  std::unique_ptr<TChartPen> pen_;
  int size_ = 0;
};

class TChartWall : public TCustomChartWall {
  FW_CLASS

 public:
  using TCustomChartWall::TCustomChartWall;
};

}  // namespace tee
