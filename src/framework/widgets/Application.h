// TApplication: the application object — title, forms, message loop, message boxes, error report.
//
// One exists while the program runs; `Application()` answers it (null before and after). Creating
// it initialises the framework's window side:
//   - the Qt application: the running QApplication is used when there is one (tests make their
//     own), else one is created from argc/argv and deleted with the application object;
//   - the classic look: the widget style "Windows" when available and a palette from the system
//     colour table (SystemColors.h), so windows look the same on every desktop;
//   - the message-box presenter (MessageBox.h): a modal Qt message box owned by the application;
//   - the error report (ErrorReport.h): `HandleException`, which passes the error to OnException
//     when assigned and otherwise shows its text in a message box with the title as caption and
//     the error icon;
//   - the default window of self-painting controls (CustomDrawnPeer.h);
//   - the registration of the standard control classes (StandardControls.h).
// Destroying it destroys its forms first and then puts every hook back as it was.
//
//   fw::TApplication app(argc, argv);
//   app.SetTitle("QX770-DEMO");
//   app.CreateForm<ui::TFormS>(ui::kFormSDescription);   // first form: the main form
//   app.Run();                                            // until the main form closes
//
// `Run` shows the main form and runs Qt's event loop until `Terminate` (closing the main form
// calls it). `MessageBox` shows a box through the installed presenter and returns the button's
// number (1 = OK, 2 = Cancel, 6 = Yes, 7 = No). A message box shown on the off-screen platform,
// where no operator can answer it, is written to standard error and answered with its first
// button instead of blocking the program.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "framework/core/Component.h"
#include "framework/core/ControlPeer.h"
#include "framework/core/ErrorReport.h"
#include "framework/core/MessageBox.h"
#include "framework/widgets/Form.h"

class QApplication;

namespace fw {

using TExceptionEvent = TEvent<void(TObject* Sender, std::exception_ptr E)>;

class TApplication : public TComponent {
  FW_CLASS

 public:
  // `argc` and `argv` must outlive the application object (as Qt requires).
  TApplication(int& argc, char** argv);
  ~TApplication() override;

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& value);

  // The first form created through CreateForm.
  TForm* MainForm() const { return mainForm_; }

  // Creates a form owned by the application from its window description (see fw::CreateForm);
  // the first one becomes the main form. Raises EReadError for a broken description.
  template <class T>
  T* CreateForm(std::string_view description) {
    T* form = fw::CreateForm<T>(this, description);
    if (!mainForm_) mainForm_ = form;
    return form;
  }

  // Shows the main form and handles messages until Terminate. Returns at once without main form.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles the messages waiting now, then returns.
  void ProcessMessages();

  int MessageBox(const std::string& text, const std::string& caption, unsigned flags);

  // The default error report.
  void HandleException(std::exception_ptr error);
  void ShowException(const std::string& message);
  TExceptionEvent OnException;

  void Notification(TComponent* component, TOperation operation) override;

 private:
  std::unique_ptr<QApplication> ownQtApp_;
  std::string title_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  MessageBoxPresenter previousPresenter_;
  TExceptionReporter previousReporter_;
  TPeerFactory previousPeerFactory_;
};

// The application object while one exists, else null.
TApplication* Application();

// The presenter TApplication installs: a modal Qt message box (or standard error off-screen).
int ShowQtMessageBox(const MessageBoxRequest& request);

}  // namespace fw
