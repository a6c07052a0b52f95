#include "scanner/ProfileCsv.h"

#include <algorithm>

namespace scanner {

void ProfileCollector::AddXY(double x, double y, const std::string& /*label*/,
                             fw::TColor /*colour*/) {
  const PlottedPoint p{static_cast<std::int64_t>(x), static_cast<std::int64_t>(y)};
  const auto at =
      std::upper_bound(points_.begin(), points_.end(), p,
                       [](const PlottedPoint& a, const PlottedPoint& b) { return a.x < b.x; });
  points_.insert(at, p);
}

void WriteProfileCsvHeader(std::ostream& out) {
  out << kProfileCsvHeader << '\n';
}

void WriteProfileCsv(std::ostream& out, long profile, const std::vector<PlottedPoint>& points) {
  for (std::size_t i = 0; i < points.size(); ++i) {
    out << profile << ',' << i << ',' << points[i].x << ',' << points[i].y << '\n';
  }
}

void WriteProfileSummary(std::ostream& out, long profile, const std::vector<PlottedPoint>& points,
                         unsigned in_reply) {
  out << "profile " << profile << ": " << points.size()
      << (points.size() == 1 ? " point" : " points");
  if (!points.empty()) {
    const auto [lo, hi] =
        std::minmax_element(points.begin(), points.end(),
                            [](const PlottedPoint& a, const PlottedPoint& b) { return a.y < b.y; });
    out << ", X " << points.front().x << " to " << points.back().x << ", Y " << lo->y << " to "
        << hi->y;
  }
  out << " (" << in_reply << " in the reply)\n";
}

}  // namespace scanner
