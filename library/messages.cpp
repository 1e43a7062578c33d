#include <cstdio>
#include <utility>

#include "if97.h"

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

}  // namespace

void ShowMessage(const std::string& text) { CurrentHandler()(text); }

MessageHandler SetMessageHandler(MessageHandler handler) {
  if (!handler) handler = WriteToStderr;
  return std::exchange(CurrentHandler(), std::move(handler));
}

}  // namespace if97
