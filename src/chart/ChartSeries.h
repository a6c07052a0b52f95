// TChartSeries: the base class of every series.
//
// A series is a named, coloured set of points belonging to one chart (`ParentChart`) and drawn
// against one horizontal and one vertical axis of it. It owns its points: one TChartValueList per
// dimension (`XValues`, `YValues`, and further lists of series types that need them, all in
// `ValuesList` in creation order) plus a colour and a label per point, all index-aligned. It owns
// its marks and its function. It answers the axes' range questions, finds the points inside the
// visible axis range, keeps the series that take their data from it (its linked series) up to
// date, and makes its chart's repaint request after every change; it never paints by itself.
//
// Typical use (the measured profile):
//   series.Clear();
//   for (auto& p : profile) series.AddXY(p.x, p.y, std::to_string(p.x), fw::clRed);
// With XValues ordered ascending (the default), `AddXY` returns the sorted position of the point,
// not the number of points added before it.
//
// The virtual operations are declared in the order of the series' table of overridable
// operations; series types override the drawing ones (`DrawValue`, `DrawLegendShape`, ...).
//
// Published: Active, ColorEachPoint, ColorSource, Cursor, HorizAxis, Marks, ParentChart (not
// stored), DataSource, PercentFormat, SeriesColor, ShowInLegend, Title, ValueFormat, VertAxis,
// XLabelsSource, AfterDrawValues, BeforeDrawValues, OnAfterAdd, OnBeforeAdd, OnClearValues,
// OnClick, OnDblClick, OnGetMarkText; custom stored values: DataSources, Identifier, Style.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/ChartTypes.h"
#include "chart/ChartValueList.h"
#include "chart/IndexedStore.h"
#include "chart/SeriesMarks.h"
#include "framework/core/Component.h"
#include "framework/core/Geometry.h"
#include "framework/core/Input.h"
#include "framework/core/Value.h"

namespace fw {
enum TBrushStyle : std::uint8_t;  // the framework brush's fill styles
}

namespace tee {

class TCanvas3D;
class TCustomAxisPanel;
class TSeriesAxis;
class TTeeFunction;
class TChartSeries;

using TSeriesOnAfterAdd = fw::TEvent<void(TChartSeries* Sender, int ValueIndex)>;
using TSeriesOnBeforeAdd = fw::TEvent<bool(TChartSeries* Sender)>;
using TSeriesOnClear = fw::TEvent<void(TChartSeries* Sender)>;
using TSeriesClick = fw::TEvent<void(TChartSeries* Sender, int ValueIndex, fw::TMouseButton Button,
                                     fw::TShiftState Shift, int X, int Y)>;
using TSeriesOnGetMarkText =
    fw::TEvent<void(TChartSeries* Sender, int ValueIndex, std::string& MarkText)>;

class TChartSeries : public fw::TComponent {
  FW_CLASS

 public:
  explicit TChartSeries(fw::TComponent* owner);
  ~TChartSeries() override;

  // Copies the settings of another series (colours, formats, axes, flags, marks, the value lists'
  // settings); not its points, Name, chart, data sources or event handlers (AssignValues copies
  // points).
  void Assign(const fw::TPersistent* source) override;
  // Resolves the data-source names read from a window description.
  void Loaded() override;
  // A removed data source is dropped (the first one: DataSource becomes none).
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

  // ---- Overridable operations, in table order ----

  // Adds the source's point `sourceIndex` (X through the ordered add, Y and further dimensions at
  // the index it took) and returns that index.
  virtual int CopyPointValues(TChartSeries* source, int sourceIndex);
  // CopyPointValues plus the source's colour and label of the point, then NotifyNewValue.
  virtual void AddPointFrom(TChartSeries* source, int sourceIndex);
  // Replaces the points by the source's (through the function when there is one).
  virtual void AssignValues(TChartSeries* source);
  // Empties every value list, the colours, the labels and the marks' positions.
  virtual void ClearData();
  virtual void SourceValueDeleted(TChartSeries* source, int valueIndex);
  virtual void DoAfterDrawValues();
  // Called by the chart on every active series at the start of its paint.
  virtual void DoBeforeDrawChart();
  virtual void DoBeforeDrawValues();
  // DrawValue for FirstValueIndex..LastValueIndex (backwards when DrawValuesForward is false).
  virtual void DrawAllValues();
  // Draws one mark at the position (remembered as drawn unless it is custom), in the point's colour
  // at the marks' depth.
  virtual void DrawMark(int valueIndex, const std::string& text, TSeriesMarkPosition* position);
  // Draws one point; series types fill it in.
  virtual void DrawValue(int valueIndex);
  virtual TColor ValueColor(int valueIndex) const;
  virtual std::string XLabel(int valueIndex) const;
  virtual double XValue(int valueIndex) const;
  virtual double YValue(int valueIndex) const;
  // After a point was added: OnAfterAdd, the linked series, a repaint request when Active.
  virtual void NotifyNewValue(TChartSeries* sender, int valueIndex);
  virtual bool SharesZOrder() const;
  virtual void SetActive(bool value);
  virtual void SetColorEachPoint(bool value);
  virtual void SetParentChart(TCustomAxisPanel* chart);
  virtual void SetSeriesColor(TColor value);
  virtual int Add(double value, const std::string& label = std::string(),
                  TColor color = clAutoColor);
  virtual int AddNull(const std::string& label = std::string());
  virtual int AddNullXY(double x, double y, const std::string& label = std::string());
  virtual int AddXY(double x, double y, const std::string& label = std::string(),
                    TColor color = clAutoColor);
  virtual bool UsesAxis(const TSeriesAxis* axis) const;
  virtual void Clear();
  virtual int Count() const;
  virtual void Delete(int valueIndex);
  virtual void FillSampleValues(int numValues);
  virtual void SetChart3D(bool value);
  virtual bool IsValidSourceOf(TChartSeries* series) const;
  virtual bool IsValidSource(TChartSeries* series) const;
  virtual int LegendToValueIndex(int legendIndex) const;
  virtual TColor LegendItemColor(int legendIndex) const;
  virtual std::string LegendString(int legendIndex, TLegendTextStyle style) const;
  virtual double MaxXValue() const;
  virtual double MaxYValue() const;
  virtual double MaxZValue() const;
  virtual double MinXValue() const;
  virtual double MinYValue() const;
  virtual double MinZValue() const;
  virtual int NumSampleValues() const;
  virtual void PrepareGallerySample(bool enabled);
  virtual std::string EditorClassName() const;
  virtual int CalcXPos(int valueIndex) const;
  virtual int CalcYPos(int valueIndex) const;
  virtual void InsertExtraValues(int valueIndex);
  virtual TChartValueList* ValueListByName(const std::string& name) const;
  virtual int Clicked(int x, int y);
  virtual double MarkValue(int valueIndex) const;
  virtual double MandatoryValue(int valueIndex) const;
  virtual double PointOrigin(int valueIndex, bool sumAll) const;
  virtual TChartValueList* MandatoryValueList() const;
  virtual bool DrawValuesForward() const;
  virtual bool DrawSeriesForward(int valueIndex) const;
  virtual void SwapValueIndex(int a, int b);
  virtual void CalcZOrder();
  // Called by the chart on every series while the mouse moves over it.
  virtual void DoSeriesMouseMove(bool flag, int x, int y);
  virtual bool DoSeriesClick(int valueIndex, fw::TMouseButton button, fw::TShiftState shift, int x,
                             int y);
  // Called by the chart on every series when a mouse button is released.
  virtual void DoSeriesMouseUp(int x, int y);
  virtual void ClearPendingValue(TChartValueList* list);
  virtual void DrawLegend(int valueIndex, const fw::TRect& rect);
  virtual void DrawLegendShape(int valueIndex, const fw::TRect& rect);
  virtual void PrepareLegendCanvas(int valueIndex, TColor& backColor, fw::TBrushStyle& brushStyle);
  virtual void CalcHorizMargins(int& left, int& right);
  virtual void CalcVerticalMargins(int& top, int& bottom);
  virtual bool UseAxis() const;
  // Takes ownership of the function (null: none) and re-reads the data source.
  virtual void SetFunction(std::unique_ptr<TTeeFunction> function);
  virtual void CanvasChanged(fw::TObject* sender);

  // ---- Non-overridable operations ----

  void RecalcGetAxis();
  void CalcFirstLastVisibleIndex();
  // The repaint request: passed to the chart (which ignores it until created); nothing without one.
  void Repaint() const;
  // Tells every linked series of a change, by their RecalcOptions.
  void NotifyValue(TValueEvent event, int valueIndex);
  bool IsNull(int valueIndex) const { return ValueColor(valueIndex) == clNone; }
  TSeriesAxis* GetHorizAxis() const { return horizAxisObject_; }
  TSeriesAxis* GetVertAxis() const { return vertAxisObject_; }
  int ZOrderValue() const { return zOrder_ == -1 ? calcZOrder_ : zOrder_; }
  bool YMandatory() const { return MandatoryValueList() == yValues_.get(); }
  // The text of mark `valueIndex` by the marks' Style, then OnGetMarkText.
  std::string MarkText(int valueIndex);
  // The marks of the points FirstValueIndex..LastValueIndex that are not null and have a text: the
  // box around each text (as wide as the text plus "W", as high as its lines, plus twice the
  // frame's width when the frame is visible) sits on the point; a custom remembered position is
  // drawn as stored. The chart calls it after the points when the marks are visible.
  void DrawMarks();

  // ---- Properties ----

  bool Active() const { return active_; }
  TColor SeriesColor() const { return seriesColor_; }
  bool ColorEachPoint() const { return colorEachPoint_; }
  const std::string& ColorSource() const { return colorSource_; }
  void SetColorSource(const std::string& value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value) { cursor_ = value; }
  int FirstValueIndex() const { return firstValueIndex_; }
  int LastValueIndex() const { return lastValueIndex_; }
  const std::string& XLabelsSource() const { return xLabelsSource_; }
  void SetXLabelsSource(const std::string& value);
  TSeriesMarks* Marks() const { return marks_.get(); }
  void SetMarks(TSeriesMarks* value);
  TCustomAxisPanel* ParentChart() const { return parentChart_; }
  const std::string& PercentFormat() const { return percentFormat_; }
  void SetPercentFormat(const std::string& value);
  bool ShowInLegend() const { return showInLegend_; }
  void SetShowInLegend(bool value);
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& value);
  const std::string& ValueFormat() const { return valueFormat_; }
  void SetValueFormat(const std::string& value);
  const std::vector<TChartValueList*>& ValuesList() const { return valuesList_; }
  TChartValueList* XValues() const { return xValues_.get(); }
  void SetXValues(TChartValueList* value);
  TChartValueList* YValues() const { return yValues_.get(); }
  void SetYValues(TChartValueList* value);
  THorizAxis HorizAxis() const { return horizAxis_; }
  void SetHorizAxis(THorizAxis value);
  TVertAxis VertAxis() const { return vertAxis_; }
  void SetVertAxis(TVertAxis value);
  TSeriesAxis* CustomHorizAxis() const { return customHorizAxis_; }
  void SetCustomHorizAxis(TSeriesAxis* axis);
  TSeriesAxis* CustomVertAxis() const { return customVertAxis_; }
  void SetCustomVertAxis(TSeriesAxis* axis);
  int ZOrder() const { return zOrder_; }
  void SetZOrder(int value);
  TSeriesRecalcOptions RecalcOptions() const { return recalcOptions_; }
  void SetRecalcOptions(TSeriesRecalcOptions value) { recalcOptions_ = value; }
  TTeeFunction* FunctionType() const { return function_.get(); }
  std::uint8_t Style() const { return style_; }
  void SetStyle(std::uint8_t value) { style_ = value; }
  const std::string& Identifier() const { return identifier_; }
  void SetIdentifier(const std::string& value) { identifier_ = value; }
  int CalculatedZOrder() const { return calcZOrder_; }
  bool CalcVisiblePoints() const { return calcVisiblePoints_; }
  void SetCalcVisiblePoints(bool value) { calcVisiblePoints_ = value; }
  bool DrawBetweenPoints() const { return drawBetweenPoints_; }
  void SetDrawBetweenPoints(bool value) { drawBetweenPoints_ = value; }
  bool AllPoints() const { return allPoints_; }
  void SetAllPoints(bool value) { allPoints_ = value; }
  bool HasNoDepthValues() const { return noDepthValues_; }
  void SetHasNoDepthValues(bool value) { noDepthValues_ = value; }
  int StartZ() const { return startZ_; }
  void SetStartZ(int value) { startZ_ = value; }
  int MiddleZ() const { return middleZ_; }
  void SetMiddleZ(int value) { middleZ_ = value; }
  int EndZ() const { return endZ_; }
  void SetEndZ(int value) { endZ_ = value; }

  // Own colour of a point (repaint request); the colour list grows to the index when needed.
  void SetValueColor(int valueIndex, TColor color);
  // Own label of a point (repaint request).
  void SetXLabel(int valueIndex, const std::string& label);
  // Number of points with an entry in the colour list and in the label list (at most Count).
  int ColorCount() const { return static_cast<int>(colors_.Size()); }
  // What TChartSeries::ValueColor gives: the point's own colour, else the palette colour with
  // ColorEachPoint, else the series colour.
  TColor StoredValueColor(int valueIndex) const {
    if (valueIndex >= 0 && valueIndex < ColorCount())
      return ColorOf(colors_.At(static_cast<std::size_t>(valueIndex)), valueIndex);
    return seriesColor_;
  }
  // The colour list from `valueIndex` (< ColorCount()) on, as far as it lies in one piece, and
  // the colour of a point with entry `stored` in it.
  std::span<const TColor> StoredColorRun(int valueIndex) const {
    return colors_.Run(static_cast<std::size_t>(valueIndex));
  }
  TColor ColorOf(TColor stored, int valueIndex) const {
    if (stored != clAutoColor) return stored;
    return colorEachPoint_ ? GetDefaultColor(valueIndex) : seriesColor_;
  }
  int LabelCount() const { return static_cast<int>(labels_.Size()); }
  // The label list's entry (valueIndex < LabelCount()), without a copy.
  const std::string& StoredLabel(int valueIndex) const {
    return labels_.At(static_cast<std::size_t>(valueIndex));
  }
  // Changes whenever any label changes, moves, or comes or goes; unique across all series.
  std::uint64_t LabelsRevision() const { return labelsRevision_; }

  // Data sources: the first is DataSource. Setting it validates the source through the chart (see
  // the errors of ChartException) and copies its points; none removes every source.
  fw::TComponent* DataSource() const {
    return dataSources_.empty() ? nullptr : dataSources_.front();
  }
  void SetDataSource(fw::TComponent* value);
  const std::vector<fw::TComponent*>& DataSources() const { return dataSources_; }
  // The series that take their data from this one.
  const std::vector<TChartSeries*>& LinkedSeries() const { return linkedSeries_; }

  // Called by the chart when it takes this series out of its list: leaves the linked lists of its
  // sources and forgets the chart and its axes (the data-source list stays).
  void RemovedFromChart();

  // Events.
  fw::TNotifyEvent AfterDrawValues;
  fw::TNotifyEvent BeforeDrawValues;
  TSeriesOnAfterAdd OnAfterAdd;
  TSeriesOnBeforeAdd OnBeforeAdd;
  TSeriesOnClear OnClearValues;
  TSeriesClick OnClick;
  TSeriesClick OnDblClick;
  TSeriesOnGetMarkText OnGetMarkText;

 protected:
  // Stores the value; a repaint request when it changed.
  template <class T>
  void ChangeProperty(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Repaint();
  }
  // Puts a colour or label at an index, padding the list with "none" entries up to it, so that the
  // lists stay index-aligned with the values.
  void InsertColor(int valueIndex, TColor color);
  void InsertLabel(int valueIndex, const std::string& label);
  // Gives the labels a new revision.
  void LabelsChanged();

 private:
  friend class TChartValueList;
  void AddValueList(TChartValueList* list);
  void RemoveValueList(TChartValueList* list);
  // Raises CircularDataSource when `source` depends on this series through its data sources.
  void CheckCircular(TChartSeries* source) const;
  void RemoveFromSources();
  void AddLinkedSeries(TChartSeries* series);
  void RemoveLinkedSeries(TChartSeries* series);
  std::string PercentText(int valueIndex) const;
  // smsLegend: the text the chart's legend writes for the point.
  std::string LegendMarkText(int valueIndex) const;
  // smsXValue: the X value as the horizontal axis writes its labels.
  std::string XValueMarkText(int valueIndex) const;
  // Makes the marks' font the canvas font (zoomed with a 3D zoom) and measures line height and "W".
  void PrepareMarksFont(TCanvas3D& canvas);
  // The computed position of a mark on the point.
  TSeriesMarkPosition MarkPosition(TCanvas3D& canvas, int valueIndex, const std::string& text);
  fw::TStringList DataSourceNames() const;
  void SetDataSourceNames(const fw::TStringList& names);

  bool active_ = true;
  TColor seriesColor_ = clAutoColor;
  bool colorEachPoint_ = false;
  TIndexedStore<TColor> colors_;
  std::string colorSource_;
  TCursor cursor_ = 0;
  std::vector<fw::TComponent*> dataSources_;
  int firstValueIndex_ = -1;
  TSeriesAxis* horizAxisObject_ = nullptr;
  TSeriesAxis* vertAxisObject_ = nullptr;
  std::string xLabelsSource_;
  int lastValueIndex_ = -1;
  std::vector<TChartSeries*> linkedSeries_;
  std::unique_ptr<TSeriesMarks> marks_;
  TCustomAxisPanel* parentChart_ = nullptr;
  std::string percentFormat_;
  bool showInLegend_ = true;
  std::optional<fw::TStringList> pendingDataSources_;
  std::string title_;
  std::string valueFormat_;
  std::vector<TChartValueList*> valuesList_;
  std::unique_ptr<TChartValueList> xValues_;
  TIndexedStore<std::string> labels_;
  std::uint64_t labelsRevision_ = 0;
  std::unique_ptr<TChartValueList> yValues_;
  THorizAxis horizAxis_ = aBottomAxis;
  TSeriesAxis* customHorizAxis_ = nullptr;
  TSeriesAxis* customVertAxis_ = nullptr;
  int zOrder_ = -1;
  TVertAxis vertAxis_ = aLeftAxis;
  TSeriesRecalcOptions recalcOptions_ = kAllRecalcOptions;
  std::unique_ptr<TTeeFunction> function_;
  std::uint8_t style_ = 0;
  std::string identifier_;
  int calcZOrder_ = 0;
  bool calcVisiblePoints_ = true;
  bool drawBetweenPoints_ = false;
  bool allPoints_ = true;
  bool noDepthValues_ = false;
  int startZ_ = 0;
  int middleZ_ = 0;
  int endZ_ = 0;
  // The marks' font metrics of the DrawMarks in progress.
  int marksLineHeight_ = 0;
  int marksExtraWidth_ = 0;
};

}  // namespace tee
