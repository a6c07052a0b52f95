#include "ExampleForm.h"

#include "framework/core/Conversions.h"

namespace example {

const fw::TClassInfo& TTestPlot::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TTestPlot>("TTestPlot", fw::TCustomControl::StaticClass())
          .Color("DotColor", &TTestPlot::DotColor, &TTestPlot::SetDotColor)
          .Default(fw::TValue(std::int64_t{fw::clRed}))
          .Property("Frame", &TTestPlot::Frame, &TTestPlot::SetFrame)
          .Event("OnClick", &fw::TControl::OnClick)
          .Event("OnMouseDown", &fw::TControl::OnMouseDown)
          .Creatable()
          .Build();
  return info;
}

TTestPlot::TTestPlot(fw::TComponent* owner)
    : fw::TCustomControl(owner), frame_(std::make_unique<fw::TPen>()) {
  SetBounds(0, 0, 100, 80);
  frame_->OnChange = [this](fw::TObject*) { Invalidate(); };
}

void TTestPlot::SetDotColor(fw::TColor value) {
  if (value == dotColor_) return;
  dotColor_ = value;
  Invalidate();
}

void TTestPlot::AddDot(int x, int y) {
  dots_.push_back(fw::TPoint{x, y});
  Invalidate();
}

void TTestPlot::ClearDots() {
  dots_.clear();
  Invalidate();
}

void TTestPlot::Paint(fw::TCanvas& canvas) {
  ++paints_;
  const fw::TRect client = ClientRect();
  auto buffer = canvas.CreateCompatibleBitmap(client.Width(), client.Height());
  fw::TCanvas& c = buffer->Canvas();
  c.Brush().SetStyle(fw::bsSolid);
  c.Brush().SetColor(fw::clWhite);
  c.Pen().Assign(frame_.get());
  c.Rectangle(client);
  c.Pen().SetStyle(fw::psClear);
  c.Brush().SetColor(dotColor_);
  for (const fw::TPoint& p : dots_) c.Ellipse(p.X - 2, p.Y - 2, p.X + 3, p.Y + 3);
  canvas.Draw(0, 0, *buffer);
}

const fw::TClassInfo& TExampleForm::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TExampleForm>("TExampleForm", fw::TForm::StaticClass())
          .Field("GroupBox2", &TExampleForm::GroupBox2)
          .Field("CheckBox1", &TExampleForm::CheckBox1)
          .Field("ComboBoxIn", &TExampleForm::ComboBoxIn)
          .Field("StaticText4", &TExampleForm::StaticText4)
          .Field("Panel1", &TExampleForm::Panel1)
          .Field("Plot", &TExampleForm::Plot)
          .Field("Button1", &TExampleForm::Button1)
          .Method("FormCreate", &TExampleForm::FormCreate)
          .Method("FormClose", &TExampleForm::FormClose)
          .Method("CheckBox1Click", &TExampleForm::CheckBox1Click)
          .Method("ComboBoxInChange", &TExampleForm::ComboBoxInChange)
          .Method("Button1Click", &TExampleForm::Button1Click)
          .Creatable()
          .Build();
  return info;
}

void TExampleForm::FormCreate(fw::TObject*) {
  log.push_back("FormCreate");
}

void TExampleForm::FormClose(fw::TObject*, fw::TCloseAction& Action) {
  log.push_back("FormClose");
  Action = closeAction;
}

void TExampleForm::CheckBox1Click(fw::TObject*) {
  log.push_back(std::string("CheckBox1Click ") + (CheckBox1->Checked() ? "on" : "off"));
}

void TExampleForm::ComboBoxInChange(fw::TObject*) {
  const int value = fw::StrToInt(ComboBoxIn->Text());
  log.push_back("ComboBoxInChange " + std::to_string(value));
}

void TExampleForm::Button1Click(fw::TObject*) {
  log.push_back("Button1Click");
  Plot->AddDot(Plot->ClientWidth() / 2, Plot->ClientHeight() / 2);
}

void RegisterPlotLibrary() {
  fw::RegisterClass(TTestPlot::StaticClass());
}

}  // namespace example
