#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "framework/widgets/Application.h"

namespace fw {
namespace {

// The answers of the platform's message box.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

struct TButtonSpec {
  int id;
  QMessageBox::StandardButton button;
};

std::vector<TButtonSpec> ButtonsOf(unsigned flags) {
  switch (flags & 0x0F) {
    case 1:
      return {{IDOK, QMessageBox::Ok}, {IDCANCEL, QMessageBox::Cancel}};
    case 2:
      return {{IDABORT, QMessageBox::Abort},
              {IDRETRY, QMessageBox::Retry},
              {IDIGNORE, QMessageBox::Ignore}};
    case 3:
      return {{IDYES, QMessageBox::Yes}, {IDNO, QMessageBox::No}, {IDCANCEL, QMessageBox::Cancel}};
    case 4:
      return {{IDYES, QMessageBox::Yes}, {IDNO, QMessageBox::No}};
    case 5:
      return {{IDRETRY, QMessageBox::Retry}, {IDCANCEL, QMessageBox::Cancel}};
    default:
      return {{IDOK, QMessageBox::Ok}};
  }
}

QMessageBox::Icon IconOf(unsigned flags) {
  switch (flags & 0xF0) {
    case 0x10:
      return QMessageBox::Critical;
    case 0x20:
      return QMessageBox::Question;
    case 0x30:
      return QMessageBox::Warning;
    case 0x40:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

int ShowQtMessageBox(const MessageBoxRequest& request) {
  const std::vector<TButtonSpec> buttons = ButtonsOf(request.flags);
  const std::size_t defaultIndex =
      std::min<std::size_t>((request.flags >> 8) & 0x0F, buttons.size() - 1);
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()) ||
      QGuiApplication::platformName() == QStringLiteral("offscreen")) {
    std::fprintf(stderr, "%s%s%s\n", request.caption.c_str(), request.caption.empty() ? "" : ": ",
                 request.text.c_str());
    return buttons[defaultIndex].id;
  }
  QMessageBox box(IconOf(request.flags), QString::fromStdString(request.caption),
                  QString::fromStdString(request.text), QMessageBox::NoButton,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  std::vector<std::pair<QAbstractButton*, int>> answers;
  for (const TButtonSpec& b : buttons) answers.emplace_back(box.addButton(b.button), b.id);
  box.setDefaultButton(static_cast<QPushButton*>(answers[defaultIndex].first));
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (const auto& [button, id] : answers)
    if (button == clicked) return id;
  // Closed without a button: the answer of Escape (Cancel when there is one, else the default).
  for (const TButtonSpec& b : buttons)
    if (b.id == IDCANCEL) return IDCANCEL;
  return buttons[defaultIndex].id;
}

}  // namespace fw
