#include "framework/widgets/StaticText.h"

#include <QLabel>
#include <QMouseEvent>

#include "framework/core/ErrorReport.h"
#include "framework/widgets/WidgetPeer.h"

namespace fw {
namespace {

class TStaticLabel : public QLabel {
 public:
  explicit TStaticLabel(TStaticText& text) : text_(text) {}

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
      InvokeHandler([&] { text_.Click(); });
  }

 private:
  TStaticText& text_;
};

}  // namespace

class TStaticTextPeer : public TWidgetPeer {
 public:
  explicit TStaticTextPeer(TStaticText& text)
      : TWidgetPeer(text, new TStaticLabel(text)), text_(text) {
    Label()->setTextFormat(Qt::PlainText);
  }

  QLabel* Label() const { return static_cast<QLabel*>(Widget()); }

  void ApplyLook() {
    Qt::Alignment align = Qt::AlignTop;
    switch (text_.Alignment()) {
      case taLeftJustify:
        align |= Qt::AlignLeft;
        break;
      case taRightJustify:
        align |= Qt::AlignRight;
        break;
      case taCenter:
        align |= Qt::AlignHCenter;
        break;
    }
    Label()->setAlignment(align);
    switch (text_.BorderStyle()) {
      case sbsNone:
        Label()->setFrameStyle(QFrame::NoFrame);
        break;
      case sbsSingle:
        Label()->setFrameStyle(QFrame::Box | QFrame::Plain);
        break;
      case sbsSunken:
        Label()->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        break;
    }
    Label()->setLineWidth(1);
  }

 protected:
  void ApplyText() override {
    Label()->setText(QString::fromStdString(text_.Caption()));
    ApplyLook();
  }

 private:
  TStaticText& text_;
};

const TClassInfo& TStaticText::StaticClass() {
  static const TClassInfo& info =
      TClassBuilder<TStaticText>("TStaticText", TWinControl::StaticClass())
          .Property("Alignment", &TStaticText::Alignment, &TStaticText::SetAlignment)
          .Default(TValue(std::int64_t{taLeftJustify}))
          .Property("BorderStyle", &TStaticText::BorderStyle, &TStaticText::SetBorderStyle)
          .Default(TValue(std::int64_t{sbsNone}))
          .Property("Caption", &TControl::Caption, &TControl::SetCaption)
          .Color("Color", &TControl::Color, &TControl::SetColor)
          .Default(TValue(std::int64_t{clBtnFace}))
          .Property("Font", &TControl::Font, &TControl::SetFont)
          .StoredWhen([](const TStaticText& c) { return !c.ParentFont(); })
          .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
          .Default(TValue(true))
          .Event("OnClick", &TControl::OnClick)
          .Creatable()
          .Build();
  return info;
}

TStaticText::TStaticText(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 65, 17);
}

void TStaticText::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  if (auto* peer = dynamic_cast<TStaticTextPeer*>(Peer())) peer->ApplyLook();
}

void TStaticText::SetBorderStyle(TStaticBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  if (auto* peer = dynamic_cast<TStaticTextPeer*>(Peer())) peer->ApplyLook();
}

std::unique_ptr<TControlPeer> TStaticText::CreatePeer() {
  return MakePeer<TStaticTextPeer>(*this);
}

}  // namespace fw
