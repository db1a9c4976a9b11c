// Where a modal dialog's user actions come from. The dialog manager asks its
// event source for one action at a time while a modal dialog runs; a source
// with nothing left confirms the dialog, as a user who accepts what is shown.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "plugin/host/heart_types.h"

namespace heart {

struct DialogState;

struct DialogEvent {
  enum class Kind {
    SetReal,      // type a real number into a spin edit
    SetInteger,   // type an integer into a spin edit
    SetCheckBox,  // set a check box on or off
    ChooseEntry,  // choose the entry at a position of a popup list
    Press,        // press a push button (text or picture)
    Pick,         // track a press over a picker button at a view point
    Confirm,      // the host's confirming gesture: ends the dialog with 1
    Cancel,       // the host's cancelling gesture: ends the dialog with 2
    Snapshot,     // no user action: hands the dialog's state to a callback
  };

  Kind kind = Kind::Confirm;
  int32_t itemId = 0;
  double real = 0.0;
  int32_t integer = 0;  // the integer typed, or the entry position chosen
  bool checked = false;
  ASPoint point{0, 0};    // Pick: the point in the front view's coordinates
  int32_t modifiers = 0;  // Pick: tracker flags; 0x20 marks a completed click
  std::function<void(const DialogState&)> snapshot;
  // How messages name the event, e.g. "line 4"; empty: "event N" by its
  // position among the events taken from the source.
  std::string label;

  static DialogEvent setReal(int32_t itemId, double value);
  static DialogEvent setInteger(int32_t itemId, int32_t value);
  static DialogEvent setCheckBox(int32_t itemId, bool checked);
  static DialogEvent chooseEntry(int32_t itemId, int32_t position);
  static DialogEvent press(int32_t itemId);
  static DialogEvent pick(int32_t itemId, ASPoint point, int32_t modifiers);
  static DialogEvent confirm();
  static DialogEvent cancel();
  static DialogEvent takeSnapshot(std::function<void(const DialogState&)> callback);

  DialogEvent&& labelled(std::string text) && {
    label = std::move(text);
    return std::move(*this);
  }
  // A short description for messages, e.g. "set item 11 to 12.5".
  std::string describe() const;
};

class EventSource {
 public:
  virtual ~EventSource() = default;
  // The next user action, or nothing when the source is exhausted.
  virtual std::optional<DialogEvent> next() = 0;
};

// A queue of events, handed out in the order they were added.
class ScriptedEventSource : public EventSource {
 public:
  ScriptedEventSource& add(DialogEvent event);
  std::optional<DialogEvent> next() override;
  size_t remaining() const { return events_.size(); }

 private:
  std::deque<DialogEvent> events_;
};

}  // namespace heart
