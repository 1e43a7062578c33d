#include <cstdio>
#include <utility>

#include "if97.h"
#include "message_capture.h"

namespace if97 {
namespace {

void WriteToStderr(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
}

MessageHandler& CurrentHandler() {
  static MessageHandler handler = WriteToStderr;
  return handler;
}

thread_local detail::MessageCapture* active_capture = nullptr;

}  // namespace

namespace detail {

MessageCapture::MessageCapture() noexcept : outer_(active_capture) { active_capture = this; }

MessageCapture::~MessageCapture() { active_capture = outer_; }

void MessageCapture::Record(const std::string& text) {
  if (count_++ == 0) first_ = text;
}

MessageCapture* ActiveCapture() noexcept { return active_capture; }

}  // namespace detail

void ShowMessage(const std::string& text) {
  if (detail::MessageCapture* capture = active_capture) {
    capture->Record(text);
    return;
  }
  CurrentHandler()(text);
}

MessageHandler SetMessageHandler(MessageHandler handler) {
  if (!handler) handler = WriteToStderr;
  return std::exchange(CurrentHandler(), std::move(handler));
}

}  // namespace if97
