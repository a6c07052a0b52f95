// Request and reply frames on the scanner channel, and their CRC-16/ARC checksum.
//
// Frames carry 7-bit bytes: numbers wider than seven bits go out in 7-bit groups, least
// significant first, each byte with bit 7 set. A request is the start byte 0x20 (bit 7 clear),
// the 14-bit data count in two bytes, the code, the data bytes and the 16-bit checksum of code and
// data in three bytes. A reply is a head byte (not examined), the 14-bit payload length in two
// bytes, the payload and its checksum in three bytes; bit 7 of every reply byte is ignored.
//
// Each byte is one driver call (scanner/Channel.h). The checksum table is process-wide and
// filled on first use. Nothing here matches a reply to its request: the caller sends a request
// and, when the command has a reply, calls ReceiveReply right after.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace scanner {

// The start byte of every request.
inline constexpr std::uint8_t kRequestStart = 0x20;
// The largest count or length that two 7-bit groups can carry.
inline constexpr std::size_t kMaxFrameLength = 16383;
// The size of a reply buffer: any length a reply can announce fits.
inline constexpr std::size_t kReplyBufferSize = kMaxFrameLength;
using ReplyBytes = std::array<std::uint8_t, kReplyBufferSize>;

// CRC-16/ARC table (reflected polynomial 0xA001) and whether it has been filled.
extern std::array<std::uint16_t, 256> CrcTable;
extern bool CrcTableReady;

// The running checksum after one more byte; fills CrcTable first when it is not ready.
std::uint16_t Crc16Update(std::uint16_t crc, std::uint8_t byte);

// Writes one request frame: purge (abort pending transfers, buffers kept), then 7 + data.size()
// bytes. The checksum covers the code and the data bytes with all eight bits, while only bits
// 0-6 of each go on the wire. A request whose data count does not fit the frame's 14-bit count
// field (more than kMaxFrameLength bytes) is not sent at all: the function then returns false
// without touching the channel. Otherwise it returns true; whether the bytes were accepted is
// not known, as the channel reports nothing about writes.
bool SendCommand(std::uint8_t code, std::span<const std::uint8_t> data = {});

// Reads one reply frame into `buffer` and sets `length` to its payload length. True when the
// frame came complete and its checksum matches. On a time-out it returns false at once: `length`
// holds the length if both length bytes came, and the buffer the payload bytes read so far. On a
// checksum mismatch it returns false with length and payload in place.
bool ReceiveReply(std::uint16_t& length, std::span<std::uint8_t, kReplyBufferSize> buffer);

}  // namespace scanner
