// Test support: a CalcView that holds the texts and ticks in memory and records
// everything the command does to it, in order.
#ifndef STEAMCALC_TESTS_RECORDING_VIEW_H
#define STEAMCALC_TESTS_RECORDING_VIEW_H

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "calc_view.h"

namespace steamcalc {

inline std::string FieldName(Field field) {
  const int n = static_cast<int>(field);
  if (n <= 18) return "Edit" + std::to_string(n);
  return "Form4.Edit" + std::to_string(n - 18);
}

inline Field InputField(int box) { return static_cast<Field>(box); }

// Events: "Read Edit1", "Set Edit7 [ 300.00]", "Page 0", "ShowForm4",
// "Message <text>", "ErrorBox <text>", "Tick 1 off".
class RecordingView : public CalcView {
 public:
  // Ticks the box of an input and types its text.
  void Give(int box, const std::string& text) {
    checked_[box] = true;
    texts_[InputField(box)] = text;
  }
  void Put(Field field, const std::string& text) { texts_[field] = text; }
  std::string Get(Field field) const {
    const auto it = texts_.find(field);
    return it == texts_.end() ? "" : it->second;
  }
  bool Ticked(int box) const { return checked_[box]; }

  const std::vector<std::string>& events() const { return events_; }
  // The events that start with prefix, in order.
  std::vector<std::string> Events(std::string_view prefix) const {
    std::vector<std::string> result;
    for (const auto& event : events_) {
      if (event.starts_with(prefix)) result.push_back(event);
    }
    return result;
  }
  void ClearEvents() { events_.clear(); }

  // Runs inside Message, after recording it (window-system code of a box).
  std::function<void()> during_message;

  std::string Text(Field field) const override {
    events_.push_back("Read " + FieldName(field));
    return Get(field);
  }
  void SetText(Field field, const std::string& text) override {
    events_.push_back("Set " + FieldName(field) + " [" + text + "]");
    texts_[field] = text;
  }
  bool IsChecked(int box) const override { return checked_[box]; }
  void SetChecked(int box, bool checked) override {
    events_.push_back("Tick " + std::to_string(box) + (checked ? " on" : " off"));
    checked_[box] = checked;
  }
  void SetPage(int page) override { events_.push_back("Page " + std::to_string(page)); }
  void ShowForm4() override { events_.push_back("ShowForm4"); }
  void Message(const std::string& text) override {
    events_.push_back("Message " + text);
    if (during_message) during_message();
  }
  void ErrorBox(const std::string& text) override { events_.push_back("ErrorBox " + text); }

 private:
  std::map<Field, std::string> texts_;
  bool checked_[6] = {};
  mutable std::vector<std::string> events_;
};

}  // namespace steamcalc

#endif  // STEAMCALC_TESTS_RECORDING_VIEW_H
