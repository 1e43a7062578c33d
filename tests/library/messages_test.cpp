#include <gtest/gtest.h>
#include <if97/if97.h>

#include <string>
#include <vector>

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

// The window's calculation command lets its handler throw through the library
// to end a calculation; the library function must pass the exception on.
TEST(MessageHook, AnExceptionFromTheHandlerLeavesTheLibraryFunction) {
  struct Refused {};
  const if97::MessageHandler original =
      if97::SetMessageHandler([](const std::string&) { throw Refused{}; });
  EXPECT_THROW(if97::h_pt(0, 20), Refused);
  EXPECT_THROW(if97::T_PH(1, 5000), Refused);
  EXPECT_THROW(if97::HSW_P(30), Refused);
  if97::SetMessageHandler(original);
}

// A handler that replaces itself while it runs (a one-shot handler) must
// finish with its own captures intact.
TEST(MessageHook, AHandlerMayReplaceItselfWhileItRuns) {
  std::vector<std::string> seen;
  if97::MessageHandler original;
  original = if97::SetMessageHandler([&seen, tag = std::string("первый")](const std::string& text) {
    if97::SetMessageHandler([&seen](const std::string& t) { seen.push_back("второй: " + t); });
    seen.push_back(tag + ": " + text);  // tag lives in the replaced handler
  });
  if97::ShowMessage("a");
  if97::ShowMessage("b");
  if97::SetMessageHandler(original);
  EXPECT_EQ(seen, (std::vector<std::string>{"первый: a", "второй: b"}));
}
