// qx770: the command-line tool for the QX770 scanner (see tools/Qx770Command.h).
#include <QCoreApplication>
#include <iostream>
#include <string>
#include <vector>

#include "tools/Qx770Command.h"

int main(int argc, char** argv) {
  // The serial port wants an application object on its thread; no event loop runs.
  QCoreApplication application(argc, argv);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return tools::RunQx770(args, std::cout, std::cerr);
}
