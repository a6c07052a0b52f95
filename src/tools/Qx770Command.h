// The qx770 command line: `qx770 measure ...`, `qx770 devices ...` and `qx770 --help`.
//
// RunQx770 takes the arguments after the program name, runs the command they name and returns
// the process exit status (2 for a bad command line, with the reason on `err`).
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace tools {

int RunQx770(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace tools
