#include "framework/widgets/Form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include "framework/core/ErrorReport.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/gui/QtGraphics.h"
#include "framework/widgets/Application.h"
#include "framework/widgets/WidgetPeer.h"

namespace fw {
namespace {

QImage IconImage(const std::string& text) {
  static constexpr std::string_view kDataPrefix = "data:";
  if (text.rfind(kDataPrefix, 0) == 0) {
    const auto comma = text.find(',');
    if (comma == std::string::npos || text.find(";base64") > comma) return QImage();
    const QByteArray bytes =
        QByteArray::fromBase64(QByteArray::fromStdString(text.substr(comma + 1)));
    return QImage::fromData(bytes);
  }
  return QImage(QString::fromStdString(text));
}

class TFormWidget : public QWidget {
 public:
  explicit TFormWidget(TForm& form) : form_(form) {}

 protected:
  void closeEvent(QCloseEvent* e) override {
    bool closed = false;
    InvokeHandler([&] { closed = form_.Close(); });
    e->setAccepted(closed);
  }

  void showEvent(QShowEvent*) override {
    InvokeHandler([&] {
      if (form_.OnShow) form_.OnShow(&form_);
    });
  }

  // The window system moved or resized the window: the form takes the new place over.
  void resizeEvent(QResizeEvent*) override { TakeGeometry(); }
  void moveEvent(QMoveEvent*) override { TakeGeometry(); }

 private:
  void TakeGeometry() {
    const QRect g = geometry();
    InvokeHandler([&] { form_.SetBounds(g.x(), g.y(), g.width(), g.height()); });
  }

  TForm& form_;
};

}  // namespace

class TFormPeer : public TWidgetPeer {
 public:
  explicit TFormPeer(TForm& form) : TWidgetPeer(form, new TFormWidget(form)), form_(form) {
    Widget()->setAutoFillBackground(true);
    ApplyWindowStyle();
  }

  void ApplyWindowStyle() {
    QWidget* w = Widget();
    const bool wasVisible = w->isVisible();
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    switch (form_.BorderStyle()) {
      case bsNone:
        flags = Qt::Window | Qt::FramelessWindowHint;
        break;
      case bsDialog:
        flags |= Qt::Dialog;
        break;
      case bsToolWindow:
      case bsSizeToolWin:
        flags |= Qt::Tool;
        break;
      default:
        break;
    }
    if (form_.BorderStyle() != bsNone) {
      if (form_.HasBorderIcon(biSystemMenu))
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      if (form_.HasBorderIcon(biMinimize)) flags |= Qt::WindowMinimizeButtonHint;
      if (form_.HasBorderIcon(biMaximize) && !form_.FixedSize())
        flags |= Qt::WindowMaximizeButtonHint;
      if (form_.HasBorderIcon(biHelp)) flags |= Qt::WindowContextHelpButtonHint;
    }
    w->setWindowFlags(flags);
    const QImage icon = form_.Icon().empty() ? QImage() : IconImage(form_.Icon());
    w->setWindowIcon(icon.isNull() ? QIcon() : QIcon(QPixmap::fromImage(icon)));
    ApplyBounds();
    if (wasVisible) w->show();
  }

 protected:
  void ApplyBounds() override {
    QWidget* w = Widget();
    if (form_.FixedSize()) {
      w->setFixedSize(form_.Width(), form_.Height());
    } else {
      w->setMinimumSize(0, 0);
      w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    if (w->geometry() != QRect(form_.Left(), form_.Top(), form_.Width(), form_.Height()))
      w->setGeometry(form_.Left(), form_.Top(), form_.Width(), form_.Height());
  }

  void ApplyText() override { Widget()->setWindowTitle(QString::fromStdString(form_.Caption())); }

 private:
  TForm& form_;
};

const TClassInfo& TForm::StaticClass() {
  static const TClassInfo& info =
      TClassBuilder<TForm>("TForm", TWinControl::StaticClass())
          .Property("Caption", &TControl::Caption, &TControl::SetCaption)
          .Property("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth)
          .Stored(false)
          .Property("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight)
          .Stored(false)
          .Color("Color", &TControl::Color, &TControl::SetColor)
          .Default(TValue(std::int64_t{clBtnFace}))
          .Property("Font", &TControl::Font, &TControl::SetFont)
          .Property("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle)
          .Default(TValue(std::int64_t{bsSizeable}))
          .SetOf<TBorderIcon>("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons)
          .Default(
              TValue(std::int64_t{(1 << biSystemMenu) | (1 << biMinimize) | (1 << biMaximize)}))
          .Property("Position", &TForm::Position, &TForm::SetPosition)
          .Default(TValue(std::int64_t{poDesigned}))
          .Property("PixelsPerInch", &TForm::PixelsPerInch, &TForm::SetPixelsPerInch)
          .Default(TValue(std::int64_t{96}))
          .Property("TextHeight", &TForm::TextHeight, &TForm::SetTextHeight)
          .Property("Icon", &TForm::Icon, &TForm::SetIcon)
          .Property("Visible", &TControl::Visible, &TControl::SetVisible)
          .Default(TValue(false))
          .Event("OnCreate", &TForm::OnCreate)
          .Event("OnClose", &TForm::OnClose)
          .Event("OnShow", &TForm::OnShow)
          .Creatable()
          .Build();
  return info;
}

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
}

TForm::~TForm() = default;

void TForm::SetBorderStyle(TFormBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  WindowStyleChanged();
}

void TForm::SetBorderIcons(int value) {
  if (value == borderIcons_) return;
  borderIcons_ = value;
  WindowStyleChanged();
}

void TForm::SetPosition(TPosition value) {
  position_ = value;
}

void TForm::SetPixelsPerInch(int value) {
  if (value <= 0) throw EPropertyError(Format("PixelsPerInch must be positive, not %d", {value}));
  pixelsPerInch_ = value;
}

void TForm::SetIcon(const std::string& value) {
  if (value == icon_) return;
  if (!value.empty() && IconImage(value).isNull())
    throw EPropertyError(
        "Icon is neither image data (\"data:image/...;base64,...\") nor a readable image");
  icon_ = value;
  WindowStyleChanged();
}

bool TForm::FixedSize() const {
  return borderStyle_ != bsSizeable && borderStyle_ != bsSizeToolWin;
}

void TForm::WindowStyleChanged() {
  if (auto* peer = dynamic_cast<TFormPeer*>(Peer())) peer->ApplyWindowStyle();
}

std::unique_ptr<TControlPeer> TForm::CreatePeer() {
  return MakePeer<TFormPeer>(*this);
}

void TForm::DoCreate() {
  InvokeHandler([&] {
    if (OnCreate) OnCreate(this);
  });
}

void TForm::PlaceOnScreen() {
  const TForm* around = nullptr;
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
      break;
    case poMainFormCenter:
    case poOwnerFormCenter:
      if (TApplication* app = Application(); app && app->MainForm() != this)
        around = app->MainForm();
      break;
    default:
      return;
  }
  QRect area;
  if (around && around->Visible()) {
    area = QRect(around->Left(), around->Top(), around->Width(), around->Height());
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  } else {
    return;
  }
  SetBounds(area.x() + (area.width() - Width()) / 2, area.y() + (area.height() - Height()) / 2,
            Width(), Height());
}

void TForm::Show() {
  HandleNeeded();
  TWidgetPeer* window = TWidgetPeer::Of(*this);
  if (!window || !window->Widget()->isVisible()) PlaceOnScreen();
  SetVisible(true);
  PeerChanged(TPeerChange::Visible);  // also when Visible was set before there was a window
  // The off-screen platform has no window stack to raise the window in.
  if (TWidgetPeer* peer = TWidgetPeer::Of(*this);
      peer && QGuiApplication::platformName() != QStringLiteral("offscreen")) {
    peer->Widget()->raise();
    peer->Widget()->activateWindow();
  }
}

bool TForm::Close() {
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return false;
  if (TApplication* app = Application(); app && app->MainForm() == this) {
    Hide();
    app->Terminate();
    return true;
  }
  switch (action) {
    case caMinimize:
      if (TWidgetPeer* peer = TWidgetPeer::Of(*this)) peer->Widget()->showMinimized();
      return false;
    case caFree:
      Hide();
      Release();
      return true;
    default:
      Hide();
      return true;
  }
}

void TForm::Release() {
  if (!QCoreApplication::instance()) {
    delete this;
    return;
  }
  std::weak_ptr<bool> alive = alive_;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [alive, this] {
        if (alive.lock()) delete this;
      },
      Qt::QueuedConnection);
}

}  // namespace fw
