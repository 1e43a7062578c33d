#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "if97.h"
#include "message_recorder.h"

TEST(MessageHook, SetMessageHandlerReturnsThePreviousHandler) {
  std::vector<std::string> first;
  std::vector<std::string> second;
  const if97::MessageHandler original =
      if97::SetMessageHandler([&](const std::string& text) { first.push_back(text); });
  if97::ShowMessage("один");
  if97::MessageHandler previous =
      if97::SetMessageHandler([&](const std::string& text) { second.push_back(text); });
  if97::ShowMessage("два");
  previous("три");  // the returned handler is the first one, still working
  if97::SetMessageHandler(original);

  EXPECT_EQ(first, (std::vector<std::string>{"один", "три"}));
  EXPECT_EQ(second, (std::vector<std::string>{"два"}));
}

TEST(MessageHook, EmptyHandlerRestoresTheDefault) {
  const if97::MessageHandler original = if97::SetMessageHandler(nullptr);
  testing::internal::CaptureStderr();
  if97::ShowMessage("Значения давления и температуры выходят за допустимые пределы");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Значения давления и температуры выходят за допустимые пределы\n");
  if97::SetMessageHandler(original);
}

TEST_F(RecordingTest, RecorderKeepsTextAndOrder) {
  if97::ShowMessage("a");
  if97::ShowMessage("б");
  EXPECT_EQ(messages(), (std::vector<std::string>{"a", "б"}));
}
