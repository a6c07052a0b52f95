// TSeriesMarks: the value labels of a series and the positions they were last drawn at.
//
// Owned by its series, which it asks to repaint whenever a setting changes. It owns the pen of the
// line from a point to its mark (`Arrow`), the pen of the box's frame (`Frame`) and the text font
// (`Font`, the chart's default font to start with); their own change notices go to the series'
// `CanvasChanged`. It also owns the list of remembered mark positions, which the series empties
// with its points (`Clear`) and shortens when a point is deleted (`Delete`).
//
// A mark looks like a value label: the arrow line from the point to the box, then the box filled
// with `BackColor` (not filled when `Transparent`) and outlined with `Frame`, then the text lines
// in `Font`, centred in the box. The series computes where (TChartSeries::DrawMarks); the marks
// object only draws (`Draw`).
//
// Published: Arrow, ArrowLength, BackColor (default 0x80FFFF), Clip (default false), Font (stored
// only when it differs from the chart's default font), Frame, Style (default smsLabel),
// Transparent (default false), Visible. ArrowLength and Visible are always stored.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chart/ChartTypes.h"
#include "chart/TeCanvasPen.h"
#include "framework/core/Font.h"
#include "framework/core/Geometry.h"
#include "framework/core/Persistent.h"

namespace tee {

class TCanvas3D;
class TChartSeries;
class TTextWidthCache;

// Where one mark was drawn; a custom position is drawn as stored instead of being computed.
struct TSeriesMarkPosition {
  fw::TPoint ArrowFrom;
  fw::TPoint ArrowTo;
  fw::TPoint LeftTop;
  int Width = 0;
  int Height = 0;
  bool Custom = false;

  fw::TRect Bounds() const {
    return fw::Rect(LeftTop.X, LeftTop.Y, LeftTop.X + Width, LeftTop.Y + Height);
  }
  friend bool operator==(const TSeriesMarkPosition&, const TSeriesMarkPosition&) = default;
};

// One entry per point index, as last drawn; an entry may be missing (never drawn).
class TSeriesMarksPositions {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  // The entry at index, or nullptr when missing or beyond the list.
  TSeriesMarkPosition* Position(int index) const;
  // The entry at index, created (not custom) when missing; the list grows up to the index.
  TSeriesMarkPosition& Ensure(int index);
  void Delete(int index);
  void Clear() { std::vector<std::unique_ptr<TSeriesMarkPosition>>().swap(items_); }

 private:
  std::vector<std::unique_ptr<TSeriesMarkPosition>> items_;
};

class TSeriesMarks : public fw::TPersistent {
  FW_CLASS

 public:
  // `parent` owns the marks and is never null.
  explicit TSeriesMarks(TChartSeries* parent);
  ~TSeriesMarks() override;

  // Copies the settings from other marks (the pens and the font by assignment); not the
  // positions.
  void Assign(const fw::TPersistent* source) override;

  TChartSeries* ParentSeries() const { return parent_; }
  TSeriesMarksPositions& Positions() { return positions_; }
  const TSeriesMarksPositions& Positions() const { return positions_; }

  TChartArrowPen* Arrow() const { return arrow_.get(); }
  void SetArrow(TChartArrowPen* value) { arrow_->Assign(value); }
  int ArrowLength() const { return arrowLength_; }
  void SetArrowLength(int value);
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor value);
  bool Clip() const { return clip_; }
  void SetClip(bool value);
  fw::TFont* Font() const { return font_.get(); }
  void SetFont(fw::TFont* value) { font_->Assign(value); }
  TChartPen* Frame() const { return frame_.get(); }
  void SetFrame(TChartPen* value) { frame_->Assign(value); }
  TSeriesMarksStyle Style() const { return style_; }
  void SetStyle(TSeriesMarksStyle value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  int ZPosition() const { return zPosition_; }
  void SetZPosition(int value) { zPosition_ = value; }

  // The widest line of a mark text in the canvas' current font. Widths are kept between paints
  // (the cache empties itself when the font or surface changes), so a text is shaped once.
  int TextWidth(TCanvas3D& canvas, const std::string& text);

  // Draws one mark at `position` on the canvas, which already holds the marks' font: the arrow
  // (an clAutoColor arrow or frame pen takes `color`), the box and the text lines, `lineHeight`
  // apart, centred in it. In 3D the mark lies at depth `z`; the text keeps the canvas font as it
  // is (already zoomed by the series).
  void Draw(TCanvas3D& canvas, bool is3D, const TSeriesMarkPosition& position, TColor color,
            const std::string& text, int lineHeight, int z) const;

 private:
  template <class T>
  void Change(T& field, T value);

  std::unique_ptr<TChartArrowPen> arrow_;
  int arrowLength_ = 8;
  TColor backColor_ = 0x80FFFF;
  bool transparent_ = false;
  bool clip_ = false;
  std::unique_ptr<TChartPen> frame_;
  std::unique_ptr<fw::TFont> font_;
  TSeriesMarksStyle style_ = smsLabel;
  TChartSeries* parent_;
  TSeriesMarksPositions positions_;
  bool visible_ = false;
  int zPosition_ = 0;
  std::unique_ptr<TTextWidthCache> widths_;
};

}  // namespace tee
