#include "chart/TeCanvasView3D.h"

#include "framework/core/ClassBuilder.h"

namespace tee {

using fw::TValue;

const fw::TClassInfo& TView3DOptions::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TView3DOptions>("TView3DOptions", fw::TPersistent::StaticClass())
          .Property("Elevation", &TView3DOptions::Elevation, &TView3DOptions::SetElevation)
          .Default(TValue(std::int64_t{345}))
          .Property("HorizOffset", &TView3DOptions::HorizOffset, &TView3DOptions::SetHorizOffset)
          .Default(TValue(std::int64_t{0}))
          .Property("Orthogonal", &TView3DOptions::Orthogonal, &TView3DOptions::SetOrthogonal)
          .Default(TValue(true))
          .Property("Perspective", &TView3DOptions::Perspective, &TView3DOptions::SetPerspective)
          .Default(TValue(std::int64_t{15}))
          .Property("Rotation", &TView3DOptions::Rotation, &TView3DOptions::SetRotation)
          .Default(TValue(std::int64_t{345}))
          .Property("Tilt", &TView3DOptions::Tilt, &TView3DOptions::SetTilt)
          .Default(TValue(std::int64_t{0}))
          .Property("VertOffset", &TView3DOptions::VertOffset, &TView3DOptions::SetVertOffset)
          .Default(TValue(std::int64_t{0}))
          .Property("Zoom", &TView3DOptions::Zoom, &TView3DOptions::SetZoom)
          .Default(TValue(std::int64_t{100}))
          .Property("ZoomText", &TView3DOptions::ZoomText, &TView3DOptions::SetZoomText)
          .Default(TValue(true))
          .Build();
  return info;
}

TView3DOptions::TView3DOptions(TRepaintRequest repaint) : repaint_(std::move(repaint)) {}

void TView3DOptions::SetElevation(int value) {
  Store(elevation_, value);
}

void TView3DOptions::SetHorizOffset(int value) {
  if (value == horizOffset_) return;
  horizOffset_ = value;
  Repaint();
  if (OnScroll) OnScroll(true);
}

void TView3DOptions::SetOrthogonal(bool value) {
  Store(orthogonal_, value);
}

void TView3DOptions::SetPerspective(int value) {
  Store(perspective_, value);
}

void TView3DOptions::SetRotation(int value) {
  Store(rotation_, value);
}

void TView3DOptions::SetTilt(int value) {
  Store(tilt_, value);
}

void TView3DOptions::SetVertOffset(int value) {
  if (value == vertOffset_) return;
  vertOffset_ = value;
  Repaint();
  if (OnScroll) OnScroll(false);
}

void TView3DOptions::SetZoom(int value) {
  if (value == zoom_) return;
  if (OnZoom) OnZoom();
  zoom_ = value;
  Repaint();
}

void TView3DOptions::SetZoomText(bool value) {
  Store(zoomText_, value);
}

void TView3DOptions::Assign(const fw::TPersistent* source) {
  const auto* o = dynamic_cast<const TView3DOptions*>(source);
  if (o == nullptr) return fw::TPersistent::Assign(source);
  elevation_ = o->elevation_;
  horizOffset_ = o->horizOffset_;
  orthogonal_ = o->orthogonal_;
  perspective_ = o->perspective_;
  rotation_ = o->rotation_;
  tilt_ = o->tilt_;
  vertOffset_ = o->vertOffset_;
  zoom_ = o->zoom_;
  zoomText_ = o->zoomText_;
  Repaint();
}

}  // namespace tee
