#include <if97/if97.h>

#include <cstdio>
#include <memory>
#include <mutex>
#include <utility>

#include "messages/message_capture.h"

namespace if97 {
namespace {

// One fwrite, so that lines from several threads do not interleave.
void WriteToStderr(const std::string& text) {
  const std::string line = text + '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
}

// The installed handler is never changed in place: SetMessageHandler
// replaces the pointer under the lock, and ShowMessage copies the pointer
// under the lock and calls the handler outside it. A handler that is replaced
// while it runs therefore stays alive until it returns, and a handler may
// show messages or install another handler itself without deadlock.
struct Installed {
  std::mutex mutex;
  std::shared_ptr<MessageHandler> handler = std::make_shared<MessageHandler>(WriteToStderr);
};

Installed& Current() {
  static Installed installed;
  return installed;
}

std::shared_ptr<MessageHandler> Handler() {
  Installed& current = Current();
  const std::lock_guard lock(current.mutex);
  return current.handler;
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

// A capture on this thread takes the message before the handler is looked up.
void ShowMessage(const std::string& text) {
  if (detail::MessageCapture* capture = active_capture) {
    capture->Record(text);
    return;
  }
  const std::shared_ptr<MessageHandler> handler = Handler();
  (*handler)(text);
}

MessageHandler SetMessageHandler(MessageHandler handler) {
  if (!handler) handler = WriteToStderr;
  auto replacement = std::make_shared<MessageHandler>(std::move(handler));
  std::shared_ptr<MessageHandler> previous;
  {
    Installed& current = Current();
    const std::lock_guard lock(current.mutex);
    previous = std::exchange(current.handler, std::move(replacement));
  }
  // A copy: a call in another thread may still be running the previous one.
  return *previous;
}

}  // namespace if97
