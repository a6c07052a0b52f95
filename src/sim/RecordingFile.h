// Recordings of the exchanges with the scanner: the file format, writing it and reading it back.
//
// A recording holds every exchange of a run in the order it happened: when it began, the request
// bytes the program wrote, the reply bytes exactly as the program read them (bit 7 included, a
// reply cut short holds only the bytes that came) and whether the program accepted the reply.
// `qx770 measure --record FILE` and `qx770-demo --record FILE` write one; `--replay FILE` in both
// programs answers measure requests from one (ReplayDriver.h), and `qx770 replay FILE` turns one
// into CSV.
//
// File format, version 1. All numbers are unsigned and little-endian.
//
//   header, 12 bytes:
//     0   8  magic "QX770REC"
//     8   2  version, 1
//     10  2  flags, 0 (reserved)
//   then any number of records, each 20 + Q + R + 4 bytes:
//     0   1  kind, 1 = exchange
//     1   1  verdict: 0 = no reply expected (a parameter write), 1 = reply accepted,
//               2 = reply refused (none came, cut short, wrong checksum, no point count)
//     2   2  Q, the request length in bytes, at most kMaxRequestBytes
//     4   2  R, the reply length in bytes, at most kMaxReplyBytes
//     6   2  reserved, 0
//     8   8  time: microseconds from the start of the recording to the start of the exchange;
//               never less than the previous record's
//     16  4  duration: microseconds from the start of the exchange to its last byte
//     20  Q  the request bytes
//     20+Q R  the reply bytes
//     20+Q+R 4  CRC-32 (the zlib/PNG checksum) of the record's bytes before it
//
// The file ends after the last whole record. A writer appends and flushes each record as the
// exchange ends, so a run that is cut off loses at most the exchange under way.
//
// Reading is safe for any bytes: a length is checked against its maximum and against the bytes
// that are really left before anything is taken, so no field makes the reader allocate more than
// the file holds or read past its end. A file that breaks any rule above is refused as a whole
// with a RecordingError naming the byte offset of the first fault, e.g.
//   "the recording is truncated at byte offset 1804: the record that begins at offset 12 needs
//    1796 bytes, 1792 are left"
//   "the recording is damaged at byte offset 1808: the record that begins at offset 12 fails its
//    checksum"
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sim {

inline constexpr char kRecordingMagic[] = "QX770REC";
inline constexpr std::uint16_t kRecordingVersion = 1;
inline constexpr std::size_t kRecordingHeaderSize = 12;
inline constexpr std::size_t kRecordHeadSize = 20;
inline constexpr std::size_t kRecordCheckSize = 4;
// The longest request frame: 7 bytes around 16383 data bytes.
inline constexpr std::size_t kMaxRequestBytes = 7 + 16383;
// The longest reply the codec reads: head, two length bytes, 16383 payload bytes, checksum.
inline constexpr std::size_t kMaxReplyBytes = 3 + 16383 + 3;

enum class Verdict : std::uint8_t { kNoReply = 0, kAccepted = 1, kRefused = 2 };

struct Exchange {
  std::uint64_t time_us = 0;
  std::uint32_t duration_us = 0;
  Verdict verdict = Verdict::kNoReply;
  std::vector<std::uint8_t> request;
  std::vector<std::uint8_t> reply;

  // Whether the request is a measure request (code 5), which is answered by a profile reply.
  bool IsMeasure() const;
  friend bool operator==(const Exchange&, const Exchange&) = default;
};

struct RecordingError {
  std::size_t offset = 0;
  std::string message;  // one sentence that names the offset
};

// CRC-32 with the reflected polynomial 0xEDB88320, initial value and final XOR all ones.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);

// The bytes of a record for this exchange (lengths cut to their maxima).
std::vector<std::uint8_t> EncodeRecord(const Exchange& exchange);
// The file header.
std::vector<std::uint8_t> EncodeHeader();

// Reads a whole recording; `exchanges` receives the records (only when it answers no error).
std::optional<RecordingError> ParseRecording(std::span<const std::uint8_t> bytes,
                                             std::vector<Exchange>& exchanges);

// Reads the file at `path`. A file that cannot be read is an error at offset 0.
std::optional<RecordingError> LoadRecording(const std::string& path,
                                            std::vector<Exchange>& exchanges);

// Whether the program accepts these reply bytes as a profile reply: the whole frame came (head,
// length, payload, checksum), its CRC-16/ARC over the payload matches, and the payload holds a
// point count (at least 3 bytes). Bit 7 of every byte is ignored, as the codec ignores it.
bool ReplyAccepted(std::span<const std::uint8_t> reply);
// How many bytes the codec reads of a reply that begins with these bytes: 3 + length + 3 once
// the length bytes are there, else nothing known (0).
std::size_t ReplyFrameSize(std::span<const std::uint8_t> reply);

// Appends records to a recording file, flushing each one.
class RecordingWriter {
 public:
  // Creates (or empties) the file and writes the header; nullptr when that fails.
  static std::unique_ptr<RecordingWriter> Create(const std::string& path);

  void Write(const Exchange& exchange);
  // False once any write failed.
  bool good() const { return good_; }
  const std::string& path() const { return path_; }
  std::size_t records() const { return records_; }

 private:
  RecordingWriter() = default;
  std::ofstream file_;
  std::string path_;
  bool good_ = true;
  std::size_t records_ = 0;
};

}  // namespace sim
