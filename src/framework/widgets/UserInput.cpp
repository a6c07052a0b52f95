#include "framework/widgets/UserInput.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/widgets/ComboBox.h"
#include "framework/widgets/Form.h"
#include "framework/widgets/WidgetPeer.h"

namespace fw {
namespace {

TWidgetPeer& PeerOf(TWinControl& control) {
  control.HandleNeeded();
  TWidgetPeer* peer = TWidgetPeer::Of(control);
  if (!peer || !peer->Widget())
    throw Exception(Format("Control %s has no window to send input to", {control.Name()}));
  return *peer;
}

QComboBox& ComboOf(TComboBox& box) {
  auto* combo = qobject_cast<QComboBox*>(PeerOf(box).Widget());
  if (!combo) throw Exception(Format("Control %s has no combo box window", {box.Name()}));
  return *combo;
}

void SendKey(QWidget* target, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(target, &release);
}

Qt::MouseButton QtButton(TMouseButton button) {
  switch (button) {
    case mbRight:
      return Qt::RightButton;
    case mbMiddle:
      return Qt::MiddleButton;
    default:
      return Qt::LeftButton;
  }
}

void SendMouse(QWidget* target, QEvent::Type type, TPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
  const QPointF local(at.X, at.Y);
  QMouseEvent event(type, local, target->mapToGlobal(local), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

}  // namespace

void ClickButton(TWinControl& control) {
  auto* button = qobject_cast<QAbstractButton*>(PeerOf(control).Widget());
  if (!button) throw Exception(Format("Control %s is not a button", {control.Name()}));
  button->click();
}

void TypeText(TComboBox& box, const std::string& text) {
  QLineEdit* edit = ComboOf(box).lineEdit();
  if (!edit) throw Exception(Format("Combo box %s has no field to type into", {box.Name()}));
  for (const QChar c : QString::fromStdString(text))
    SendKey(edit, c.toUpper().unicode(), QString(c));
}

void SelectAllText(TComboBox& box) {
  if (QLineEdit* edit = ComboOf(box).lineEdit()) edit->selectAll();
}

void PickItem(TComboBox& box, int index) {
  QComboBox& combo = ComboOf(box);
  CheckListIndex(index, combo.count());
  combo.showPopup();
  QAbstractItemView* view = combo.view();
  // What the arrow keys do in the open list, then Enter picks the item.
  view->setCurrentIndex(combo.model()->index(index, combo.modelColumn(), combo.rootModelIndex()));
  SendKey(view, Qt::Key_Return, QStringLiteral("\r"));
  if (view->isVisible()) combo.hidePopup();
}

void MouseClick(TWinControl& control, int x, int y, TMouseButton button) {
  QWidget* surface = PeerOf(control).ClientWidget();
  const Qt::MouseButton qb = QtButton(button);
  SendMouse(surface, QEvent::MouseButtonPress, TPoint{x, y}, qb, qb);
  SendMouse(surface, QEvent::MouseButtonRelease, TPoint{x, y}, qb, Qt::NoButton);
}

void MouseDrag(TWinControl& control, TPoint from, TPoint to, TMouseButton button) {
  QWidget* surface = PeerOf(control).ClientWidget();
  const Qt::MouseButton qb = QtButton(button);
  SendMouse(surface, QEvent::MouseButtonPress, from, qb, qb);
  SendMouse(surface, QEvent::MouseMove, to, Qt::NoButton, qb);
  SendMouse(surface, QEvent::MouseButtonRelease, to, qb, Qt::NoButton);
}

bool CloseWindow(TForm& form) {
  return PeerOf(form).Widget()->close();
}

}  // namespace fw
