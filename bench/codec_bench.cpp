// The frame codec's own cost: the checksum over 1 MiB, and one measurement exchange (a 7-byte
// request and a full 440-point reply of 1769 bytes) through an in-memory device, one driver call
// per byte as on the real line. The line itself needs about 19.2 ms for that reply at 921600
// baud (10 bits a byte); the codec should stay well below 1% of it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "scanner/Channel.h"
#include "scanner/DriverSelection.h"
#include "scanner/FrameCodec.h"
#include "scanner/InProcessDriver.h"
#include "support/ScannerFrames.h"

namespace {

using scanner::Crc16Update;

// Serves one prepared reply frame per request and drops the request bytes.
class ReplayDevice : public scanner::InProcessDriver {
 public:
  explicit ReplayDevice(std::vector<std::uint8_t> reply) : reply_(std::move(reply)) {}

 protected:
  void OnWrite(std::span<const std::uint8_t> bytes) override { written_ += bytes.size(); }
  std::size_t OnRead(std::span<std::uint8_t> out) override {
    const std::size_t n = std::min(out.size(), reply_.size() - pos_);
    std::copy_n(reply_.begin() + static_cast<std::ptrdiff_t>(pos_), n, out.begin());
    pos_ += n;
    return n;
  }
  void OnPurge(std::uint32_t) override { pos_ = 0; }  // a new request: the reply starts over

 private:
  std::vector<std::uint8_t> reply_;
  std::size_t pos_ = 0;
  std::size_t written_ = 0;
};

std::vector<std::uint8_t> ProfileReply(std::size_t points) {
  std::mt19937 rng(5);
  std::vector<std::uint8_t> payload(3 + 4 * points);
  for (auto& b : payload) b = rng() & 0x7F;
  return scanner_test::ReplyFrame(payload);
}

void BM_Crc16_1MiB(benchmark::State& state) {
  std::vector<std::uint8_t> data(1 << 20);
  std::mt19937 rng(3);
  for (auto& b : data) b = static_cast<std::uint8_t>(rng());
  for (auto _ : state) {
    std::uint16_t crc = 0;
    for (std::uint8_t b : data) crc = Crc16Update(crc, b);
    benchmark::DoNotOptimize(crc);
  }
  const auto bytes = static_cast<double>(data.size());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * data.size());
  // Printed as a time: the codec's time per byte.
  state.counters["per_byte"] = benchmark::Counter(
      bytes, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Crc16_1MiB)->Unit(benchmark::kMicrosecond);

void BM_MeasureExchange440(benchmark::State& state) {
  const std::vector<std::uint8_t> reply = ProfileReply(440);
  scanner::ScopedDriver scope(std::make_unique<ReplayDevice>(reply));
  if (!scanner::OpenScanner()) {
    state.SkipWithError("the in-memory device did not open");
    return;
  }
  static scanner::ReplyBytes buffer;
  std::uint16_t length = 0;
  for (auto _ : state) {
    scanner::SendCommand(5);
    const bool ok = scanner::ReceiveReply(length, buffer);
    if (!ok || length != 3 + 4 * 440) {
      state.SkipWithError("the reply did not check out");
      break;
    }
    benchmark::DoNotOptimize(buffer.data());
  }
  scanner::CloseScanner();
  // Bytes on the line per exchange: 7 request bytes and the reply frame.
  const double bytes = 7.0 + static_cast<double>(reply.size());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  // Printed as a time: the codec's time per byte.
  state.counters["per_byte"] = benchmark::Counter(
      bytes, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["reply_bytes"] = static_cast<double>(reply.size());
  // The codec's time as a share of the 19.2 ms the reply needs on the line, in percent (the
  // library prints an "s" after it, as it does for every inverted rate).
  state.counters["pct_of_wire"] = benchmark::Counter(
      19.2e-3 / 100.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MeasureExchange440)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
