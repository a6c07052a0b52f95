#include "framework/gui/RecordingCanvas.h"

#include <algorithm>
#include <sstream>

#include "framework/gui/QtGraphics.h"

namespace fw {
namespace {

const char* PenStyleName(TPenStyle s) {
  static const char* names[] = {"psSolid",       "psDash",       "psDot",
                                "psDashDot",     "psDashDotDot", "psClear",
                                "psInsideFrame", "psUserStyle",  "psAlternate"};
  return s <= psAlternate ? names[s] : "?";
}

const char* PenModeName(TPenMode m) {
  static const char* names[] = {"pmBlack",       "pmWhite",      "pmNop",         "pmNot",
                                "pmCopy",        "pmNotCopy",    "pmMergePenNot", "pmMaskPenNot",
                                "pmMergeNotPen", "pmMaskNotPen", "pmMerge",       "pmNotMerge",
                                "pmMask",        "pmNotMask",    "pmXor",         "pmNotXor"};
  return m <= pmNotXor ? names[m] : "?";
}

const char* BrushStyleName(TBrushStyle s) {
  static const char* names[] = {"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
  return s <= bsDiagCross ? names[s] : "?";
}

const char* ClipOperationName(TClipOperation op) {
  switch (op) {
    case TClipOperation::Intersect:
      return "Intersect";
    case TClipOperation::Replace:
      return "Replace";
    case TClipOperation::Exclude:
      return "Exclude";
  }
  return "?";
}

std::string FontStyleText(TFontStyles s) {
  std::string out = "[";
  const char* names[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
  for (int i = 0; i < 4; ++i) {
    if (!s.Contains(static_cast<TFontStyle>(i))) continue;
    if (out.size() > 1) out += ",";
    out += names[i];
  }
  return out + "]";
}

}  // namespace

std::string TRecordedCall::ToString() const {
  std::ostringstream out;
  out << Name << "(";
  bool first = true;
  auto sep = [&] {
    if (!first) out << ",";
    first = false;
  };
  for (int a : Args) {
    sep();
    out << a;
  }
  for (const TPoint& p : Points) {
    sep();
    out << "(" << p.X << "," << p.Y << ")";
  }
  if (!Text.empty() || Name == "TextOut") {
    sep();
    out << "\"" << Text << "\"";
  }
  out << ")";
  return out.str();
}

std::string TRecordedCall::Describe() const {
  std::ostringstream out;
  out << Target << ": " << ToString() << " pen=" << ColorToString(Pen.Color) << ","
      << PenStyleName(Pen.Style) << "," << Pen.Width << "," << PenModeName(Pen.Mode)
      << " brush=" << ColorToString(Brush.Color) << "," << BrushStyleName(Brush.Style)
      << (Brush.HasBitmap ? ",bitmap" : "") << " font=\"" << Font.Name << "\"," << Font.Height
      << "," << ColorToString(Font.Color) << "," << FontStyleText(Font.Style) << ","
      << Font.Escapement << " back=" << ColorToString(BackColor) << ","
      << (BackMode == TRANSPARENT ? "transparent" : "opaque") << " align=" << TextAlign;
  return out.str();
}

std::vector<TRecordedCall> TCanvasLog::Named(std::string_view name) const {
  std::vector<TRecordedCall> out;
  for (const auto& c : calls_)
    if (c.Name == name) out.push_back(c);
  return out;
}

int TCanvasLog::Count(std::string_view name) const {
  return static_cast<int>(
      std::count_if(calls_.begin(), calls_.end(), [&](const auto& c) { return c.Name == name; }));
}

std::vector<std::string> TCanvasLog::Strings() const {
  std::vector<std::string> out;
  out.reserve(calls_.size());
  for (const auto& c : calls_) out.push_back(c.ToString());
  return out;
}

std::vector<std::string> TCanvasLog::Strings(std::initializer_list<std::string_view> names) const {
  std::vector<std::string> out;
  for (const auto& c : calls_)
    if (std::find(names.begin(), names.end(), c.Name) != names.end()) out.push_back(c.ToString());
  return out;
}

std::string TCanvasLog::Dump() const {
  std::string out;
  for (const auto& c : calls_) out += c.Describe() + "\n";
  return out;
}

TRecordingCanvas::TRecordingCanvas(std::shared_ptr<TCanvasLog> log, std::string target)
    : log_(std::move(log)), target_(std::move(target)) {}

TRecordedCall& TRecordingCanvas::Record(std::string name, std::vector<int> args) {
  TRecordedCall call;
  call.Target = target_;
  call.Name = std::move(name);
  call.Args = std::move(args);
  call.Pen = TRecordedPen{Pen().Color(), Pen().Style(), Pen().Width(), Pen().Mode()};
  call.Brush = TRecordedBrush{Brush().Color(), Brush().Style(), Brush().Bitmap() != nullptr};
  call.Font = TRecordedFont{Font().Name(),  Font().Height(), Font().Size(),
                            Font().Color(), Font().Style(),  Font().Escapement()};
  call.BackColor = BackColor();
  call.BackMode = BackMode();
  call.TextAlign = TextAlign();
  return log_->Add(std::move(call));
}

void TRecordingCanvas::DoMoveTo(int x, int y) {
  Record("MoveTo", {x, y});
}

void TRecordingCanvas::DoLine(TPoint, TPoint to) {
  Record("LineTo", {to.X, to.Y});
}

void TRecordingCanvas::DoRectangle(const TRect& r) {
  Record("Rectangle", {r.Left, r.Top, r.Right, r.Bottom});
}

void TRecordingCanvas::DoEllipse(const TRect& r) {
  Record("Ellipse", {r.Left, r.Top, r.Right, r.Bottom});
}

void TRecordingCanvas::DoRoundRect(const TRect& r, int cornerWidth, int cornerHeight) {
  Record("RoundRect", {r.Left, r.Top, r.Right, r.Bottom, cornerWidth, cornerHeight});
}

void TRecordingCanvas::DoArc(TArcKind kind, const TRect& r, TPoint start, TPoint end) {
  Record(kind == TArcKind::Arc ? "Arc" : "Pie",
         {r.Left, r.Top, r.Right, r.Bottom, start.X, start.Y, end.X, end.Y});
}

void TRecordingCanvas::DoPolygon(std::span<const TPoint> points) {
  Record("Polygon", {}).Points.assign(points.begin(), points.end());
}

void TRecordingCanvas::DoPolyline(std::span<const TPoint> points) {
  Record("Polyline", {}).Points.assign(points.begin(), points.end());
}

void TRecordingCanvas::DoSetPixel(int x, int y, TColor color) {
  Record("SetPixel", {x, y, color});
}

void TRecordingCanvas::DoTextOut(int x, int y, std::string_view text) {
  Record("TextOut", {x, y}).Text = std::string(text);
}

TSize TRecordingCanvas::DoTextExtent(std::string_view text) {
  if (!metrics_ || fontRevision_ != Font().Revision()) {
    metrics_.emplace(ReferenceFontMetrics(ToQFont(Font())));
    fontRevision_ = Font().Revision();
  }
  return MeasureText(*metrics_, text);
}

void TRecordingCanvas::DoFillRect(const TRect& r, bool pattern) {
  Record(pattern ? "PatternFill" : "FillRect", {r.Left, r.Top, r.Right, r.Bottom});
}

void TRecordingCanvas::DoDraw(const TRect& dest, const TGraphic& graphic, bool stretch) {
  const auto* recorded = dynamic_cast<const TRecordingBitmap*>(&graphic);
  const std::string source = recorded != nullptr ? recorded->Target() : "graphic";
  if (stretch)
    Record("StretchDraw", {dest.Left, dest.Top, dest.Right, dest.Bottom}).Text = source;
  else
    Record("Draw", {dest.Left, dest.Top}).Text = source;
}

void TRecordingCanvas::DoClipRect(const TRect& r, TClipOperation op) {
  const char* name = op == TClipOperation::Intersect ? "IntersectClipRect"
                     : op == TClipOperation::Exclude ? "ExcludeClipRect"
                                                     : "SelectClipRect";
  Record(name, {r.Left, r.Top, r.Right, r.Bottom});
}

void TRecordingCanvas::DoClipPolygon(std::span<const TPoint> points, TClipOperation op) {
  auto& call = Record("ClipPolygon", {});
  call.Points.assign(points.begin(), points.end());
  call.Text = ClipOperationName(op);
}

void TRecordingCanvas::DoRemoveClip() {
  Record("RemoveClip", {});
}

std::unique_ptr<TCustomBitmap> TRecordingCanvas::DoCreateCompatibleBitmap(int width, int height) {
  return std::make_unique<TRecordingBitmap>(log_, width, height);
}

void TRecordingCanvas::DoStateChanged(TCanvasState state) {
  switch (state) {
    case TCanvasState::BackColor:
      Record("SetBackColor", {BackColor()});
      break;
    case TCanvasState::BackMode:
      Record("SetBackMode", {BackMode()});
      break;
    case TCanvasState::TextAlign:
      Record("SetTextAlign", {static_cast<int>(TextAlign())});
      break;
  }
}

TRecordingBitmap::TRecordingBitmap(std::shared_ptr<TCanvasLog> log, int width, int height,
                                   std::string target)
    : width_(width), height_(height), canvas_(std::move(log), std::move(target)) {}

void TRecordingBitmap::SetSize(int width, int height) {
  width_ = width;
  height_ = height;
}

}  // namespace fw
