#include "studio/studio_actions.h"

#include <cmath>
#include <limits>
#include <vector>

#include "dialog_manager/may_take_action.h"

namespace heart::studio {
namespace {

using Json = nlohmann::json;

bool wholeNumber(const Json& value, int64_t low, int64_t high, int64_t* result) {
  if (value.is_number_integer()) {
    if (value.is_number_unsigned()) {
      uint64_t u = value.get<uint64_t>();
      if (u > static_cast<uint64_t>(high)) return false;
      *result = static_cast<int64_t>(u);
    } else {
      *result = value.get<int64_t>();
    }
  } else if (value.is_number_float()) {
    double d = value.get<double>();
    if (!std::isfinite(d) || d != std::floor(d) || d < static_cast<double>(low) ||
        d > static_cast<double>(high))
      return false;
    *result = static_cast<int64_t>(d);
  } else {
    return false;
  }
  return *result >= low && *result <= high;
}

}  // namespace

Result<DialogEvent> eventForAction(const Json& action, const DialogState& dialog) {
  if (!action.is_object()) return fail("an action is a JSON object");
  auto kindField = action.find("action");
  if (kindField == action.end() || !kindField->is_string())
    return fail("the action has no \"action\" name");
  const std::string kind = kindField->get<std::string>();
  if (kind == "ok") return DialogEvent::confirm();
  if (kind == "cancel") return DialogEvent::cancel();

  int64_t id = 0;
  auto itemField = action.find("item");
  if (itemField == action.end() || !wholeNumber(*itemField, std::numeric_limits<int32_t>::min(),
                                                std::numeric_limits<int32_t>::max(), &id))
    return fail("the action \"" + kind + "\" needs a whole-number \"item\"");
  const int32_t item = static_cast<int32_t>(id);

  if (kind == "set") {
    const ItemAnswer answer = mayTakeAction(dialog, item, DialogEvent::Kind::SetReal);
    if (!answer.takes()) return fail(answer.refusal);
    const ItemState* target = answer.item;
    auto value = action.find("value");
    if (value == action.end() || !value->is_number())
      return fail("item " + std::to_string(item) + " takes a number");
    if (target->integer) {
      int64_t whole = 0;
      if (!wholeNumber(*value, std::numeric_limits<int32_t>::min(),
                       std::numeric_limits<int32_t>::max(), &whole))
        return fail("item " + std::to_string(item) + " takes a whole number");
      return DialogEvent::setInteger(item, static_cast<int32_t>(whole));
    }
    double real = value->get<double>();
    if (!std::isfinite(real)) return fail("the value is not a finite number");
    return DialogEvent::setReal(item, real);
  }
  if (kind == "check") {
    if (ItemAnswer answer = mayTakeAction(dialog, item, DialogEvent::Kind::SetCheckBox);
        !answer.takes())
      return fail(answer.refusal);
    auto on = action.find("on");
    if (on == action.end() || !on->is_boolean())
      return fail("item " + std::to_string(item) + " takes \"on\": true or false");
    return DialogEvent::setCheckBox(item, on->get<bool>());
  }
  if (kind == "choose") {
    const ItemAnswer answer = mayTakeAction(dialog, item, DialogEvent::Kind::ChooseEntry);
    if (!answer.takes()) return fail(answer.refusal);
    const ItemState* target = answer.item;
    int64_t position = 0;
    auto field = action.find("position");
    if (field == action.end() ||
        !wholeNumber(*field, 0, std::numeric_limits<int32_t>::max(), &position) ||
        position >= static_cast<int64_t>(target->entries.size()))
      return fail("list " + std::to_string(item) + " has entries at positions 0 to " +
                  std::to_string(static_cast<int64_t>(target->entries.size()) - 1));
    return DialogEvent::chooseEntry(item, static_cast<int32_t>(position));
  }
  if (kind == "press" || kind == "pick") {
    if (ItemAnswer answer = mayTakeAction(dialog, item, DialogEvent::Kind::Press); !answer.takes())
      return fail(answer.refusal);
    if (kind == "press") return DialogEvent::press(item);
    int64_t x = 0, y = 0, flags = 0x20;
    auto xField = action.find("x"), yField = action.find("y");
    if (xField == action.end() || yField == action.end() ||
        !wholeNumber(*xField, std::numeric_limits<int32_t>::min(),
                     std::numeric_limits<int32_t>::max(), &x) ||
        !wholeNumber(*yField, std::numeric_limits<int32_t>::min(),
                     std::numeric_limits<int32_t>::max(), &y))
      return fail("a pick needs whole-number view coordinates \"x\" and \"y\"");
    if (auto flagField = action.find("flags");
        flagField != action.end() && !wholeNumber(*flagField, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max(), &flags))
      return fail("\"flags\" is a whole number");
    return DialogEvent::pick(item, ASPoint{static_cast<int32_t>(x), static_cast<int32_t>(y)},
                             static_cast<int32_t>(flags));
  }
  return fail("unknown action \"" + kind + "\"");
}

}  // namespace heart::studio
