// The chart's 3D view settings: angles, offsets, zoom and perspective.
//
// Owned by the chart, which gives it its repaint request at construction. Every setter does nothing
// when the value is unchanged; otherwise it stores the value and makes the repaint request. The
// scroll event follows a change of HorizOffset (flag true) or VertOffset (flag false); the zoom
// event comes before a change of Zoom. `Assign` copies all nine values.
// Published, with defaults: Elevation 345, HorizOffset 0, Orthogonal true, Perspective 15,
// Rotation 345, Tilt 0, VertOffset 0, Zoom 100 (percent), ZoomText true.
#pragma once

#include <functional>

#include "framework/core/Persistent.h"

namespace tee {

class TView3DOptions : public fw::TPersistent {
  FW_CLASS

 public:
  using TRepaintRequest = std::function<void()>;

  explicit TView3DOptions(TRepaintRequest repaint = {});

  int Elevation() const { return elevation_; }
  void SetElevation(int value);
  int HorizOffset() const { return horizOffset_; }
  void SetHorizOffset(int value);
  bool Orthogonal() const { return orthogonal_; }
  void SetOrthogonal(bool value);
  int Perspective() const { return perspective_; }
  void SetPerspective(int value);
  int Rotation() const { return rotation_; }
  void SetRotation(int value);
  int Tilt() const { return tilt_; }
  void SetTilt(int value);
  int VertOffset() const { return vertOffset_; }
  void SetVertOffset(int value);
  int Zoom() const { return zoom_; }
  void SetZoom(int value);
  bool ZoomText() const { return zoomText_; }
  void SetZoomText(bool value);

  // Called after HorizOffset (true) or VertOffset (false) changed.
  std::function<void(bool horizontal)> OnScroll;
  // Called before Zoom changes.
  std::function<void()> OnZoom;

  // Asks the chart to repaint (the canvas uses it when its monochrome flag changes).
  void Repaint() const {
    if (repaint_) repaint_();
  }

  void Assign(const fw::TPersistent* source) override;

 private:
  template <class T>
  void Store(T& field, T value) {
    if (field == value) return;
    field = value;
    Repaint();
  }

  TRepaintRequest repaint_;
  int elevation_ = 345;
  int horizOffset_ = 0;
  bool orthogonal_ = true;
  int perspective_ = 15;
  int rotation_ = 345;
  int tilt_ = 0;
  int vertOffset_ = 0;
  int zoom_ = 100;
  bool zoomText_ = true;
};

}  // namespace tee
