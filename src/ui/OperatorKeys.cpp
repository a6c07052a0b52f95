#include "ui/OperatorKeys.h"

#include <QFileDialog>
#include <QKeyEvent>
#include <QWidget>

#include "framework/core/ErrorReport.h"
#include "framework/core/MessageBox.h"
#include "framework/widgets/UserInput.h"
#include "framework/widgets/WidgetPeer.h"

namespace ui {

SaveChooser FileDialogChooser(TFormS& form) {
  return [&form]() -> std::optional<SaveNames> {
    fw::TWidgetPeer* peer = fw::TWidgetPeer::Of(form);
    const QString name = QFileDialog::getSaveFileName(
        peer ? peer->Widget() : nullptr, QStringLiteral("Save chart and profile"),
        QStringLiteral("profile.png"), QStringLiteral("PNG picture (*.png)"));
    if (name.isEmpty()) return std::nullopt;
    return SaveNamesFor(name.toStdString());
  };
}

OperatorKeys::OperatorKeys(TFormS& form, ContinuousMeasurement& live, SaveChooser chooser)
    : form_(&form), live_(&live), chooser_(std::move(chooser)) {
  form.HandleNeeded();
  if (fw::TWidgetPeer* peer = fw::TWidgetPeer::Of(form)) window_ = peer->Widget();
  if (window_) window_->installEventFilter(this);
}

OperatorKeys::~OperatorKeys() {
  if (window_) window_->removeEventFilter(this);
}

void OperatorKeys::Save() {
  if (!chooser_) return;
  const std::optional<SaveNames> names = chooser_();
  if (!names) return;
  if (auto failure = SaveChartAndProfile(*form_, *names)) {
    std::string text = *failure + ".";
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    fw::ApplicationMessageBox(text, "", fw::MB_ICONWARNING);
  }
}

bool OperatorKeys::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_ || event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<const QKeyEvent*>(event);
  const Qt::KeyboardModifiers mods = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier |
                                                         Qt::AltModifier | Qt::MetaModifier);
  if (key->key() == Qt::Key_F5 && mods == Qt::NoModifier) {
    fw::ClickButton(*form_->Button1);
    return true;
  }
  if (key->key() == Qt::Key_F6 && mods == Qt::NoModifier) {
    if (!key->isAutoRepeat()) fw::InvokeHandler([this] { live_->Toggle(); });
    return true;
  }
  if (key->key() == Qt::Key_S && mods == Qt::ControlModifier) {
    if (!key->isAutoRepeat()) fw::InvokeHandler([this] { Save(); });
    return true;
  }
  return false;
}

}  // namespace ui
