// A scanner that answers from a recording (RecordingFile.h): `--replay FILE` in both programs.
//
// ReplayDriver stands where the bridge and the scanner stand, inside the process. It opens, like
// the real bridge, only by the scanner's USB description. Each measure request (code 5) that the
// program writes is answered with the reply bytes of the recording's next measure exchange,
// exactly as they were read when it was recorded: an accepted reply is accepted again and gives
// the same points bit for bit, a refused one (none, cut short, wrong checksum) is refused again.
// Parameter writes are taken and not answered, as the scanner does. Once the recording's measure
// exchanges are used up, measure requests get no reply.
//
// Timing: with speed 0 every reply is there at once; with speed s > 0 the replies keep the
// recorded pace, s times as fast: the k-th reply is released (s)^-1 x (its recorded end - the
// first measure exchange's recorded start) after the program's first measure request, and never
// earlier than its request (speed 1 = as recorded, including the wait of a reply that never came).
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scanner/InProcessDriver.h"
#include "sim/RecordingFile.h"

namespace sim {

class ReplayDriver : public scanner::InProcessDriver {
 public:
  ReplayDriver(std::vector<Exchange> exchanges, double speed = 0);

  // The recording's measure exchanges, in order.
  const std::vector<Exchange>& measures() const { return measures_; }
  // How many measure requests have been answered from the recording.
  std::size_t answered() const { return next_; }
  bool exhausted() const { return next_ >= measures_.size(); }

 protected:
  bool Accepts(const char* name, std::uint32_t flags) override;
  void OnWrite(std::span<const std::uint8_t> bytes) override;
  std::size_t OnRead(std::span<std::uint8_t> out) override;
  void OnPurge(std::uint32_t flags) override;
  void OnClose() override;

 private:
  void Answer();

  std::vector<Exchange> measures_;
  double speed_;
  std::size_t next_ = 0;
  std::vector<std::uint8_t> request_;  // the request frame being written
  std::vector<std::uint8_t> pending_;  // reply bytes not yet read
  std::size_t pending_pos_ = 0;
  std::optional<std::chrono::steady_clock::time_point> origin_;
};

}  // namespace sim
