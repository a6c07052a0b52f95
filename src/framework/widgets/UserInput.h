// Operator input delivered to controls the way the window system delivers it.
//
// For tests and demonstrations: each function drives the real Qt widget of a control (its window
// is created when needed), so that the control's reaction, its events and the event boundary are
// exercised exactly as when an operator acts. Nothing here bypasses the widgets.
#pragma once

#include <string>

#include "framework/core/Input.h"
#include "framework/core/WinControl.h"

namespace fw {

class TComboBox;
class TForm;

// A click on a button or check box (as with the mouse or the space key).
void ClickButton(TWinControl& control);

// Keystrokes into a combo box's field, one per character, each as the operator types it.
void TypeText(TComboBox& box, const std::string& text);
// Selects the whole text of the field, so that the next keystroke replaces it.
void SelectAllText(TComboBox& box);
// Opens the drop-down list and clicks the item at `index`.
void PickItem(TComboBox& box, int index);

// Mouse button pressed and released at (x, y) of a self-painting control's client area.
void MouseClick(TWinControl& control, int x, int y, TMouseButton button = mbLeft);
// Button pressed at `from`, moved to `to` and released there.
void MouseDrag(TWinControl& control, TPoint from, TPoint to, TMouseButton button = mbLeft);

// The close button of the window's title bar; answers whether the window closed.
bool CloseWindow(TForm& form);

}  // namespace fw
