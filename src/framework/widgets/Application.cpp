#include "framework/widgets/Application.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

#include "framework/core/Exceptions.h"
#include "framework/gui/QtGraphics.h"
#include "framework/widgets/CustomDrawnPeer.h"
#include "framework/widgets/StandardControls.h"

namespace fw {
namespace {

TApplication* theApplication = nullptr;

// The classic desktop scheme of the system colour table, as every window of the program shows it.
void ApplyClassicLook() {
  if (QStyleFactory::keys().contains(QStringLiteral("Windows"), Qt::CaseInsensitive))
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
  QPalette p;
  p.setColor(QPalette::Window, ToQColor(clBtnFace));
  p.setColor(QPalette::WindowText, ToQColor(clWindowText));
  p.setColor(QPalette::Base, ToQColor(clWindow));
  p.setColor(QPalette::AlternateBase, ToQColor(clBtnFace));
  p.setColor(QPalette::Text, ToQColor(clWindowText));
  p.setColor(QPalette::Button, ToQColor(clBtnFace));
  p.setColor(QPalette::ButtonText, ToQColor(clBtnText));
  p.setColor(QPalette::Light, ToQColor(clBtnHighlight));
  p.setColor(QPalette::Midlight, ToQColor(cl3DLight));
  p.setColor(QPalette::Mid, ToQColor(clBtnShadow));
  p.setColor(QPalette::Dark, ToQColor(clBtnShadow));
  p.setColor(QPalette::Shadow, ToQColor(cl3DDkShadow));
  p.setColor(QPalette::Highlight, ToQColor(clHighlight));
  p.setColor(QPalette::HighlightedText, ToQColor(clHighlightText));
  p.setColor(QPalette::ToolTipBase, ToQColor(clInfoBk));
  p.setColor(QPalette::ToolTipText, ToQColor(clInfoText));
  p.setColor(QPalette::Disabled, QPalette::Text, ToQColor(clGrayText));
  p.setColor(QPalette::Disabled, QPalette::WindowText, ToQColor(clGrayText));
  p.setColor(QPalette::Disabled, QPalette::ButtonText, ToQColor(clGrayText));
  QApplication::setPalette(p);
}

}  // namespace

TApplication* Application() {
  return theApplication;
}

const TClassInfo& TApplication::StaticClass() {
  static const TClassInfo& info =
      TClassBuilder<TApplication>("TApplication", TComponent::StaticClass())
          .Property("Title", &TApplication::Title, &TApplication::SetTitle)
          .Build();
  return info;
}

TApplication::TApplication(int& argc, char** argv) : TComponent(nullptr) {
  if (theApplication) throw EComponentError("Only one application object can exist at a time");
  if (!QCoreApplication::instance())
    ownQtApp_ = std::make_unique<QApplication>(argc, argv);
  else if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    throw Exception("The running Qt application cannot show windows with controls");
  QApplication::setQuitOnLastWindowClosed(false);
  ApplyClassicLook();
  RegisterStandardControls();
  previousPresenter_ = SetMessageBoxPresenter(ShowQtMessageBox);
  previousReporter_ = SetExceptionReporter([this](std::exception_ptr e) { HandleException(e); });
  previousPeerFactory_ = InstallCustomDrawnPeers();
  theApplication = this;
}

TApplication::~TApplication() {
  Destroying();
  // The forms go while the Qt application still exists.
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
  mainForm_ = nullptr;
  SetDefaultPeerFactory(std::move(previousPeerFactory_));
  SetExceptionReporter(std::move(previousReporter_));
  SetMessageBoxPresenter(std::move(previousPresenter_));
  theApplication = nullptr;
  ownQtApp_.reset();
}

void TApplication::SetTitle(const std::string& value) {
  title_ = value;
}

void TApplication::Run() {
  if (!mainForm_ || terminated_) return;
  mainForm_->Show();
  if (!terminated_) QApplication::exec();
}

void TApplication::Terminate() {
  terminated_ = true;
  QCoreApplication::quit();
}

void TApplication::ProcessMessages() {
  QCoreApplication::processEvents();
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  return ApplicationMessageBox(text, caption, flags);
}

void TApplication::HandleException(std::exception_ptr error) {
  if (OnException)
    OnException(this, error);
  else
    ShowException(ExceptionText(error));
}

void TApplication::ShowException(const std::string& message) {
  MessageBox(message, title_, MB_OK | MB_ICONERROR);
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == mainForm_) {
    mainForm_ = nullptr;
    if (!IsDestroying()) Terminate();
  }
}

}  // namespace fw
