// The example window of the widget tests and the plot control it holds.
//
// `TTestPlot` stands for a control of another library (as the chart is): a TCustomControl
// registered by name, with a nested published object (`Frame`, a pen), that paints through an
// off-screen bitmap of the canvas it is given and reacts to clicks. `TExampleForm` publishes its
// fields and handlers the way an application's window does; its handlers log what happened, and
// ComboBoxInChange converts the text with StrToInt, so a non-integer text raises the conversion
// error from inside a handler.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/core/CustomControl.h"
#include "framework/core/Pen.h"
#include "framework/widgets/Button.h"
#include "framework/widgets/CheckBox.h"
#include "framework/widgets/ComboBox.h"
#include "framework/widgets/Form.h"
#include "framework/widgets/GroupBox.h"
#include "framework/widgets/Panel.h"
#include "framework/widgets/StaticText.h"

namespace example {

class TTestPlot : public fw::TCustomControl {
  FW_CLASS

 public:
  explicit TTestPlot(fw::TComponent* owner);

  fw::TColor DotColor() const { return dotColor_; }
  void SetDotColor(fw::TColor value);
  fw::TPen* Frame() const { return frame_.get(); }
  void SetFrame(fw::TPen* value) { frame_->Assign(value); }

  // A dot of 2 pixels' radius around (x, y); repaints with the next paint message.
  void AddDot(int x, int y);
  void ClearDots();
  const std::vector<fw::TPoint>& Dots() const { return dots_; }
  int PaintCount() const { return paints_; }

  bool EraseBackground() const override { return false; }

 protected:
  void Paint(fw::TCanvas& canvas) override;

 private:
  fw::TColor dotColor_ = fw::clRed;
  std::unique_ptr<fw::TPen> frame_;
  std::vector<fw::TPoint> dots_;
  int paints_ = 0;
};

class TExampleForm : public fw::TForm {
  FW_CLASS

 public:
  explicit TExampleForm(fw::TComponent* owner) : fw::TForm(owner) {}

  fw::TGroupBox* GroupBox2 = nullptr;
  fw::TCheckBox* CheckBox1 = nullptr;
  fw::TComboBox* ComboBoxIn = nullptr;
  fw::TStaticText* StaticText4 = nullptr;
  fw::TPanel* Panel1 = nullptr;
  TTestPlot* Plot = nullptr;
  fw::TButton* Button1 = nullptr;

  void FormCreate(fw::TObject* Sender);
  void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);
  void CheckBox1Click(fw::TObject* Sender);
  void ComboBoxInChange(fw::TObject* Sender);
  void Button1Click(fw::TObject* Sender);

  std::vector<std::string> log;
  fw::TCloseAction closeAction = fw::caHide;
};

// Registers TTestPlot by name, as the plot's library would at start.
void RegisterPlotLibrary();

}  // namespace example
