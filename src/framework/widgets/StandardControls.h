// The standard control classes, registered so that window descriptions can name them.
#pragma once

namespace fw {

// Registers TForm, TGroupBox, TCheckBox, TComboBox, TStaticText, TPanel and TButton. Idempotent;
// the window description reader and the application object call it.
void RegisterStandardControls();

}  // namespace fw
