#include "dialog_manager/event_source.h"

#include <charconv>

namespace heart {
namespace {

DialogEvent aimedAt(DialogEvent::Kind kind, int32_t itemId) {
  DialogEvent event;
  event.kind = kind;
  event.itemId = itemId;
  return event;
}

std::string realText(double value) {
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : std::string("?");
}

}  // namespace

DialogEvent DialogEvent::setReal(int32_t itemId, double value) {
  DialogEvent event = aimedAt(Kind::SetReal, itemId);
  event.real = value;
  return event;
}

DialogEvent DialogEvent::setInteger(int32_t itemId, int32_t value) {
  DialogEvent event = aimedAt(Kind::SetInteger, itemId);
  event.integer = value;
  return event;
}

DialogEvent DialogEvent::setCheckBox(int32_t itemId, bool checked) {
  DialogEvent event = aimedAt(Kind::SetCheckBox, itemId);
  event.checked = checked;
  return event;
}

DialogEvent DialogEvent::chooseEntry(int32_t itemId, int32_t position) {
  DialogEvent event = aimedAt(Kind::ChooseEntry, itemId);
  event.integer = position;
  return event;
}

DialogEvent DialogEvent::press(int32_t itemId) { return aimedAt(Kind::Press, itemId); }

DialogEvent DialogEvent::pick(int32_t itemId, ASPoint point, int32_t modifiers) {
  DialogEvent event = aimedAt(Kind::Pick, itemId);
  event.point = point;
  event.modifiers = modifiers;
  return event;
}

DialogEvent DialogEvent::confirm() { return aimedAt(Kind::Confirm, 0); }
DialogEvent DialogEvent::cancel() { return aimedAt(Kind::Cancel, 0); }

DialogEvent DialogEvent::takeSnapshot(std::function<void(const DialogState&)> callback) {
  DialogEvent event = aimedAt(Kind::Snapshot, 0);
  event.snapshot = std::move(callback);
  return event;
}

std::string DialogEvent::describe() const {
  const std::string item = "item " + std::to_string(itemId);
  switch (kind) {
    case Kind::SetReal:
      return "set " + item + " to " + realText(real);
    case Kind::SetInteger:
      return "set " + item + " to " + std::to_string(integer);
    case Kind::SetCheckBox:
      return std::string(checked ? "check " : "uncheck ") + item;
    case Kind::ChooseEntry:
      return "choose entry " + std::to_string(integer) + " of " + item;
    case Kind::Press:
      return "press " + item;
    case Kind::Pick:
      return "pick (" + std::to_string(point.h) + ", " + std::to_string(point.v) + ") with " + item;
    case Kind::Confirm:
      return "confirm";
    case Kind::Cancel:
      return "cancel";
    case Kind::Snapshot:
      return "snapshot";
  }
  return "event";
}

ScriptedEventSource& ScriptedEventSource::add(DialogEvent event) {
  events_.push_back(std::move(event));
  return *this;
}

std::optional<DialogEvent> ScriptedEventSource::next() {
  if (events_.empty()) return std::nullopt;
  DialogEvent event = std::move(events_.front());
  events_.pop_front();
  return event;
}

}  // namespace heart
