// 100,000 filled 4 x 4 circles (the point series' marker: no outline) into a 482 x 395 bitmap,
// through the chart's whole drawing stack (TTeeCanvas3D → fw::TCanvas → QPainter on a QImage)
// and through a bare QPainter loop drawing the same circles. The stack should stay within 1.5 x
// of the bare loop.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <random>
#include <vector>

#include "MainChartBench.h"
#include "chart/TeCanvas3D.h"
#include "framework/gui/Bitmap.h"

namespace {

constexpr int kCircles = 100000;
constexpr int kWidth = 482;
constexpr int kHeight = 395;

const std::vector<QPoint>& Positions() {
  static const std::vector<QPoint> points = [] {
    std::mt19937 random(770);
    std::uniform_int_distribution<int> x(-2, kWidth - 2), y(-2, kHeight - 2);
    std::vector<QPoint> p(kCircles);
    for (auto& q : p) q = QPoint(x(random), y(random));
    return p;
  }();
  return points;
}

void BM_CirclesThroughTeeCanvas3D(benchmark::State& state) {
  fw::TBitmap bitmap(kWidth, kHeight);
  tee::TTeeCanvas3D canvas;
  canvas.SetBuffered(false);
  canvas.InitWindow(&bitmap.Canvas(), nullptr, false, fw::TRect{0, 0, kWidth, kHeight});
  canvas.Pen().SetStyle(fw::psClear);
  canvas.Brush().SetColor(fw::clRed);
  const auto& points = Positions();
  for (auto _ : state) {
    for (const QPoint& p : points) canvas.Ellipse(p.x(), p.y(), p.x() + 4, p.y() + 4);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCircles);
}

void BM_CirclesThroughBareQPainter(benchmark::State& state) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 0, 0));
  const auto& points = Positions();
  for (auto _ : state) {
    // The same box as Ellipse(x, y, x + 4, y + 4) without an outline.
    for (const QPoint& p : points) painter.drawEllipse(QRectF(p.x(), p.y(), 3, 3));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCircles);
}

BENCHMARK(BM_CirclesThroughTeeCanvas3D)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CirclesThroughBareQPainter)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWithQt(argc, argv);
}
