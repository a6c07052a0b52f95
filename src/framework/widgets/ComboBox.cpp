#include "framework/widgets/ComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "framework/core/ErrorReport.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/gui/QtGraphics.h"
#include "framework/widgets/WidgetPeer.h"

namespace fw {

class TComboBoxPeer : public TWidgetPeer {
 public:
  explicit TComboBoxPeer(TComboBox& box) : TWidgetPeer(box, new QComboBox()), box_(box) {
    QObject::connect(Combo(), qOverload<int>(&QComboBox::activated), Guard(),
                     [this](int index) { InvokeHandler([&] { box_.PickedByOperator(index); }); });
    ApplyStyle();
  }

  QComboBox* Combo() const { return static_cast<QComboBox*>(Widget()); }

  void ApplyStyle() {
    const QSignalBlocker quiet(Combo());
    Combo()->setEditable(box_.Editable());
    QLineEdit* edit = Combo()->lineEdit();
    if (edit && edit != connectedEdit_) {
      Combo()->setInsertPolicy(QComboBox::NoInsert);
      Combo()->setCompleter(nullptr);
      QObject::connect(edit, &QLineEdit::textEdited, Guard(), [this](const QString& text) {
        InvokeHandler([&] { box_.TypedByOperator(text.toStdString()); });
      });
      connectedEdit_ = edit;
    }
    ApplyItems();
  }

  void ApplyItems() {
    const QSignalBlocker quiet(Combo());
    Combo()->clear();
    for (const std::string& item : box_.Items()) Combo()->addItem(QString::fromStdString(item));
    ApplyItemHeight();
    ApplySelection();
  }

  void ApplyItemHeight() {
    for (int i = 0; i < Combo()->count(); ++i)
      Combo()->setItemData(i, QSize(0, box_.ItemHeight()), Qt::SizeHintRole);
    Combo()->setMaxVisibleItems(box_.DropDownCount());
  }

  void ApplySelection() {
    const QSignalBlocker quiet(Combo());
    Combo()->setCurrentIndex(box_.ItemIndex());
    if (Combo()->isEditable()) {
      const QSignalBlocker quietEdit(Combo()->lineEdit());
      if (Combo()->currentText().toStdString() != box_.Text())
        Combo()->setEditText(QString::fromStdString(box_.Text()));
    }
  }

 protected:
  void ApplyText() override { ApplySelection(); }
  void ApplyColor() override {
    TWidgetPeer::ApplyColor();
    QPalette palette = Combo()->palette();
    palette.setColor(QPalette::Base, ToQColor(box_.Color()));
    Combo()->setPalette(palette);
  }
  Qt::FocusPolicy FocusWithoutTabStop() const override { return Qt::ClickFocus; }

 private:
  TComboBox& box_;
  QPointer<QLineEdit> connectedEdit_;
};

const TClassInfo& TComboBox::StaticClass() {
  static const TClassInfo& info =
      TClassBuilder<TComboBox>("TComboBox", TWinControl::StaticClass())
          .Property("Style", &TComboBox::Style, &TComboBox::SetStyle)
          .Default(TValue(std::int64_t{csDropDown}))
          .Color("Color", &TControl::Color, &TControl::SetColor)
          .Default(TValue(std::int64_t{clWindow}))
          .Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount)
          .Default(TValue(std::int64_t{8}))
          .Property("Font", &TControl::Font, &TControl::SetFont)
          .StoredWhen([](const TComboBox& c) { return !c.ParentFont(); })
          .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
          .Default(TValue(true))
          .Property("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight)
          .Default(TValue(std::int64_t{16}))
          .Property("Items", &TComboBox::Items, &TComboBox::SetItems)
          .Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex)
          .Default(TValue(std::int64_t{-1}))
          .Property("Text", &TControl::Text, &TControl::SetText)
          .Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
          .Default(TValue(true))
          .Event("OnChange", &TComboBox::OnChange)
          .Creatable()
          .Build();
  return info;
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 145, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

void TComboBox::SetStyle(TComboBoxStyle value) {
  if (value != csDropDown && value != csDropDownList)
    throw EPropertyError(
        Format("Combo box style %s is not supported", {FwEnumInfo(value).NameOf(value)}));
  if (value == style_) return;
  style_ = value;
  if (auto* peer = dynamic_cast<TComboBoxPeer*>(Peer())) peer->ApplyStyle();
}

void TComboBox::SetItems(const TStringList& value) {
  if (value == items_) return;
  items_ = value;
  if (itemIndex_ >= static_cast<int>(items_.size()) ||
      (itemIndex_ >= 0 && items_[itemIndex_] != Text()))
    itemIndex_ = -1;
  if (auto* peer = dynamic_cast<TComboBoxPeer*>(Peer())) peer->ApplyItems();
}

void TComboBox::SetItemIndex(int value) {
  if (value != -1) CheckListIndex(value, static_cast<int>(items_.size()));
  if (value == itemIndex_) return;
  itemIndex_ = value;
  // Picking no item empties the field, as the platform's combo box does.
  SetText(value >= 0 ? items_[value] : std::string());
  if (auto* peer = dynamic_cast<TComboBoxPeer*>(Peer())) peer->ApplySelection();
}

void TComboBox::SetItemHeight(int value) {
  if (value < 1) throw EPropertyError(Format("ItemHeight must be 1 or more, not %d", {value}));
  if (value == itemHeight_) return;
  itemHeight_ = value;
  if (auto* peer = dynamic_cast<TComboBoxPeer*>(Peer())) peer->ApplyItemHeight();
}

void TComboBox::SetDropDownCount(int value) {
  if (value < 1) throw EPropertyError(Format("DropDownCount must be 1 or more, not %d", {value}));
  if (value == dropDownCount_) return;
  dropDownCount_ = value;
  if (auto* peer = dynamic_cast<TComboBoxPeer*>(Peer())) peer->ApplyItemHeight();
}

void TComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TComboBox::TypedByOperator(const std::string& text) {
  SetText(text);
  Change();
}

void TComboBox::PickedByOperator(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  itemIndex_ = index;
  // Picking the item that is already in the field (Enter on a typed item text, or the same item
  // again from the list) changes nothing.
  if (items_[index] == Text()) return;
  SetText(items_[index]);
  Change();
}

std::unique_ptr<TControlPeer> TComboBox::CreatePeer() {
  return MakePeer<TComboBoxPeer>(*this);
}

}  // namespace fw
