#include "ui/TrabexMain.h"

#include "framework/core/Conversions.h"
#include "framework/core/Format.h"
#include "framework/core/MessageBox.h"
#include "framework/widgets/StandardControls.h"
#include "kFormSDescription.h"
#include "scanner/Channel.h"
#include "scanner/ScannerCommands.h"

namespace ui {
namespace {

void ShowNotOpen() {
  fw::ApplicationMessageBox(kNotOpenMessage, "", fw::MB_ICONWARNING);
}

}  // namespace

const fw::TClassInfo& TFormS::StaticClass() {
  static const fw::TClassInfo& info = fw::TClassBuilder<TFormS>("TFormS", fw::TForm::StaticClass())
                                          .Field("GroupBox2", &TFormS::GroupBox2)
                                          .Field("CheckBox1", &TFormS::CheckBox1)
                                          .Field("ComboBoxIn", &TFormS::ComboBoxIn)
                                          .Field("StaticText4", &TFormS::StaticText4)
                                          .Field("Panel1", &TFormS::Panel1)
                                          .Field("ChartOscilloscope", &TFormS::ChartOscilloscope)
                                          .Field("SeriesOsc", &TFormS::SeriesOsc)
                                          .Field("Series1", &TFormS::Series1)
                                          .Field("Button1", &TFormS::Button1)
                                          .Method("FormCreate", &TFormS::FormCreate)
                                          .Method("FormClose", &TFormS::FormClose)
                                          .Method("CheckBox1Click", &TFormS::CheckBox1Click)
                                          .Method("ComboBoxInChange", &TFormS::ComboBoxInChange)
                                          .Method("Button1Click", &TFormS::Button1Click)
                                          .Creatable()
                                          .Build();
  return info;
}

void TFormS::FormCreate(fw::TObject*) {
  // OpenScanner has told the operator when it failed; the channel then stays closed for good.
  if (!scanner::OpenScanner()) return;
  ComboBoxInChange(ComboBoxIn);
  scanner::WriteParameter(scanner::kParamZero, 1);
}

void TFormS::FormClose(fw::TObject*, fw::TCloseAction&) {
  if (scanner::ScannerIsOpen()) scanner::CloseScanner();
}

void TFormS::CheckBox1Click(fw::TObject*) {
  if (!scanner::ScannerIsOpen()) {
    ShowNotOpen();
    return;
  }
  scanner::WriteParameter(scanner::kParamLaser, CheckBox1->Checked() ? 1 : 0);
  SeriesOsc->Clear();
}

void TFormS::ComboBoxInChange(fw::TObject*) {
  if (!scanner::ScannerIsOpen()) {
    ShowNotOpen();
    return;
  }
  // A text that is no integer raises the conversion error, which ends the operator's action at
  // the event boundary and is shown there.
  const int intensity = fw::StrToInt(ComboBoxIn->Text());
  if (intensity < 0 || intensity > kMaxIntensity) {
    fw::ApplicationMessageBox(fw::Format(kIntensityRangeMessage, {intensity}), "",
                              fw::MB_ICONWARNING);
    return;
  }
  scanner::WriteParameter(scanner::kParamIntensity, static_cast<std::uint8_t>(intensity));
}

void TFormS::Button1Click(fw::TObject*) {
  if (!scanner::ScannerIsOpen()) return;
  // Without a valid reply the chart keeps its profile and the operator is told nothing.
  last_measure_ = scanner::MeasureProfile(SeriesOsc);
}

std::string_view FormSDescription() {
  return kFormSDescription;
}

void RegisterFormSClasses() {
  fw::RegisterStandardControls();
  tee::RegisterChartClasses();
  fw::RegisterClass(TFormS::StaticClass());
}

}  // namespace ui
