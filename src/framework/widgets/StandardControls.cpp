#include "framework/widgets/StandardControls.h"

#include "framework/widgets/Button.h"
#include "framework/widgets/CheckBox.h"
#include "framework/widgets/ComboBox.h"
#include "framework/widgets/Form.h"
#include "framework/widgets/GroupBox.h"
#include "framework/widgets/Panel.h"
#include "framework/widgets/StaticText.h"

namespace fw {

void RegisterStandardControls() {
  // Building a class description enters it into the registry.
  RegisterClass(TForm::StaticClass());
  RegisterClass(TGroupBox::StaticClass());
  RegisterClass(TCheckBox::StaticClass());
  RegisterClass(TComboBox::StaticClass());
  RegisterClass(TStaticText::StaticClass());
  RegisterClass(TPanel::StaticClass());
  RegisterClass(TButton::StaticClass());
}

}  // namespace fw
