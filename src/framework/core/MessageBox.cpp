#include "framework/core/MessageBox.h"

#include <cstdio>

namespace fw {
namespace {

MessageBoxPresenter& Presenter() {
  static MessageBoxPresenter presenter;
  return presenter;
}

}  // namespace

int ApplicationMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  if (Presenter()) return Presenter()(MessageBoxRequest{text, caption, flags});
  std::fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
  return 1;
}

MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter) {
  MessageBoxPresenter previous = std::move(Presenter());
  Presenter() = std::move(presenter);
  return previous;
}

}  // namespace fw
