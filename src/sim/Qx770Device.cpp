#include "sim/Qx770Device.h"

#include <algorithm>

#include "scanner/FrameCodec.h"
#include "scanner/ProfilePoint.h"
#include "scanner/ScannerCommands.h"

namespace sim {
namespace {

void PutGroups(std::vector<std::uint8_t>& out, unsigned value, int groups) {
  for (int g = 0; g < groups; ++g) {
    out.push_back(static_cast<std::uint8_t>(((value >> (7 * g)) & 0x7Fu) | 0x80u));
  }
}

void PutRaw(std::vector<std::uint8_t>& out, std::int32_t value) {
  const std::uint16_t raw = scanner::ToRaw14(value);
  out.push_back(static_cast<std::uint8_t>(raw & 0x7Fu));
  out.push_back(static_cast<std::uint8_t>(raw >> 7));
}

}  // namespace

const char* FaultName(Fault fault) {
  switch (fault) {
    case Fault::kSilence:
      return "silence";
    case Fault::kWrongChecksum:
      return "checksum";
    case Fault::kCutShort:
      return "short";
    case Fault::kNone:
      break;
  }
  return "none";
}

bool ParseFault(const std::string& text, Fault& fault) {
  for (Fault f : {Fault::kNone, Fault::kSilence, Fault::kWrongChecksum, Fault::kCutShort}) {
    if (text == FaultName(f)) {
      fault = f;
      return true;
    }
  }
  return false;
}

Qx770Device::Qx770Device(DeviceOptions options)
    : options_(options), surface_(std::make_unique<SurfaceProfile>(options.seed)) {
  if (options_.fault_every == 0) options_.fault_every = 1;
  parameters_[scanner::kParamLaser] = 1;
  parameters_[scanner::kParamIntensity] = 25;
}

Qx770Device::~Qx770Device() = default;

void Qx770Device::Receive(std::span<const std::uint8_t> bytes) {
  for (std::uint8_t byte : bytes) Take(byte);
}

std::size_t Qx770Device::Read(std::span<std::uint8_t> out) {
  const std::size_t n = std::min(out.size(), Available());
  std::copy_n(output_.begin() + static_cast<std::ptrdiff_t>(output_pos_), n, out.begin());
  output_pos_ += n;
  if (output_pos_ == output_.size()) DiscardOutput();
  return n;
}

void Qx770Device::DiscardOutput() {
  output_.clear();
  output_pos_ = 0;
}

void Qx770Device::Abandon(const char* why) {
  ++ignored_frames_;
  stage_ = Stage::kIdle;
  if (logger_) logger_(std::string("ignored a request: ") + why);
}

void Qx770Device::Take(std::uint8_t byte) {
  if ((byte & 0x80u) == 0) {
    // Only a start byte has bit 7 clear: whatever frame was under way is incomplete.
    if (stage_ != Stage::kIdle) Abandon("cut off by a new start byte");
    if (byte == scanner::kRequestStart) {
      stage_ = Stage::kCount;
      group_ = 0;
      count_ = 0;
      data_.clear();
      crc_ = 0;
      received_crc_ = 0;
    }
    return;
  }
  const auto value = static_cast<std::uint8_t>(byte & 0x7Fu);
  switch (stage_) {
    case Stage::kIdle:
      return;  // noise between frames
    case Stage::kCount:
      count_ |= static_cast<std::uint32_t>(value) << (7 * group_);
      if (++group_ == 2) {
        if (count_ > kMaxRequestData) {
          Abandon("data count too large");
          return;
        }
        stage_ = Stage::kCode;
      }
      return;
    case Stage::kCode:
      code_ = value;
      crc_ = scanner::Crc16Update(crc_, value);
      group_ = 0;
      stage_ = count_ == 0 ? Stage::kChecksum : Stage::kData;
      return;
    case Stage::kData:
      data_.push_back(value);
      crc_ = scanner::Crc16Update(crc_, value);
      if (data_.size() == count_) stage_ = Stage::kChecksum;
      return;
    case Stage::kChecksum:
      received_crc_ |= static_cast<std::uint32_t>(value) << (7 * group_);
      if (++group_ == 3) {
        stage_ = Stage::kIdle;
        if (static_cast<std::uint16_t>(received_crc_) != crc_) {
          ++ignored_frames_;
          if (logger_) logger_("ignored a request: wrong checksum");
          return;
        }
        Execute();
      }
      return;
  }
}

void Qx770Device::Execute() {
  if (code_ == scanner::kCommandWriteParameter && data_.size() == 2) {
    parameters_[data_[0]] = data_[1];
    if (logger_)
      logger_("parameter " + std::to_string(data_[0]) + " = " + std::to_string(data_[1]));
  } else if (code_ == scanner::kCommandMeasure && data_.empty()) {
    Measure();
  } else {
    ++unknown_commands_;
    if (logger_) {
      logger_("ignored unknown command " + std::to_string(code_) + " with " +
              std::to_string(data_.size()) + " data bytes");
    }
  }
}

void Qx770Device::Measure() {
  const std::uint64_t shot = measurements_++;
  const std::vector<RawPoint> points = surface_->Shot(shot, laser_on(), intensity());
  const std::vector<std::uint8_t> payload =
      ProfilePayload(static_cast<std::uint8_t>(shot & 0x7Fu), points);
  const bool faulty = options_.fault != Fault::kNone && measurements_ % options_.fault_every == 0;
  const Fault fault = faulty ? options_.fault : Fault::kNone;
  std::vector<std::uint8_t> frame =
      ReplyFrame(payload, fault == Fault::kWrongChecksum ? 0x0101 : 0);
  if (fault == Fault::kSilence) frame.clear();
  if (fault == Fault::kCutShort) frame.resize(frame.size() / 2);
  output_.insert(output_.end(), frame.begin(), frame.end());
  if (logger_) {
    logger_("measurement " + std::to_string(measurements_) + ": laser " +
            (laser_on() ? "on" : "off") + ", intensity " + std::to_string(intensity()) +
            (faulty ? std::string(", fault ") + FaultName(fault) : std::string()));
  }
}

std::vector<std::uint8_t> Qx770Device::ProfilePayload(std::uint8_t counter,
                                                      const std::vector<RawPoint>& points) {
  std::vector<std::uint8_t> payload;
  payload.reserve(scanner::kProfileHeaderSize + scanner::kBytesPerPoint * points.size());
  const auto count = static_cast<unsigned>(points.size());
  payload.push_back(static_cast<std::uint8_t>(counter & 0x7Fu));
  payload.push_back(static_cast<std::uint8_t>(count & 0x7Fu));
  payload.push_back(static_cast<std::uint8_t>((count >> 7) & 0x7Fu));
  for (const RawPoint& p : points) {
    PutRaw(payload, p.a);
    PutRaw(payload, p.b);
  }
  return payload;
}

std::vector<std::uint8_t> Qx770Device::ReplyFrame(const std::vector<std::uint8_t>& payload,
                                                  std::uint16_t checksum_flip) {
  std::vector<std::uint8_t> frame;
  frame.reserve(payload.size() + 6);
  frame.push_back(kReplyHead);
  PutGroups(frame, static_cast<unsigned>(payload.size()), 2);
  std::uint16_t crc = 0;
  for (std::uint8_t b : payload) {
    crc = scanner::Crc16Update(crc, b);
    frame.push_back(static_cast<std::uint8_t>(b | 0x80u));
  }
  PutGroups(frame, static_cast<std::uint16_t>(crc ^ checksum_flip), 3);
  return frame;
}

}  // namespace sim
