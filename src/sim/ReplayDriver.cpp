#include "sim/ReplayDriver.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "scanner/Channel.h"
#include "scanner/FrameCodec.h"

namespace sim {

ReplayDriver::ReplayDriver(std::vector<Exchange> exchanges, double speed) : speed_(speed) {
  for (Exchange& e : exchanges) {
    if (e.IsMeasure()) measures_.push_back(std::move(e));
  }
}

bool ReplayDriver::Accepts(const char* name, std::uint32_t flags) {
  return name != nullptr && (flags & scanner::kOpenByDescription) != 0 &&
         std::strcmp(name, scanner::kScannerDescription) == 0;
}

void ReplayDriver::OnWrite(std::span<const std::uint8_t> bytes) {
  for (std::uint8_t byte : bytes) {
    // A start byte (the only one with bit 7 clear) begins a new request frame.
    if (byte == scanner::kRequestStart) request_.clear();
    if (request_.size() < kMaxRequestBytes) request_.push_back(byte);
    if (request_.size() < 4 || request_[0] != scanner::kRequestStart) continue;
    const std::size_t count = (request_[1] & 0x7Fu) | ((request_[2] & 0x7Fu) << 7);
    if (request_.size() != 7 + count) continue;
    Exchange probe;
    probe.request = request_;
    request_.clear();
    if (probe.IsMeasure()) Answer();
  }
}

void ReplayDriver::Answer() {
  pending_.clear();
  pending_pos_ = 0;
  if (next_ >= measures_.size()) return;
  const Exchange& e = measures_[next_++];
  if (speed_ > 0) {
    const auto now = std::chrono::steady_clock::now();
    if (!origin_) origin_ = now;
    const double recorded_us = static_cast<double>(e.time_us - measures_.front().time_us) +
                               static_cast<double>(e.duration_us);
    const auto due =
        *origin_ + std::chrono::microseconds(static_cast<std::int64_t>(recorded_us / speed_));
    if (due > now) std::this_thread::sleep_until(due);
  }
  pending_ = e.reply;
}

std::size_t ReplayDriver::OnRead(std::span<std::uint8_t> out) {
  const std::size_t n = std::min(out.size(), pending_.size() - pending_pos_);
  std::copy_n(pending_.begin() + static_cast<std::ptrdiff_t>(pending_pos_), n, out.begin());
  pending_pos_ += n;
  return n;
}

void ReplayDriver::OnPurge(std::uint32_t flags) {
  if ((flags & scanner::kPurgeRxClear) != 0) {
    pending_.clear();
    pending_pos_ = 0;
  }
}

void ReplayDriver::OnClose() {
  pending_.clear();
  pending_pos_ = 0;
  request_.clear();
}

}  // namespace sim
