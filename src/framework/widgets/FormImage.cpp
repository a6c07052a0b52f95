#include "framework/widgets/FormImage.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QWidget>

#include "framework/widgets/WidgetPeer.h"

namespace fw {

QImage RenderControl(TWinControl& control) {
  control.HandleNeeded();
  TWidgetPeer* peer = TWidgetPeer::Of(control);
  if (!peer || !peer->Widget()) return QImage();
  // Pending geometry and layout changes first, so that the picture shows the current state.
  QCoreApplication::sendPostedEvents();
  return peer->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool SaveControlImage(TWinControl& control, const std::string& path) {
  const QImage image = RenderControl(control);
  return !image.isNull() && image.save(QString::fromStdString(path));
}

}  // namespace fw
