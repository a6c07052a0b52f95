// The recording file format: what a writer produces reads back the same, and every kind of
// damage or truncation is refused with a message that names its byte offset, without reading
// past the data (the randomized test runs under the sanitizers).
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "sim/RecordingFile.h"

namespace sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

Exchange Sample(std::uint64_t time, Verdict verdict, std::size_t reply_size, std::uint8_t fill) {
  Exchange e;
  e.time_us = time;
  e.duration_us = 19200;
  e.verdict = verdict;
  // A parameter write (5 = 25) for an exchange without reply, else a measure request.
  if (verdict == Verdict::kNoReply) {
    e.request = {0x20, 0x82, 0x80, 0x83, 0x85, 0x99, 0xB2, 0xB4, 0x82};
  } else {
    e.request = {0x20, 0x80, 0x80, 0x85, 0xC0, 0x87, 0x80};
  }
  e.reply.assign(reply_size, fill);
  return e;
}

Bytes File(const std::vector<Exchange>& exchanges) {
  Bytes out = EncodeHeader();
  for (const Exchange& e : exchanges) {
    const Bytes r = EncodeRecord(e);
    out.insert(out.end(), r.begin(), r.end());
  }
  return out;
}

std::vector<Exchange> ThreeExchanges() {
  return {Sample(10, Verdict::kNoReply, 0, 0), Sample(500, Verdict::kAccepted, 40, 0x85),
          Sample(900, Verdict::kRefused, 3, 0x81)};
}

TEST(RecordingFileTest, RecordsReadBackAsWritten) {
  const auto exchanges = ThreeExchanges();
  std::vector<Exchange> read;
  ASSERT_EQ(ParseRecording(File(exchanges), read), std::nullopt);
  EXPECT_EQ(read, exchanges);
  EXPECT_FALSE(read[0].IsMeasure());
  EXPECT_TRUE(read[1].IsMeasure());

  Bytes empty = EncodeHeader();
  ASSERT_EQ(ParseRecording(empty, read), std::nullopt);
  EXPECT_TRUE(read.empty());
}

TEST(RecordingFileTest, TheWriterFlushesEachRecord) {
  const auto path = (std::filesystem::temp_directory_path() /
                     ("qx770-writer-" + std::to_string(::getpid()) + ".qxrec"))
                        .string();
  auto writer = RecordingWriter::Create(path);
  ASSERT_NE(writer, nullptr);
  const auto exchanges = ThreeExchanges();
  std::vector<Exchange> read;
  for (std::size_t i = 0; i < exchanges.size(); ++i) {
    writer->Write(exchanges[i]);
    // Read while the writer is still open: what was written is on disk.
    ASSERT_EQ(LoadRecording(path, read), std::nullopt);
    EXPECT_EQ(read.size(), i + 1);
  }
  EXPECT_TRUE(writer->good());
  EXPECT_EQ(writer->records(), 3u);
  writer.reset();
  std::filesystem::remove(path);

  EXPECT_EQ(RecordingWriter::Create("/nonexistent-dir/x.qxrec"), nullptr);
  const auto missing = LoadRecording("/nonexistent-dir/x.qxrec", read);
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->message, "the recording /nonexistent-dir/x.qxrec cannot be read");
}

// Sets the little-endian number of `size` bytes at `at`.
void Poke(Bytes& b, std::size_t at, std::uint64_t v, int size) {
  for (int i = 0; i < size; ++i)
    b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The record at offset 12 with its checksum made to fit again after a change.
void Reseal(Bytes& b, std::size_t start) {
  const std::size_t q = b[start + 2] | (b[start + 3] << 8);
  const std::size_t r = b[start + 4] | (b[start + 5] << 8);
  const std::size_t check = start + kRecordHeadSize + q + r;
  if (check + 4 > b.size()) return;
  Poke(b, check, Crc32(std::span<const std::uint8_t>(b).subspan(start, check - start)), 4);
}

TEST(RecordingFileTest, DamageAndTruncationAreNamedByOffset) {
  const Bytes good = File(ThreeExchanges());
  const std::size_t first = kRecordingHeaderSize;                  // 12
  const std::size_t second = first + kRecordHeadSize + 9 + 0 + 4;  // 45
  struct Case {
    const char* what;
    std::function<void(Bytes&)> damage;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"not a recording", [](Bytes& b) { b[0] = 'X'; },
       "this is not a QX770 recording: it does not begin with \"QX770REC\" at byte offset 0"},
      {"empty file", [](Bytes& b) { b.clear(); },
       "this is not a QX770 recording: it does not begin with \"QX770REC\" at byte offset 0"},
      {"header cut", [](Bytes& b) { b.resize(10); },
       "the recording is truncated at byte offset 10: the file header needs 12 bytes"},
      {"other version", [](Bytes& b) { Poke(b, 8, 2, 2); },
       "the recording has version 2 at byte offset 8; this program reads version 1"},
      {"flags", [](Bytes& b) { Poke(b, 10, 1, 2); },
       "the recording is damaged at byte offset 10: the header's flags are not 0"},
      {"kind", [&](Bytes& b) { b[second] = 7; },
       "the recording is damaged at byte offset 45: unknown record kind 7"},
      {"verdict", [&](Bytes& b) { b[second + 1] = 3; },
       "the recording is damaged at byte offset 46: unknown verdict 3"},
      {"request too long", [&](Bytes& b) { Poke(b, second + 2, 65535, 2); },
       "the recording is damaged at byte offset 47: a request of 65535 bytes is longer than any "
       "(16390)"},
      {"reply too long", [&](Bytes& b) { Poke(b, second + 4, 16390, 2); },
       "the recording is damaged at byte offset 49: a reply of 16390 bytes is longer than any "
       "(16389)"},
      {"reserved", [&](Bytes& b) { b[second + 6] = 1; },
       "the recording is damaged at byte offset 51: the reserved field is not 0"},
      {"time runs back",
       [&](Bytes& b) {
         Poke(b, second + 8, 9, 8);
         Reseal(b, second);
       },
       "the recording is damaged at byte offset 53: its time 9 us is earlier than the previous "
       "record's 10 us"},
      {"reply length beyond the data", [&](Bytes& b) { b.resize(second + 30); },
       "the recording is truncated at byte offset 75: the record that begins at offset 45 needs "
       "71 bytes, 30 are left"},
      {"record head cut", [&](Bytes& b) { b.resize(second + 5); },
       "the recording is truncated at byte offset 50: the record that begins at offset 45 needs "
       "20 bytes of head, 5 are left"},
      {"a reply byte flipped", [&](Bytes& b) { b[second + kRecordHeadSize + 7 + 3] ^= 1; },
       "the recording is damaged at byte offset 112: the record that begins at offset 45 fails "
       "its checksum"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bad = good;
    c.damage(bad);
    std::vector<Exchange> read = {Sample(1, Verdict::kNoReply, 0, 0)};
    const auto error = ParseRecording(bad, read);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, c.message);
    EXPECT_NE(error->message.find("offset " + std::to_string(error->offset)), std::string::npos);
    EXPECT_EQ(read.size(), 1u) << "a refused file leaves the output alone";
  }
}

TEST(RecordingFileTest, EveryCutIsTruncationUnlessAtARecordsEnd) {
  const Bytes good = File(ThreeExchanges());
  std::vector<std::size_t> ends = {kRecordingHeaderSize};
  for (const Exchange& e : ThreeExchanges()) ends.push_back(ends.back() + EncodeRecord(e).size());
  for (std::size_t size = kRecordingHeaderSize; size < good.size(); ++size) {
    std::vector<Exchange> read;
    const auto error = ParseRecording(std::span<const std::uint8_t>(good).first(size), read);
    const auto end = std::find(ends.begin(), ends.end(), size);
    if (end != ends.end()) {
      EXPECT_EQ(error, std::nullopt) << size;
      EXPECT_EQ(read.size(), static_cast<std::size_t>(end - ends.begin())) << size;
    } else {
      ASSERT_TRUE(error) << size;
      EXPECT_EQ(error->offset, size);
      EXPECT_EQ(error->message.rfind(
                    "the recording is truncated at byte offset " + std::to_string(size) + ":", 0),
                0u)
          << error->message;
    }
  }
}

// Random files and random damage to a real one, for a bounded time: the reader either refuses
// with an offset inside the file or reads records that encode back to exactly the bytes read.
TEST(RecordingFileTest, RandomAndDamagedFilesNeverCrashTheReader) {
  std::mt19937_64 random(770);
  const Bytes good = File(ThreeExchanges());
  const auto stop = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  int runs = 0;
  while (runs < 200 || (std::chrono::steady_clock::now() < stop && runs < 20000)) {
    ++runs;
    Bytes b;
    switch (random() % 3) {
      case 0:  // noise after a valid header
        b = EncodeHeader();
        for (std::size_t n = random() % 200; n > 0; --n)
          b.push_back(static_cast<std::uint8_t>(random()));
        break;
      case 1:  // a few flipped or replaced bytes
        b = good;
        for (int n = 1 + static_cast<int>(random() % 4); n > 0; --n)
          b[random() % b.size()] = static_cast<std::uint8_t>(random());
        break;
      default:  // cut and extended with noise
        b = good;
        b.resize(random() % (good.size() + 40), static_cast<std::uint8_t>(random()));
        break;
    }
    std::vector<Exchange> read;
    const auto error = ParseRecording(b, read);
    if (error) {
      ASSERT_LE(error->offset, b.size());
      ASSERT_NE(error->message.find("offset " + std::to_string(error->offset)), std::string::npos)
          << error->message;
    } else {
      Bytes again = EncodeHeader();
      for (const Exchange& e : read) {
        const Bytes r = EncodeRecord(e);
        again.insert(again.end(), r.begin(), r.end());
      }
      // The header's bytes other than magic and version are checked, so a file read without
      // error is its records exactly.
      ASSERT_EQ(again, b);
    }
  }
  EXPECT_GE(runs, 200);
}

TEST(RecordingFileTest, ReplyVerdictMatchesTheCodec) {
  // A 3-byte payload {0, 0, 0}: CRC-16/ARC of three zero bytes is 0.
  const Bytes accepted = {0x85, 0x83, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
  EXPECT_TRUE(ReplyAccepted(accepted));
  EXPECT_EQ(ReplyFrameSize(accepted), 9u);
  Bytes wrong = accepted;
  wrong[6] = 0x81;
  EXPECT_FALSE(ReplyAccepted(wrong));
  EXPECT_FALSE(ReplyAccepted(Bytes(accepted.begin(), accepted.end() - 1)));  // cut short
  EXPECT_FALSE(ReplyAccepted({}));
  // A valid frame whose payload is too short for a point count.
  const Bytes two = {0x85, 0x82, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
  EXPECT_FALSE(ReplyAccepted(two));
  EXPECT_EQ(Crc32(Bytes{'1', '2', '3', '4', '5', '6', '7', '8', '9'}), 0xCBF43926u);
}

}  // namespace
}  // namespace sim
