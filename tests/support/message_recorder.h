// Test support: records the library's messages instead of showing them.
#ifndef STEAMCALC_TESTS_MESSAGE_RECORDER_H
#define STEAMCALC_TESTS_MESSAGE_RECORDER_H

#include <gtest/gtest.h>
#include <if97/if97.h>

#include <string>
#include <vector>

// Installs a recording handler for the lifetime of the object and restores the
// previous handler afterwards.
class MessageRecorder {
 public:
  MessageRecorder()
      : previous_(if97::SetMessageHandler(
            [this](const std::string& text) { messages_.push_back(text); })) {}
  ~MessageRecorder() { if97::SetMessageHandler(previous_); }
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  const std::vector<std::string>& messages() const { return messages_; }
  void clear() { messages_.clear(); }

 private:
  std::vector<std::string> messages_;
  if97::MessageHandler previous_;
};

// A fixture whose tests see every message the library shows.
class RecordingTest : public ::testing::Test {
 protected:
  const std::vector<std::string>& messages() const { return recorder_.messages(); }
  void ClearMessages() { recorder_.clear(); }

 private:
  MessageRecorder recorder_;
};

#endif  // STEAMCALC_TESTS_MESSAGE_RECORDER_H
