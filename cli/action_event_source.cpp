#include "action_event_source.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <ostream>
#include <sstream>

#include "application/host.h"
#include "dialog_item_names.h"
#include "dialog_manager/dialog_manager.h"
#include "dialog_manager/may_take_action.h"
#include "document/document.h"
#include "near_names.h"
#include "plugin/params/dialog_pages.h"
#include "plugin/params/field_table.h"

namespace heart::cli {
namespace {

std::string lineLabel(const DialogAction& action) {
  return action.line > 0 ? "line " + std::to_string(action.line) : "option";
}

std::string withoutLeadingBlank(const std::string& text) {
  return !text.empty() && text[0] == ' ' ? text.substr(1) : text;
}

bool sameTextIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

std::string numberText(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

// The kind of dialog event an action aimed at an item becomes; nothing for
// the actions that aim at none (page, print, confirm, cancel).
std::optional<DialogEvent::Kind> itemEventOf(DialogAction::Kind kind) {
  switch (kind) {
    case DialogAction::Kind::Set:
      return DialogEvent::Kind::SetReal;
    case DialogAction::Kind::Check:
      return DialogEvent::Kind::SetCheckBox;
    case DialogAction::Kind::ChooseAt:
    case DialogAction::Kind::ChooseText:
      return DialogEvent::Kind::ChooseEntry;
    case DialogAction::Kind::Press:
      return DialogEvent::Kind::Press;
    case DialogAction::Kind::Pick:
      return DialogEvent::Kind::Pick;
    default:
      return std::nullopt;
  }
}

// Whether the user can reach the item the answer is about; if not, why, in
// the words of the dialog. A script's author is asked the
// user's questions first: is the item there, is it shown, is it enabled. An
// item in reach whose kind cannot take the action is left to the dialog
// manager, which refuses it in its own words.
Result<void> withinReach(const ItemAnswer& answer, int32_t itemId) {
  const std::string name = describeItem(itemId);
  if (!answer.item) return heart::fail("the options dialog has no " + name);
  if (!answer.item->visible) {
    const int page = fieldForItem(itemId) ? dialogPageOfItem(itemId) : 0;
    if (page > 0)
      return heart::fail(name + " is not shown: its page is not open (add \"page " +
                         std::to_string(page) + "\" before this line)");
    return heart::fail(name + " is not shown on the open page");
  }
  if (!answer.item->enabled) return heart::fail(name + " is disabled at this point");
  return {};
}

}  // namespace

ActionEventSource::ActionEventSource(Host& host, std::vector<DialogAction> actions,
                                     std::ostream& printTo, std::ostream& notesTo, std::string verb)
    : host_(host),
      actions_(std::move(actions)),
      printTo_(printTo),
      notesTo_(notesTo),
      verb_(std::move(verb)) {}

std::optional<DialogEvent> ActionEventSource::fail(const DialogAction& action,
                                                   const std::string& message) {
  error_ = lineLabel(action) + ": " + message;
  next_ = actions_.size();
  return DialogEvent::cancel().labelled(lineLabel(action));
}

std::optional<DialogEvent> ActionEventSource::next() {
  if (next_ >= actions_.size()) return std::nullopt;
  const DialogAction& action = actions_[next_++];
  std::string label = lineLabel(action);
  std::optional<DialogState> state = host_.dialogs().currentState();
  // The item the action goes to, as the dialog stands now.
  const ItemState* item = nullptr;
  if (std::optional<DialogEvent::Kind> event = itemEventOf(action.kind); event && state) {
    const ItemAnswer answer = mayTakeAction(*state, action.item, *event);
    if (Result<void> reached = withinReach(answer, action.item); !reached)
      return fail(action, reached.error());
    item = answer.item;
  }
  switch (action.kind) {
    case DialogAction::Kind::Set: {
      if (item && item->integer && !action.integerText)
        return fail(action, describeItem(action.item) + " takes a whole number, not " +
                                numberText(action.number));
      // The spin edit keeps a value within its range, as it does for a
      // person typing; the script's author is told what was kept.
      double kept = action.number;
      if (item && item->minimum && kept < *item->minimum) kept = *item->minimum;
      if (item && item->maximum && kept > *item->maximum) kept = *item->maximum;
      if (kept != action.number)
        notesTo_ << "heart " << verb_ << ": " << label << ": " << describeItem(action.item)
                 << ": typed " << numberText(action.number) << ", the field keeps "
                 << numberText(kept) << " (its range is " << numberText(*item->minimum) << " to "
                 << numberText(*item->maximum) << ")\n";
      if (item && item->integer) {
        double whole = std::clamp(action.number, double{INT32_MIN}, double{INT32_MAX});
        return DialogEvent::setInteger(action.item, static_cast<int32_t>(whole)).labelled(label);
      }
      return DialogEvent::setReal(action.item, action.number).labelled(label);
    }
    case DialogAction::Kind::Check:
      return DialogEvent::setCheckBox(action.item, action.on).labelled(label);
    case DialogAction::Kind::ChooseAt:
      if (item && !item->entries.empty() &&
          (action.number < 0 || action.number >= static_cast<double>(item->entries.size())))
        return fail(action, describeItem(action.item) + " has no entry at position " +
                                numberText(action.number) + "; its entries are 0 to " +
                                std::to_string(item->entries.size() - 1));
      return DialogEvent::chooseEntry(action.item, static_cast<int32_t>(action.number))
          .labelled(label);
    case DialogAction::Kind::ChooseText: {
      if (!item || item->entries.empty())
        return fail(action, describeItem(action.item) + " is not a popup list");
      std::string wanted = withoutLeadingBlank(action.text);
      for (size_t i = 0; i < item->entries.size(); ++i)
        if (sameTextIgnoringCase(withoutLeadingBlank(item->entries[i].text), wanted))
          return DialogEvent::chooseEntry(action.item, static_cast<int32_t>(i)).labelled(label);
      std::vector<std::string> entries;
      for (const auto& entry : item->entries) entries.push_back(withoutLeadingBlank(entry.text));
      std::string nearest = nearestName(wanted, entries);
      std::string message = describeItem(action.item);
      message += " has no entry \"";
      message += action.text;
      message += "\"";
      if (!nearest.empty()) {
        message += "; did you mean \"";
        message += nearest;
        message += "\"?";
      }
      message += " (`heart presets` lists the settings and heart presets)";
      return fail(action, message);
    }
    case DialogAction::Kind::Press:
      return DialogEvent::press(action.item).labelled(label);
    case DialogAction::Kind::Page:
      return DialogEvent::press(kDialogPages[static_cast<int>(action.number) - 1].button)
          .labelled(label);
    case DialogAction::Kind::Pick: {
      ASPoint point{0, 0};
      if (!host_.hasDocument() ||
          !host_.document().view(0).toView(AIRealPoint{action.x, action.y}, &point))
        return fail(action, "the artwork point lies outside what the front view can show");
      return DialogEvent::pick(action.item, point, action.flags).labelled(label);
    }
    case DialogAction::Kind::Print: {
      std::ostream& out = printTo_;
      return DialogEvent::takeSnapshot(
                 [&out](const DialogState& state) { out << toJson(state).dump(2) << "\n"; })
          .labelled(label);
    }
    case DialogAction::Kind::Confirm:
      return DialogEvent::confirm().labelled(label);
    case DialogAction::Kind::Cancel:
      return DialogEvent::cancel().labelled(label);
  }
  return std::nullopt;
}

}  // namespace heart::cli
