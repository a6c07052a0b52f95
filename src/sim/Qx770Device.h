// A simulated QX770 scanner: the wire protocol from the scanner's side.
//
// The device takes the bytes the program writes (Receive) and queues the bytes it sends back
// (Available, Read). It reads request frames: the start byte 0x20 (the only byte with bit 7
// clear), the 14-bit data count, the code, the data and the CRC-16/ARC checksum of code and data
// as they arrived (7 bits each). A frame with a wrong checksum, one cut off by a new start byte,
// and bytes outside any frame are ignored and counted. It understands:
//   code 3, two data bytes (parameter, value): stores the parameter; parameter 1 switches the
//           laser (non-zero on), parameter 5 sets the intensity, parameter 0 is kept;
//   code 5, no data: measures, queuing one profile reply at once.
// Other frames are ignored. A profile reply is the head byte 0x85, the payload length in two
// bytes, the payload (a shot counter, the point count 440, then A and B of each point, each in
// two 7-bit groups) and its checksum in three bytes; every byte after the head has bit 7 set.
// It starts with the laser on at intensity 25.
//
// Faults can be injected into the profile replies, on every n-th measurement: no reply at all,
// a reply with a wrong checksum, or a reply cut off halfway.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "sim/SurfaceProfile.h"

namespace sim {

enum class Fault {
  kNone,
  kSilence,        // the measurement is not answered
  kWrongChecksum,  // the reply's checksum does not match its payload
  kCutShort,       // only the first half of the reply is sent
};

// "none", "silence", "checksum", "short"; ParseFault returns false for any other text.
const char* FaultName(Fault fault);
bool ParseFault(const std::string& text, Fault& fault);

struct DeviceOptions {
  std::uint64_t seed = 1;
  Fault fault = Fault::kNone;
  // The fault hits measurements number fault_every, 2 * fault_every, ... (counting from 1).
  std::uint64_t fault_every = 1;
};

class Qx770Device {
 public:
  static constexpr std::uint8_t kReplyHead = 0x85;
  static constexpr std::size_t kMaxRequestData = 64;

  explicit Qx770Device(DeviceOptions options = {});
  ~Qx770Device();

  // Bytes from the program, in order, possibly split anywhere.
  void Receive(std::span<const std::uint8_t> bytes);

  // Bytes waiting to go to the program.
  std::size_t Available() const { return output_.size() - output_pos_; }
  // Moves up to out.size() waiting bytes into `out`; returns how many.
  std::size_t Read(std::span<std::uint8_t> out);
  // Drops every waiting byte.
  void DiscardOutput();

  bool laser_on() const { return parameters_[1] != 0; }
  std::uint8_t intensity() const { return parameters_[5]; }
  std::uint8_t parameter(std::uint8_t number) const { return parameters_[number]; }
  std::uint64_t measurements() const { return measurements_; }
  // Request frames dropped: wrong checksum, cut off, or too long for any command.
  std::uint64_t ignored_frames() const { return ignored_frames_; }
  // Well-formed frames with a code or data count the device does not know.
  std::uint64_t unknown_commands() const { return unknown_commands_; }
  // Called with one line per command taken or frame ignored; none by default.
  void set_logger(std::function<void(const std::string&)> logger) { logger_ = std::move(logger); }

  // The payload of a profile reply with these points.
  static std::vector<std::uint8_t> ProfilePayload(std::uint8_t counter,
                                                  const std::vector<RawPoint>& points);
  // A whole reply frame around a payload; `checksum_flip` is XORed into the checksum.
  static std::vector<std::uint8_t> ReplyFrame(const std::vector<std::uint8_t>& payload,
                                              std::uint16_t checksum_flip = 0);

 private:
  enum class Stage { kIdle, kCount, kCode, kData, kChecksum };

  void Take(std::uint8_t byte);
  void Abandon(const char* why);
  void Execute();
  void Measure();

  DeviceOptions options_;
  std::unique_ptr<SurfaceProfile> surface_;
  std::uint8_t parameters_[256] = {};
  std::uint64_t measurements_ = 0;
  std::uint64_t ignored_frames_ = 0;
  std::uint64_t unknown_commands_ = 0;

  // The request frame being read.
  Stage stage_ = Stage::kIdle;
  int group_ = 0;
  std::uint32_t count_ = 0;
  std::uint8_t code_ = 0;
  std::vector<std::uint8_t> data_;
  std::uint16_t crc_ = 0;
  std::uint32_t received_crc_ = 0;

  std::vector<std::uint8_t> output_;
  std::size_t output_pos_ = 0;
  std::function<void(const std::string&)> logger_;
};

}  // namespace sim
