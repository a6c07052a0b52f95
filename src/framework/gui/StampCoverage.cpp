#include "framework/gui/StampCoverage.h"

#include <bit>

#include "framework/gui/PixelWriter.h"

namespace fw {

void TStampCoverage::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  rowBits_ = static_cast<std::size_t>((width_ + kBitOffset + kReach + 4 * 64) / 64 * 64);
  words_.assign(rowBits_ / 64 * static_cast<std::size_t>(height_ + 2 * kReach), 0);
}

void TStampCoverage::WriteAndClear(std::span<const TRow> rows, int x0, int y0, int x1, int y1,
                                   QRgb* origin, qsizetype stride, QRgb pixel) {
  if (x1 < x0 || y1 < y0 || rows.empty()) return;
  int top = y1, bottom = y0, left = x1, right = x0;  // the union's box
  for (const TRow& r : rows) {
    top = std::min(top, y0 + r.Y), bottom = std::max(bottom, y1 + r.Y);
    left = std::min(left, x0 + r.X), right = std::max(right, x1 + r.X + r.Length - 1);
  }
  const std::size_t rowWords = rowBits_ / 64;
  auto anchorRow = [&](int y) {
    return words_.data() + static_cast<std::size_t>(y + kReach) * rowWords;
  };
  for (int y = top; y <= bottom; ++y) {
    QRgb* const image = origin + static_cast<qsizetype>(y) * stride;
    for (int p0 = left & ~63; p0 <= right; p0 += 64) {
      std::uint64_t covered = 0;
      for (const TRow& r : rows) {
        const int ay = y - r.Y;
        if (ay < y0 || ay > y1) continue;
        const std::uint64_t* const row = anchorRow(ay);
        // Pixel p0 + j is covered when an anchor lies at p0 + j - r.X - t for some t < Length.
        const int q = p0 - r.X + kBitOffset;
        for (int t = 0; t < r.Length; ++t) covered |= Window(row, q - t);
      }
      while (covered != 0) {
        const int start = std::countr_zero(covered);
        const int length = std::countr_one(covered >> start);
        TPixelWriter::Fill(image + p0 + start, length, pixel);
        covered = start + length >= 64 ? 0 : covered & (~std::uint64_t{0} << (start + length));
      }
    }
  }
  for (int y = y0; y <= y1; ++y) {
    std::uint64_t* const row = anchorRow(y);
    std::fill(row + ((x0 + kBitOffset) >> 6), row + ((x1 + kBitOffset) >> 6) + 1, 0);
  }
}

}  // namespace fw
