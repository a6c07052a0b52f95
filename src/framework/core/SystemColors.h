// Resolution of framework colours to the RGB values the platform draws with.
//
// System colours (`clBtnFace`, ...) are kept symbolic everywhere in the application and looked up
// here only when a drawing call reaches the platform. The table holds the classic desktop scheme,
// the same on every machine, so that drawings and their tests do not depend on the desktop theme.
#pragma once

#include "framework/core/Color.h"

namespace fw {

inline constexpr int kSystemColorCount = 25;

// The RGB value (0x00BBGGRR) of a colour as drawn: a system colour is looked up in the table, any
// other value keeps its low 24 bits (so the markers clNone and clDefault never reach the platform
// as themselves).
TColor ColorToRGB(TColor color);

// Replaces one entry of the system colour table; indexes outside the table are ignored.
void SetSystemColor(int index, TColor rgb);

}  // namespace fw
