// Message boxes as the application shows them to the operator.
//
// The framework shows a message box through one presenter function. The widget layer installs a
// presenter that opens a real modal box; tests install one that records what would be shown.
// Without a presenter the text goes to standard error, so nothing is ever lost silently.
#pragma once

#include <functional>
#include <string>

namespace fw {

// Flags as the platform's message-box call takes them.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_ICONERROR = 0x10;    // 16: error (stop) icon, as the error report uses
inline constexpr unsigned MB_ICONWARNING = 0x30;  // 48: warning icon with a single OK button

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  unsigned flags = 0;
};

using MessageBoxPresenter = std::function<int(const MessageBoxRequest&)>;

// Shows a modal message box owned by the application; returns the presenter's answer
// (1 for OK).
int ApplicationMessageBox(const std::string& text, const std::string& caption, unsigned flags);

// Replaces the presenter; returns the previous one so that a scope can restore it.
MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter);

// Installs a presenter for the lifetime of the object and restores the previous one after.
class ScopedMessageBoxPresenter {
 public:
  explicit ScopedMessageBoxPresenter(MessageBoxPresenter presenter)
      : previous_(SetMessageBoxPresenter(std::move(presenter))) {}
  ~ScopedMessageBoxPresenter() { SetMessageBoxPresenter(std::move(previous_)); }
  ScopedMessageBoxPresenter(const ScopedMessageBoxPresenter&) = delete;
  ScopedMessageBoxPresenter& operator=(const ScopedMessageBoxPresenter&) = delete;

 private:
  MessageBoxPresenter previous_;
};

}  // namespace fw
