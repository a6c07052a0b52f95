// Pictures of windows: what the operator sees of a form (or any windowed control), for
// screenshots and tests.
//
// The control's window is created when it has none yet; the picture shows its client area with
// every child control as it would be painted on screen (self-painting controls such as a chart
// paint themselves into it), whether the window is shown or not. The window frame and title bar
// drawn by the window system are not part of it.
#pragma once

#include <QImage>
#include <string>

#include "framework/core/WinControl.h"

namespace fw {

// An empty image when the control can have no window (no window system).
QImage RenderControl(TWinControl& control);

// Writes RenderControl's image; the format follows the file name's extension (".png"). Answers
// false when nothing could be written.
bool SaveControlImage(TWinControl& control, const std::string& path);

}  // namespace fw
