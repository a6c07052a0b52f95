// Profiles as text: the points of one profile in the order a chart series holds them, and the
// CSV lines that `qx770 measure --csv`, `qx770 replay --csv` and the window's `--csv` write.
//
// CSV: the header line "profile,index,X,Y", then one line per plotted point: the profile's
// number (1 for the first), the point's index within the profile (0 for the leftmost; points in
// ascending X order, points with equal X in their order of arrival) and its chart coordinates.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "scanner/ProfileSink.h"

namespace scanner {

struct PlottedPoint {
  std::int64_t x = 0;
  std::int64_t y = 0;
  friend bool operator==(const PlottedPoint&, const PlottedPoint&) = default;
};

// Collects one profile's points sorted by X, as a series with ascending X holds them.
class ProfileCollector final : public ProfileSink {
 public:
  void Clear() override { points_.clear(); }
  void AddXY(double x, double y, const std::string& label, fw::TColor colour) override;
  const std::vector<PlottedPoint>& points() const { return points_; }

 private:
  std::vector<PlottedPoint> points_;
};

inline constexpr char kProfileCsvHeader[] = "profile,index,X,Y";

// The header line.
void WriteProfileCsvHeader(std::ostream& out);
// One line per point of profile number `profile`.
void WriteProfileCsv(std::ostream& out, long profile, const std::vector<PlottedPoint>& points);
// "profile N: P points, X a to b, Y c to d (K in the reply)" and a line end.
void WriteProfileSummary(std::ostream& out, long profile, const std::vector<PlottedPoint>& points,
                         unsigned in_reply);

}  // namespace scanner
