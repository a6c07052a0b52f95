// TComboBox: an edit field with a drop-down list of items.
//
// `Style` csDropDown (the default) is editable: the operator may type any text or pick an item;
// csDropDownList only lets them pick. `Text` is the text in the field, `Items` the list,
// `ItemIndex` the picked item (-1 for none). OnChange fires after every change the operator
// makes: each keystroke that changes the text, and each pick from the list that puts another text
// into the field (picking the text already there, or pressing Enter on it, changes nothing).
// Changes made from code (Text, ItemIndex, Items) do not fire it. Typed text is never added to the
// list and never completed automatically.
//
// `ItemHeight` is the height of one line of the drop-down list, `DropDownCount` the number of
// lines it shows at most. The window is a QComboBox.
//
// Published: Style (csDropDown), Color (clWindow), DropDownCount (8), Font, ParentFont (true),
// ItemHeight (16), Items, ItemIndex (-1), Text, TabStop (true), OnChange.
#pragma once

#include <cstdint>

#include "framework/core/WinControl.h"

namespace fw {

enum TComboBoxStyle : std::uint8_t {
  csDropDown,
  csSimple,
  csDropDownList,
  csOwnerDrawFixed,
  csOwnerDrawVariable
};
FW_ENUM_NAMES(TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed",
              "csOwnerDrawVariable")

class TComboBox : public TWinControl {
  FW_CLASS

 public:
  explicit TComboBox(TComponent* owner);

  // Raises EPropertyError for the styles other than csDropDown and csDropDownList.
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle value);
  bool Editable() const { return style_ != csDropDownList; }

  const TStringList& Items() const { return items_; }
  void SetItems(const TStringList& value);
  int ItemIndex() const { return itemIndex_; }
  // -1 or an index of Items: picking an item puts its text into the field, -1 empties it. Raises
  // the list error for other values.
  void SetItemIndex(int value);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int value);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int value);

  TNotifyEvent OnChange;
  // Fires OnChange.
  virtual void Change();

 protected:
  std::unique_ptr<TControlPeer> CreatePeer() override;

 private:
  friend class TComboBoxPeer;
  void TypedByOperator(const std::string& text);
  void PickedByOperator(int index);

  TComboBoxStyle style_ = csDropDown;
  TStringList items_;
  int itemIndex_ = -1;
  int itemHeight_ = 16;
  int dropDownCount_ = 8;
};

}  // namespace fw
