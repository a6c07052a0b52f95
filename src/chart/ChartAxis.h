// The chart's axes: value-to-pixel mapping, ranges, label steps, labels, ticks, grid and title.
//
// Every chart owns five axes, created in this order into its axes list: BottomAxis, TopAxis,
// LeftAxis, RightAxis (TChartAxis) and DepthAxis (TChartDepthAxis); further axes may be appended.
// The chart gives each its fixed place (`SetHorizontal`, `SetOtherSide`, `SetDefaultTitleAngle`).
// An axis keeps its chart (`ParentChart`, not owned) for everything it needs of it: the plot
// rectangle, the data ranges of the series, the canvas, the label events and the repaint request
// (see TeeProcs.h, "What the axes need of their chart").
//
// One paint runs, per axis: `UpdateRange` (the range from the data or the fixed ends),
// `ReserveSpace` (title, labels, ticks: room taken from the plot rectangle), `CalcPixelRange`
// (the pixel ends along `PlotRect`), `ApplyMargins` (room for the series' points at automatic
// ends), then `Draw`. Between these, series place points with `CalcXPosValue` / `CalcYPosValue`:
// a few floating-point operations with no allocation.
//
// Computing is kept apart from drawing: `CalcLabels` produces the labels of a drawing (values,
// texts, pixel positions) and the tick list without drawing anything (it measures text on the
// chart's canvas); `Draw` draws what it produced. The arithmetic of steps lives in
// ChartAxisSteps.h.
//
// Setters compare before they store and then make the chart's repaint request; refused values
// raise AxisException (angles: ChartException) with the engine's message and keep the old value.
// `Minimum` and `Maximum` skip their order check while the chart is being read from its stored
// form, so that stored pairs load in either order.
//
// Published (TChartAxis): Automatic, AutomaticMaximum, AutomaticMinimum, Axis, AxisValuesFormat,
// DateTimeFormat, ExactDateTime, Grid, GridCentered, Increment, Inverted, Labels, LabelsAngle,
// LabelsFont, LabelsMultiLine, LabelsOnAxis, LabelsSeparation, LabelsSize, LabelStyle,
// Logarithmic, LogarithmicBase, Maximum, Minimum, MinorGrid, MinorTickCount, MinorTickLength,
// MinorTicks, StartPosition, EndPosition, PositionPercent, RoundFirstLabel, TickInnerLength,
// TickLength, TickOnLabelsOnly, Ticks, TicksInner, Title, TitleSize, Visible.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chart/AxisPixelMap.h"
#include "chart/ChartAxisSteps.h"
#include "chart/ChartAxisTypes.h"
#include "chart/SeriesAxis.h"
#include "chart/TeCanvasFont.h"
#include "chart/TeCanvasPen.h"
#include "framework/core/Font.h"
#include "framework/core/Geometry.h"
#include "framework/core/Persistent.h"

namespace tee {

class TCustomAxisPanel;
class TCanvas3D;
class TTextWidthCache;
class TTeeCanvas;

// The axis title: a caption in its own font at its own angle. Its `Angle` is stored only when it
// differs from the axis' default title angle (90 for the left axis, 270 for the right one).
// Published: Angle, Caption, Font.
class TChartAxisTitle : public TChartFontObject {
  FW_CLASS

 public:
  explicit TChartAxisTitle(TCustomChartAxis* axis);

  TCustomChartAxis* Axis() const { return axis_; }
  int Angle() const { return angle_; }
  // 0 to 360; otherwise ChartException "Axis Title Angle must be between 0 and 359 degrees".
  void SetAngle(int value);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);

  // From another axis title: angle, caption and font.
  void Assign(const fw::TPersistent* source) override;

 private:
  friend class TCustomChartAxis;
  TCustomChartAxis* axis_;
  int angle_ = 0;
  std::string caption_;
};

// One label of a drawing: its value, the pixel along the axis and the text to draw there.
struct TAxisLabel {
  double Value = 0;
  int Pos = 0;
  std::string Text;
};

// The pixel positions (and values) of the labels of one drawing, for ticks and grid. Holds at most
// 2000 entries; further positions are dropped.
class TAxisTickList {
 public:
  static constexpr int kCapacity = 2000;

  void Clear() { count_ = 0; }
  // False (and nothing stored) when the list is full.
  bool Add(int pos, double value);
  int Count() const { return count_; }
  int Pos(int index) const { return pos_[static_cast<std::size_t>(index)]; }
  double Value(int index) const { return value_[static_cast<std::size_t>(index)]; }

 private:
  std::vector<int> pos_ = std::vector<int>(kCapacity);
  std::vector<double> value_ = std::vector<double>(kCapacity);
  int count_ = 0;
};

// What one drawing of an axis shows, computed before anything is drawn.
struct TAxisLabels {
  TAxisLabelStyle Style = talNone;  // the resolved label style
  double Increment = 0;             // Δ, the step between value labels
  int DateTimeStep = dtNone;        // the date-time step index of exact date-time labels
  std::vector<TAxisLabel> Items;    // in drawing order
  TAxisTickList Ticks;
};

class TCustomChartAxis : public fw::TPersistent, public TSeriesAxis {
  FW_CLASS

 public:
  // Joins the chart's axes list (a null chart is allowed for an axis that is only copied from).
  explicit TCustomChartAxis(TCustomAxisPanel* chart);
  ~TCustomChartAxis() override;

  // Copies every published property and the depth flag from another axis; one repaint request.
  void Assign(const fw::TPersistent* source) override;

  TCustomAxisPanel* ParentChart() const { return chart_; }

  // ---- Fixed place, set by the chart when it creates its axes ----
  bool Horizontal() const override { return horizontal_; }
  void SetHorizontal(bool value) { horizontal_ = value; }
  // Top or right side, or the far side in depth.
  bool OtherSide() const { return otherSide_; }
  void SetOtherSide(bool value) { otherSide_ = value; }
  bool IsDepthAxis() const override { return isDepthAxis_; }
  void SetIsDepthAxis(bool value) { isDepthAxis_ = value; }
  int DefaultTitleAngle() const { return defaultTitleAngle_; }
  // Also turns the title to that angle.
  void SetDefaultTitleAngle(int value);

  // ---- Properties ----
  bool Automatic() const { return automatic_; }
  // Also sets both automatic ends to the value, except while the chart is being loaded.
  void SetAutomatic(bool value);
  bool AutomaticMaximum() const { return automaticMaximum_; }
  // False clears Automatic; true while AutomaticMinimum is true sets it.
  void SetAutomaticMaximum(bool value);
  bool AutomaticMinimum() const { return automaticMinimum_; }
  void SetAutomaticMinimum(bool value);
  TChartAxisPen* Axis() const { return axisPen_.get(); }
  void SetAxis(TChartPen* value) { axisPen_->Assign(value); }
  const std::string& AxisValuesFormat() const { return axisValuesFormat_; }
  void SetAxisValuesFormat(const std::string& value);
  const std::string& DateTimeFormat() const { return dateTimeFormat_; }
  void SetDateTimeFormat(const std::string& value);
  bool ExactDateTime() const { return exactDateTime_; }
  void SetExactDateTime(bool value);
  TDottedGrayPen* Grid() const { return grid_.get(); }
  void SetGrid(TChartPen* value) { grid_->Assign(value); }
  bool GridCentered() const { return gridCentered_; }
  void SetGridCentered(bool value);
  double Increment() const { return increment_; }
  // Refuses a value below 0 or not a number: "Axis increment must be >= 0".
  void SetIncrement(double value);
  bool Inverted() const override { return inverted_; }
  void SetInverted(bool value);
  bool Labels() const { return labels_; }
  void SetLabels(bool value);
  int LabelsAngle() const { return labelsAngle_; }
  // 0 to 360; otherwise ChartException "Axis Labels Angle must be between 0 and 359 degrees".
  void SetLabelsAngle(int value);
  fw::TFont* LabelsFont() const { return labelsFont_.get(); }
  void SetLabelsFont(fw::TFont* value) { labelsFont_->Assign(value); }
  bool LabelsMultiLine() const { return labelsMultiLine_; }
  void SetLabelsMultiLine(bool value);
  bool LabelsOnAxis() const { return labelsOnAxis_; }
  void SetLabelsOnAxis(bool value);
  int LabelsSeparation() const { return labelsSeparation_; }
  // Refuses a value below 0: "Labels Separation % must be greater than 0".
  void SetLabelsSeparation(int value);
  int LabelsSize() const { return labelsSize_; }
  void SetLabelsSize(int value);
  TAxisLabelStyle LabelStyle() const { return labelStyle_; }
  void SetLabelStyle(TAxisLabelStyle value);
  bool Logarithmic() const { return logarithmic_; }
  // Turning it on refuses a date-time axis ("DateTime Axis cannot be Logarithmic") and, after
  // UpdateRange, a negative range end ("Logarithmic Axis Min and Max values should be >= 0").
  void SetLogarithmic(bool value);
  int LogarithmicBase() const { return logarithmicBase_; }
  // Refuses a value below 2: "Axis Logarithmic Base should be >= 2".
  void SetLogarithmicBase(int value);
  double Maximum() const { return maximum_; }
  // Refuses a value below Minimum ("Axis Maximum Value must be >= Minimum") unless loading.
  void SetMaximum(double value);
  double Minimum() const { return minimum_; }
  // Refuses a value above Maximum ("Axis Minimum Value must be <= Maximum") unless loading.
  void SetMinimum(double value);
  TChartHiddenPen* MinorGrid() const { return minorGrid_.get(); }
  void SetMinorGrid(TChartPen* value) { minorGrid_->Assign(value); }
  int MinorTickCount() const { return minorTickCount_; }
  void SetMinorTickCount(int value);
  int MinorTickLength() const { return minorTickLength_; }
  void SetMinorTickLength(int value);
  TDarkGrayPen* MinorTicks() const { return minorTicks_.get(); }
  void SetMinorTicks(TChartPen* value) { minorTicks_->Assign(value); }
  double StartPosition() const { return startPosition_; }
  void SetStartPosition(double value);
  double EndPosition() const { return endPosition_; }
  void SetEndPosition(double value);
  double PositionPercent() const { return positionPercent_; }
  void SetPositionPercent(double value);
  bool RoundFirstLabel() const { return roundFirstLabel_; }
  void SetRoundFirstLabel(bool value);
  int TickInnerLength() const { return tickInnerLength_; }
  void SetTickInnerLength(int value);
  int TickLength() const { return tickLength_; }
  void SetTickLength(int value);
  bool TickOnLabelsOnly() const { return tickOnLabelsOnly_; }
  void SetTickOnLabelsOnly(bool value);
  TDarkGrayPen* Ticks() const { return ticks_.get(); }
  void SetTicks(TChartPen* value) { ticks_->Assign(value); }
  TDarkGrayPen* TicksInner() const { return ticksInner_.get(); }
  void SetTicksInner(TChartPen* value) { ticksInner_->Assign(value); }
  TChartAxisTitle* Title() const { return title_.get(); }
  void SetTitle(TChartAxisTitle* value) { title_->Assign(value); }
  int TitleSize() const { return titleSize_; }
  void SetTitleSize(int value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  // ---- Working state of the current layout and paint ----
  double RangeMin() const { return rangeMin_; }
  double RangeMax() const { return rangeMax_; }
  double RangeSize() const { return rangeSize_; }
  int StartPixel() const { return startPixel_; }
  int EndPixel() const { return endPixel_; }
  int PixelLength() const { return pixelLength_; }
  int CenterPixel() const { return centerPixel_; }
  int AxisPos() const { return axisPos_; }
  int LabelsPos() const { return labelsPos_; }
  int TitlePos() const { return titlePos_; }
  // Set by ReserveSpace and Draw (see CalcDateTimeAxis).
  bool DateTimeAxis() const { return dateTimeAxis_; }
  // The labels and tick list of the last drawing.
  const TAxisLabels& LastLabels() const { return drawn_; }

  // ---- Range ----
  // Automatic ends from the chart's data, then RangeMin, RangeMax and RangeSize.
  void UpdateRange();
  // A fixed range in one call: clears the automatic flags, orders the pair, keeps at least 1e-10
  // between the ends.
  void SetMinMax(double minimum, double maximum);
  // Shifts both ends by `offset`; with `checkLimits` only towards data beyond the current end.
  void Scroll(double offset, bool checkLimits);
  // Widens the range so that the data leaves the given pixels free at the ends (left and right for
  // a horizontal axis, top and bottom for a vertical one).
  void ApplyMargins(int left, int top, int right, int bottom);

  // ---- Position and room ----
  // StartPixel, EndPixel, PixelLength and CenterPixel from the chart's PlotRect.
  void CalcPixelRange();
  // Takes the room of title, labels, ticks and wall from `rect` (main axes) and sets AxisPos,
  // LabelsPos and TitlePos; further axes leave `rect` alone and place themselves on it.
  void ReserveSpace(fw::TRect& rect, bool mainAxis);
  // The axis line position across `rect`, shifted by PositionPercent.
  int ShiftedAxisLinePos(const fw::TRect& rect) const;

  // ---- Conversion ----
  int CalcXPosValue(double value) const override;
  int CalcYPosValue(double value) const override;
  double CalcPosPoint(int pixel) const override;
  // The conversion CalcXPosValue (`xDirection`) or CalcYPosValue makes, as a value, for a linear
  // axis; false for a logarithmic or depth axis.
  bool LinearPixelMap(bool xDirection, TAxisPixelMap& map) const;

  // ---- Labels ----
  // The label style of a drawing: LabelStyle, with talAuto resolved from the chart's series.
  TAxisLabelStyle CalcLabelStyle() const;
  // Whether the first active series drawn against this axis has date-time values on it.
  bool CalcDateTimeAxis() const;
  // Δ, the step between value labels, from the room the labels need (measured on the chart's
  // canvas in LabelsFont).
  double CalcIncrement();
  // The date-time step index of exact date-time labels for the step Δ; dtNone otherwise.
  int CalcDateTimeStepIndex(double delta) const;
  // The labels of a drawing and their tick positions, nothing drawn: what Draw would show with the
  // current range, pixel range and settings. Measures text on the chart's canvas in LabelsFont.
  void CalcLabels(TAxisLabels& labels);
  // The text of a value label: AxisValuesFormat, or the date-time format on a date-time axis; then
  // OnGetAxisLabel; then spaces become line breaks with LabelsMultiLine.
  std::string FormatLabel(double value);

  // ---- Drawing ----
  // Draws the whole axis: title, labels, axis line, ticks, grid, inner ticks, minor ticks, minor
  // grid. With `calcPosAxis`, AxisPos is first placed on the chart's PlotRect.
  void Draw(bool calcPosAxis);
  // True when (x, y) lies on the axis or its labels and the chart shows the axis.
  bool HitTest(int x, int y) const;

 protected:
  // Stores the value and makes the chart's repaint request when it changed.
  template <class T>
  void ChangeProperty(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Repaint();
  }
  void Repaint() const;

 private:
  friend class TChartAxisTitle;

  bool ChartLoading() const;
  TCanvas3D* Canvas() const;
  void SetCanvasFont(const fw::TFont& font) const;
  // Range bookkeeping for the logarithmic rule.
  void SetRange(double rangeMin, double rangeMax);
  TAxisPixelMap LinearMap(bool xDirection) const;
  int LinearPos(double value, bool xDirection) const;
  int LogPos(double value) const;
  int DepthPos(double value) const;

  // Labels (ChartAxisLabels.cpp).
  int LabelSizeForIncrement();
  void AddValueLabel(TAxisLabels& labels, double value);
  void CalcLinearLabels(TAxisLabels& labels);
  void CalcLogLabels(TAxisLabels& labels);
  void CalcEventLabels(TAxisLabels& labels);
  void CalcDepthTextLabels(TAxisLabels& labels);
  void CalcMarkTextLabels(TAxisLabels& labels);
  // CalcMarkTextLabels for one label series whose values run in order, with point labels of one
  // line measured across the axis, no label event and no tick per point: the same labels from a
  // tight pass over the values with the label widths kept per point. False when that pass does
  // not apply (nothing done).
  bool CalcOrderedTextLabels(TAxisLabels& labels, const TChartSeries& series, int firstIndex,
                             int endIndex);
  std::string SeriesLabelText(TChartSeries* series, int index, TAxisLabelStyle style) const;

  // Room (ChartAxisSpace.cpp).
  int TickRoom() const;
  int LabelsRoom();
  int TitleRoom();
  int TextRoom(const fw::TFont& font, int angle, int fixedSize, const std::string* text);
  int WidestLabel();
  void TakeRoom(fw::TRect& rect, int pixels) const;
  int Outwards(int pos, int pixels) const;
  int AxisLinePos(const fw::TRect& rect) const;

  // Drawing (ChartAxisDraw.cpp).
  void DrawTitle();
  void DrawLabel(int pos, const std::string& text);
  void DrawAnchoredText(int x, int y, int z, const std::string& text, int angle);
  void DrawAxisLine();
  void DrawTicks(const TChartPen& pen, int offset, int length);
  void DrawTick(int pos, int offset, int length);
  void DrawGrid();
  void DrawGridLine(int pos);
  void DrawMinor();
  template <class F>
  void ForEachMinorPos(F&& each);
  int WallSize(bool ofThisAxis, bool leftAxis) const;

  TCustomAxisPanel* chart_;

  bool horizontal_ = false;
  bool otherSide_ = false;
  bool isDepthAxis_ = false;
  int defaultTitleAngle_ = 0;

  bool automatic_ = true;
  bool automaticMaximum_ = true;
  bool automaticMinimum_ = true;
  std::unique_ptr<TChartAxisPen> axisPen_;
  std::string axisValuesFormat_;
  std::string dateTimeFormat_;
  bool exactDateTime_ = true;
  std::unique_ptr<TDottedGrayPen> grid_;
  bool gridCentered_ = false;
  double increment_ = 0;
  bool inverted_ = false;
  bool labels_ = true;
  int labelsAngle_ = 0;
  std::unique_ptr<fw::TFont> labelsFont_;
  bool labelsMultiLine_ = false;
  bool labelsOnAxis_ = true;
  int labelsSeparation_ = 10;
  int labelsSize_ = 0;
  TAxisLabelStyle labelStyle_ = talAuto;
  bool logarithmic_ = false;
  int logarithmicBase_ = 10;
  double maximum_ = 0;
  double minimum_ = 0;
  std::unique_ptr<TChartHiddenPen> minorGrid_;
  int minorTickCount_ = 3;
  int minorTickLength_ = 2;
  std::unique_ptr<TDarkGrayPen> minorTicks_;
  double startPosition_ = 0;
  double endPosition_ = 100;
  double positionPercent_ = 0;
  bool roundFirstLabel_ = true;
  int tickInnerLength_ = 0;
  int tickLength_ = 4;
  bool tickOnLabelsOnly_ = true;
  std::unique_ptr<TDarkGrayPen> ticks_;
  std::unique_ptr<TDarkGrayPen> ticksInner_;
  std::unique_ptr<TChartAxisTitle> title_;
  int titleSize_ = 0;
  bool visible_ = true;

  double rangeMin_ = 0;
  double rangeMax_ = 0;
  double rangeSize_ = 0;
  // ln of the range ends for the logarithmic rule (0 for an end <= 0).
  double logMin_ = 0;
  double logMax_ = 0;
  int startPixel_ = 0;
  int endPixel_ = 0;
  int pixelLength_ = 0;
  int centerPixel_ = 0;
  int axisPos_ = 0;
  int labelsPos_ = 0;
  int titlePos_ = 0;
  bool dateTimeAxis_ = false;
  // While set, FormatLabel does not call the chart's OnGetAxisLabel.
  bool suppressLabelEvent_ = false;
  TAxisLabels drawn_;
  std::vector<TChartSeries*> labelSeries_;   // scratch list of the mark and text labels
  std::unique_ptr<TTextWidthCache> widths_;  // widths of mark and text labels
  // The widths of one series' point labels by index (-1: not measured yet), for the labels,
  // surface and font they were measured for.
  struct TPointLabelWidths {
    static constexpr int kBlock = 64;
    const TChartSeries* Series = nullptr;
    std::uint64_t Revision = 0;
    std::uint64_t FontKey = 0;
    std::vector<std::int32_t> Widths;
    std::vector<std::int32_t> BlockMin;  // the narrowest of each block of kBlock points, or -1

    // Keeps what was measured while the series, its labels and the font stay.
    void Follow(const TChartSeries& series, std::uint64_t fontKey);
    // The width of label i, and the narrowest label of block b (all of whose labels exist),
    // measured once.
    std::int32_t WidthOf(int i, TTextWidthCache& cache, TTeeCanvas& canvas);
    std::int32_t BlockMinOf(int b, TTextWidthCache& cache, TTeeCanvas& canvas);
  };
  TPointLabelWidths pointWidths_;
};

// An axis with its properties published; the class of the bottom, top, left and right axes and of
// further axes.
class TChartAxis : public TCustomChartAxis {
  FW_CLASS

 public:
  explicit TChartAxis(TCustomAxisPanel* chart) : TCustomChartAxis(chart) {}
};

// The depth axis: runs into the screen in 3D, on the far side; invisible by default and shown only
// in 3D. Its automatic labels are the series titles.
class TChartDepthAxis : public TChartAxis {
  FW_CLASS

 public:
  explicit TChartDepthAxis(TCustomAxisPanel* chart);
};

}  // namespace tee
