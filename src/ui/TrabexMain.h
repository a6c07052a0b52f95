// TFormS: the operator window QX770-DEMO (unit TrabexMain).
//
// The laser controls on the left (the On/Off check box and the intensity box in the "Laser"
// group), the Measure button under them and, on the right, the chart "Oscilloscope" on which the
// last measured profile is plotted as red dots (`SeriesOsc`; the green `Series1` stays empty).
// Every component and setting comes from the window description compiled into the program
// (TrabexMain.json, `kFormSDescription`); TFormS adds only its published fields, which the reader
// sets to the created components, and its event handlers, which the description binds by name.
//
// The window owns the life of the scanner channel: FormCreate opens it and sends the intensity in
// the box and then parameter 0 = 1; FormClose closes it. When the channel could not be opened
// ("Error." was shown then), the laser controls answer every use with the not-open message,
// Measure does nothing and nothing is ever sent.
//
// The intensity is sent only when the box holds an integer from 0 to 127: a text that is no
// integer raises the conversion error "'%s' is not a valid integer value" (shown by the
// application's error report), a number outside the range is refused with kIntensityRangeMessage;
// in both cases nothing is sent. (A data byte carries seven bits on the wire, so a larger value
// could not reach the scanner faithfully.)
//
//   fw::TApplication app(argc, argv);
//   app.SetTitle(ui::kApplicationTitle);
//   app.CreateForm<ui::TFormS>(ui::FormSDescription());
//   app.Run();
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "framework/widgets/Button.h"
#include "framework/widgets/CheckBox.h"
#include "framework/widgets/ComboBox.h"
#include "framework/widgets/Form.h"
#include "framework/widgets/GroupBox.h"
#include "framework/widgets/Panel.h"
#include "framework/widgets/StaticText.h"
#include "scanner/ScannerCommands.h"

namespace ui {

inline constexpr char kApplicationTitle[] = "QX770-DEMO";

// The laser controls' message on a closed channel (empty caption, warning icon, one OK button).
inline constexpr char kNotOpenMessage[] = "Error.\nUSB not open.";
// The intensity box's message for an integer outside 0..127; %d is the typed value.
inline constexpr char kIntensityRangeMessage[] =
    "The laser intensity must be between 0 and 127; %d is not sent to the scanner.";
inline constexpr int kMaxIntensity = 127;

class TFormS : public fw::TForm {
  FW_CLASS

 public:
  explicit TFormS(fw::TComponent* owner) : fw::TForm(owner) {}

  fw::TGroupBox* GroupBox2 = nullptr;
  fw::TCheckBox* CheckBox1 = nullptr;
  fw::TComboBox* ComboBoxIn = nullptr;
  fw::TStaticText* StaticText4 = nullptr;
  fw::TPanel* Panel1 = nullptr;
  tee::TChart* ChartOscilloscope = nullptr;
  tee::TPointSeries* SeriesOsc = nullptr;
  tee::TPointSeries* Series1 = nullptr;
  fw::TButton* Button1 = nullptr;

  void FormCreate(fw::TObject* Sender);
  void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);
  void CheckBox1Click(fw::TObject* Sender);
  void ComboBoxInChange(fw::TObject* Sender);
  void Button1Click(fw::TObject* Sender);

  // The result of the last Measure that reached the scanner; nothing before the first.
  std::optional<scanner::MeasureResult> LastMeasureResult() const { return last_measure_; }

 private:
  std::optional<scanner::MeasureResult> last_measure_;
};

// The window description of TFormS as compiled into the program.
std::string_view FormSDescription();

// Registers the classes the description names (the standard controls, the chart and its point
// series) so that the reader finds them. Idempotent.
void RegisterFormSClasses();

}  // namespace ui
