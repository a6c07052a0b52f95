// TSeriesMarks: the value labels of a series and the positions they were last drawn at.
//
// Owned by its series, which it asks to repaint whenever a setting changes. The data model keeps
// the settings that need no drawing objects (arrow length, back colour, transparency, clipping,
// style, visibility, depth) and the list of remembered mark positions, which the series empties
// with its points (`Clear`) and shortens when a point is deleted (`Delete`). The arrow pen, frame
// pen and font, and the drawing of a mark, come with the marks' drawing.
//
// Published (so far): ArrowLength, BackColor (default 0x80FFFF), Clip (default false),
// Style (default smsLabel), Transparent (default false), Visible.
#pragma once

#include <memory>
#include <vector>

#include "chart/ChartTypes.h"
#include "framework/core/Geometry.h"
#include "framework/core/Persistent.h"

namespace tee {

class TChartSeries;

// Where one mark was drawn; a custom position is drawn as stored instead of being computed.
struct TSeriesMarkPosition {
  fw::TPoint ArrowFrom;
  fw::TPoint ArrowTo;
  fw::TPoint LeftTop;
  int Width = 0;
  int Height = 0;
  bool Custom = false;
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
  explicit TSeriesMarks(TChartSeries* parent);

  // Copies the settings from other marks.
  void Assign(const fw::TPersistent* source) override;

  TChartSeries* ParentSeries() const { return parent_; }
  TSeriesMarksPositions& Positions() { return positions_; }
  const TSeriesMarksPositions& Positions() const { return positions_; }

  int ArrowLength() const { return arrowLength_; }
  void SetArrowLength(int value);
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor value);
  bool Clip() const { return clip_; }
  void SetClip(bool value);
  TSeriesMarksStyle Style() const { return style_; }
  void SetStyle(TSeriesMarksStyle value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  int ZPosition() const { return zPosition_; }
  void SetZPosition(int value) { zPosition_ = value; }

 private:
  template <class T>
  void Change(T& field, T value);

  int arrowLength_ = 8;
  TColor backColor_ = 0x80FFFF;
  bool transparent_ = false;
  bool clip_ = false;
  TSeriesMarksStyle style_ = smsLabel;
  TChartSeries* parent_;
  TSeriesMarksPositions positions_;
  bool visible_ = false;
  int zPosition_ = 0;
};

}  // namespace tee
