// Saving what the chart shows: its picture as PNG and the plotted profile as CSV (the columns of
// `qx770 measure --csv`, the shown profile numbered 1).
#pragma once

#include <optional>
#include <string>

#include "ui/TrabexMain.h"

namespace ui {

// Writes the points of SeriesOsc as CSV; false when the file cannot be written.
bool WriteShownProfile(const TFormS& form, const std::string& path);

// The chart's picture (its client area as on screen) as PNG; false when it cannot be written.
bool SaveChartPicture(TFormS& form, const std::string& path);

// The PNG and CSV file names for a name the operator chose: "name.png" and "name.csv" (an
// extension of the name, whichever it is, is replaced).
struct SaveNames {
  std::string picture;
  std::string profile;
};
SaveNames SaveNamesFor(const std::string& chosen);

// Saves both; answers the sentence that says what could not be written, or nothing.
std::optional<std::string> SaveChartAndProfile(TFormS& form, const SaveNames& names);

}  // namespace ui
