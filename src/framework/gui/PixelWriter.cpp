#include "framework/gui/PixelWriter.h"

namespace fw {

void TPixelWriter::Attach(QImage* image) {
  const bool writable =
      image != nullptr && !image->isNull() &&
      (image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32 ||
       image->format() == QImage::Format_ARGB32_Premultiplied);
  bits_ = writable ? const_cast<uchar*>(image->constBits()) : nullptr;
  stride_ = writable ? image->bytesPerLine() : 0;
  width_ = writable ? image->width() : 0;
  height_ = writable ? image->height() : 0;
  SetClip(false, true, QRect());
}

void TPixelWriter::SetClip(bool clipped, bool simple, const QRect& clip) {
  simpleClip_ = simple;
  QRect area(0, 0, width_, height_);
  if (clipped) area &= clip;
  if (area.isEmpty()) {
    left_ = top_ = 0;
    right_ = bottom_ = -1;
    return;
  }
  left_ = area.left();
  top_ = area.top();
  right_ = area.right();
  bottom_ = area.bottom();
}

}  // namespace fw
