// TChartTitle: the chart's title (above the plot) and foot (below it); one class for both.
//
// Lines of `Text` in `Font` (blue by default), each placed by `Alignment` over the plot rectangle,
// optionally on a background (`Color`, or `Brush`) inside a `Frame`. Drawing a title takes its
// room off the chart's PlotRect: n lines take n × line height + the title margin (5 pixels), plus
// twice the frame width when the frame counts (visible and not clAutoColor). `AdjustFrame` makes
// the frame and background hug the widest line instead of the plot width. The rectangle of the
// last paint answers the hit test.
//
// Owned by the chart, which it asks for a repaint whenever a property really changes.
// Published: AdjustFrame (true), Alignment (taCenter), Brush, Color (clAutoColor), Font (stored
// only when it differs from Arial 8 blue without style), Frame (hidden), Text, Visible (true).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chart/TeCanvasBrush.h"
#include "chart/TeCanvasFont.h"
#include "chart/TeCanvasPen.h"
#include "framework/core/Control.h"
#include "framework/core/Geometry.h"
#include "framework/core/Value.h"

namespace tee {

class TCustomChart;

// Where a title's parts go in one paint, computed before anything is drawn.
struct TTitleLayout {
  struct Line {
    int X = 0;  // the text's top-left corner
    int Y = 0;
    std::string Text;
    friend bool operator==(const Line&, const Line&) = default;
  };
  fw::TRect Rect;      // the frame and background; the hit-test rectangle
  bool Boxed = false;  // a frame or a background is drawn in Rect
  std::vector<Line> Lines;
  fw::TRect Plot;  // the plot rectangle the title leaves
  friend bool operator==(const TTitleLayout&, const TTitleLayout&) = default;
};

class TChartTitle : public TChartFontObject {
  FW_CLASS

 public:
  explicit TChartTitle(TCustomChart* chart);
  ~TChartTitle() override;

  // From another title: AdjustFrame, Alignment, Brush, Color, Frame, Text, Visible, then the font.
  void Assign(const fw::TPersistent* source) override;

  TCustomChart* ParentChart() const { return chart_; }

  bool AdjustFrame() const { return adjustFrame_; }
  void SetAdjustFrame(bool value);
  fw::TAlignment Alignment() const { return alignment_; }
  void SetAlignment(fw::TAlignment value);
  TChartBrush* Brush() const { return brush_.get(); }
  void SetBrush(TChartBrush* value) { brush_->Assign(value); }
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TChartHiddenPen* Frame() const { return frame_.get(); }
  void SetFrame(TChartPen* value) { frame_->Assign(value); }
  const fw::TStringList& Text() const { return text_; }
  void SetText(const fw::TStringList& value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  // Draws the lines (title: top-down from the plot's top; foot: bottom-up from its bottom) and
  // takes their room off the chart's PlotRect: CalcLayout, DrawLayout, then the plot it leaves.
  void Draw(bool isTitle);
  // The layout over the chart's current PlotRect, measured in the title's font (which it leaves
  // on the chart's canvas). Draws nothing and changes nothing.
  TTitleLayout CalcLayout(bool isTitle) const;
  // Paints a layout: background, frame and lines.
  void DrawLayout(const TTitleLayout& layout);
  // True when the title is visible and (x, y) lies in its rectangle of the last paint.
  bool Clicked(int x, int y) const;
  const fw::TRect& TitleRect() const { return layout_.Rect; }
  const TTitleLayout& LastLayout() const { return layout_; }

 private:
  void Repaint() const;
  // The frame counts for the room when it is visible and has a colour.
  bool FrameCounts() const;
  // True when the background set up for drawing lets the chart show through (no frame, nothing
  // to fill).
  bool ClearBackground() const;
  void PrepareBackground();

  TCustomChart* chart_;
  bool adjustFrame_ = true;
  fw::TAlignment alignment_ = fw::taCenter;
  std::unique_ptr<TChartBrush> brush_;
  TColor color_;
  std::unique_ptr<TChartHiddenPen> frame_;
  fw::TStringList text_;
  bool visible_ = true;
  TTitleLayout layout_;  // of the last paint
};

// True when `font` is a title's default font (Arial 8, blue, no style), which is not stored.
bool IsDefaultTitleFont(const fw::TFont& font);

}  // namespace tee
