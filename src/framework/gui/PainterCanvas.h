// The real drawing backend: a `TCanvas` that paints with a QPainter into a QImage.
//
// Antialiasing is off for shapes and lines, so that every pixel lands where the platform semantics
// of `TCanvas` put it (see Canvas.h): a shape's box (l, t, r, b) becomes the Qt geometry
// (l, t, r - l - 1, b - t - 1), whose one-pixel outline covers l..r-1 and whose fill alone covers
// l..r-2; one-pixel lines use flat caps, which leave out the end point. Text is drawn with
// grey-scale antialiasing. Pen, brush, font and back state are turned into Qt objects only when
// their revision changed since the last call.
//
// The painter is composed, never exposed: nothing outside can change its state behind the
// canvas' back. `TBitmap` owns the image and this canvas; `Suspend`/`Resume` bracket a change of
// the image.
//
// Direct drawing (on unless switched off): where QPainter would fill runs of one solid opaque
// colour without a raster operation, and the clip is none or one rectangle, the runs are written
// straight into the image. Small ellipses, rectangles, polygons and lines are converted once per
// shape, size and style into stamps (ShapeStamps.h), and a stamp written again where the same one
// already lies, with nothing else drawn since, is skipped. Both give exactly the pixels of the
// QPainter path; switching direct drawing off lets tests prove it.
//
// Texts, with direct drawing on, are copied rather than drawn where every pixel they can touch
// holds one colour (TextImages.h): a mark's text in its box, a label on its panel. Turned texts,
// clips of more than one rectangle and images of other formats take the QPainter way.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/core/Canvas.h"
#include "framework/gui/PixelWriter.h"
#include "framework/gui/ShapeStamps.h"
#include "framework/gui/StampCoverage.h"
#include "framework/gui/TextCache.h"
#include "framework/gui/TextImages.h"

namespace fw {

class TPainterCanvas : public TCanvas {
 public:
  // Shapes up to this size in pixels (box or extent) become stamps; larger ones are rare and are
  // written run by run.
  static constexpr int kMaxStampSize = 64;

  // Paints into `image`, which must outlive the canvas (or be suspended first).
  explicit TPainterCanvas(QImage* image);
  ~TPainterCanvas() override;

  // Ends painting before the image is replaced or resized.
  void Suspend();
  // Starts painting again (into the same QImage object); every state is applied afresh.
  void Resume();

  // Direct pixel writes and stamps; off, everything is drawn through QPainter.
  bool DirectDrawing() const { return direct_; }
  void SetDirectDrawing(bool value);
  // How many texts were copied from kept images rather than drawn (for tests and diagnostics).
  std::uint64_t TextsCopied() const { return textsCopied_; }

 protected:
  void DoLine(TPoint from, TPoint to) override;
  void DoRectangle(const TRect& r) override;
  void DoEllipse(const TRect& r) override;
  void DoRoundRect(const TRect& r, int cornerWidth, int cornerHeight) override;
  void DoArc(TArcKind kind, const TRect& r, TPoint start, TPoint end) override;
  void DoPolygon(std::span<const TPoint> points) override;
  void DoPolyline(std::span<const TPoint> points) override;
  void DoSetPixel(int x, int y, TColor color) override;
  void DoDrawMarkers(const TMarkerShape& shape, std::span<const TMarkerPlace> places,
                     bool penFollows) override;
  void DoTextOut(int x, int y, std::string_view text) override;
  TSize DoTextExtent(std::string_view text) override;
  void DoFillRect(const TRect& r, bool pattern) override;
  void DoDraw(const TRect& dest, const TGraphic& graphic, bool stretch) override;
  void DoClipRect(const TRect& r, TClipOperation op) override;
  void DoClipPolygon(std::span<const TPoint> points, TClipOperation op) override;
  void DoRemoveClip() override;
  std::unique_ptr<TCustomBitmap> DoCreateCompatibleBitmap(int width, int height) override;

 private:
  // Brings the painter's pen, brush, back mode and raster operation up to date; false when there
  // is nothing to paint on.
  bool Prepare();
  void ApplyPen();
  void ApplyBrush();
  void ApplyBack();
  void ApplyFont();
  // A text laid out in the current font, with its advance width. Shaping costs far more than
  // drawing the glyphs, and a chart writes the same labels in the same few fonts on every paint;
  // the layouts are kept per font for the last few fonts used (and emptied when too many).
  struct TLaidOutText {
    QStaticText Text;
    int Width = 0;
    // Texts are copied from their second drawing on: one drawn once (a value of a live profile)
    // costs no more than QPainter's drawing.
    bool DrawnOnce = false;
    // The pixels the glyphs cover (TextImages.h), relative to the text's top-left point; found
    // at the first copy tried, none when it could not be found.
    bool CoverageKnown = false;
    std::optional<QRect> Coverage;
    // The kept image copied last, with what it was kept for.
    const QImage* Image = nullptr;
    QRgb ImageInk = 0;
    QRgb ImageBack = 0;
    QImage::Format ImageFormat = QImage::Format_Invalid;
    std::uint32_t ImageGeneration = 0;
  };
  // Looked up by string_view, without building a string.
  struct TTextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  struct TFontLayouts {
    QFont Font;
    std::uint64_t Id = 0;  // never reused: names the font in the kept text images
    std::unordered_map<std::string, TLaidOutText, TTextHash, std::equal_to<>> Texts;
  };
  TLaidOutText& LaidOut(std::string_view text);
  // Writes the kept image of a text at `origin` (its top-left point) where every pixel it can
  // touch holds one colour; false when the text must be drawn by QPainter.
  bool CopyText(TLaidOutText& laid, std::string_view text, QPoint origin);
  // Strokes a path of one-pixel lines, each leaving out its end point, the dash pattern running on.
  void StrokeThin(std::span<const TPoint> path);
  void FillEllipseInside(const TRect& r, const QBrush& brush);
  // Draws with the plain copy operation (text, pixels, fills and bitmap copies ignore the pen's
  // raster operation), then restores the pen's.
  class CopyModeScope;
  void ApplyClip(const QRegion& region, TClipOperation op);

  // ---- Direct drawing (PainterCanvasDirect.cpp) ----
  class RunPainter;
  // How shapes are drawn in the current pen, brush and back state.
  struct ShapeStyle {
    bool Stampable = false;  // solid or no fill, no or a one-pixel pen, copy mode, no bitmap
    std::uint8_t PenStyle = 0xFF;
    bool Fill = false;
    bool Gaps = false;
    TStampColors Colors;
  };
  void AttachDirect();
  // Takes the painter's clip for direct writes (and forgets the stamps written).
  void UpdateClip();
  void ForgetStamps() { marks_.Forget(); }
  const ShapeStyle& CurrentShapeStyle();
  // Writes a large box (PainterCanvas.cpp) in a solid one-pixel pen or none and a solid or clear
  // brush straight into the image; false when it must be stamped or drawn.
  bool WriteBox(const TRect& r);
  // Writes the stamp of a small shape; false when the shape must go the QPainter way.
  bool StampBox(TStampShape shape, const TRect& r);
  bool StampLine(TPoint from, TPoint to);
  bool StampPolygon(std::span<const TPoint> points);
  bool Stamp(TStampKey& key, int anchorX, int anchorY);
  // The stamp of `key` (completed with the current style), built when new; null when the style
  // cannot be stamped.
  const TStamp* StampFor(TStampKey& key);
  void WriteMarkerStretch(const TStamp& stamp, const TStampColors& colors,
                          std::span<const TMarkerPlace> places, const TAnchorBox& within, int dx,
                          int dy);
  void GatherMarkerStretch(const TStamp& stamp, const TStampColors& colors,
                           std::span<const TMarkerPlace> places, int dx, int dy,
                           const TAnchorBox& box, std::span<const TStampCoverage::TRow> rows);
  // Writes a stamp at an anchor unless the same one in the same colours is already there.
  void WriteStamp(const TStamp& stamp, const TStampColors& colors, bool uniform, int anchorX,
                  int anchorY) {
    if (!uniform)
      ForgetStamps();
    else if (marks_.SeenElseMark(&stamp, colors, anchorX, anchorY))
      return;
    if (writer_.Inside(anchorX + stamp.X0, anchorY + stamp.Y0, anchorX + stamp.X1,
                       anchorY + stamp.Y1)) {
      for (const TPixelRun& r : stamp.Runs)
        writer_.WriteInside(r, anchorX, anchorY, colors.Of(r.Role));
    } else {
      for (const TPixelRun& r : stamp.Runs) writer_.Write(r, anchorX, anchorY, colors.Of(r.Role));
    }
  }
  void BuildStamp(TStamp& stamp);
  void BuildPolygonFill(TStamp& stamp);

  QImage* image_;
  QPainter painter_;
  bool penVisible_ = true;
  bool thinPen_ = true;
  QPainter::CompositionMode penComposition_ = QPainter::CompositionMode_SourceOver;
  std::uint32_t penRevision_ = 0;
  std::uint32_t brushRevision_ = 0;
  std::uint32_t fontRevision_ = 0;
  std::uint32_t stateRevision_ = 0;
  bool penValid_ = false;
  bool brushValid_ = false;
  bool stateValid_ = false;
  std::vector<TFontLayouts> layouts_;  // the most recently used font last
  std::size_t fontLayouts_ = 0;        // the current font's entry
  TTextCache texts_;
  TTextCache::TCachedFont* font_ = nullptr;  // the current font's entry in texts_
  std::uint64_t fontIds_ = 0;
  TTextImages textImages_;
  std::uint64_t textsCopied_ = 0;
  QRgb ink_ = 0;  // the font colour, as of inkRevision_
  std::uint32_t inkRevision_ = 0;
  bool inkValid_ = false;

  bool direct_ = true;
  TPixelWriter writer_;
  TStampCache stamps_;
  TStampMarks marks_;
  TStampCoverage coverage_;             // the pixels of a marker stretch, written at its end
  std::vector<std::uint32_t> outside_;  // places of a stretch whose stamp leaves the clip
  ShapeStyle shapeStyle_;
  bool shapeStyleValid_ = false;
  std::uint32_t shapePenRevision_ = 0;
  std::uint32_t shapeBrushRevision_ = 0;
  std::uint32_t shapeStateRevision_ = 0;
};

}  // namespace fw
