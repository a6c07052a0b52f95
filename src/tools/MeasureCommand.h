// `qx770 measure`: takes profiles from the scanner without the window.
//
// RunMeasure does what the window does at start and on "Measure": it installs the driver the
// options ask for (the serial bridge on a device path, the built-in simulator, or, by default,
// the driver that finds the scanner's bridge by its USB description), opens the channel, sends
// the laser intensity and then parameter 0 = 1, switches the laser when asked, and takes the
// profiles one after another with MeasureProfile. Each profile is written as CSV or summarised
// in one line. The previously installed driver is put back before it returns.
//
// Returns the process exit status: 0 when every profile was taken; 1, after a sentence on `err`,
// when the scanner cannot be opened, the CSV file cannot be written or a measurement fails
// (the profiles taken before the failure have been written).
#pragma once

#include <ostream>

#include "tools/MeasureOptions.h"

namespace tools {

int RunMeasure(const MeasureOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tools
