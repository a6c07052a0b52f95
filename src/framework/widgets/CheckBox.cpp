#include "framework/widgets/CheckBox.h"

#include <QCheckBox>
#include <QSignalBlocker>

#include "framework/core/ErrorReport.h"
#include "framework/widgets/WidgetPeer.h"

namespace fw {

class TCheckBoxPeer : public TWidgetPeer {
 public:
  explicit TCheckBoxPeer(TCheckBox& box) : TWidgetPeer(box, new QCheckBox()), box_(box) {
    QObject::connect(CheckBox(), &QCheckBox::clicked, Guard(), [this](bool checked) {
      InvokeHandler([&] { box_.ClickedByOperator(checked); });
    });
  }

  QCheckBox* CheckBox() const { return static_cast<QCheckBox*>(Widget()); }

  void ApplyChecked() {
    const QSignalBlocker quiet(CheckBox());
    CheckBox()->setChecked(box_.Checked());
  }

 protected:
  void ApplyText() override {
    CheckBox()->setText(QString::fromStdString(box_.Caption()));
    ApplyChecked();
  }
  Qt::FocusPolicy FocusWithoutTabStop() const override { return Qt::ClickFocus; }

 private:
  TCheckBox& box_;
};

const TClassInfo& TCheckBox::StaticClass() {
  static const TClassInfo& info =
      TClassBuilder<TCheckBox>("TCheckBox", TWinControl::StaticClass())
          .Property("Caption", &TControl::Caption, &TControl::SetCaption)
          .Property("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked)
          .Default(TValue(false))
          .Color("Color", &TControl::Color, &TControl::SetColor)
          .Default(TValue(std::int64_t{clBtnFace}))
          .Property("Font", &TControl::Font, &TControl::SetFont)
          .StoredWhen([](const TCheckBox& c) { return !c.ParentFont(); })
          .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
          .Default(TValue(true))
          .Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
          .Default(TValue(true))
          .Event("OnClick", &TControl::OnClick)
          .Creatable()
          .Build();
  return info;
}

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCheckBox::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  if (auto* peer = dynamic_cast<TCheckBoxPeer*>(Peer())) peer->ApplyChecked();
  if (!Loading()) Click();
}

void TCheckBox::ClickedByOperator(bool checked) {
  checked_ = checked;
  Click();
}

std::unique_ptr<TControlPeer> TCheckBox::CreatePeer() {
  return MakePeer<TCheckBoxPeer>(*this);
}

}  // namespace fw
