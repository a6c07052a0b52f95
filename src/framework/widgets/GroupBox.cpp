#include "framework/widgets/GroupBox.h"

#include <QGroupBox>

#include "framework/widgets/WidgetPeer.h"

namespace fw {
namespace {

class TGroupBoxPeer : public TWidgetPeer {
 public:
  explicit TGroupBoxPeer(TGroupBox& box) : TWidgetPeer(box, new QGroupBox()) {}

 protected:
  void ApplyText() override {
    static_cast<QGroupBox*>(Widget())->setTitle(QString::fromStdString(Control().Caption()));
  }
};

}  // namespace

const TClassInfo& TGroupBox::StaticClass() {
  static const TClassInfo& info =
      TClassBuilder<TGroupBox>("TGroupBox", TWinControl::StaticClass())
          .Property("Caption", &TControl::Caption, &TControl::SetCaption)
          .Color("Color", &TControl::Color, &TControl::SetColor)
          .Default(TValue(std::int64_t{clBtnFace}))
          .Property("Font", &TControl::Font, &TControl::SetFont)
          .StoredWhen([](const TGroupBox& c) { return !c.ParentFont(); })
          .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
          .Default(TValue(true))
          .Creatable()
          .Build();
  return info;
}

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 185, 105);
}

std::unique_ptr<TControlPeer> TGroupBox::CreatePeer() {
  return MakePeer<TGroupBoxPeer>(*this);
}

}  // namespace fw
