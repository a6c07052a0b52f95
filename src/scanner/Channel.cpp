#include "scanner/Channel.h"

#include "framework/core/MessageBox.h"
#include "scanner/DriverSelection.h"

namespace scanner {

FtHandle ScannerHandle = 0;
CommTimeouts ScannerTimeouts;
Dcb ScannerSettings;

namespace {

bool IsOpenHandle(FtHandle handle) {
  return handle != 0 && handle != kInvalidHandle;
}

// The line settings the scanner needs. Only these fields are written; the rest of the record
// (bits 15-31 of the flag word, reserved words, XON/XOFF limits and characters, error, end-of-file
// and event characters) keeps what the driver reported.
void OverwriteLineSettings(Dcb& settings) {
  settings.length = sizeof(Dcb);
  settings.baud_rate = 921600;
  settings.byte_size = 8;
  settings.parity = kNoParity;
  settings.stop_bits = kOneStopBit;
  // Binary on; parity checking, CTS/DSR flow, DTR control, DSR sensitivity, continue on XOFF,
  // XON/XOFF both ways, error replacement, null discarding, RTS control and abort-on-error off.
  settings.flags = (settings.flags & ~dcb::kNamedBits) | dcb::kBinary;
}

}  // namespace

bool ScannerIsOpen() {
  return IsOpenHandle(ScannerHandle);
}

bool OpenScanner() {
  FtdiDriver& driver = Driver();
  if (ScannerIsOpen()) {
    driver.EscapeCommFunction(ScannerHandle, kSetBreak);
    driver.CloseHandle(ScannerHandle);
  }
  ScannerHandle =
      driver.CreateFile(kScannerDescription, kGenericRead | kGenericWrite, 0, nullptr,
                        kOpenExisting, kFileAttributeNormal | kOpenByDescription, nullptr);
  if (ScannerHandle == kInvalidHandle) {
    fw::ApplicationMessageBox(kOpenFailedMessage, "", fw::MB_ICONWARNING | fw::MB_OK);
    ScannerHandle = 0;
    return false;
  }

  driver.SetupComm(ScannerHandle, 32, 32);
  driver.PurgeComm(ScannerHandle, kPurgeTxAbort | kPurgeRxAbort | kPurgeTxClear | kPurgeRxClear);
  driver.SetCommMask(ScannerHandle, kEventRxChar | kEventTxEmpty);
  // One byte per transfer: a read gives up after 50 * 1 + 1000 ms, a write after 50 * 1 + 1 ms.
  ScannerTimeouts = CommTimeouts{50, 50, 1000, 50, 1};
  driver.SetCommTimeouts(ScannerHandle, &ScannerTimeouts);
  driver.GetCommState(ScannerHandle, &ScannerSettings);
  OverwriteLineSettings(ScannerSettings);
  driver.SetCommState(ScannerHandle, &ScannerSettings);
  return true;
}

void CloseScanner() {
  if (ScannerIsOpen()) {
    FtdiDriver& driver = Driver();
    driver.EscapeCommFunction(ScannerHandle, kSetBreak);
    driver.CloseHandle(ScannerHandle);
  }
  ScannerHandle = 0;
}

void PurgeScanner(std::uint32_t flags) {
  Driver().PurgeComm(ScannerHandle, flags);
}

void WriteScannerByte(std::uint8_t byte) {
  std::uint32_t written = 0;
  Driver().WriteFile(ScannerHandle, &byte, 1, &written, nullptr);
}

bool ReadScannerByte(std::uint8_t& byte) {
  std::uint8_t received = 0;
  std::uint32_t count = 0;
  Driver().ReadFile(ScannerHandle, &received, 1, &count, nullptr);
  // Only a count of exactly one means the byte is there; the boolean result is not used.
  if (count != 1) return false;
  byte = received;
  return true;
}

}  // namespace scanner
