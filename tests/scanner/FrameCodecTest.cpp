// The frame codec: checksum, request frames byte for byte, and reading replies, good and bad.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "scanner/Channel.h"
#include "scanner/FrameCodec.h"
#include "support/RecordingChannel.h"
#include "support/ScannerFrames.h"

namespace scanner {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Op = RecordingDriver::Op;
using scanner_test::ReferenceCrc;
using scanner_test::ReplyFrame;
using scanner_test::ReplyFrameWithCrc;

std::uint16_t TableCrc(const Bytes& bytes) {
  std::uint16_t crc = 0;
  for (std::uint8_t b : bytes) crc = Crc16Update(crc, b);
  return crc;
}

class FrameCodecTest : public ::testing::Test {
 protected:
  bool Receive(const Bytes& stream) {
    driver_->ClearAll();
    driver_->QueueBytes(stream);
    return ReceiveReply(length_, buffer_);
  }

  scanner_test::RecordingChannel channel_{4};
  RecordingDriver* driver_ = channel_.driver();
  std::uint16_t length_ = 0xBEEF;
  ReplyBytes buffer_{};
};

TEST(Crc16Test, CheckValues) {
  const struct {
    Bytes bytes;
    std::uint16_t crc;
  } cases[] = {
      {{'1', '2', '3', '4', '5', '6', '7', '8', '9'}, 0xBB3D},
      {{'a', 'b', 'c'}, 0x9738},
      {{0x01, 0x02, 0x03}, 0xA110},
      {{}, 0x0000},
      {{0x05}, 0x03C0},
      {{0x03, 0x00, 0x01}, 0xC031},
      {{0x03, 0x05, 0x19}, 0x9A32},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TableCrc(c.bytes), c.crc);
    EXPECT_EQ(ReferenceCrc(c.bytes), c.crc);
  }
}

TEST(Crc16Test, TableEntries) {
  Crc16Update(0, 0);
  ASSERT_TRUE(CrcTableReady);
  EXPECT_EQ(CrcTable[0], 0x0000);
  EXPECT_EQ(CrcTable[1], 0xC0C1);
  EXPECT_EQ(CrcTable[128], 0xA001);
  EXPECT_EQ(CrcTable[255], 0x4040);
  for (unsigned i = 0; i < 256; ++i) {
    EXPECT_EQ(CrcTable[i], ReferenceCrc({static_cast<std::uint8_t>(i)})) << i;
  }
}

TEST(Crc16Test, TableIsFilledOnFirstUse) {
  CrcTable.fill(0);
  CrcTableReady = false;
  EXPECT_EQ(Crc16Update(0, 1), 0xC0C1);
  EXPECT_TRUE(CrcTableReady);
  EXPECT_EQ(CrcTable[255], 0x4040);
}

TEST_F(FrameCodecTest, RequestFramesByteForByte) {
  const struct {
    std::uint8_t code;
    Bytes data;
    Bytes wire;
  } cases[] = {
      {5, {}, {0x20, 0x80, 0x80, 0x85, 0xC0, 0x87, 0x80}},
      {3, {0, 1}, {0x20, 0x82, 0x80, 0x83, 0x80, 0x81, 0xB1, 0x80, 0x83}},
      {3, {5, 25}, {0x20, 0x82, 0x80, 0x83, 0x85, 0x99, 0xB2, 0xB4, 0x82}},
  };
  for (const auto& c : cases) {
    driver_->ClearAll();
    EXPECT_TRUE(SendCommand(c.code, c.data));
    EXPECT_EQ(driver_->written(), c.wire);
    // The purge comes first and asks only to abort; then one write call per byte.
    const auto& calls = driver_->calls();
    ASSERT_EQ(calls.size(), c.wire.size() + 1);
    EXPECT_EQ(calls[0].Text(), "PurgeComm(4, 3)");
    for (std::size_t i = 1; i < calls.size(); ++i) {
      EXPECT_EQ(calls[i].op, Op::kWriteFile);
      EXPECT_EQ(calls[i].handle, 4u);
      EXPECT_EQ(calls[i].args[0], 1u);
    }
  }
}

// Bytes of 128 and more go out with bits 0-6 only; the checksum covers all eight bits.
TEST_F(FrameCodecTest, HighBytesAreMaskedOnTheWireButCheckedInFull) {
  const Bytes data = {0x80, 0xFF, 0x7F};
  const std::uint16_t crc = ReferenceCrc({0x85, 0x80, 0xFF, 0x7F});
  EXPECT_TRUE(SendCommand(0x85, data));
  const Bytes expected = {0x20,
                          0x83,
                          0x80,
                          0x85,
                          0x80,
                          0xFF,
                          0xFF,
                          static_cast<std::uint8_t>(0x80 | (crc & 0x7F)),
                          static_cast<std::uint8_t>(0x80 | ((crc >> 7) & 0x7F)),
                          static_cast<std::uint8_t>(0x80 | (crc >> 14))};
  EXPECT_EQ(driver_->written(), expected);
}

TEST_F(FrameCodecTest, RequestCountUsesBothGroups) {
  const Bytes data(kMaxFrameLength, 1);
  EXPECT_TRUE(SendCommand(3, data));
  ASSERT_EQ(driver_->written().size(), 7 + kMaxFrameLength);
  EXPECT_EQ(driver_->written()[1], 0xFF);
  EXPECT_EQ(driver_->written()[2], 0xFF);
}

// A count of 16384 or more cannot be carried in two 7-bit groups; sending it would announce a
// wrong length, so nothing is sent.
TEST_F(FrameCodecTest, OversizedRequestIsNotSent) {
  const Bytes data(kMaxFrameLength + 1, 1);
  EXPECT_FALSE(SendCommand(3, data));
  EXPECT_TRUE(driver_->calls().empty());
}

TEST_F(FrameCodecTest, CompleteReplyIsAccepted) {
  const Bytes payload = {1, 2, 3, 0x7F, 0};
  EXPECT_TRUE(Receive(ReplyFrame(payload)));
  EXPECT_EQ(length_, payload.size());
  EXPECT_EQ(Bytes(buffer_.begin(), buffer_.begin() + 5), payload);
  // One one-byte read per frame byte, nothing more.
  EXPECT_EQ(driver_->Count(Op::kReadFile), payload.size() + 6);
  EXPECT_EQ(driver_->calls().size(), payload.size() + 6);
  EXPECT_EQ(driver_->calls()[0].Text(), "ReadFile(4, buf, 1, count, null)");
}

TEST_F(FrameCodecTest, EmptyReplyNeedsAZeroChecksum) {
  EXPECT_TRUE(Receive({0x00, 0x80, 0x80, 0x80, 0x80, 0x80}));
  EXPECT_EQ(length_, 0);
  EXPECT_FALSE(Receive({0x00, 0x80, 0x80, 0x81, 0x80, 0x80}));
  EXPECT_FALSE(Receive({0x00, 0x80, 0x80, 0x80, 0x80, 0x81}));
}

// Bit 7 plays no part in reading: not in the head byte, not in any later byte.
TEST_F(FrameCodecTest, BitSevenIsIgnored) {
  const Bytes payload = {0x11, 0x22, 0x33};
  for (std::uint8_t head : {0x00, 0x7F, 0x80, 0xFF}) {
    Bytes frame = ReplyFrame(payload, head);
    EXPECT_TRUE(Receive(frame));
    for (std::size_t i = 1; i < frame.size(); ++i) frame[i] &= 0x7F;
    EXPECT_TRUE(Receive(frame));
    EXPECT_EQ(length_, 3);
    EXPECT_EQ(Bytes(buffer_.begin(), buffer_.begin() + 3), payload);
  }
}

TEST_F(FrameCodecTest, ExtraBitsOfTheThirdChecksumGroupAreDropped) {
  const Bytes payload = {9, 8, 7, 6};
  Bytes frame = ReplyFrame(payload);
  frame.back() |= 0x7C;
  EXPECT_TRUE(Receive(frame));
  // Bits 0-1 of the third group still count.
  frame.back() ^= 0x01;
  EXPECT_FALSE(Receive(frame));
}

TEST_F(FrameCodecTest, WrongChecksumKeepsLengthAndPayload) {
  const Bytes payload = {10, 20, 30};
  EXPECT_FALSE(
      Receive(ReplyFrameWithCrc(payload, static_cast<std::uint16_t>(ReferenceCrc(payload) ^ 1))));
  EXPECT_EQ(length_, 3);
  EXPECT_EQ(Bytes(buffer_.begin(), buffer_.begin() + 3), payload);
  EXPECT_EQ(driver_->pending_reads(), 0u);
}

// A time-out at any position ends the read at once; what came stays, the rest of the frame stays
// in the channel for a later read.
TEST_F(FrameCodecTest, TimeoutAtEveryPosition) {
  const Bytes payload = {0x41, 0x42, 0x43, 0x44, 0x45};
  const Bytes frame = ReplyFrame(payload);
  for (std::size_t cut = 0; cut < frame.size(); ++cut) {
    SCOPED_TRACE(cut);
    driver_->ClearAll();
    driver_->QueueBytes(std::span(frame).first(cut));
    driver_->QueueTimeout();
    driver_->QueueBytes(std::span(frame).subspan(cut));
    buffer_.fill(0xEE);
    length_ = 0xBEEF;
    EXPECT_FALSE(ReceiveReply(length_, buffer_));
    EXPECT_EQ(driver_->Count(Op::kReadFile), cut + 1);
    EXPECT_EQ(driver_->pending_reads(), frame.size() - cut);
    EXPECT_EQ(length_, cut >= 3 ? 5 : 0xBEEF);
    const std::size_t stored = cut > 3 ? std::min<std::size_t>(cut - 3, 5) : 0;
    EXPECT_EQ(Bytes(buffer_.begin(), buffer_.begin() + stored),
              Bytes(payload.begin(), payload.begin() + stored));
    EXPECT_EQ(buffer_[stored], 0xEE);
  }
}

// The largest length fills the buffer exactly; nothing beyond it is written.
TEST_F(FrameCodecTest, LargestLengthFillsTheBufferExactly) {
  std::mt19937 rng(11);
  Bytes payload(kMaxFrameLength);
  for (auto& b : payload) b = rng() & 0x7F;
  constexpr std::size_t kGuard = 64;
  std::vector<std::uint8_t> memory(kReplyBufferSize + kGuard, 0xEE);
  std::span<std::uint8_t, kReplyBufferSize> buffer(memory.data(), kReplyBufferSize);

  const Bytes good = ReplyFrame(payload);
  driver_->QueueBytes(good);
  EXPECT_TRUE(ReceiveReply(length_, buffer));
  EXPECT_EQ(length_, kMaxFrameLength);
  EXPECT_TRUE(std::equal(payload.begin(), payload.end(), memory.begin()));

  // Announcing the largest length and then sending more bytes than that changes nothing.
  driver_->ClearAll();
  driver_->QueueBytes({0xFF, 0xFF, 0xFF});
  driver_->QueueBytes(Bytes(kMaxFrameLength + 100, 0xFF));
  EXPECT_FALSE(ReceiveReply(length_, buffer));
  EXPECT_EQ(driver_->Count(Op::kReadFile), 3 + kMaxFrameLength + 3);
  for (std::size_t i = kReplyBufferSize; i < memory.size(); ++i) ASSERT_EQ(memory[i], 0xEE) << i;
}

TEST_F(FrameCodecTest, GarbageAndTruncatedStreams) {
  const struct {
    const char* what;
    Bytes stream;
  } cases[] = {
      {"nothing at all", {}},
      {"head only", {0x20}},
      {"one length byte", {0x20, 0x85}},
      {"length without payload", {0x20, 0x85, 0x80}},
      {"largest length, short payload", {0xFF, 0xFF, 0xFF, 0x01, 0x02}},
      {"payload without checksum", {0x00, 0x82, 0x80, 0x81, 0x82}},
      {"checksum cut short", {0x00, 0x82, 0x80, 0x81, 0x82, 0x80, 0x80}},
      {"a request frame read as a reply", {0x20, 0x80, 0x80, 0x85, 0xC0, 0x87, 0x80}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(Receive(c.stream));
    EXPECT_LE(driver_->Count(Op::kReadFile), c.stream.size() + 1);
  }
}

// What ReceiveReply must do with a stream, worked out independently of the codec.
struct Expected {
  bool result = false;
  std::size_t reads = 0;
  std::optional<std::uint16_t> length;
  Bytes stored;
};

Expected Model(const Bytes& stream) {
  Expected e;
  std::size_t pos = 0;
  auto next = [&](std::uint8_t& b) {
    ++e.reads;
    if (pos == stream.size()) return false;
    b = stream[pos++];
    return true;
  };
  std::uint8_t b = 0, lo = 0, hi = 0;
  if (!next(b) || !next(lo) || !next(hi)) return e;
  const unsigned length = (lo & 0x7F) | ((hi & 0x7F) << 7);
  e.length = static_cast<std::uint16_t>(length);
  for (unsigned i = 0; i < length; ++i) {
    if (!next(b)) return e;
    e.stored.push_back(b & 0x7F);
  }
  std::uint8_t c0 = 0, c1 = 0, c2 = 0;
  if (!next(c0) || !next(c1) || !next(c2)) return e;
  const unsigned received = ((c0 & 0x7F) | ((c1 & 0x7F) << 7) | ((c2 & 0x03) << 14));
  e.result = received == ReferenceCrc(e.stored);
  return e;
}

// 100,000 random byte streams: noise, good frames, and good frames with one byte changed or cut
// short. The buffer is a heap block of exactly the reply size so that the sanitizer sees any
// write past it.
TEST_F(FrameCodecTest, RandomStreams) {
  std::mt19937 rng(20240601);
  std::vector<std::uint8_t> buffer_memory(kReplyBufferSize);
  std::span<std::uint8_t, kReplyBufferSize> buffer(buffer_memory.data(), kReplyBufferSize);
  int accepted = 0;
  for (int n = 0; n < 100000; ++n) {
    Bytes stream;
    const unsigned kind = rng() % 4;
    if (kind == 0) {
      stream.resize(rng() % 24);
      for (auto& b : stream) b = static_cast<std::uint8_t>(rng());
    } else {
      Bytes payload(rng() % 16);
      for (auto& b : payload) b = rng() & 0x7F;
      stream = ReplyFrame(payload, static_cast<std::uint8_t>(rng()));
      if (kind == 2) stream[rng() % stream.size()] = static_cast<std::uint8_t>(rng());
      if (kind == 3) stream.resize(rng() % stream.size());
    }
    const Expected expected = Model(stream);

    driver_->ClearAll();
    driver_->QueueBytes(stream);
    length_ = 0xBEEF;
    const bool result = ReceiveReply(length_, buffer);

    ASSERT_EQ(result, expected.result) << "stream " << n;
    ASSERT_EQ(driver_->calls().size(), expected.reads) << "stream " << n;
    ASSERT_EQ(length_, expected.length.value_or(0xBEEF)) << "stream " << n;
    ASSERT_TRUE(std::equal(expected.stored.begin(), expected.stored.end(), buffer.begin()))
        << "stream " << n;
    accepted += result ? 1 : 0;
  }
  // The mix must exercise both outcomes heavily.
  EXPECT_GT(accepted, 20000);
  EXPECT_LT(accepted, 40000);
}

}  // namespace
}  // namespace scanner
