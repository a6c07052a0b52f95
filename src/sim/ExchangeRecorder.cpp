#include "sim/ExchangeRecorder.h"

#include <algorithm>

namespace sim {

ExchangeRecorder::ExchangeRecorder(std::unique_ptr<scanner::FtdiDriver> inner,
                                   std::unique_ptr<RecordingWriter> writer)
    : inner_(std::move(inner)), writer_(std::move(writer)) {}

ExchangeRecorder::~ExchangeRecorder() {
  if (open_) Finish(current_.IsMeasure() ? Judge() : Verdict::kNoReply);
}

std::uint64_t ExchangeRecorder::Now() const {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                        std::chrono::steady_clock::now() - origin_)
                                        .count());
}

void ExchangeRecorder::Finish(Verdict verdict) {
  if (!open_) return;
  open_ = false;
  // A purge outside a request (the channel's set-up purges too) is no exchange.
  if (current_.request.empty() && current_.reply.empty()) return;
  current_.verdict = verdict;
  const std::uint64_t elapsed = Now() - current_.time_us;
  current_.duration_us = static_cast<std::uint32_t>(std::min<std::uint64_t>(elapsed, 0xFFFFFFFFu));
  writer_->Write(current_);
}

Verdict ExchangeRecorder::Judge() const {
  return ReplyAccepted(current_.reply) ? Verdict::kAccepted : Verdict::kRefused;
}

bool ExchangeRecorder::RequestComplete() const {
  const auto& q = current_.request;
  if (q.size() < 3) return false;
  const std::size_t count = (q[1] & 0x7Fu) | ((q[2] & 0x7Fu) << 7);
  return q.size() >= 7 + count;
}

scanner::FtHandle ExchangeRecorder::CreateFile(const char* name, std::uint32_t access,
                                               std::uint32_t share_mode, void* security,
                                               std::uint32_t creation, std::uint32_t flags,
                                               void* template_file) {
  return inner_->CreateFile(name, access, share_mode, security, creation, flags, template_file);
}

bool ExchangeRecorder::CloseHandle(scanner::FtHandle handle) {
  if (open_) Finish(current_.IsMeasure() ? Judge() : Verdict::kNoReply);
  return inner_->CloseHandle(handle);
}

bool ExchangeRecorder::ReadFile(scanner::FtHandle handle, void* buffer, std::uint32_t size,
                                std::uint32_t* count, void* overlapped) {
  std::uint32_t got = 0;
  const bool result = inner_->ReadFile(handle, buffer, size, &got, overlapped);
  if (count != nullptr) *count = got;
  if (!open_ || !current_.IsMeasure()) return result;
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  const std::size_t room = kMaxReplyBytes - std::min(kMaxReplyBytes, current_.reply.size());
  current_.reply.insert(current_.reply.end(), bytes, bytes + std::min<std::size_t>(got, room));
  const std::size_t frame = ReplyFrameSize(current_.reply);
  if (size != 0 && got == 0) {
    Finish(Verdict::kRefused);
  } else if (frame != 0 && current_.reply.size() >= frame) {
    Finish(Judge());
  }
  return result;
}

bool ExchangeRecorder::WriteFile(scanner::FtHandle handle, const void* buffer, std::uint32_t size,
                                 std::uint32_t* count, void* overlapped) {
  const bool result = inner_->WriteFile(handle, buffer, size, count, overlapped);
  if (open_ && buffer != nullptr) {
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    const std::size_t room = kMaxRequestBytes - std::min(kMaxRequestBytes, current_.request.size());
    current_.request.insert(current_.request.end(), bytes,
                            bytes + std::min<std::size_t>(size, room));
    if (RequestComplete() && !current_.IsMeasure()) Finish(Verdict::kNoReply);
  }
  return result;
}

bool ExchangeRecorder::PurgeComm(scanner::FtHandle handle, std::uint32_t flags) {
  if (open_) Finish(current_.IsMeasure() ? Judge() : Verdict::kNoReply);
  open_ = true;
  current_ = Exchange{};
  current_.time_us = Now();
  return inner_->PurgeComm(handle, flags);
}

bool ExchangeRecorder::EscapeCommFunction(scanner::FtHandle handle, std::uint32_t function) {
  return inner_->EscapeCommFunction(handle, function);
}

bool ExchangeRecorder::GetCommState(scanner::FtHandle handle, scanner::Dcb* settings) {
  return inner_->GetCommState(handle, settings);
}

bool ExchangeRecorder::SetCommMask(scanner::FtHandle handle, std::uint32_t mask) {
  return inner_->SetCommMask(handle, mask);
}

bool ExchangeRecorder::SetCommState(scanner::FtHandle handle, scanner::Dcb* settings) {
  return inner_->SetCommState(handle, settings);
}

bool ExchangeRecorder::SetCommTimeouts(scanner::FtHandle handle, scanner::CommTimeouts* timeouts) {
  return inner_->SetCommTimeouts(handle, timeouts);
}

bool ExchangeRecorder::SetupComm(scanner::FtHandle handle, std::uint32_t input_size,
                                 std::uint32_t output_size) {
  return inner_->SetupComm(handle, input_size, output_size);
}

}  // namespace sim
