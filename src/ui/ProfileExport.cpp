#include "ui/ProfileExport.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "framework/widgets/FormImage.h"
#include "scanner/ProfileCsv.h"

namespace ui {

bool WriteShownProfile(const TFormS& form, const std::string& path) {
  std::vector<scanner::PlottedPoint> points;
  const tee::TPointSeries& series = *form.SeriesOsc;
  points.reserve(static_cast<std::size_t>(series.Count()));
  for (int i = 0; i < series.Count(); ++i) {
    points.push_back(
        {static_cast<std::int64_t>(series.XValue(i)), static_cast<std::int64_t>(series.YValue(i))});
  }
  std::ofstream file(path, std::ios::out | std::ios::trunc);
  if (!file) return false;
  scanner::WriteProfileCsvHeader(file);
  scanner::WriteProfileCsv(file, 1, points);
  file.flush();
  return static_cast<bool>(file);
}

bool SaveChartPicture(TFormS& form, const std::string& path) {
  return fw::SaveControlImage(*form.ChartOscilloscope, path);
}

SaveNames SaveNamesFor(const std::string& chosen) {
  std::filesystem::path base(chosen);
  base.replace_extension();
  return {base.string() + ".png", base.string() + ".csv"};
}

std::optional<std::string> SaveChartAndProfile(TFormS& form, const SaveNames& names) {
  if (!SaveChartPicture(form, names.picture)) return "cannot write the chart to " + names.picture;
  if (!WriteShownProfile(form, names.profile)) {
    return "cannot write the profile to " + names.profile;
  }
  return std::nullopt;
}

}  // namespace ui
