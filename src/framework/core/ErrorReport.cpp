#include "framework/core/ErrorReport.h"

#include <cstdio>

#include "framework/core/MessageBox.h"

namespace fw {
namespace {

TExceptionReporter& Reporter() {
  static TExceptionReporter reporter;
  return reporter;
}

void DefaultReport(std::exception_ptr error) {
  ApplicationMessageBox(ExceptionText(error), "", MB_OK | MB_ICONERROR);
}

}  // namespace

TExceptionReporter SetExceptionReporter(TExceptionReporter reporter) {
  TExceptionReporter previous = std::move(Reporter());
  Reporter() = std::move(reporter);
  return previous;
}

std::string ExceptionText(std::exception_ptr error) {
  try {
    if (error) std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
  }
  return "An unexpected error occurred.";
}

void ReportException(std::exception_ptr error) noexcept {
  try {
    if (Reporter())
      Reporter()(error);
    else
      DefaultReport(error);
  } catch (...) {
    // The report itself failed (a presenter that throws): the operator must still learn of it.
    std::fprintf(stderr, "%s\n", ExceptionText(error).c_str());
  }
}

}  // namespace fw
