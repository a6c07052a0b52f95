#include "framework/gui/Bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#ifdef __linux__
#include <sys/mman.h>
#endif

namespace fw {
namespace {

constexpr int kDotsPerMeterAt96Dpi = 3780;

#ifdef __linux__
// Large bitmaps (a window's surface, a chart's buffer) are filled, compared and copied whole on
// every paint; in memory pages of 2 MiB (where the system grants them) the processor finds their
// pixels with a few address translations instead of one per 4 KiB, which makes those passes
// cheaper. Smaller bitmaps keep the ordinary allocation.
constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kHugePageFrom = std::size_t{512} << 10;

void FreePixels(void* pixels) {
  std::free(pixels);
}

QImage ImageOnHugePages(int width, int height) {
  const qsizetype bytesPerLine = qsizetype{width} * 4;
  const std::size_t bytes =
      static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(height);
  if (bytes < kHugePageFrom) return QImage();
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* pixels = std::aligned_alloc(kHugePage, rounded);
  if (pixels == nullptr) return QImage();
  madvise(pixels, rounded, MADV_HUGEPAGE);
  QImage image(static_cast<uchar*>(pixels), width, height, bytesPerLine, QImage::Format_RGB32,
               FreePixels, pixels);
  if (image.isNull()) std::free(pixels);
  return image;
}
#else
QImage ImageOnHugePages(int, int) {
  return QImage();
}
#endif

QImage NewImage(int width, int height) {
  if (width <= 0 || height <= 0) return QImage();
  QImage image = ImageOnHugePages(width, height);
  if (image.isNull()) image = QImage(width, height, QImage::Format_RGB32);
  image.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
  image.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
  image.fill(Qt::white);
  return image;
}

// Black or white by the pixel's grey level.
QRgb ToMonochrome(QRgb p) {
  return qGray(p) >= 128 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
}

// Every bitmap of the process, to find the one a canvas belongs to (a handful are alive at once).
std::vector<TBitmap*>& LiveBitmaps() {
  static std::vector<TBitmap*> live;
  return live;
}

TBitmap* BitmapOf(const TCanvas& canvas) {
  for (TBitmap* b : LiveBitmaps())
    if (&b->Canvas() == &canvas) return b;
  return nullptr;
}

// The bands of rows in which two pictures of one size and format differ.
std::vector<TRowBand> DifferingRows(const QImage& a, const QImage& b) {
  std::vector<TRowBand> bands;
  const auto bytes = static_cast<std::size_t>(a.width()) * 4;
  for (int y = 0; y < a.height(); ++y) {
    if (std::memcmp(a.constScanLine(y), b.constScanLine(y), bytes) == 0) continue;
    if (!bands.empty() && bands.back().Last == y)
      bands.back().Last = y + 1;
    else
      bands.push_back(TRowBand{y, y + 1});
  }
  return bands;
}

}  // namespace

TBitmap::TBitmap() : TBitmap(0, 0) {}

TBitmap::TBitmap(int width, int height)
    : image_(NewImage(width, height)), canvas_(std::make_unique<TPainterCanvas>(&image_)) {
  LiveBitmaps().push_back(this);
}

TBitmap::~TBitmap() {
  auto& live = LiveBitmaps();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
  canvas_->Suspend();
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == image_.width() && height == image_.height()) return;
  canvas_->Suspend();
  image_ = NewImage(width, height);
  canvas_->Resume();
}

QImage TBitmap::ToImage() const {
  if (!Monochrome() || image_.isNull()) return image_;
  QImage shown(image_.size(), QImage::Format_RGB32);
  for (int y = 0; y < image_.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
    auto* out = reinterpret_cast<QRgb*>(shown.scanLine(y));
    for (int x = 0; x < image_.width(); ++x) out[x] = ToMonochrome(in[x]);
  }
  return shown;
}

TColor TBitmap::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return clNone;
  QRgb p = image_.pixel(x, y);
  if (Monochrome()) p = ToMonochrome(p);
  return RGB(qRed(p), qGreen(p), qBlue(p));
}

bool TBitmap::SaveToFile(const std::string& path) const {
  return ToImage().save(QString::fromStdString(path));
}

void TBitmap::CopyTo(TCanvas& target, int x, int y) const {
  TBitmap* shown = BitmapOf(target);
  const bool noted = shown != nullptr && shown != this && x == 0 && y == 0 &&
                     shown->Width() == Width() && shown->Height() == Height() && !Monochrome() &&
                     !shown->Monochrome() && !target.IsClipped() &&
                     shown->image_.format() == image_.format();
  if (!noted) {
    target.Draw(x, y, *this);
    return;
  }
  // Only the rows that differ are written: the other rows already hold the copy's pixels. The
  // target's canvas pauses meanwhile, so that nothing it knows of its pixels goes stale.
  std::vector<TRowBand> bands = DifferingRows(image_, shown->image_);
  if (!bands.empty()) {
    const auto bytes = static_cast<std::size_t>(image_.width()) * 4;
    shown->canvas_->Suspend();
    for (const TRowBand& band : bands)
      for (int row = band.First; row < band.Last; ++row)
        std::memcpy(shown->image_.scanLine(row), image_.constScanLine(row), bytes);
    shown->canvas_->Resume();
  }
  // The change notification of Draw.
  if (target.NotificationsEnabled() && target.OnChange) target.OnChange(target);
  shown->copyBands_ = std::move(bands);
  shown->copyNoted_ = true;
}

bool TBitmap::NoteOfLastCopy(std::vector<TRowBand>& bands) const {
  if (!copyNoted_) return false;
  bands = copyBands_;
  return true;
}

void TBitmap::ForgetCopyNote() {
  copyNoted_ = false;
  copyBands_.clear();
}

}  // namespace fw
