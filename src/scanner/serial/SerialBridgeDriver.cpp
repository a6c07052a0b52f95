#include "scanner/serial/SerialBridgeDriver.h"

#include <unistd.h>

#include <QSerialPort>
#include <QSerialPortInfo>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <functional>

#include "scanner/serial/PortCheck.h"

namespace scanner {

struct SerialBridgeDriver::Port {
  QSerialPort port;
  Dcb settings = DefaultDcb();
  CommTimeouts timeouts;
  std::uint32_t event_mask = 0;
  std::string location;  // the device path it was opened on
  bool hung_up = false;  // the device went away; reported once
};

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::uint32_t kMaxDword = 0xFFFFFFFFu;

std::function<void(const std::string&)>& DisconnectHandler() {
  static std::function<void(const std::string&)> handler;
  return handler;
}

// Milliseconds left until `limit`, rounded up so that a wait never ends early; -1 for no limit.
int WaitMs(Clock::time_point now, Clock::time_point limit) {
  if (limit == Clock::time_point::max()) return -1;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(limit - now).count();
  return static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
}

Clock::time_point TotalLimit(Clock::time_point start, std::uint32_t multiplier,
                             std::uint32_t constant, std::uint32_t size) {
  const std::uint64_t ms = std::uint64_t{multiplier} * size + constant;
  if (ms == 0) return Clock::time_point::max();  // no total time-out
  return start + std::chrono::milliseconds(ms);
}

std::optional<QSerialPort::DataBits> DataBitsOf(std::uint8_t byte_size) {
  switch (byte_size) {
    case 5:
      return QSerialPort::Data5;
    case 6:
      return QSerialPort::Data6;
    case 7:
      return QSerialPort::Data7;
    case 8:
      return QSerialPort::Data8;
    default:
      return std::nullopt;
  }
}

std::optional<QSerialPort::Parity> ParityOf(std::uint8_t parity) {
  switch (parity) {
    case kNoParity:
      return QSerialPort::NoParity;
    case kOddParity:
      return QSerialPort::OddParity;
    case kEvenParity:
      return QSerialPort::EvenParity;
    case kMarkParity:
      return QSerialPort::MarkParity;
    case kSpaceParity:
      return QSerialPort::SpaceParity;
    default:
      return std::nullopt;
  }
}

std::optional<QSerialPort::StopBits> StopBitsOf(std::uint8_t stop_bits) {
  switch (stop_bits) {
    case kOneStopBit:
      return QSerialPort::OneStop;
    case kOne5StopBits:
      return QSerialPort::OneAndHalfStop;
    case kTwoStopBits:
      return QSerialPort::TwoStop;
    default:
      return std::nullopt;
  }
}

std::uint8_t ParityCode(QSerialPort::Parity parity) {
  switch (parity) {
    case QSerialPort::OddParity:
      return kOddParity;
    case QSerialPort::EvenParity:
      return kEvenParity;
    case QSerialPort::MarkParity:
      return kMarkParity;
    case QSerialPort::SpaceParity:
      return kSpaceParity;
    default:
      return kNoParity;
  }
}

std::uint8_t StopBitsCode(QSerialPort::StopBits stop_bits) {
  switch (stop_bits) {
    case QSerialPort::OneAndHalfStop:
      return kOne5StopBits;
    case QSerialPort::TwoStop:
      return kTwoStopBits;
    default:
      return kOneStopBit;
  }
}

struct DirectWrite {
  std::uint32_t written = 0;
  bool failed = false;  // the system refused the bytes: the device is gone or broken
};

// Writes what the system's driver takes without waiting (the port is non-blocking).
DirectWrite WriteNow(int fd, const char* bytes, std::uint32_t size) {
  DirectWrite w;
  while (w.written < size) {
    const ssize_t n = ::write(fd, bytes + w.written, size - w.written);
    if (n > 0) {
      w.written += static_cast<std::uint32_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      w.failed = n < 0 && errno != EAGAIN && errno != EWOULDBLOCK;
      break;
    }
  }
  return w;
}

QSerialPort::FlowControl FlowControlOf(const Dcb& d) {
  if ((d.flags & dcb::kOutxCtsFlow) != 0 || dcb::RtsControl(d) == dcb::kControlHandshake) {
    return QSerialPort::HardwareControl;
  }
  if ((d.flags & (dcb::kOutX | dcb::kInX)) != 0) return QSerialPort::SoftwareControl;
  return QSerialPort::NoFlowControl;
}

}  // namespace

SerialBridgeDriver::SerialBridgeDriver() = default;

SerialBridgeDriver::SerialBridgeDriver(std::string device_path)
    : device_path_(std::move(device_path)) {}

SerialBridgeDriver::~SerialBridgeDriver() = default;

void SetSerialBridgeDisconnectHandler(std::function<void(const std::string& path)> handler) {
  DisconnectHandler() = std::move(handler);
}

bool SerialBridgeDriver::NoticeHangUp(Port& p) {
  if (p.hung_up) return true;
  if (!HungUp(static_cast<int>(p.port.handle()))) return false;
  p.hung_up = true;
  disconnected_ = true;
  if (const auto& handler = DisconnectHandler()) handler(p.location);
  return true;
}

SerialBridgeDriver::Port* SerialBridgeDriver::Find(FtHandle handle) const {
  auto it = ports_.find(handle);
  return it == ports_.end() ? nullptr : it->second.get();
}

std::optional<std::string> FindSerialPortByDescription(const std::string& description) {
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    if (info.description().toStdString() == description) {
      return info.systemLocation().toStdString();
    }
  }
  return std::nullopt;
}

std::optional<std::string> FindSerialPortBySerialNumber(const std::string& serial) {
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    if (info.serialNumber().toStdString() == serial) return info.systemLocation().toStdString();
  }
  return std::nullopt;
}

FtHandle SerialBridgeDriver::CreateFile(const char* name, std::uint32_t access,
                                        std::uint32_t /*share_mode*/, void* /*security*/,
                                        std::uint32_t /*creation*/, std::uint32_t flags,
                                        void* /*template_file*/) {
  std::optional<std::string> location = device_path_;
  if (!location && name != nullptr) {
    if ((flags & kOpenByDescription) != 0) {
      location = FindSerialPortByDescription(name);
    } else if ((flags & kOpenBySerialNumber) != 0) {
      location = FindSerialPortBySerialNumber(name);
    }
  }
  if (!location) return kInvalidHandle;

  QIODevice::OpenMode mode = QIODevice::NotOpen;
  if ((access & kGenericRead) != 0) mode |= QIODevice::ReadOnly;
  if ((access & kGenericWrite) != 0) mode |= QIODevice::WriteOnly;
  if (mode == QIODevice::NotOpen) return kInvalidHandle;

  // QSerialPort opens the port exclusively, as the no-sharing mode asks; a port another program
  // holds that way is refused here too, also to users the kernel would let through.
  if (PathHeldExclusively(*location)) return kInvalidHandle;
  auto port = std::make_unique<Port>();
  port->port.setPortName(QString::fromStdString(*location));
  port->location = *location;
  if (!port->port.open(mode)) return kInvalidHandle;
  // On an FTDI port the kernel then uses a 1 ms latency timer instead of 16 ms; ports without
  // the setting (a pseudo-terminal) go on as they are.
  RequestLowLatency(static_cast<int>(port->port.handle()));

  while (next_handle_ == 0 || next_handle_ == kInvalidHandle || ports_.count(next_handle_) != 0) {
    ++next_handle_;
  }
  const FtHandle handle = next_handle_++;
  ports_[handle] = std::move(port);
  return handle;
}

bool SerialBridgeDriver::CloseHandle(FtHandle handle) {
  return ports_.erase(handle) != 0;
}

bool SerialBridgeDriver::ReadFile(FtHandle handle, void* buffer, std::uint32_t size,
                                  std::uint32_t* count, void* /*overlapped*/) {
  if (count != nullptr) *count = 0;
  Port* p = Find(handle);
  if (p == nullptr || (size != 0 && buffer == nullptr)) return false;
  char* out = static_cast<char*>(buffer);
  QSerialPort& port = p->port;
  const CommTimeouts& t = p->timeouts;

  std::uint32_t got = static_cast<std::uint32_t>(std::max<qint64>(0, port.read(out, size)));
  if (got < size && p->hung_up) {
    if (count != nullptr) *count = got;  // nothing more will come from a device that is gone
    return true;
  }
  // Interval "all ones" with no total time-out: return at once with what has arrived.
  const bool immediate =
      t.read_interval == kMaxDword && t.read_total_multiplier == 0 && t.read_total_constant == 0;
  if (got < size && !immediate) {
    const Clock::time_point start = Clock::now();
    const Clock::time_point total_limit =
        TotalLimit(start, t.read_total_multiplier, t.read_total_constant, size);
    Clock::time_point last_byte = start;
    while (got < size) {
      // Interval "all ones" with a total time-out: wait only for the first byte.
      if (got > 0 && t.read_interval == kMaxDword) break;
      Clock::time_point limit = total_limit;
      if (got > 0 && t.read_interval != 0) {
        limit = std::min(limit, last_byte + std::chrono::milliseconds(t.read_interval));
      }
      const Clock::time_point now = Clock::now();
      if (limit != Clock::time_point::max() && now >= limit) break;
      if (!port.waitForReadyRead(WaitMs(now, limit))) {
        port.clearError();  // a time-out is an ordinary outcome here
        NoticeHangUp(*p);
        break;
      }
      const qint64 more = port.read(out + got, size - got);
      if (more > 0) {
        got += static_cast<std::uint32_t>(more);
        last_byte = Clock::now();
      } else if (NoticeHangUp(*p)) {
        break;  // readable without data: the device is gone
      }
    }
  }
  if (count != nullptr) *count = got;
  return true;
}

bool SerialBridgeDriver::WriteFile(FtHandle handle, const void* buffer, std::uint32_t size,
                                   std::uint32_t* count, void* /*overlapped*/) {
  if (count != nullptr) *count = 0;
  Port* p = Find(handle);
  if (p == nullptr || (size != 0 && buffer == nullptr)) return false;
  if (size == 0) return true;
  QSerialPort& port = p->port;
  const auto* bytes = static_cast<const char*>(buffer);
  // With nothing queued ahead, the bytes go straight to the system's driver, as a Win32 serial
  // driver takes them; only what it cannot take at once is queued in the port and waited for.
  // (Queueing every byte costs a notifier switched on and off and a wait per call: the scanner's
  // frames are written one byte per call.)
  std::uint32_t direct = 0;
  if (port.bytesToWrite() == 0 && !p->hung_up) {
    const DirectWrite w = WriteNow(static_cast<int>(port.handle()), bytes, size);
    if (w.failed) {
      NoticeHangUp(*p);
      return false;
    }
    direct = w.written;
    if (direct == size) {
      if (count != nullptr) *count = size;
      return true;
    }
    bytes += direct;
    size -= direct;
  }
  const qint64 queued = port.write(bytes, size);
  if (queued <= 0) {
    port.clearError();
    NoticeHangUp(*p);
    if (count != nullptr) *count = direct;
    return false;
  }
  const Clock::time_point limit = TotalLimit(Clock::now(), p->timeouts.write_total_multiplier,
                                             p->timeouts.write_total_constant, size);
  while (port.bytesToWrite() > 0) {
    const Clock::time_point now = Clock::now();
    if (limit != Clock::time_point::max() && now >= limit) break;
    if (!port.waitForBytesWritten(WaitMs(now, limit))) {
      port.clearError();
      NoticeHangUp(*p);
      break;
    }
  }
  // Our bytes are the newest in the port's queue; whatever is still queued is theirs first.
  const qint64 left = std::min(queued, port.bytesToWrite());
  const auto written = static_cast<std::uint32_t>(queued - left);
  if (count != nullptr) *count = direct + written;
  return written == size;
}

bool SerialBridgeDriver::EscapeCommFunction(FtHandle handle, std::uint32_t function) {
  Port* p = Find(handle);
  if (p == nullptr) return false;
  QSerialPort& port = p->port;
  bool ok = false;
  switch (function) {
    case kSetBreak:
      ok = port.setBreakEnabled(true);
      break;
    case kClrBreak:
      ok = port.setBreakEnabled(false);
      break;
    case kSetDtr:
      ok = port.setDataTerminalReady(true);
      break;
    case kClrDtr:
      ok = port.setDataTerminalReady(false);
      break;
    case kSetRts:
      ok = port.setRequestToSend(true);
      break;
    case kClrRts:
      ok = port.setRequestToSend(false);
      break;
    default:
      return false;  // XON/XOFF escapes have no counterpart in the serial port
  }
  port.clearError();
  return ok;
}

bool SerialBridgeDriver::GetCommState(FtHandle handle, Dcb* settings) {
  Port* p = Find(handle);
  if (p == nullptr || settings == nullptr) return false;
  // The line parameters come from the port; everything the port has no notion of (limits,
  // characters, reserved words) is reported as it was last set.
  Dcb d = p->settings;
  const QSerialPort& port = p->port;
  d.length = sizeof(Dcb);
  d.baud_rate = static_cast<std::uint32_t>(port.baudRate());
  d.byte_size = static_cast<std::uint8_t>(port.dataBits());
  d.parity = ParityCode(port.parity());
  d.stop_bits = StopBitsCode(port.stopBits());
  *settings = d;
  return true;
}

bool SerialBridgeDriver::PurgeComm(FtHandle handle, std::uint32_t flags) {
  Port* p = Find(handle);
  if (p == nullptr) return false;
  // The abort flags have nothing to do: no transfer outlives the call that started it.
  bool ok = true;
  if ((flags & kPurgeTxClear) != 0) ok = p->port.clear(QSerialPort::Output) && ok;
  if ((flags & kPurgeRxClear) != 0) ok = p->port.clear(QSerialPort::Input) && ok;
  p->port.clearError();
  return ok;
}

bool SerialBridgeDriver::SetCommMask(FtHandle handle, std::uint32_t mask) {
  Port* p = Find(handle);
  if (p == nullptr) return false;
  p->event_mask = mask;
  return true;
}

bool SerialBridgeDriver::SetCommState(FtHandle handle, Dcb* settings) {
  Port* p = Find(handle);
  if (p == nullptr || settings == nullptr) return false;
  const Dcb& d = *settings;
  const auto data_bits = DataBitsOf(d.byte_size);
  const auto parity = ParityOf(d.parity);
  const auto stop_bits = StopBitsOf(d.stop_bits);
  if (d.baud_rate == 0 || !data_bits || !parity || !stop_bits) return false;

  QSerialPort& port = p->port;
  const QSerialPort::FlowControl flow = FlowControlOf(d);
  bool ok = port.setBaudRate(static_cast<qint32>(d.baud_rate));
  ok = port.setDataBits(*data_bits) && ok;
  ok = port.setParity(*parity) && ok;
  ok = port.setStopBits(*stop_bits) && ok;
  ok = port.setFlowControl(flow) && ok;
  // Modem lines: a pseudo-terminal has none, so failures here are expected and harmless.
  port.setDataTerminalReady(dcb::DtrControl(d) != dcb::kControlDisable);
  if (flow != QSerialPort::HardwareControl) {
    port.setRequestToSend(dcb::RtsControl(d) != dcb::kControlDisable);
  }
  port.clearError();
  p->settings = d;
  return ok;
}

bool SerialBridgeDriver::SetCommTimeouts(FtHandle handle, CommTimeouts* timeouts) {
  Port* p = Find(handle);
  if (p == nullptr || timeouts == nullptr) return false;
  p->timeouts = *timeouts;
  return true;
}

bool SerialBridgeDriver::SetupComm(FtHandle handle, std::uint32_t /*input_size*/,
                                   std::uint32_t /*output_size*/) {
  // The operating system sizes its own buffers; the request is accepted and has no effect.
  return Find(handle) != nullptr;
}

}  // namespace scanner
