// Reading a command line option by option: "--name=value" against "--name value", values taken
// from the next argument, and the standard sentences for misused options.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/CommandLine.h"

namespace {

// Reads a line with a tiny grammar: "--v" (and "-h"/"--help") and "--f" are flags, "--x" takes a
// value; every step is written down as "name=value", "name" or the sentence of the first error.
std::string Trace(const std::vector<std::string>& args) {
  fw::TCommandLine line(args);
  std::string trace;
  while (line.Next()) {
    if (!trace.empty()) trace += ' ';
    if (line.IsHelp() || line.Name() == "--f") {
      if (auto e = line.NoValueError()) return trace + "!" + *e;
      trace += line.Name();
    } else if (line.Name() == "--x") {
      const auto v = line.Value();
      if (!v) return trace + "!" + line.NeedsValue();
      trace += line.Name() + "=" + *v;
    } else {
      return trace + "!" + line.Unknown();
    }
  }
  return trace;
}

TEST(CommandLine, ReadsOptionsAndValuesInEitherForm) {
  const struct {
    std::vector<std::string> args;
    const char* trace;
  } cases[] = {
      {{}, ""},
      {{"--x", "1", "--f"}, "--x=1 --f"},
      {{"--x=1", "--f"}, "--x=1 --f"},
      {{"--x="}, "--x="},  // an empty value after '=' is a value
      // An option is never the value of the one before it; after '=' anything is a value.
      {{"--x", "--f"},
       "!--x needs a value, but the next argument '--f' is an option (write --x=VALUE for a value "
       "that starts with '-')"},
      {{"--x", "-h"},
       "!--x needs a value, but the next argument '-h' is an option (write "
       "--x=VALUE for a value that starts with '-')"},
      {{"--x=--f"}, "--x=--f"},
      {{"--x", "-", "--x", "-5"}, "--x=- --x=-5"},  // "-" and negative numbers stay values
      {{"--x=a=b"}, "--x=a=b"},                     // only the first '=' splits
      {{"--x", ""}, "--x="},
      {{"-h", "--help"}, "-h --help"},
      {{"--x"}, "!--x needs a value"},
      {{"--f", "--x"}, "--f !--x needs a value"},
      {{"--f=1"}, "!--f takes no value"},
      {{"--f="}, "!--f takes no value"},
      {{"--help=yes"}, "!--help takes no value"},
      {{"--y=3"}, "!unknown option '--y=3'"},  // reported as written
      {{"-h=1"}, "!unknown option '-h=1'"},    // a short option carries no "=value"
      {{"extra"}, "!unknown option 'extra'"},
      {{"--x", "1", "2"}, "--x=1 !unknown option '2'"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Trace(c.args), c.trace) << (c.args.empty() ? "(none)" : c.args[0]);
  }
}

}  // namespace
