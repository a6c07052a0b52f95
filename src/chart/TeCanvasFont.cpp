#include "chart/TeCanvasFont.h"

#include "framework/core/ClassBuilder.h"

namespace tee {

void SetDefaultChartFont(fw::TFont& font) {
  font.SetName(kDefaultChartFontName);
  font.SetSize(kDefaultChartFontSize);
  font.SetColor(fw::clBlack);
  font.SetStyle({});
}

bool IsDefaultChartFont(const fw::TFont& font) {
  return font.Name() == kDefaultChartFontName && font.Size() == kDefaultChartFontSize &&
         font.Color() == fw::clBlack && font.Style().Empty() &&
         font.Charset() == fw::DEFAULT_CHARSET;
}

const fw::TClassInfo& TChartFontObject::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TChartFontObject>("TChartFontObject", fw::TPersistent::StaticClass())
          .Property("Font", &TChartFontObject::Font, &TChartFontObject::SetFont)
          .StoredWhen([](const TChartFontObject& o) { return !IsDefaultChartFont(*o.Font()); })
          .Build();
  return info;
}

TChartFontObject::TChartFontObject(fw::TNotifyEvent onFontChange)
    : font_(std::make_unique<fw::TFont>()) {
  SetDefaultChartFont(*font_);
  font_->OnChange = std::move(onFontChange);
}

TChartFontObject::~TChartFontObject() = default;

void TChartFontObject::SetFont(fw::TFont* value) {
  font_->Assign(value);
}

void TChartFontObject::Assign(const fw::TPersistent* source) {
  const auto* other = dynamic_cast<const TChartFontObject*>(source);
  if (other == nullptr) return fw::TPersistent::Assign(source);
  font_->Assign(other->font_.get());
}

}  // namespace tee
