#include "framework/widgets/Button.h"

#include <QPushButton>

#include "framework/core/ErrorReport.h"
#include "framework/widgets/WidgetPeer.h"

namespace fw {
namespace {

class TButtonPeer : public TWidgetPeer {
 public:
  explicit TButtonPeer(TButton& button) : TWidgetPeer(button, new QPushButton()), button_(button) {
    Push()->setAutoDefault(false);
    QObject::connect(Push(), &QPushButton::clicked, Guard(),
                     [this] { InvokeHandler([&] { button_.Click(); }); });
  }

  QPushButton* Push() const { return static_cast<QPushButton*>(Widget()); }

 protected:
  void ApplyText() override { Push()->setText(QString::fromStdString(button_.Caption())); }
  Qt::FocusPolicy FocusWithoutTabStop() const override { return Qt::ClickFocus; }

 private:
  TButton& button_;
};

}  // namespace

const TClassInfo& TButton::StaticClass() {
  static const TClassInfo& info =
      TClassBuilder<TButton>("TButton", TWinControl::StaticClass())
          .Property("Caption", &TControl::Caption, &TControl::SetCaption)
          .Property("Font", &TControl::Font, &TControl::SetFont)
          .StoredWhen([](const TButton& c) { return !c.ParentFont(); })
          .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
          .Default(TValue(true))
          .Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
          .Default(TValue(true))
          .Event("OnClick", &TControl::OnClick)
          .Creatable()
          .Build();
  return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

std::unique_ptr<TControlPeer> TButton::CreatePeer() {
  return MakePeer<TButtonPeer>(*this);
}

}  // namespace fw
