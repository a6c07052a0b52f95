#include "framework/core/NullCanvas.h"

namespace fw {

std::unique_ptr<TCustomBitmap> TNullCanvas::DoCreateCompatibleBitmap(int width, int height) {
  return std::make_unique<TNullBitmap>(width, height);
}

}  // namespace fw
