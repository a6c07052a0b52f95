#include "sim/tool/PseudoTerminalServer.h"

#include <fcntl.h>
#include <poll.h>
#ifdef __linux__
#include <sched.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#endif
#include <stdlib.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

namespace sim {
namespace {

using Clock = std::chrono::steady_clock;
using Micros = std::chrono::duration<double, std::micro>;

// Paced replies are written in batches of about this many bytes: the payload of one USB packet
// of the scanner's FTDI bridge (64 bytes, 2 of them status), which is how a real port hands
// them on too.
constexpr long long kBatchBytes = 62;
// The wait for a reply's last byte ends this much early and the rest is spent awake, since a
// wake-up can come tens of microseconds late.
constexpr auto kLastByteSpin = std::chrono::microseconds(100);

std::string SystemError(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

timespec ToTimespec(Clock::duration d) {
  if (d < Clock::duration::zero()) d = Clock::duration::zero();
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
  return timespec{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
}

}  // namespace

PseudoTerminalServer::~PseudoTerminalServer() {
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
}

bool PseudoTerminalServer::Open(std::string& error) {
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) {
    error = SystemError("cannot create a pseudo-terminal");
    return false;
  }
  if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
    error = SystemError("cannot unlock the pseudo-terminal");
    return false;
  }
  const char* name = ptsname(master_);
  if (name == nullptr) {
    error = SystemError("cannot name the pseudo-terminal");
    return false;
  }
  path_ = name;
  slave_ = open(path_.c_str(), O_RDWR | O_NOCTTY);
  if (slave_ < 0) {
    error = SystemError("cannot open the pseudo-terminal's port side");
    return false;
  }
  termios t{};
  if (tcgetattr(slave_, &t) == 0) {
    cfmakeraw(&t);
    tcsetattr(slave_, TCSANOW, &t);
  }
  const int flags = fcntl(master_, F_GETFL);
  fcntl(master_, F_SETFL, flags | O_NONBLOCK);
  return true;
}

void PseudoTerminalServer::Serve(Qx770Device& device, bool paced,
                                 const volatile std::sig_atomic_t& stop) {
  const auto byte_time = std::chrono::duration_cast<Clock::duration>(Micros(kByteMicroseconds));
  std::vector<std::uint8_t> pending;  // reply bytes not yet written
  std::size_t sent = 0;
  Clock::time_point tx_start;      // when the first pending byte started on the line
  Clock::time_point rx_line_free;  // when the line from the program is idle again
  std::uint8_t chunk[4096];
#ifdef __linux__
  // The kernel may otherwise end each wait up to 50 us late (the default timer slack): the last
  // reply byte would reach the program later than the line delivers it.
  if (paced) prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  // A scanner keeps its timing whatever else the computer does: where the system allows, the
  // paced line runs ahead of ordinary programs (it sleeps between its few short wake-ups).
  if (paced) {
    const sched_param lowest_real_time{sched_get_priority_min(SCHED_FIFO)};
    if (sched_setscheduler(0, SCHED_FIFO, &lowest_real_time) != 0)
      setpriority(PRIO_PROCESS, 0, -10);
  }
#endif

  while (stop == 0) {
    const Clock::time_point now = Clock::now();
    // How many pending bytes the line has delivered by now.
    std::size_t due = pending.size();
    if (paced && !pending.empty()) {
      const auto elapsed = now - tx_start;
      due = elapsed <= Clock::duration::zero()
                ? 0
                : std::min(pending.size(), static_cast<std::size_t>(elapsed / byte_time));
    }
    if (due > sent) {
      const ssize_t n = write(master_, pending.data() + sent, due - sent);
      if (n > 0) sent += static_cast<std::size_t>(n);
    }
    if (!pending.empty() && sent == pending.size()) {
      pending.clear();
      sent = 0;
    }

    // Wait for the program's bytes, for the next reply byte to fall due, or for room to write.
    pollfd p{master_, POLLIN, 0};
    timespec wait = ToTimespec(std::chrono::milliseconds(100));
    if (!pending.empty()) {
      if (due > sent) {
        p.events |= POLLOUT;
      } else {
        // Waking for every byte would cost a wake-up each 11 us (and the program reading them as
        // many); a batch keeps the rate exact, holds no byte back more than 0.7 ms, and the last
        // byte still goes out on time.
        const auto next = tx_start + static_cast<long long>(sent + 1) * byte_time;
        const auto last = tx_start + static_cast<long long>(pending.size()) * byte_time;
        const auto target = std::min(last, std::max(next, now + kBatchBytes * byte_time));
        if (target == last && last - now <= kLastByteSpin) {
          // The last byte ends the exchange for the program: it goes out when it falls due, not
          // when the scheduler next wakes the simulator up.
          while (Clock::now() < last) {
          }
          continue;
        }
        wait = ToTimespec((target == last ? last - kLastByteSpin : target) - now);
      }
    }
    const int ready = ppoll(&p, 1, &wait, nullptr);
    if (ready < 0 && errno != EINTR) break;
    if (ready > 0 && (p.revents & (POLLIN | POLLOUT)) == 0) {
      // An error or hang-up state that every wait reports at once: pause instead of spinning,
      // all the more at real-time priority.
      const timespec pause = ToTimespec(std::chrono::milliseconds(1));
      nanosleep(&pause, nullptr);
      continue;
    }
    if (ready <= 0 || (p.revents & POLLIN) == 0) continue;

    const ssize_t n = read(master_, chunk, sizeof chunk);
    if (n <= 0) continue;
    const Clock::time_point arrived = Clock::now();
    // The request's bytes cross the line one after another; a reply can start only after them.
    Clock::time_point complete = arrived;
    if (paced) {
      complete = std::max(rx_line_free, arrived) + n * byte_time;
      rx_line_free = complete;
    }
    device.Receive(std::span<const std::uint8_t>(chunk, static_cast<std::size_t>(n)));
    if (device.Available() != 0) {
      if (pending.empty()) tx_start = complete;
      const std::size_t old = pending.size();
      pending.resize(old + device.Available());
      device.Read(std::span<std::uint8_t>(pending.data() + old, pending.size() - old));
    }
  }
}

}  // namespace sim
