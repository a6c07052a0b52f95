// `qx770 devices` against fake device trees: the sysfs and /dev roots point into a temporary
// folder laid out as the kernel lays out FTDI bridges, the device nodes being pseudo-terminals
// or plain files.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/Qx770Command.h"

namespace {

namespace fs = std::filesystem;

struct Bridge {
  std::string usb;  // the USB device's sysfs name
  std::string vendor = "0403";
  std::string product = "D2XX Recovery PID for XP";
  std::string serial = "FT5XQ770";
  std::string driver = "ftdi_sio";  // empty: no kernel driver bound
  std::string tty = "ttyUSB0";      // empty: no serial port
  std::string latency = "16";
  enum class Node { kPty, kPlainFile, kMissing } node = Node::kPty;
};

class FakeTree {
 public:
  FakeTree() {
    root_ = fs::temp_directory_path() /
            ("qx770-devices-" + std::to_string(getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(devices());
    fs::create_directories(dev() / "serial" / "by-id");
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) pty_ = ptsname(master_);
  }
  ~FakeTree() {
    if (master_ >= 0) close(master_);
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  fs::path sysfs() const { return root_ / "sys"; }
  fs::path dev() const { return root_ / "dev"; }
  fs::path devices() const { return sysfs() / "bus" / "usb" / "devices"; }

  void Add(const Bridge& b) {
    const fs::path device = devices() / b.usb;
    fs::create_directories(device);
    Write(device / "idVendor", b.vendor);
    Write(device / "idProduct", "6001");
    Write(device / "product", b.product);
    Write(device / "serial", b.serial);
    Write(device / "manufacturer", "FTDI");
    const fs::path interface = devices() / (b.usb + ":1.0");
    fs::create_directories(interface);
    if (!b.driver.empty())
      fs::create_directory_symlink("../../../bus/usb-serial/drivers/" + b.driver,
                                   interface / "driver");
    if (b.tty.empty()) return;
    fs::create_directories(interface / b.tty);
    Write(interface / b.tty / "latency_timer", b.latency);
    const fs::path node = dev() / b.tty;
    if (b.node == Bridge::Node::kPty) fs::create_symlink(pty_, node);
    if (b.node == Bridge::Node::kPlainFile) Write(node, "");
    fs::create_symlink("../../" + b.tty,
                       dev() / "serial" / "by-id" / ("usb-FTDI_" + b.serial + "-if00-port0"));
  }

  // Runs `qx770 devices` on the tree; the vendor library is looked for under `library`.
  int Run(std::string& out, const std::string& library = "libftd2xx-is-not-here.so") const {
    const std::vector<std::string> args{"devices",    "--sysfs-root", sysfs().string(),
                                        "--dev-root", dev().string(), "--vendor-library",
                                        library};
    std::ostringstream o, e;
    const int status = tools::RunQx770(args, o, e);
    out = o.str();
    EXPECT_EQ(e.str(), "");
    return status;
  }

 private:
  static void Write(const fs::path& file, const std::string& text) {
    std::ofstream(file) << text << "\n";
  }
  fs::path root_;
  int master_ = -1;
  std::string pty_;
};

std::string LastLine(const std::string& text) {
  const auto end = text.find_last_not_of('\n');
  const auto start = text.rfind('\n', end);
  return text.substr(start == std::string::npos ? 0 : start + 1, end - start);
}

TEST(DevicesCommand, AReadyScannerIsListedWithEverythingAboutIt) {
  FakeTree tree;
  tree.Add(Bridge{.usb = "1-1.2"});
  std::string out;
  EXPECT_EQ(tree.Run(out), 0) << out;
  const std::string dev = tree.dev().string();
  const std::string expected_entry =
      dev + "/ttyUSB0\n" + "  by-id:          " + dev +
      "/serial/by-id/usb-FTDI_FT5XQ770-if00-port0\n" +
      "  description:    D2XX Recovery PID for XP  (the scanner's bridge)\n"
      "  serial number:  FT5XQ770\n"
      "  kernel driver:  ftdi_sio\n"
      "  vendor library: not installed\n"
      "  access:         you can open it\n"
      "  latency timer:  16 ms\n";
  EXPECT_EQ(out.substr(0, expected_entry.size()), expected_entry) << out;
  EXPECT_EQ(LastLine(out), "The scanner is ready on " + dev +
                               "/ttyUSB0 (its latency timer is 16 ms: the udev rule of "
                               "qx770-demo sets 1 ms for faster exchanges).");
}

TEST(DevicesCommand, WhatStandsInTheWayIsSaidInTheLastLine) {
  const std::string libm = "libm.so.6";  // any library that loads stands in for the vendor's
  const struct {
    const char* name;
    std::vector<Bridge> bridges;
    std::string library;
    int status;
    std::string last_line;  // "DEV" stands for the fake /dev
  } cases[] = {
      {"nothing attached",
       {},
       "",
       1,
       "The scanner is not plugged in: no FTDI USB bridge is attached; connect the scanner's "
       "USB cable."},
      {"other FTDI bridges only",
       {Bridge{.usb = "1-3", .product = "FT232R USB UART"},
        Bridge{.usb = "1-4",
               .vendor = "067b",
               .product = "D2XX Recovery PID for XP",
               .serial = "PL2303",
               .tty = "ttyUSB1"}},
       "",
       1,
       "The scanner is not plugged in: none of the FTDI bridges above has the description "
       "\"D2XX Recovery PID for XP\"."},
      {"vendor library and ftdi_sio",
       {Bridge{.usb = "1-1"}},
       libm,
       1,
       "The FTDI D2XX library and the kernel's ftdi_sio driver both want the scanner's bridge: "
       "unload the kernel driver (sudo rmmod ftdi_sio) or remove the vendor library."},
      {"vendor library alone",
       {Bridge{.usb = "1-1", .driver = "", .tty = ""}},
       libm,
       0,
       "The scanner is ready through the FTDI D2XX library."},
      {"no driver at all",
       {Bridge{.usb = "1-1", .driver = "", .tty = ""}},
       "",
       1,
       "No driver serves the scanner's bridge: load the kernel's serial driver (sudo modprobe "
       "ftdi_sio) or install the FTDI D2XX library."},
      {"node is a plain file",
       {Bridge{.usb = "1-1", .node = Bridge::Node::kPlainFile}},
       "",
       1,
       "The scanner's port cannot be opened: DEV/ttyUSB0 is not a serial device (a plain file)."},
      {"node missing",
       {Bridge{.usb = "1-1", .node = Bridge::Node::kMissing}},
       "",
       1,
       "The scanner's port cannot be opened: there is no device DEV/ttyUSB0."},
      {"two scanners, one latency timer at 1 ms",
       {Bridge{.usb = "1-1", .latency = "1"},
        Bridge{.usb = "1-2", .serial = "FT5XQ771", .tty = "ttyUSB1"}},
       "",
       0,
       "The scanner is ready on DEV/ttyUSB0; with more than one attached, choose one with "
       "--serial NUMBER."},
  };
  for (const auto& c : cases) {
    FakeTree tree;
    for (const Bridge& b : c.bridges) tree.Add(b);
    std::string out;
    EXPECT_EQ(c.library.empty() ? tree.Run(out) : tree.Run(out, c.library), c.status) << c.name;
    std::string expected = c.last_line;
    if (const auto at = expected.find("DEV"); at != std::string::npos)
      expected.replace(at, 3, tree.dev().string());
    EXPECT_EQ(LastLine(out), expected) << c.name << "\n" << out;
  }
}

TEST(DevicesCommand, HelpAndBadOptions) {
  std::ostringstream out, err;
  const std::vector<std::string> help{"devices", "--help"};
  EXPECT_EQ(tools::RunQx770(help, out, err), 0);
  EXPECT_NE(out.str().find("Usage: qx770 devices"), std::string::npos);

  std::ostringstream out2, err2;
  const std::vector<std::string> bad{"devices", "--sysfs-root", "--dev-root", "/dev"};
  EXPECT_EQ(tools::RunQx770(bad, out2, err2), 2);
  EXPECT_NE(err2.str().find("--sysfs-root needs a value, but the next argument '--dev-root' is "
                            "an option"),
            std::string::npos)
      << err2.str();
}

}  // namespace
