// The application's default error report and the boundary every event handler runs behind.
//
// Application code runs because the window system delivered something: a click, a key, a paint, a
// close. `InvokeHandler` is the one place where such a delivery calls into application code: it
// runs the handler and catches whatever it throws, so that no exception ever unwinds through the
// window system's event loop. A caught exception goes to the error report, which shows its text to
// the operator. The widget layer and custom-drawn controls dispatch every event through it:
//
//   fw::InvokeHandler([&] { button.Click(); });   // a throwing OnClick is reported, not propagated
//
// Code that calls a handler directly (a handler calling another one, a setter firing OnClick) does
// not go through the boundary: the exception travels up to the boundary of the outer delivery and
// ends the whole operator action there.
//
// The report: without an installed reporter the exception's text is shown in the application's
// message box (see MessageBox.h) with an empty caption and the error icon; the application object
// installs its own reporter (with its title as caption, or its OnException handler). The reporter
// never lets an exception escape: a failing reporter falls back to standard error.
#pragma once

#include <exception>
#include <functional>
#include <string>

namespace fw {

using TExceptionReporter = std::function<void(std::exception_ptr)>;

// Replaces the reporter; returns the previous one. An empty reporter restores the default report.
TExceptionReporter SetExceptionReporter(TExceptionReporter reporter);

// Shows the error through the installed reporter (or the default report).
void ReportException(std::exception_ptr error) noexcept;

// The text an operator sees for an error: the message of a framework or standard exception, a
// fixed sentence for anything else.
std::string ExceptionText(std::exception_ptr error);

// Runs an event handler; an exception it throws is reported instead of propagated. Answers true
// when the handler ran to its end.
template <class F>
bool InvokeHandler(F&& handler) noexcept {
  try {
    std::forward<F>(handler)();
    return true;
  } catch (...) {
    ReportException(std::current_exception());
    return false;
  }
}

}  // namespace fw
