// The operator window's keys, beside its controls:
//   F5      one measurement, the same as pressing Measure;
//   F6      starts and stops continuous measurement (ContinuousMeasurement.h);
//   Ctrl+S  saves the chart as PNG and the shown profile as CSV, under names the chooser gives
//           (a file dialog on a desktop); a file that cannot be written is reported in a warning
//           box.
// The keys work wherever the focus is in the window: a key that the focused control does not
// use goes on to the window, where OperatorKeys takes it. Held keys repeat F5 only.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>
#include <string>

#include "ui/ContinuousMeasurement.h"
#include "ui/ProfileExport.h"
#include "ui/TrabexMain.h"

namespace ui {

// Where Ctrl+S saves; nothing when the operator cancelled (nothing is saved then).
using SaveChooser = std::function<std::optional<SaveNames>()>;

// The chooser of a desktop: a file dialog for the picture's name; the profile goes beside it.
SaveChooser FileDialogChooser(TFormS& form);

class OperatorKeys : public QObject {
 public:
  // Installs itself on the form's window (which is created when needed).
  OperatorKeys(TFormS& form, ContinuousMeasurement& live, SaveChooser chooser);
  ~OperatorKeys() override;

  // What Ctrl+S does.
  void Save();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TFormS* form_;
  ContinuousMeasurement* live_;
  SaveChooser chooser_;
  QPointer<QWidget> window_;
};

}  // namespace ui
