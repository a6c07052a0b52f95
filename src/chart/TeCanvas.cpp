#include "chart/TeCanvas.h"

#include <algorithm>

#include "chart/TeCanvasPen.h"
#include "framework/core/NullCanvas.h"
#include "framework/core/SystemColors.h"

namespace tee {

TColor ApplyDark(TColor color, int amount) {
  const TColor rgb = fw::ColorToRGB(color);
  return fw::RGB(std::max(0, fw::GetRValue(rgb) - amount), std::max(0, fw::GetGValue(rgb) - amount),
                 std::max(0, fw::GetBValue(rgb) - amount));
}

TTeeCanvas::TTeeCanvas() : null_(std::make_unique<fw::TNullCanvas>()), canvas_(null_.get()) {}

TTeeCanvas::~TTeeCanvas() = default;

void TTeeCanvas::SetCanvas(fw::TCanvas* canvas) {
  canvas_ = canvas != nullptr ? canvas : null_.get();
}

void TTeeCanvas::AssignVisiblePen(const TChartPen& pen) {
  fw::TPen& target = canvas_->Pen();
  if (!pen.Visible()) {
    target.SetStyle(fw::psClear);
  } else if (pen.SmallDots() && pen.Width() == 1) {
    target.SetColor(pen.Color());
    target.SetWidth(1);
    target.SetStyle(fw::psAlternate);
  } else {
    target.Assign(&pen);
  }
}

void TTeeCanvas::AssignFont(const fw::TFont& font) {
  canvas_->Font().Assign(&font);
}

void TTeeCanvas::ResetState() {
  fw::TPen& pen = canvas_->Pen();
  pen.SetColor(fw::clBlack);
  pen.SetWidth(1);
  pen.SetStyle(fw::psSolid);
  pen.SetMode(fw::pmCopy);
  canvas_->Brush().SetColor(fw::clWhite);
  canvas_->Brush().SetStyle(fw::bsSolid);
  canvas_->Brush().SetBitmap(nullptr);
  canvas_->Font().SetColor(fw::clBlack);
  canvas_->Font().SetSize(10);
  canvas_->SetBackColor(fw::clWhite);
  canvas_->SetBackMode(fw::TRANSPARENT);
}

}  // namespace tee
