#include "scanner/FrameCodec.h"

#include "scanner/Channel.h"

namespace scanner {

std::array<std::uint16_t, 256> CrcTable;
bool CrcTableReady = false;

namespace {

void FillCrcTable() {
  for (unsigned i = 0; i < 256; ++i) {
    std::uint16_t r = 0;
    unsigned d = i;
    for (int bit = 0; bit < 8; ++bit) {
      r = ((r ^ d) & 1u) != 0 ? static_cast<std::uint16_t>((r >> 1) ^ 0xA001u)
                              : static_cast<std::uint16_t>(r >> 1);
      d >>= 1;
    }
    CrcTable[i] = r;
  }
  CrcTableReady = true;
}

std::uint8_t Group(unsigned value, int group) {
  return static_cast<std::uint8_t>(((value >> (7 * group)) & 0x7Fu) | 0x80u);
}

}  // namespace

std::uint16_t Crc16Update(std::uint16_t crc, std::uint8_t byte) {
  if (!CrcTableReady) FillCrcTable();
  return static_cast<std::uint16_t>((crc >> 8) ^ CrcTable[(crc ^ byte) & 0xFFu]);
}

bool SendCommand(std::uint8_t code, std::span<const std::uint8_t> data) {
  // A larger count would lose its upper bits on the wire and announce a different frame.
  if (data.size() > kMaxFrameLength) return false;
  const auto count = static_cast<unsigned>(data.size());
  std::uint16_t crc = 0;
  PurgeScanner(kPurgeTxAbort | kPurgeRxAbort);
  WriteScannerByte(kRequestStart);
  WriteScannerByte(Group(count, 0));
  WriteScannerByte(Group(count, 1));
  crc = Crc16Update(crc, code);
  WriteScannerByte(Group(code, 0));
  for (std::uint8_t byte : data) {
    crc = Crc16Update(crc, byte);
    WriteScannerByte(Group(byte, 0));
  }
  for (int g = 0; g < 3; ++g) WriteScannerByte(Group(crc, g));
  return true;
}

bool ReceiveReply(std::uint16_t& length, std::span<std::uint8_t, kReplyBufferSize> buffer) {
  std::uint16_t crc = 0;
  std::uint8_t byte = 0;
  if (!ReadScannerByte(byte)) return false;  // the head byte, not examined

  unsigned announced = 0;
  for (int g = 0; g < 2; ++g) {
    if (!ReadScannerByte(byte)) return false;
    announced |= (byte & 0x7Fu) << (7 * g);
  }
  // Two 7-bit groups: at most 16383, which is the buffer's size.
  length = static_cast<std::uint16_t>(announced);

  for (unsigned i = 0; i < announced; ++i) {
    if (!ReadScannerByte(byte)) return false;
    const auto payload = static_cast<std::uint8_t>(byte & 0x7Fu);
    buffer[i] = payload;
    crc = Crc16Update(crc, payload);
  }

  unsigned received = 0;
  for (int g = 0; g < 3; ++g) {
    if (!ReadScannerByte(byte)) return false;
    received |= (byte & 0x7Fu) << (7 * g);
  }
  // The third group may carry bits above bit 15; they are not part of the checksum.
  return static_cast<std::uint16_t>(received) == crc;
}

}  // namespace scanner
