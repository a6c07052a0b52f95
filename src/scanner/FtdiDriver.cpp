#include "scanner/FtdiDriver.h"

namespace scanner {

Dcb DefaultDcb() {
  Dcb d;
  d.length = sizeof(Dcb);
  d.baud_rate = 9600;
  d.flags = dcb::kBinary | (dcb::kControlEnable << dcb::kDtrControlShift) |
            (dcb::kControlEnable << dcb::kRtsControlShift);
  d.xon_limit = 2048;
  d.xoff_limit = 512;
  d.byte_size = 8;
  d.parity = kNoParity;
  d.stop_bits = kOneStopBit;
  d.xon_char = 0x11;
  d.xoff_char = 0x13;
  return d;
}

}  // namespace scanner
