// The one channel to the scanner: open, configure, close, and the byte transfers of the codec.
//
// The channel's state is process-wide and lives for the whole process: ScannerHandle (0 at start;
// 0 and all ones mean closed), ScannerTimeouts and ScannerSettings, the records last handed to
// the driver. Every operation goes through the process-wide driver (scanner/DriverSelection.h)
// and uses the current ScannerHandle.
//
// OpenScanner opens the bridge by its USB description and configures it as a 921600-baud line,
// 8 data bits, no parity, one stop bit, no flow control, DTR and RTS inactive, with read
// time-outs that give up on a missing byte after 1050 ms. When the bridge cannot be opened it
// tells the operator ("Error.") and leaves the channel closed. Of the driver's results it uses
// only the handle from CreateFile and the byte count from ReadFile.
//
// Single-threaded: everything runs on the window's thread and blocks it for its duration.
#pragma once

#include <cstdint>

#include "scanner/FtdiDriver.h"

namespace scanner {

// The USB description by which the scanner's bridge is opened.
inline constexpr char kScannerDescription[] = "D2XX Recovery PID for XP";

// The operator's message when the bridge cannot be opened.
inline constexpr char kOpenFailedMessage[] = "Error.";

extern FtHandle ScannerHandle;
extern CommTimeouts ScannerTimeouts;
extern Dcb ScannerSettings;

// Opens and configures the channel; closes a channel that is still open first. Returns false,
// after telling the operator, when the bridge cannot be opened.
bool OpenScanner();

// Sets break on an open channel and closes it; ScannerHandle is 0 afterwards in every case.
void CloseScanner();

// True when ScannerHandle is neither 0 nor all ones.
bool ScannerIsOpen();

// The codec's transfers, one driver call each; results other than the read count are ignored.
void PurgeScanner(std::uint32_t flags);
void WriteScannerByte(std::uint8_t byte);
// True when a byte came in time (read count 1); false on a time-out, `byte` then unchanged.
bool ReadScannerByte(std::uint8_t& byte);

}  // namespace scanner
