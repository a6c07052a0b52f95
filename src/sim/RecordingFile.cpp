#include "sim/RecordingFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

#include "scanner/FrameCodec.h"
#include "scanner/ProfilePoint.h"
#include "scanner/ScannerCommands.h"

namespace sim {
namespace {

constexpr std::size_t kMagicSize = 8;

std::array<std::uint32_t, 256> MakeCrc32Table() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFFu);
  Put16(out, v >> 16);
}
void Put64(std::vector<std::uint8_t>& out, std::uint64_t v) {
  Put32(out, static_cast<std::uint32_t>(v));
  Put32(out, static_cast<std::uint32_t>(v >> 32));
}

std::uint64_t Get(std::span<const std::uint8_t> bytes, std::size_t at, int size) {
  std::uint64_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = (v << 8) | bytes[at + static_cast<std::size_t>(i)];
  return v;
}

RecordingError Damaged(std::size_t offset, const std::string& what) {
  return {offset,
          "the recording is damaged at byte offset " + std::to_string(offset) + ": " + what};
}

RecordingError Truncated(std::size_t offset, const std::string& what) {
  return {offset,
          "the recording is truncated at byte offset " + std::to_string(offset) + ": " + what};
}

// Reads the record at `at`; on success moves `at` past it.
std::optional<RecordingError> ParseRecord(std::span<const std::uint8_t> bytes, std::size_t& at,
                                          std::uint64_t previous_time, Exchange& out) {
  const std::size_t start = at;
  const std::size_t left = bytes.size() - start;
  const std::string which = "the record that begins at offset " + std::to_string(start);
  if (left < kRecordHeadSize) {
    return Truncated(bytes.size(), which + " needs " + std::to_string(kRecordHeadSize) +
                                       " bytes of head, " + std::to_string(left) + " are left");
  }
  const auto kind = bytes[start];
  if (kind != 1) return Damaged(start, "unknown record kind " + std::to_string(kind));
  const auto verdict = bytes[start + 1];
  if (verdict > 2) return Damaged(start + 1, "unknown verdict " + std::to_string(verdict));
  const std::size_t q = Get(bytes, start + 2, 2);
  if (q > kMaxRequestBytes) {
    return Damaged(start + 2, "a request of " + std::to_string(q) + " bytes is longer than any (" +
                                  std::to_string(kMaxRequestBytes) + ")");
  }
  const std::size_t r = Get(bytes, start + 4, 2);
  if (r > kMaxReplyBytes) {
    return Damaged(start + 4, "a reply of " + std::to_string(r) + " bytes is longer than any (" +
                                  std::to_string(kMaxReplyBytes) + ")");
  }
  if (Get(bytes, start + 6, 2) != 0) return Damaged(start + 6, "the reserved field is not 0");
  const std::uint64_t time = Get(bytes, start + 8, 8);
  if (time < previous_time) {
    return Damaged(start + 8, "its time " + std::to_string(time) +
                                  " us is earlier than the previous record's " +
                                  std::to_string(previous_time) + " us");
  }
  const std::size_t whole = kRecordHeadSize + q + r + kRecordCheckSize;
  if (left < whole) {
    return Truncated(bytes.size(), which + " needs " + std::to_string(whole) + " bytes, " +
                                       std::to_string(left) + " are left");
  }
  const std::size_t check_at = start + kRecordHeadSize + q + r;
  const auto stored = static_cast<std::uint32_t>(Get(bytes, check_at, 4));
  if (Crc32(bytes.subspan(start, check_at - start)) != stored) {
    return Damaged(check_at, which + " fails its checksum");
  }
  out.time_us = time;
  out.duration_us = static_cast<std::uint32_t>(Get(bytes, start + 16, 4));
  out.verdict = static_cast<Verdict>(verdict);
  const auto data = bytes.begin() + static_cast<std::ptrdiff_t>(start + kRecordHeadSize);
  out.request.assign(data, data + static_cast<std::ptrdiff_t>(q));
  out.reply.assign(data + static_cast<std::ptrdiff_t>(q),
                   data + static_cast<std::ptrdiff_t>(q + r));
  at = start + whole;
  return std::nullopt;
}

}  // namespace

bool Exchange::IsMeasure() const {
  return request.size() >= 4 && (request[3] & 0x7Fu) == scanner::kCommandMeasure;
}

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
  static const std::array<std::uint32_t, 256> table = MakeCrc32Table();
  crc = ~crc;
  for (std::uint8_t b : bytes) crc = table[(crc ^ b) & 0xFFu] ^ (crc >> 8);
  return ~crc;
}

std::vector<std::uint8_t> EncodeHeader() {
  std::vector<std::uint8_t> out(kRecordingMagic, kRecordingMagic + kMagicSize);
  Put16(out, kRecordingVersion);
  Put16(out, 0);
  return out;
}

std::vector<std::uint8_t> EncodeRecord(const Exchange& exchange) {
  const std::size_t q = std::min(exchange.request.size(), kMaxRequestBytes);
  const std::size_t r = std::min(exchange.reply.size(), kMaxReplyBytes);
  std::vector<std::uint8_t> out;
  out.reserve(kRecordHeadSize + q + r + kRecordCheckSize);
  out.push_back(1);
  out.push_back(static_cast<std::uint8_t>(exchange.verdict));
  Put16(out, static_cast<std::uint32_t>(q));
  Put16(out, static_cast<std::uint32_t>(r));
  Put16(out, 0);
  Put64(out, exchange.time_us);
  Put32(out, exchange.duration_us);
  out.insert(out.end(), exchange.request.begin(), exchange.request.begin() + q);
  out.insert(out.end(), exchange.reply.begin(), exchange.reply.begin() + r);
  Put32(out, Crc32(out));
  return out;
}

std::optional<RecordingError> ParseRecording(std::span<const std::uint8_t> bytes,
                                             std::vector<Exchange>& exchanges) {
  if (bytes.size() < kMagicSize || std::memcmp(bytes.data(), kRecordingMagic, kMagicSize) != 0) {
    return RecordingError{0, "this is not a QX770 recording: it does not begin with \"" +
                                 std::string(kRecordingMagic) + "\" at byte offset 0"};
  }
  if (bytes.size() < kRecordingHeaderSize) {
    return Truncated(bytes.size(),
                     "the file header needs " + std::to_string(kRecordingHeaderSize) + " bytes");
  }
  const auto version = Get(bytes, 8, 2);
  if (version != kRecordingVersion) {
    return RecordingError{8, "the recording has version " + std::to_string(version) +
                                 " at byte offset 8; this program reads version " +
                                 std::to_string(kRecordingVersion)};
  }
  if (Get(bytes, 10, 2) != 0) return Damaged(10, "the header's flags are not 0");

  std::vector<Exchange> read;
  std::size_t at = kRecordingHeaderSize;
  std::uint64_t previous_time = 0;
  while (at < bytes.size()) {
    Exchange e;
    if (auto error = ParseRecord(bytes, at, previous_time, e)) return error;
    previous_time = e.time_us;
    read.push_back(std::move(e));
  }
  exchanges = std::move(read);
  return std::nullopt;
}

std::optional<RecordingError> LoadRecording(const std::string& path,
                                            std::vector<Exchange>& exchanges) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return RecordingError{0, "the recording " + path + " cannot be read"};
  std::vector<std::uint8_t> bytes;
  std::array<char, 65536> chunk;
  while (file) {
    file.read(chunk.data(), chunk.size());
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + file.gcount());
  }
  if (file.bad()) return RecordingError{bytes.size(), "reading the recording " + path + " failed"};
  return ParseRecording(bytes, exchanges);
}

std::size_t ReplyFrameSize(std::span<const std::uint8_t> reply) {
  if (reply.size() < 3) return 0;
  return 3 + std::size_t{scanner::JoinRaw14(reply[1], reply[2])} + 3;
}

bool ReplyAccepted(std::span<const std::uint8_t> reply) {
  const std::size_t size = ReplyFrameSize(reply);
  if (size == 0 || reply.size() < size) return false;
  const std::size_t length = size - 6;
  if (length < scanner::kProfileHeaderSize) return false;
  std::uint16_t crc = 0;
  for (std::size_t i = 0; i < length; ++i) {
    crc = scanner::Crc16Update(crc, static_cast<std::uint8_t>(reply[3 + i] & 0x7Fu));
  }
  unsigned received = 0;
  for (int g = 0; g < 3; ++g) received |= (reply[3 + length + g] & 0x7Fu) << (7 * g);
  return static_cast<std::uint16_t>(received) == crc;
}

std::unique_ptr<RecordingWriter> RecordingWriter::Create(const std::string& path) {
  std::unique_ptr<RecordingWriter> writer(new RecordingWriter());
  writer->path_ = path;
  writer->file_.open(path, std::ios::binary | std::ios::out | std::ios::trunc);
  if (!writer->file_) return nullptr;
  const auto header = EncodeHeader();
  writer->file_.write(reinterpret_cast<const char*>(header.data()),
                      static_cast<std::streamsize>(header.size()));
  writer->file_.flush();
  if (!writer->file_) return nullptr;
  return writer;
}

void RecordingWriter::Write(const Exchange& exchange) {
  if (!good_) return;
  const auto bytes = EncodeRecord(exchange);
  file_.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  file_.flush();
  good_ = static_cast<bool>(file_);
  if (good_) ++records_;
}

}  // namespace sim
