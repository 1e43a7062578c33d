// Test support: a CalcView that holds the texts, ticks and page in memory,
// keeps the texts of the boxes it is asked to show and of the fields written,
// and records everything the command does to it, in order. The command tests
// read the record; the scan and the benchmarks, which run the command very
// many times, may turn the record off.
#ifndef STEAMCALC_TESTS_RECORDING_VIEW_H
#define STEAMCALC_TESTS_RECORDING_VIEW_H

#include <array>
#include <cstddef>
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

// The input field beside CheckBox1..CheckBox5 (box 1 to 5): Edit1..Edit5.
inline Field InputField(int box) { return static_cast<Field>(box); }

// Events: "Read Edit1", "Set Edit7 [ 300.00]", "Page 0", "ShowForm4",
// "Message <text>", "ErrorBox <text>", "Tick 1 off".
class RecordingView : public CalcView {
 public:
  RecordingView() = default;
  // The inputs given, by box number (1 to 5).
  explicit RecordingView(const std::map<int, std::string>& inputs) {
    for (const auto& [box, text] : inputs) Give(box, text);
  }

  // Ticks CheckBox<box> and types the text into its input field.
  void Give(int box, const std::string& text) {
    checked_[box] = true;
    Put(InputField(box), text);
  }
  void Put(Field field, const std::string& text) { texts_[Index(field)] = text; }
  const std::string& Get(Field field) const { return texts_[Index(field)]; }
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

  // The texts of the message and error boxes shown, in order.
  const std::vector<std::string>& boxes() const { return boxes_; }
  // The fields written, with their texts.
  std::map<Field, std::string> written() const {
    std::map<Field, std::string> result;
    for (std::size_t n = 1; n < texts_.size(); ++n) {
      if (written_[n]) result.emplace(static_cast<Field>(n), texts_[n]);
    }
    return result;
  }
  // Forgets the events, the boxes and which fields were written; the texts
  // and ticks stay.
  void ClearRecord() {
    events_.clear();
    boxes_.clear();
    written_ = {};
  }

  // Whether events are recorded (boxes and written fields always are).
  bool record_events = true;
  // Runs inside Message, after recording it (window-system code of a box).
  std::function<void()> during_message;

  std::string Text(Field field) const override {
    Record([&] { return "Read " + FieldName(field); });
    return Get(field);
  }
  void SetText(Field field, const std::string& text) override {
    Record([&] { return "Set " + FieldName(field) + " [" + text + "]"; });
    texts_[Index(field)] = text;
    written_[Index(field)] = true;
  }
  bool IsChecked(Box box) const override { return checked_[static_cast<int>(box)]; }
  void SetChecked(Box box, bool checked) override {
    Record([&] {
      return "Tick " + std::to_string(static_cast<int>(box)) + (checked ? " on" : " off");
    });
    checked_[static_cast<int>(box)] = checked;
  }
  void SetPage(Page page) override {
    Record([&] { return "Page " + std::to_string(static_cast<int>(page)); });
  }
  void ShowForm4() override {
    Record([&] { return std::string("ShowForm4"); });
  }
  void Message(const std::string& text) override {
    Record([&] { return "Message " + text; });
    boxes_.push_back(text);
    if (during_message) during_message();
  }
  void ErrorBox(const std::string& text) override {
    Record([&] { return "ErrorBox " + text; });
    boxes_.push_back(text);
  }

 private:
  // The event is put together only when it is recorded.
  template <typename MakeEvent>
  void Record(MakeEvent make_event) const {
    if (record_events) events_.push_back(make_event());
  }

  static std::size_t Index(Field field) { return static_cast<std::size_t>(field); }

  // By Field: arrays rather than maps, so that a benchmark's run costs little
  // beyond the command's own work.
  static constexpr std::size_t kFields = static_cast<std::size_t>(Field::Form4Edit3) + 1;
  std::array<std::string, kFields> texts_;
  std::array<bool, kFields> written_{};
  bool checked_[6] = {};
  std::vector<std::string> boxes_;
  mutable std::vector<std::string> events_;
};

}  // namespace steamcalc

#endif  // STEAMCALC_TESTS_RECORDING_VIEW_H
