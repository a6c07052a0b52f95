// The serial bridge as the channel's fallback driver.
//
// UseSerialBridgeFallback makes the bridge over the operating system's serial driver, which finds
// the scanner by its USB description, the driver the channel uses when the vendor's D2XX library
// is not installed. The programs call it once at start, before anything talks to the channel.
#pragma once

namespace scanner {

void UseSerialBridgeFallback();

}  // namespace scanner
