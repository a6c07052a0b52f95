// The recording backend: a `TCanvas` that draws nothing and logs every call it gets.
//
// Each entry holds the operation's name and arguments together with the pen, brush, font, back
// colour, back mode and text alignment in force, so that a test can assert the exact calls a
// drawing routine makes:
//
//   fw::TRecordingCanvas canvas;
//   DrawSomething(canvas);
//   EXPECT_EQ(canvas.Log().Strings(), (std::vector<std::string>{"Ellipse(98,48,102,52)"}));
//   EXPECT_EQ(canvas.Log().Named("Ellipse")[0].Brush.Color, fw::clRed);
//
// Logged: MoveTo, LineTo, Rectangle, Ellipse, RoundRect, Arc, Pie, Polygon, Polyline, SetPixel,
// TextOut, FillRect, PatternFill, Draw, StretchDraw, IntersectClipRect, ExcludeClipRect,
// SelectClipRect, ClipPolygon (with the operation's name as text), RemoveClip, SetBackColor,
// SetBackMode, SetTextAlign. Queries (text extents, getters) are not logged. Text is measured with
// the real fonts (as the QImage backend measures it), so layouts computed on a recording canvas
// are the real ones; this needs a QGuiApplication. A compatible bitmap of a recording canvas is a
// recording bitmap whose canvas writes into the same log under the target name "bitmap".
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/Canvas.h"

namespace fw {

struct TRecordedPen {
  TColor Color = clBlack;
  TPenStyle Style = psSolid;
  int Width = 1;
  TPenMode Mode = pmCopy;
  friend bool operator==(const TRecordedPen&, const TRecordedPen&) = default;
};

struct TRecordedBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  bool HasBitmap = false;
  friend bool operator==(const TRecordedBrush&, const TRecordedBrush&) = default;
};

struct TRecordedFont {
  std::string Name;
  int Height = 0;
  int Size = 0;
  TColor Color = clBlack;
  TFontStyles Style;
  int Escapement = 0;
  friend bool operator==(const TRecordedFont&, const TRecordedFont&) = default;
};

struct TRecordedCall {
  std::string Target;  // the recording canvas' name
  std::string Name;    // the operation: "Ellipse", "TextOut", ...
  std::vector<int> Args;
  std::vector<TPoint> Points;  // Polygon, Polyline, ClipPolygon
  std::string Text;            // TextOut's text; the clip operation of ClipPolygon
  TRecordedPen Pen;
  TRecordedBrush Brush;
  TRecordedFont Font;
  TColor BackColor = clWhite;
  int BackMode = OPAQUE;
  unsigned TextAlign = 0;

  // "Ellipse(98,48,102,52)", "TextOut(10,20,"abc")", "Polygon((1,2),(3,4),(5,6))".
  std::string ToString() const;
  // ToString followed by the state: pen, brush, font, back colour and mode, text alignment.
  std::string Describe() const;
};

class TCanvasLog {
 public:
  TRecordedCall& Add(TRecordedCall call) {
    calls_.push_back(std::move(call));
    return calls_.back();
  }
  void Clear() { calls_.clear(); }
  const std::vector<TRecordedCall>& Calls() const { return calls_; }
  size_t Size() const { return calls_.size(); }

  // The calls of one operation, in order.
  std::vector<TRecordedCall> Named(std::string_view name) const;
  int Count(std::string_view name) const;
  // ToString of every call, optionally only of the given operations.
  std::vector<std::string> Strings() const;
  std::vector<std::string> Strings(std::initializer_list<std::string_view> names) const;
  // Describe of every call, one per line.
  std::string Dump() const;

 private:
  std::vector<TRecordedCall> calls_;
};

class TRecordingCanvas : public TCanvas {
 public:
  explicit TRecordingCanvas(std::shared_ptr<TCanvasLog> log = std::make_shared<TCanvasLog>(),
                            std::string target = "canvas");

  TCanvasLog& Log() { return *log_; }
  const std::shared_ptr<TCanvasLog>& SharedLog() const { return log_; }
  const std::string& Target() const { return target_; }

 protected:
  void DoMoveTo(int x, int y) override;
  void DoLine(TPoint from, TPoint to) override;
  void DoRectangle(const TRect& r) override;
  void DoEllipse(const TRect& r) override;
  void DoRoundRect(const TRect& r, int cornerWidth, int cornerHeight) override;
  void DoArc(TArcKind kind, const TRect& r, TPoint start, TPoint end) override;
  void DoPolygon(std::span<const TPoint> points) override;
  void DoPolyline(std::span<const TPoint> points) override;
  void DoSetPixel(int x, int y, TColor color) override;
  void DoTextOut(int x, int y, std::string_view text) override;
  TSize DoTextExtent(std::string_view text) override;
  void DoFillRect(const TRect& r, bool pattern) override;
  void DoDraw(const TRect& dest, const TGraphic& graphic, bool stretch) override;
  void DoClipRect(const TRect& r, TClipOperation op) override;
  void DoClipPolygon(std::span<const TPoint> points, TClipOperation op) override;
  void DoRemoveClip() override;
  std::unique_ptr<TCustomBitmap> DoCreateCompatibleBitmap(int width, int height) override;
  void DoStateChanged(TCanvasState state) override;

 private:
  TRecordedCall& Record(std::string name, std::vector<int> args);

  std::shared_ptr<TCanvasLog> log_;
  std::string target_;
  std::uint32_t fontRevision_ = 0;
  std::optional<QFontMetrics> metrics_;
};

// A bitmap whose canvas records into a shared log.
class TRecordingBitmap : public TCustomBitmap {
 public:
  TRecordingBitmap(std::shared_ptr<TCanvasLog> log, int width, int height,
                   std::string target = "bitmap");
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetSize(int width, int height) override;
  TCanvas& Canvas() override { return canvas_; }
  const std::string& Target() const { return canvas_.Target(); }

 private:
  int width_;
  int height_;
  TRecordingCanvas canvas_;
};

}  // namespace fw
