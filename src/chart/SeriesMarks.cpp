#include "chart/SeriesMarks.h"

#include "chart/ChartSeries.h"
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
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TSeriesMarks>("TSeriesMarks", fw::TPersistent::StaticClass())
          .Property("ArrowLength", &TSeriesMarks::ArrowLength, &TSeriesMarks::SetArrowLength)
          .Color("BackColor", &TSeriesMarks::BackColor, &TSeriesMarks::SetBackColor)
          .Default(fw::TValue(std::int64_t{0x80FFFF}))
          .Property("Clip", &TSeriesMarks::Clip, &TSeriesMarks::SetClip)
          .Default(fw::TValue(false))
          .Property("Style", &TSeriesMarks::Style, &TSeriesMarks::SetStyle)
          .Default(fw::TValue(std::int64_t{smsLabel}))
          .Property("Transparent", &TSeriesMarks::Transparent, &TSeriesMarks::SetTransparent)
          .Default(fw::TValue(false))
          .Property("Visible", &TSeriesMarks::Visible, &TSeriesMarks::SetVisible)
          .Build();
  return info;
}

TSeriesMarks::TSeriesMarks(TChartSeries* parent) : parent_(parent) {}

void TSeriesMarks::Assign(const fw::TPersistent* source) {
  if (const auto* marks = dynamic_cast<const TSeriesMarks*>(source)) {
    arrowLength_ = marks->arrowLength_;
    backColor_ = marks->backColor_;
    clip_ = marks->clip_;
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

void TSeriesMarks::SetArrowLength(int value) { Change(arrowLength_, value); }
void TSeriesMarks::SetBackColor(TColor value) { Change(backColor_, value); }
void TSeriesMarks::SetClip(bool value) { Change(clip_, value); }
void TSeriesMarks::SetStyle(TSeriesMarksStyle value) { Change(style_, value); }
void TSeriesMarks::SetTransparent(bool value) { Change(transparent_, value); }
void TSeriesMarks::SetVisible(bool value) { Change(visible_, value); }

}  // namespace tee
