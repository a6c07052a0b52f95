// Reply frames as the scanner sends them, and the checksum they carry, built here from the line
// format alone (not with the scanner library's codec) so that tests and benchmarks check the
// codec against a second opinion.
//
// A reply frame: a head byte, the payload length in two 7-bit groups (low first), every payload
// byte, then the CRC-16/ARC of the payload in three 7-bit groups (low first); every byte after
// the head has bit 7 set. Payload bytes are 7-bit values.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace scanner_test {

using Bytes = std::vector<std::uint8_t>;

// The head byte of the replies in these tests.
inline constexpr std::uint8_t kReplyHead = 0xA0;

// CRC-16/ARC (polynomial 0xA001 reflected, start 0) bit by bit.
inline std::uint16_t ReferenceCrc(const Bytes& bytes) {
  std::uint16_t crc = 0;
  for (std::uint8_t b : bytes) {
    crc ^= b;
    for (int i = 0; i < 8; ++i) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  return crc;
}

// A reply frame carrying `payload` with the given checksum.
inline Bytes ReplyFrameWithCrc(const Bytes& payload, std::uint16_t crc,
                               std::uint8_t head = kReplyHead) {
  const auto length = static_cast<unsigned>(payload.size());
  Bytes frame = {head, static_cast<std::uint8_t>(0x80 | (length & 0x7F)),
                 static_cast<std::uint8_t>(0x80 | ((length >> 7) & 0x7F))};
  for (std::uint8_t b : payload) frame.push_back(0x80 | b);
  for (int g = 0; g < 3; ++g)
    frame.push_back(static_cast<std::uint8_t>(0x80 | ((crc >> (7 * g)) & 0x7F)));
  return frame;
}

// A reply frame carrying `payload` with its right checksum.
inline Bytes ReplyFrame(const Bytes& payload, std::uint8_t head = kReplyHead) {
  return ReplyFrameWithCrc(payload, ReferenceCrc(payload), head);
}

// A signed value as the 14-bit two's-complement pattern a profile point carries.
inline constexpr std::uint16_t Raw14(std::int32_t value) {
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(value) & 0x3FFFu);
}

// A profile payload: byte 0 (`first`), the announced point count as two 7-bit groups, then the
// raw A and B patterns of each point, each as two 7-bit groups (low first).
inline Bytes ProfilePayload(unsigned count,
                            const std::vector<std::pair<std::uint16_t, std::uint16_t>>& raw,
                            std::uint8_t first = 0) {
  Bytes p = {first, static_cast<std::uint8_t>(count & 0x7F),
             static_cast<std::uint8_t>((count >> 7) & 0x7F)};
  for (auto [a, b] : raw) {
    p.push_back(a & 0x7F);
    p.push_back((a >> 7) & 0x7F);
    p.push_back(b & 0x7F);
    p.push_back((b >> 7) & 0x7F);
  }
  return p;
}

}  // namespace scanner_test
