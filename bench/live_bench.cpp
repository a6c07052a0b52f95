// Continuous measurement in the operator window against the paced simulator (qx770-scanner-sim
// --paced on a pseudo-terminal, 921600 baud with 10 bits a byte, so a 440-point profile
// exchange needs 19.27 ms of line time and the line allows 51.9 profiles per second):
//   - LiveThroughput: 250 measurements through the window's event loop (exchange, paint, next);
//     counters: profiles per second and their share of the line's limit;
//   - LinkThroughput: the same 250 exchanges without the window (Measure into a sink that keeps
//     nothing, no paint): what the link and the simulator alone allow, for comparison;
//   - KeyPressWait: the same run while another thread posts a key press to the window at random
//     moments, one at a time; counters: the longest and the median wait of a key press until the
//     window handles it, and the longest and the mean cycle (one exchange plus one paint, from
//     one chart paint to the next).
// Real (wall-clock) time: the run waits on the line. The simulator is started from the bin
// folder beside this program's folder (build/release/bin).
#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "framework/widgets/Application.h"
#include "framework/widgets/WidgetPeer.h"
#include "scanner/Channel.h"
#include "scanner/DriverSelection.h"
#include "scanner/ProfileSink.h"
#include "scanner/ScannerCommands.h"
#include "sim/ScannerSource.h"
#include "ui/ContinuousMeasurement.h"
#include "ui/TrabexMain.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kLineLimit = 92160.0 / (7 + 1769);
constexpr long kProfiles = 250;

// The paced simulator as a child process; path() is its pseudo-terminal.
class PacedSimulator {
 public:
  PacedSimulator() {
    const auto self = std::filesystem::read_symlink("/proc/self/exe");
    const std::string program =
        (self.parent_path().parent_path() / "bin/qx770-scanner-sim").string();
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      execl(program.c_str(), program.c_str(), "--paced", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    char c = 0;
    pollfd p{out[0], POLLIN, 0};
    while (poll(&p, 1, 10000) > 0 && read(out[0], &c, 1) == 1 && c != '\n') path_ += c;
    close(out[0]);
  }
  ~PacedSimulator() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status = 0;
      waitpid(pid_, &status, 0);
    }
  }
  const std::string& path() const { return path_; }

 private:
  pid_t pid_ = -1;
  std::string path_;
};

// The window over the serial bridge to the simulator, shown off-screen.
struct Window {
  Window() {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "live_bench";
    static char* argv[] = {name, nullptr};
    static QApplication qt(argc, argv);
    app = std::make_unique<fw::TApplication>(argc, argv);
    driver = std::make_unique<scanner::ScopedDriver>(
        sim::MakeScannerDriver(sim::ScannerSource::kPort, simulator.path()));
    ui::RegisterFormSClasses();
    form = app->CreateForm<ui::TFormS>(ui::FormSDescription());
    form->Show();
    app->ProcessMessages();
    live = std::make_unique<ui::ContinuousMeasurement>(*form);
  }
  ~Window() {
    live.reset();
    if (scanner::ScannerIsOpen()) scanner::CloseScanner();
    app.reset();
    driver.reset();
  }
  QWidget* FormWidget() const { return fw::TWidgetPeer::Of(*form)->Widget(); }
  QWidget* ChartWidget() const {
    return fw::TWidgetPeer::Of(*form->ChartOscilloscope)->ClientWidget();
  }

  // Runs `count` measurements; answers the seconds they took.
  double Run(long count) {
    bool done = false;
    live->OnStopped = [&] { done = true; };
    live->SetLimit(count);
    const auto start = Clock::now();
    live->Start();
    while (!done && live->running()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return std::chrono::duration<double>(Clock::now() - start).count();
  }

  PacedSimulator simulator;
  std::unique_ptr<fw::TApplication> app;
  std::unique_ptr<scanner::ScopedDriver> driver;
  ui::TFormS* form = nullptr;
  std::unique_ptr<ui::ContinuousMeasurement> live;
};

Window& TheWindow() {
  static Window window;
  return window;
}

void LiveThroughput(benchmark::State& state) {
  Window& w = TheWindow();
  if (!scanner::ScannerIsOpen()) {
    state.SkipWithError("the paced simulator could not be opened");
    return;
  }
  w.Run(5);  // warm up
  double rate = 0;
  for (auto _ : state) {
    const double seconds = w.Run(kProfiles);
    state.SetIterationTime(seconds);
    rate = kProfiles / seconds;
  }
  state.counters["profiles_per_s"] = rate;
  state.counters["share_of_line_pct"] = 100 * rate / kLineLimit;
}
BENCHMARK(LiveThroughput)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->Unit(benchmark::kMillisecond);

// Counts the points of a profile and keeps nothing.
class CountingSink final : public scanner::ProfileSink {
 public:
  void Clear() override { points = 0; }
  void AddXY(double, double, const std::string&, fw::TColor) override { ++points; }
  long points = 0;
};

void LinkThroughput(benchmark::State& state) {
  TheWindow();
  if (!scanner::ScannerIsOpen()) {
    state.SkipWithError("the paced simulator could not be opened");
    return;
  }
  CountingSink sink;
  double rate = 0;
  long failed = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    for (long i = 0; i < kProfiles; ++i) {
      if (scanner::MeasureProfile(sink) != scanner::MeasureResult::kPlotted) ++failed;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    rate = kProfiles / seconds;
  }
  state.counters["profiles_per_s"] = rate;
  state.counters["share_of_line_pct"] = 100 * rate / kLineLimit;
  state.counters["failed"] = static_cast<double>(failed);
}
BENCHMARK(LinkThroughput)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);

// Times the delivery of the posted key presses and the chart's paints.
class Watch : public QObject {
 public:
  std::atomic<std::int64_t> posted_ns{0};
  std::atomic<bool> delivered{true};
  std::vector<double> waits_ms;
  std::vector<Clock::time_point> paints;
  QWidget* chart = nullptr;

  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F12) {
      const auto now = Clock::now().time_since_epoch().count();
      waits_ms.push_back((now - posted_ns.load()) / 1e6);
      delivered = true;
      return true;
    }
    if (o == chart && e->type() == QEvent::Paint) paints.push_back(Clock::now());
    return false;
  }
};

void KeyPressWait(benchmark::State& state) {
  Window& w = TheWindow();
  if (!scanner::ScannerIsOpen()) {
    state.SkipWithError("the paced simulator could not be opened");
    return;
  }
  Watch watch;
  watch.chart = w.ChartWidget();
  QWidget* target = w.FormWidget();
  target->installEventFilter(&watch);
  watch.chart->installEventFilter(&watch);
  // A key event names the primary keyboard, which Qt makes on first use; make it on this thread.
  { QKeyEvent first(QEvent::KeyPress, Qt::Key_F12, Qt::NoModifier); }
  for (auto _ : state) {
    std::atomic<bool> stop{false};
    std::thread keys([&] {
      std::mt19937 random(15);
      std::uniform_int_distribution<int> pause_us(0, 30000);
      while (!stop) {
        std::this_thread::sleep_for(std::chrono::microseconds(pause_us(random)));
        if (!watch.delivered) continue;
        watch.delivered = false;
        watch.posted_ns = Clock::now().time_since_epoch().count();
        QCoreApplication::postEvent(target,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_F12, Qt::NoModifier));
      }
    });
    state.SetIterationTime(w.Run(kProfiles));
    stop = true;
    keys.join();
    QCoreApplication::processEvents();
  }
  target->removeEventFilter(&watch);
  watch.chart->removeEventFilter(&watch);
  std::vector<double> cycles;
  for (std::size_t i = 1; i < watch.paints.size(); ++i) {
    cycles.push_back(
        std::chrono::duration<double, std::milli>(watch.paints[i] - watch.paints[i - 1]).count());
  }
  std::sort(watch.waits_ms.begin(), watch.waits_ms.end());
  std::sort(cycles.begin(), cycles.end());
  if (watch.waits_ms.empty() || cycles.empty()) return;
  state.counters["key_presses"] = static_cast<double>(watch.waits_ms.size());
  state.counters["key_wait_max_ms"] = watch.waits_ms.back();
  state.counters["key_wait_p50_ms"] = watch.waits_ms[watch.waits_ms.size() / 2];
  // Cycles longer than 100 ms are the pauses between iterations, not exchanges.
  while (!cycles.empty() && cycles.back() > 100) cycles.pop_back();
  state.counters["cycle_max_ms"] = cycles.back();
  state.counters["cycle_p50_ms"] = cycles[cycles.size() / 2];
}
BENCHMARK(KeyPressWait)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
