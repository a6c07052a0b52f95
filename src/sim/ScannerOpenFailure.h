// Why the scanner channel could not be opened, as one sentence for the person at the program.
//
// The channel itself only knows that the driver refused to open; the window then shows "Error."
// and the tool exits. ExplainOpenFailure looks again at where the program was told to find the
// scanner and names the cause: no bridge with that description or serial number, no such
// device, permission denied (with what to do about it), in use by another program, or not a
// serial device at all. Called right after a failed open.
#pragma once

#include <string>

#include "sim/ScannerSource.h"

namespace sim {

// "cannot open the scanner: ..." for the source and its path or serial number (`where`).
std::string ExplainOpenFailure(ScannerSource source, const std::string& where);

}  // namespace sim
