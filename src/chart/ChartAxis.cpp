#include "chart/ChartAxis.h"

#include <cmath>

#include "chart/ChartAxisText.h"
#include "chart/ChartErrors.h"
#include "chart/TeeProcs.h"
#include "framework/core/ClassBuilder.h"

namespace tee {

using fw::TValue;

// ---- TChartAxisTitle ----

const fw::TClassInfo& TChartAxisTitle::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TChartAxisTitle>("TChartAxisTitle", TChartFontObject::StaticClass())
          .Property("Angle", &TChartAxisTitle::Angle, &TChartAxisTitle::SetAngle)
          .StoredWhen([](const TChartAxisTitle& t) {
            return !t.axis_ || t.angle_ != t.axis_->DefaultTitleAngle();
          })
          .Property("Caption", &TChartAxisTitle::Caption, &TChartAxisTitle::SetCaption)
          .Default(TValue(std::string()))
          .Build();
  return info;
}

TChartAxisTitle::TChartAxisTitle(TCustomChartAxis* axis)
    : TChartFontObject([axis](fw::TObject*) {
        if (axis) axis->Repaint();
      }),
      axis_(axis) {}

void TChartAxisTitle::SetAngle(int value) {
  if (value == angle_) return;
  if (value < 0 || value > 360)
    throw ChartException(TTeeMessage::AngleRange, {TeeMsg(TTeeMessage::AxisTitleName)});
  angle_ = value;
  if (axis_) axis_->Repaint();
}

void TChartAxisTitle::SetCaption(const std::string& value) {
  if (value == caption_) return;
  caption_ = value;
  if (axis_) axis_->Repaint();
}

void TChartAxisTitle::Assign(const fw::TPersistent* source) {
  const auto* other = dynamic_cast<const TChartAxisTitle*>(source);
  if (!other) return TChartFontObject::Assign(source);
  angle_ = other->angle_;
  caption_ = other->caption_;
  TChartFontObject::Assign(source);
  if (axis_) axis_->Repaint();
}

// ---- TAxisTickList ----

bool TAxisTickList::Add(int pos, double value) {
  if (count_ >= kCapacity) return false;
  pos_[static_cast<std::size_t>(count_)] = pos;
  value_[static_cast<std::size_t>(count_)] = value;
  ++count_;
  return true;
}

// ---- TCustomChartAxis ----

const fw::TClassInfo& TCustomChartAxis::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TCustomChartAxis>("TCustomChartAxis", fw::TPersistent::StaticClass())
          .Build();
  return info;
}

const fw::TClassInfo& TChartAxis::StaticClass() {
  using A = TCustomChartAxis;
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TChartAxis>("TChartAxis", TCustomChartAxis::StaticClass())
          .Property("Automatic", &A::Automatic, &A::SetAutomatic)
          .Default(TValue(true))
          .Property("AutomaticMaximum", &A::AutomaticMaximum, &A::SetAutomaticMaximum)
          .Default(TValue(true))
          .Property("AutomaticMinimum", &A::AutomaticMinimum, &A::SetAutomaticMinimum)
          .Default(TValue(true))
          .Property("Axis", &A::Axis, &A::SetAxis)
          .Property("AxisValuesFormat", &A::AxisValuesFormat, &A::SetAxisValuesFormat)
          .Default(TValue(TeeMsg(TTeeMessage::DefaultValueFormat)))
          .Property("DateTimeFormat", &A::DateTimeFormat, &A::SetDateTimeFormat)
          .Default(TValue(std::string()))
          .Property("ExactDateTime", &A::ExactDateTime, &A::SetExactDateTime)
          .Default(TValue(true))
          .Property("Grid", &A::Grid, &A::SetGrid)
          .Property("GridCentered", &A::GridCentered, &A::SetGridCentered)
          .Default(TValue(false))
          .Property("Increment", &A::Increment, &A::SetIncrement)
          .Default(TValue(0.0))
          .Property("Inverted", &A::Inverted, &A::SetInverted)
          .Default(TValue(false))
          .Property("Labels", &A::Labels, &A::SetLabels)
          .Default(TValue(true))
          .Property("LabelsAngle", &A::LabelsAngle, &A::SetLabelsAngle)
          .Default(TValue(std::int64_t{0}))
          .Property("LabelsFont", &A::LabelsFont, &A::SetLabelsFont)
          .StoredWhen([](const A& a) { return !IsDefaultChartFont(*a.LabelsFont()); })
          .Property("LabelsMultiLine", &A::LabelsMultiLine, &A::SetLabelsMultiLine)
          .Default(TValue(false))
          .Property("LabelsOnAxis", &A::LabelsOnAxis, &A::SetLabelsOnAxis)
          .Default(TValue(true))
          .Property("LabelsSeparation", &A::LabelsSeparation, &A::SetLabelsSeparation)
          .Default(TValue(std::int64_t{10}))
          .Property("LabelsSize", &A::LabelsSize, &A::SetLabelsSize)
          .Default(TValue(std::int64_t{0}))
          .Property("LabelStyle", &A::LabelStyle, &A::SetLabelStyle)
          .Default(TValue(std::int64_t{talAuto}))
          .Property("Logarithmic", &A::Logarithmic, &A::SetLogarithmic)
          .Default(TValue(false))
          .Property("LogarithmicBase", &A::LogarithmicBase, &A::SetLogarithmicBase)
          .Default(TValue(std::int64_t{10}))
          .Property("Maximum", &A::Maximum, &A::SetMaximum)
          .Default(TValue(0.0))
          .StoredWhen([](const A& a) { return !a.AutomaticMaximum(); })
          .Property("Minimum", &A::Minimum, &A::SetMinimum)
          .Default(TValue(0.0))
          .StoredWhen([](const A& a) { return !a.AutomaticMinimum(); })
          .Property("MinorGrid", &A::MinorGrid, &A::SetMinorGrid)
          .Property("MinorTickCount", &A::MinorTickCount, &A::SetMinorTickCount)
          .Default(TValue(std::int64_t{3}))
          .Property("MinorTickLength", &A::MinorTickLength, &A::SetMinorTickLength)
          .Default(TValue(std::int64_t{2}))
          .Property("MinorTicks", &A::MinorTicks, &A::SetMinorTicks)
          .Property("StartPosition", &A::StartPosition, &A::SetStartPosition)
          .Default(TValue(0.0))
          .Property("EndPosition", &A::EndPosition, &A::SetEndPosition)
          .Default(TValue(100.0))
          .Property("PositionPercent", &A::PositionPercent, &A::SetPositionPercent)
          .Default(TValue(0.0))
          .Property("RoundFirstLabel", &A::RoundFirstLabel, &A::SetRoundFirstLabel)
          .Default(TValue(true))
          .Property("TickInnerLength", &A::TickInnerLength, &A::SetTickInnerLength)
          .Default(TValue(std::int64_t{0}))
          .Property("TickLength", &A::TickLength, &A::SetTickLength)
          .Default(TValue(std::int64_t{4}))
          .Property("TickOnLabelsOnly", &A::TickOnLabelsOnly, &A::SetTickOnLabelsOnly)
          .Default(TValue(true))
          .Property("Ticks", &A::Ticks, &A::SetTicks)
          .Property("TicksInner", &A::TicksInner, &A::SetTicksInner)
          .Property("Title", &A::Title, &A::SetTitle)
          .Property("TitleSize", &A::TitleSize, &A::SetTitleSize)
          .Default(TValue(std::int64_t{0}))
          .Property("Visible", &A::Visible, &A::SetVisible)
          .Default(TValue(true))
          .Build();
  return info;
}

const fw::TClassInfo& TChartDepthAxis::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TChartDepthAxis>("TChartDepthAxis", TChartAxis::StaticClass())
          .Property("Visible", &TCustomChartAxis::Visible, &TCustomChartAxis::SetVisible)
          .Default(TValue(false))
          .Build();
  return info;
}

TCustomChartAxis::TCustomChartAxis(TCustomAxisPanel* chart) : chart_(chart) {
  const fw::TNotifyEvent repaint = [this](fw::TObject*) { Repaint(); };
  axisPen_ = std::make_unique<TChartAxisPen>(repaint);
  axisValuesFormat_ = TeeMsg(TTeeMessage::DefaultValueFormat);
  grid_ = std::make_unique<TDottedGrayPen>(repaint);
  labelsFont_ = std::make_unique<fw::TFont>();
  SetDefaultChartFont(*labelsFont_);
  labelsFont_->OnChange = repaint;
  minorGrid_ = std::make_unique<TChartHiddenPen>(repaint);
  minorTicks_ = std::make_unique<TDarkGrayPen>(repaint);
  ticks_ = std::make_unique<TDarkGrayPen>(repaint);
  ticksInner_ = std::make_unique<TDarkGrayPen>(repaint);
  title_ = std::make_unique<TChartAxisTitle>(this);
  widths_ = std::make_unique<TTextWidthCache>();
  if (chart_) chart_->AddAxis(this);
}

TCustomChartAxis::~TCustomChartAxis() {
  if (chart_) chart_->RemoveAxis(this);
}

TChartDepthAxis::TChartDepthAxis(TCustomAxisPanel* chart) : TChartAxis(chart) {
  SetIsDepthAxis(true);
  SetOtherSide(true);
  SetVisible(false);
}

void TCustomChartAxis::Repaint() const {
  if (chart_) chart_->Invalidate();
}

bool TCustomChartAxis::ChartLoading() const {
  return chart_ && chart_->Loading();
}

void TCustomChartAxis::SetDefaultTitleAngle(int value) {
  defaultTitleAngle_ = value;
  title_->angle_ = value;
}

void TCustomChartAxis::Assign(const fw::TPersistent* source) {
  const auto* o = dynamic_cast<const TCustomChartAxis*>(source);
  if (!o) return fw::TPersistent::Assign(source);
  automatic_ = o->automatic_;
  automaticMaximum_ = o->automaticMaximum_;
  automaticMinimum_ = o->automaticMinimum_;
  axisPen_->Assign(o->axisPen_.get());
  axisValuesFormat_ = o->axisValuesFormat_;
  dateTimeFormat_ = o->dateTimeFormat_;
  exactDateTime_ = o->exactDateTime_;
  grid_->Assign(o->grid_.get());
  gridCentered_ = o->gridCentered_;
  increment_ = o->increment_;
  inverted_ = o->inverted_;
  labels_ = o->labels_;
  labelsAngle_ = o->labelsAngle_;
  labelsFont_->Assign(o->labelsFont_.get());
  labelsMultiLine_ = o->labelsMultiLine_;
  labelsOnAxis_ = o->labelsOnAxis_;
  labelsSeparation_ = o->labelsSeparation_;
  labelsSize_ = o->labelsSize_;
  labelStyle_ = o->labelStyle_;
  logarithmic_ = o->logarithmic_;
  logarithmicBase_ = o->logarithmicBase_;
  maximum_ = o->maximum_;
  minimum_ = o->minimum_;
  minorGrid_->Assign(o->minorGrid_.get());
  minorTickCount_ = o->minorTickCount_;
  minorTickLength_ = o->minorTickLength_;
  minorTicks_->Assign(o->minorTicks_.get());
  startPosition_ = o->startPosition_;
  endPosition_ = o->endPosition_;
  positionPercent_ = o->positionPercent_;
  roundFirstLabel_ = o->roundFirstLabel_;
  tickInnerLength_ = o->tickInnerLength_;
  tickLength_ = o->tickLength_;
  tickOnLabelsOnly_ = o->tickOnLabelsOnly_;
  ticks_->Assign(o->ticks_.get());
  ticksInner_->Assign(o->ticksInner_.get());
  title_->Assign(o->title_.get());
  titleSize_ = o->titleSize_;
  visible_ = o->visible_;
  isDepthAxis_ = o->isDepthAxis_;
  Repaint();
}

// ---- Setters ----

void TCustomChartAxis::SetAutomatic(bool value) {
  if (value == automatic_) return;
  automatic_ = value;
  // While loading, each flag arrives with its own stored value.
  if (!ChartLoading()) automaticMinimum_ = automaticMaximum_ = value;
  Repaint();
}

void TCustomChartAxis::SetAutomaticMaximum(bool value) {
  if (value == automaticMaximum_) return;
  automaticMaximum_ = value;
  if (!value)
    automatic_ = false;
  else if (automaticMinimum_)
    automatic_ = true;
  Repaint();
}

void TCustomChartAxis::SetAutomaticMinimum(bool value) {
  if (value == automaticMinimum_) return;
  automaticMinimum_ = value;
  if (!value)
    automatic_ = false;
  else if (automaticMaximum_)
    automatic_ = true;
  Repaint();
}

void TCustomChartAxis::SetAxisValuesFormat(const std::string& value) {
  ChangeProperty(axisValuesFormat_, value);
}
void TCustomChartAxis::SetDateTimeFormat(const std::string& value) {
  ChangeProperty(dateTimeFormat_, value);
}
void TCustomChartAxis::SetExactDateTime(bool value) {
  ChangeProperty(exactDateTime_, value);
}
void TCustomChartAxis::SetGridCentered(bool value) {
  ChangeProperty(gridCentered_, value);
}

void TCustomChartAxis::SetIncrement(double value) {
  if (value == increment_) return;
  if (!(value >= 0)) throw AxisException(TTeeMessage::AxisIncrement);
  increment_ = value;
  Repaint();
}

void TCustomChartAxis::SetInverted(bool value) {
  ChangeProperty(inverted_, value);
}
void TCustomChartAxis::SetLabels(bool value) {
  ChangeProperty(labels_, value);
}

void TCustomChartAxis::SetLabelsAngle(int value) {
  if (value == labelsAngle_) return;
  if (value < 0 || value > 360)
    throw ChartException(TTeeMessage::AngleRange, {TeeMsg(TTeeMessage::AxisLabelsName)});
  labelsAngle_ = value;
  Repaint();
}

void TCustomChartAxis::SetLabelsMultiLine(bool value) {
  ChangeProperty(labelsMultiLine_, value);
}
void TCustomChartAxis::SetLabelsOnAxis(bool value) {
  ChangeProperty(labelsOnAxis_, value);
}

void TCustomChartAxis::SetLabelsSeparation(int value) {
  if (value == labelsSeparation_) return;
  if (value < 0) throw AxisException(TTeeMessage::AxisLabelSeparation);
  labelsSeparation_ = value;
  Repaint();
}

void TCustomChartAxis::SetLabelsSize(int value) {
  ChangeProperty(labelsSize_, value);
}
void TCustomChartAxis::SetLabelStyle(TAxisLabelStyle value) {
  ChangeProperty(labelStyle_, value);
}

void TCustomChartAxis::SetLogarithmic(bool value) {
  if (value == logarithmic_) return;
  if (value) {
    if (CalcDateTimeAxis()) throw AxisException(TTeeMessage::AxisLogDateTime);
    UpdateRange();
    if (rangeMin_ < 0 || rangeMax_ < 0) throw AxisException(TTeeMessage::AxisLogNegative);
  }
  logarithmic_ = value;
  Repaint();
}

void TCustomChartAxis::SetLogarithmicBase(int value) {
  if (value == logarithmicBase_) return;
  if (value < 2) throw AxisException(TTeeMessage::AxisLogBase);
  logarithmicBase_ = value;
  Repaint();
}

void TCustomChartAxis::SetMaximum(double value) {
  if (value == maximum_) return;
  if (std::isnan(value) || (!ChartLoading() && value < minimum_))
    throw AxisException(TTeeMessage::AxisMaximum);
  maximum_ = value;
  Repaint();
}

void TCustomChartAxis::SetMinimum(double value) {
  if (value == minimum_) return;
  if (std::isnan(value) || (!ChartLoading() && value > maximum_))
    throw AxisException(TTeeMessage::AxisMinimum);
  minimum_ = value;
  Repaint();
}

void TCustomChartAxis::SetMinorTickCount(int value) {
  ChangeProperty(minorTickCount_, value);
}
void TCustomChartAxis::SetMinorTickLength(int value) {
  ChangeProperty(minorTickLength_, value);
}
void TCustomChartAxis::SetStartPosition(double value) {
  ChangeProperty(startPosition_, value);
}
void TCustomChartAxis::SetEndPosition(double value) {
  ChangeProperty(endPosition_, value);
}
void TCustomChartAxis::SetPositionPercent(double value) {
  ChangeProperty(positionPercent_, value);
}
void TCustomChartAxis::SetRoundFirstLabel(bool value) {
  ChangeProperty(roundFirstLabel_, value);
}
void TCustomChartAxis::SetTickInnerLength(int value) {
  ChangeProperty(tickInnerLength_, value);
}
void TCustomChartAxis::SetTickLength(int value) {
  ChangeProperty(tickLength_, value);
}
void TCustomChartAxis::SetTickOnLabelsOnly(bool value) {
  ChangeProperty(tickOnLabelsOnly_, value);
}
void TCustomChartAxis::SetTitleSize(int value) {
  ChangeProperty(titleSize_, value);
}
void TCustomChartAxis::SetVisible(bool value) {
  ChangeProperty(visible_, value);
}

}  // namespace tee
