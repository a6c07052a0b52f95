// qx770-demo: the operator window for the QX770 laser profile scanner (see ui/Program.h).
#include <iostream>

#include "ui/Program.h"

int main(int argc, char** argv) {
  return ui::RunDemo(argc, argv, std::cout, std::cerr);
}
