// Internal to the library: capture of the messages that one thread's calls
// show, for the calls that report through values instead (if97_state.h).
#ifndef STEAMCALC_LIBRARY_MESSAGE_CAPTURE_H
#define STEAMCALC_LIBRARY_MESSAGE_CAPTURE_H

#include <string>

namespace if97::detail {

// While an object lives, every ShowMessage on its thread is recorded in it and
// goes neither to the installed handler nor to stderr; the handler itself is
// not read. Captures nest: the innermost one records. Objects live on the
// stack of the thread that made them.
class MessageCapture {
 public:
  MessageCapture() noexcept;
  ~MessageCapture();
  MessageCapture(const MessageCapture&) = delete;
  MessageCapture& operator=(const MessageCapture&) = delete;

  // The first message shown since construction, empty if none.
  const std::string& first() const noexcept { return first_; }
  bool empty() const noexcept { return count_ == 0; }

  // Called by ShowMessage.
  void Record(const std::string& text);

 private:
  MessageCapture* outer_;
  std::string first_;
  int count_ = 0;
};

// The capture active on this thread, or nullptr.
MessageCapture* ActiveCapture() noexcept;

}  // namespace if97::detail

#endif  // STEAMCALC_LIBRARY_MESSAGE_CAPTURE_H
