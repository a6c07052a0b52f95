// The driver of the scanner's USB-serial bridge, as the channel sees it.
//
// FtdiDriver is the one interface between the scanner link and whatever moves the bytes: the
// vendor's D2XX library, the operating system's serial driver, an in-process device (the
// simulator) or a recording double in tests. It offers exactly the eleven Win32-style
// communication operations the channel uses, with Win32 argument order and meaning: every
// operation except CreateFile takes the channel handle first, and results are Win32 booleans.
//
// Handles are one 32-bit word. 0 and all ones (kInvalidHandle) never name an open channel;
// CreateFile returns kInvalidHandle when it cannot open. A backend must accept any handle value
// in every call and simply fail (false, count 0) for one it did not hand out.
//
// Dcb is the serial settings record with the layout of the Win32 DCB (28 bytes), CommTimeouts
// the five-word time-outs record with the layout of the Win32 COMMTIMEOUTS. Both are passed to
// the vendor library as they are, so their layout must not change.
#pragma once

#include <cstdint>

namespace scanner {

using FtHandle = std::uint32_t;

inline constexpr FtHandle kInvalidHandle = 0xFFFFFFFFu;

// CreateFile arguments.
inline constexpr std::uint32_t kGenericRead = 0x80000000u;
inline constexpr std::uint32_t kGenericWrite = 0x40000000u;
inline constexpr std::uint32_t kOpenExisting = 3;
inline constexpr std::uint32_t kFileAttributeNormal = 0x80;
// The vendor's open-by flags, carried in CreateFile's flag word.
inline constexpr std::uint32_t kOpenBySerialNumber = 0x01;
inline constexpr std::uint32_t kOpenByDescription = 0x02;
inline constexpr std::uint32_t kOpenByLocation = 0x04;

// PurgeComm flags.
inline constexpr std::uint32_t kPurgeTxAbort = 0x01;  // abort pending output
inline constexpr std::uint32_t kPurgeRxAbort = 0x02;  // abort pending input
inline constexpr std::uint32_t kPurgeTxClear = 0x04;  // clear the output buffer
inline constexpr std::uint32_t kPurgeRxClear = 0x08;  // clear the input buffer

// EscapeCommFunction codes.
inline constexpr std::uint32_t kSetXoff = 1;
inline constexpr std::uint32_t kSetXon = 2;
inline constexpr std::uint32_t kSetRts = 3;
inline constexpr std::uint32_t kClrRts = 4;
inline constexpr std::uint32_t kSetDtr = 5;
inline constexpr std::uint32_t kClrDtr = 6;
inline constexpr std::uint32_t kSetBreak = 8;
inline constexpr std::uint32_t kClrBreak = 9;

// SetCommMask events.
inline constexpr std::uint32_t kEventRxChar = 0x01;   // a byte was received
inline constexpr std::uint32_t kEventTxEmpty = 0x04;  // the output buffer ran empty

// The serial settings record (Win32 DCB layout).
struct Dcb {
  std::uint32_t length = 0;  // record length, 28
  std::uint32_t baud_rate = 0;
  std::uint32_t flags = 0;  // the bit fields below
  std::uint16_t reserved = 0;
  std::uint16_t xon_limit = 0;
  std::uint16_t xoff_limit = 0;
  std::uint8_t byte_size = 0;  // data bits, 5 to 8
  std::uint8_t parity = 0;     // kNoParity ...
  std::uint8_t stop_bits = 0;  // kOneStopBit ...
  char xon_char = 0;
  char xoff_char = 0;
  char error_char = 0;
  char eof_char = 0;
  char event_char = 0;
  std::uint16_t reserved1 = 0;

  friend bool operator==(const Dcb&, const Dcb&) = default;
};
static_assert(sizeof(Dcb) == 28, "Dcb must keep the Win32 DCB layout");

// Bits of Dcb::flags.
namespace dcb {
inline constexpr std::uint32_t kBinary = 1u << 0;
inline constexpr std::uint32_t kParity = 1u << 1;  // parity checking
inline constexpr std::uint32_t kOutxCtsFlow = 1u << 2;
inline constexpr std::uint32_t kOutxDsrFlow = 1u << 3;
inline constexpr int kDtrControlShift = 4;  // two bits: kControlDisable ...
inline constexpr std::uint32_t kDtrControlMask = 3u << kDtrControlShift;
inline constexpr std::uint32_t kDsrSensitivity = 1u << 6;
inline constexpr std::uint32_t kTxContinueOnXoff = 1u << 7;
inline constexpr std::uint32_t kOutX = 1u << 8;        // XON/XOFF output flow control
inline constexpr std::uint32_t kInX = 1u << 9;         // XON/XOFF input flow control
inline constexpr std::uint32_t kErrorChar = 1u << 10;  // replace bytes with parity errors
inline constexpr std::uint32_t kNull = 1u << 11;       // discard null bytes
inline constexpr int kRtsControlShift = 12;            // two bits: kControlDisable ...
inline constexpr std::uint32_t kRtsControlMask = 3u << kRtsControlShift;
inline constexpr std::uint32_t kAbortOnError = 1u << 14;
// Bits 0 to 14 are the named fields; 15 to 31 are reserved.
inline constexpr std::uint32_t kNamedBits = 0x7FFFu;

// Values of the DTR and RTS control fields.
inline constexpr std::uint32_t kControlDisable = 0;
inline constexpr std::uint32_t kControlEnable = 1;
inline constexpr std::uint32_t kControlHandshake = 2;
inline constexpr std::uint32_t kControlToggle = 3;  // RTS only

inline constexpr std::uint32_t DtrControl(const Dcb& d) {
  return (d.flags & kDtrControlMask) >> kDtrControlShift;
}
inline constexpr std::uint32_t RtsControl(const Dcb& d) {
  return (d.flags & kRtsControlMask) >> kRtsControlShift;
}
}  // namespace dcb

// Dcb::parity values.
inline constexpr std::uint8_t kNoParity = 0;
inline constexpr std::uint8_t kOddParity = 1;
inline constexpr std::uint8_t kEvenParity = 2;
inline constexpr std::uint8_t kMarkParity = 3;
inline constexpr std::uint8_t kSpaceParity = 4;
// Dcb::stop_bits values.
inline constexpr std::uint8_t kOneStopBit = 0;
inline constexpr std::uint8_t kOne5StopBits = 1;
inline constexpr std::uint8_t kTwoStopBits = 2;

// The settings a freshly opened port reports before anyone changed them: 9600 baud, 8 data bits,
// no parity, one stop bit, binary, DTR and RTS on, XON/XOFF characters 0x11/0x13.
Dcb DefaultDcb();

// The time-outs record (Win32 COMMTIMEOUTS layout), all in milliseconds. A read of n bytes gives
// up after read_total_multiplier * n + read_total_constant, or when read_interval passes between
// two bytes; a write of n bytes after write_total_multiplier * n + write_total_constant.
struct CommTimeouts {
  std::uint32_t read_interval = 0;
  std::uint32_t read_total_multiplier = 0;
  std::uint32_t read_total_constant = 0;
  std::uint32_t write_total_multiplier = 0;
  std::uint32_t write_total_constant = 0;

  friend bool operator==(const CommTimeouts&, const CommTimeouts&) = default;
};
static_assert(sizeof(CommTimeouts) == 20, "CommTimeouts must keep the Win32 layout");

class FtdiDriver {
 public:
  virtual ~FtdiDriver() = default;

  // Opens the bridge named by `name` (a description or serial number, as `flags` says).
  virtual FtHandle CreateFile(const char* name, std::uint32_t access, std::uint32_t share_mode,
                              void* security, std::uint32_t creation, std::uint32_t flags,
                              void* template_file) = 0;
  virtual bool CloseHandle(FtHandle handle) = 0;
  // Delivers at most `size` received bytes into `buffer`, waiting no longer than the time-outs
  // allow; `*count` receives how many came (0 when none came in time).
  virtual bool ReadFile(FtHandle handle, void* buffer, std::uint32_t size, std::uint32_t* count,
                        void* overlapped) = 0;
  virtual bool WriteFile(FtHandle handle, const void* buffer, std::uint32_t size,
                         std::uint32_t* count, void* overlapped) = 0;
  virtual bool EscapeCommFunction(FtHandle handle, std::uint32_t function) = 0;
  virtual bool GetCommState(FtHandle handle, Dcb* settings) = 0;
  virtual bool PurgeComm(FtHandle handle, std::uint32_t flags) = 0;
  virtual bool SetCommMask(FtHandle handle, std::uint32_t mask) = 0;
  virtual bool SetCommState(FtHandle handle, Dcb* settings) = 0;
  virtual bool SetCommTimeouts(FtHandle handle, CommTimeouts* timeouts) = 0;
  virtual bool SetupComm(FtHandle handle, std::uint32_t input_size, std::uint32_t output_size) = 0;
};

}  // namespace scanner
