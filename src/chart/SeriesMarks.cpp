// TSeriesMarks: settings, change notices and the remembered positions.
#include "chart/SeriesMarks.h"

#include "chart/ChartAxisText.h"
#include "chart/ChartSeries.h"
#include "chart/TeCanvasFont.h"
#include "framework/core/ClassBuilder.h"

namespace tee {

TSeriesMarkPosition* TSeriesMarksPositions::Position(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<std::size_t>(index)].get();
}

TSeriesMarkPosition& TSeriesMarksPositions::Ensure(int index) {
  if (index >= Count()) items_.resize(static_cast<std::size_t>(index) + 1);
  auto& item = items_[static_cast<std::size_t>(index)];
  if (!item) item = std::make_unique<TSeriesMarkPosition>();
  return *item;
}

void TSeriesMarksPositions::Delete(int index) {
  if (index >= 0 && index < Count()) items_.erase(items_.begin() + index);
}

const fw::TClassInfo& TSeriesMarks::StaticClass() {
  using M = TSeriesMarks;
  static const fw::TClassInfo& info =
      fw::TClassBuilder<M>("TSeriesMarks", fw::TPersistent::StaticClass())
          .Property("Arrow", &M::Arrow, &M::SetArrow)
          .Property("ArrowLength", &M::ArrowLength, &M::SetArrowLength)
          .Color("BackColor", &M::BackColor, &M::SetBackColor)
          .Default(fw::TValue(std::int64_t{0x80FFFF}))
          .Property("Clip", &M::Clip, &M::SetClip)
          .Default(fw::TValue(false))
          .Property("Font", &M::Font, &M::SetFont)
          .StoredWhen([](const M& m) { return !IsDefaultChartFont(*m.Font()); })
          .Property("Frame", &M::Frame, &M::SetFrame)
          .Property("Style", &M::Style, &M::SetStyle)
          .Default(fw::TValue(std::int64_t{smsLabel}))
          .Property("Transparent", &M::Transparent, &M::SetTransparent)
          .Default(fw::TValue(false))
          .Property("Visible", &M::Visible, &M::SetVisible)
          .Build();
  return info;
}

TSeriesMarks::TSeriesMarks(TChartSeries* parent)
    : parent_(parent), widths_(std::make_unique<TTextWidthCache>()) {
  const fw::TNotifyEvent changed = [parent](fw::TObject* sender) { parent->CanvasChanged(sender); };
  arrow_ = std::make_unique<TChartArrowPen>(changed);
  frame_ = std::make_unique<TChartPen>(changed);
  font_ = std::make_unique<fw::TFont>();
  SetDefaultChartFont(*font_);
  font_->OnChange = changed;
}

TSeriesMarks::~TSeriesMarks() = default;

int TSeriesMarks::TextWidth(TCanvas3D& canvas, const std::string& text) {
  return widths_->Width(canvas, text);
}

void TSeriesMarks::Assign(const fw::TPersistent* source) {
  if (const auto* marks = dynamic_cast<const TSeriesMarks*>(source)) {
    arrow_->Assign(marks->arrow_.get());
    arrowLength_ = marks->arrowLength_;
    backColor_ = marks->backColor_;
    clip_ = marks->clip_;
    font_->Assign(marks->font_.get());
    frame_->Assign(marks->frame_.get());
    style_ = marks->style_;
    transparent_ = marks->transparent_;
    visible_ = marks->visible_;
    parent_->Repaint();
    return;
  }
  fw::TPersistent::Assign(source);
}

template <class T>
void TSeriesMarks::Change(T& field, T value) {
  if (field == value) return;
  field = value;
  parent_->Repaint();
}

void TSeriesMarks::SetArrowLength(int value) {
  Change(arrowLength_, value);
}
void TSeriesMarks::SetBackColor(TColor value) {
  Change(backColor_, value);
}
void TSeriesMarks::SetClip(bool value) {
  Change(clip_, value);
}
void TSeriesMarks::SetStyle(TSeriesMarksStyle value) {
  Change(style_, value);
}
void TSeriesMarks::SetTransparent(bool value) {
  Change(transparent_, value);
}
void TSeriesMarks::SetVisible(bool value) {
  Change(visible_, value);
}

}  // namespace tee
