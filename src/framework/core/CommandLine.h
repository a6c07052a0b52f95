// Reading a program's options from its command line, one option at a time.
//
// TCommandLine walks the arguments after the program (or command) name. An argument starting with
// "--" may carry its value after '=' ("--port=/dev/ttyUSB0"); otherwise an option that wants a
// value takes the next argument ("--port /dev/ttyUSB0"). Each parser keeps its own options and
// asks the reader for the current option's name, its value, and the standard sentences for a
// misused option ("--simulate takes no value", "--count needs a value", "unknown option 'x'").
//
//   fw::TCommandLine line(args);
//   while (line.Next()) {
//     if (line.IsHelp()) { if (auto e = line.NoValueError()) return *e; help = true; }
//     else if (line.Name() == "--count") { auto v = line.Value(); if (!v) return line.NeedsValue();
//     ... } else return line.Unknown();
//   }
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace fw {

class TCommandLine {
 public:
  explicit TCommandLine(std::span<const std::string> args) : args_(args) {}

  // Moves to the next argument (past any value the current option took); false at the end.
  bool Next();

  // The current option's name ("--port" of "--port=/dev/x"), and the argument as it was written.
  const std::string& Name() const { return name_; }
  const std::string& Argument() const { return args_[index_]; }
  // Whether the option was written as "--name=value" (an empty value counts: "--csv=").
  bool HasInlineValue() const { return inlineValue_.has_value(); }
  // "--help" or "-h".
  bool IsHelp() const { return name_ == "--help" || name_ == "-h"; }

  // The option's value: the text after '=', else the next argument (which is then used up);
  // nothing when neither exists or the next argument is itself an option ("--..." or "-h").
  std::optional<std::string> Value();

  // For an option without a value: "<name> takes no value" when one was given after '='.
  std::optional<std::string> NoValueError() const;
  // "<name> needs a value", saying so when the next argument is an option.
  std::string NeedsValue() const;
  // "unknown option '<argument>'".
  std::string Unknown() const { return "unknown option '" + Argument() + "'"; }

 private:
  std::span<const std::string> args_;
  std::size_t index_ = 0;
  std::size_t next_ = 0;  // the argument Next() moves to
  std::string name_;
  std::optional<std::string> inlineValue_;
};

}  // namespace fw
