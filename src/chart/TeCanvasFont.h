// A font holder for chart parts: the base of the title and the legend.
//
// Owns a framework font created with the chart's default font: "Arial", size 8, black, no style.
// The font's change notification (given at construction) goes to the owning chart part, which
// repaints. The font is stored with the chart only when it differs from that default (name, size,
// colour black, no style, default character set). Published: Font.
#pragma once

#include <memory>
#include <string>

#include "framework/core/Font.h"
#include "framework/core/Persistent.h"
#include "framework/core/Value.h"

namespace tee {

// The chart engine's default font.
inline constexpr const char* kDefaultChartFontName = "Arial";
inline constexpr int kDefaultChartFontSize = 8;

// Gives `font` the chart's default: "Arial" size 8, black, no style.
void SetDefaultChartFont(fw::TFont& font);
// True when `font` is the chart's default font (so it need not be stored).
bool IsDefaultChartFont(const fw::TFont& font);

class TChartFontObject : public fw::TPersistent {
  FW_CLASS

 public:
  explicit TChartFontObject(fw::TNotifyEvent onFontChange = {});
  ~TChartFontObject() override;

  fw::TFont* Font() const { return font_.get(); }
  // Assigns the given font's properties to the owned font.
  void SetFont(fw::TFont* value);

  // From another font holder: copies the font.
  void Assign(const fw::TPersistent* source) override;

 private:
  std::unique_ptr<fw::TFont> font_;
};

}  // namespace tee
