#include "dialog_actions.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <span>
#include <sstream>

#include "application/host.h"
#include "dialog_manager/dialog_manager.h"
#include "dialog_manager/dialog_state.h"
#include "document/document.h"
#include "plugin/params/dialog_items.h"
#include "plugin/params/field_table.h"

namespace heart::cli {
namespace {

constexpr NamedButton kButtons[] = {{"Cancel", kCancelItem},   {"Shuffle", kShuffleItem},
                                    {"Tumble", kTumbleItem},   {"Tweak", kTweakItem},
                                    {"Jitter", kJitterItem},   {"Boost", kBoostItem},
                                    {"Preview", kPreviewItem}, {"Zoom", kViewZoomItem}};

std::string lineLabel(const DialogAction& action) {
  return action.line > 0 ? "line " + std::to_string(action.line) : "option";
}

bool parseNumber(const std::string& word, double* value) {
  if (word.empty()) return false;
  char* end = nullptr;
  *value = std::strtod(word.c_str(), &end);
  return end == word.c_str() + word.size() && std::isfinite(*value);
}

bool parseWhole(const std::string& word, int32_t* value) {
  if (word.empty()) return false;
  char* end = nullptr;
  long parsed = std::strtol(word.c_str(), &end, 0);
  if (end != word.c_str() + word.size() || parsed < INT32_MIN || parsed > INT32_MAX) return false;
  *value = static_cast<int32_t>(parsed);
  return true;
}

// Splits a line into words; a word in double quotes may hold blanks and
// "#"; outside quotes "#" starts a comment that runs to the end of the line.
bool splitWords(const std::string& line, std::vector<std::string>* words, std::string* error) {
  size_t i = 0;
  while (i < line.size()) {
    if (std::isspace(static_cast<unsigned char>(line[i]))) {
      ++i;
      continue;
    }
    if (line[i] == '#') break;
    if (line[i] == '"') {
      size_t close = line.find('"', i + 1);
      if (close == std::string::npos) {
        *error = "a quoted text is not closed";
        return false;
      }
      words->push_back(line.substr(i + 1, close - i - 1));
      i = close + 1;
      continue;
    }
    size_t end = i;
    while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end])) &&
           line[end] != '#')
      ++end;
    words->push_back(line.substr(i, end - i));
    i = end;
  }
  return true;
}

std::optional<DialogAction> parseLine(const std::vector<std::string>& words, std::string* error) {
  const std::string& verb = words[0];
  DialogAction action;
  auto needs = [&](size_t count, const char* usage) {
    if (words.size() == count) return true;
    *error = std::string("expected \"") + usage + "\"";
    return false;
  };
  auto item = [&](const std::string& word) -> bool {
    std::optional<int32_t> id = itemNamed(word);
    if (!id) {
      *error = "\"" + word + "\" names no dialog item";
      return false;
    }
    action.item = *id;
    return true;
  };
  if (verb == "set") {
    if (!needs(3, "set ITEM VALUE") || !item(words[1])) return std::nullopt;
    int32_t whole = 0;
    action.integerText = parseWhole(words[2], &whole);
    if (!parseNumber(words[2], &action.number)) {
      *error = "\"" + words[2] + "\" is not a finite number";
      return std::nullopt;
    }
    action.kind = DialogAction::Kind::Set;
  } else if (verb == "check") {
    if (!needs(3, "check ITEM on|off") || !item(words[1])) return std::nullopt;
    if (words[2] != "on" && words[2] != "off") {
      *error = "check takes on or off, not \"" + words[2] + "\"";
      return std::nullopt;
    }
    action.kind = DialogAction::Kind::Check;
    action.on = words[2] == "on";
  } else if (verb == "choose") {
    if (!needs(3, "choose ITEM POSITION|\"TEXT\"") || !item(words[1])) return std::nullopt;
    int32_t position = 0;
    if (parseWhole(words[2], &position)) {
      action.kind = DialogAction::Kind::ChooseAt;
      action.number = position;
    } else {
      action.kind = DialogAction::Kind::ChooseText;
      action.text = words[2];
    }
  } else if (verb == "press") {
    if (!needs(2, "press ITEM") || !item(words[1])) return std::nullopt;
    action.kind = DialogAction::Kind::Press;
  } else if (verb == "page") {
    int32_t page = 0;
    if (!needs(2, "page N")) return std::nullopt;
    if (!parseWhole(words[1], &page) || page < 1 || page > 6) {
      *error = "page takes a number from 1 to 6, not \"" + words[1] + "\"";
      return std::nullopt;
    }
    action.kind = DialogAction::Kind::Page;
    action.number = page;
  } else if (verb == "pick") {
    if ((words.size() != 4 && words.size() != 5)) {
      *error = "expected \"pick ITEM X Y [FLAGS]\"";
      return std::nullopt;
    }
    if (!item(words[1])) return std::nullopt;
    double x = 0, y = 0;
    if (!parseNumber(words[2], &x) || !parseNumber(words[3], &y)) {
      *error = "pick takes an artwork point X Y of finite numbers";
      return std::nullopt;
    }
    action.x = static_cast<float>(x);
    action.y = static_cast<float>(y);
    if (words.size() == 5 && !parseWhole(words[4], &action.flags)) {
      *error = "\"" + words[4] + "\" is not a whole number of flags";
      return std::nullopt;
    }
    action.kind = DialogAction::Kind::Pick;
  } else if (verb == "print") {
    if (!needs(1, "print")) return std::nullopt;
    action.kind = DialogAction::Kind::Print;
  } else if (verb == "confirm" || verb == "ok") {
    if (!needs(1, "confirm")) return std::nullopt;
    action.kind = DialogAction::Kind::Confirm;
  } else if (verb == "cancel") {
    if (!needs(1, "cancel")) return std::nullopt;
    action.kind = DialogAction::Kind::Cancel;
  } else {
    *error = "unknown action \"" + verb + "\"";
    return std::nullopt;
  }
  return action;
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

}  // namespace

std::string pageName(int32_t page) {
  static const char* const kPages[] = {"Heart",  "Curve",    "Tweak",
                                       "Create", "Settings", "Settings1"};
  if (page < 1 || page > 6) return "page " + std::to_string(page);
  return "page " + std::to_string(page) + " \"" + kPages[page - 1] + "\"";
}

std::string describeItem(int32_t id) {
  struct NamedList {
    int32_t item;
    const char* name;
  };
  static constexpr NamedList kLists[] = {{kSettingsListItem, "the settings list"},
                                         {kHeartPresetListItem, "the heart preset list"},
                                         {kSketchColorListItem, "the sketch colour list"},
                                         {kPlacementListItem, "the placement list"}};
  for (const NamedList& list : kLists)
    if (list.item == id) return list.name;
  for (const NamedButton& button : kButtons)
    if (button.item == id) return "the \"" + std::string(button.name) + "\" button";
  if (id >= kFirstPageButtonItem && id < kFirstPageButtonItem + 6)
    return "the button of " + pageName(id - kFirstPageButtonItem + 1);
  for (const FieldInfo& field : std::span(kFieldTable, kFieldCount))
    if (field.dialogItem == id)
      return std::string(field.name) + (field.page > 0 ? " (on " + pageName(field.page) + ")" : "");
  return "dialog item " + std::to_string(id);
}

namespace {}  // namespace

const char* const kDialogScriptHelp =
    "Script: one action a line; # outside a quoted text starts a comment. ITEM is a record\n"
    "field name (heartCount), a button name (Shuffle, Tumble, Tweak, Jitter, Boost, Cancel,\n"
    "Preview, Zoom) or an item number; `heart fields` lists them with their pages.\n"
    "\n"
    "  set ITEM VALUE         type VALUE into a spin edit        set heartCount 40\n"
    "  check ITEM on|off      turn a check box on or off         check dropShadow on\n"
    "  choose ITEM N          choose a list entry by position    choose placementMode 2\n"
    "  choose ITEM \"TEXT\"    ... or by its text, in any case   choose settingsPreset \"Sketchy "
    "heart 1\"\n"
    "  press ITEM             press a button                     press Tumble\n"
    "  page N                 show page N (1 Heart, 2 Curve, 3 Tweak, 4 Create, 5 Settings,\n"
    "                         6 Settings1)                       page 4\n"
    "  pick ITEM X Y [FLAGS]  click a picker at an artwork point pick 160 300 400\n"
    "  print                  print the dialog's state as JSON   print\n"
    "  confirm | ok           confirm the dialog                 confirm\n"
    "  cancel                 cancel it (exit code 3)            cancel\n"
    "\n"
    "An item must be on the open page and enabled. A value outside a field's range is kept\n"
    "at the nearest end and reported. Nothing may follow confirm or cancel; a script that\n"
    "runs out confirms.\n";

std::span<const NamedButton> namedButtons() { return kButtons; }

std::optional<int32_t> itemNamed(const std::string& word) {
  int32_t id = 0;
  if (parseWhole(word, &id)) return id;
  for (const NamedButton& button : kButtons)
    if (word == button.name) return button.item;
  if (const FieldInfo* field = findField(word.c_str()); field && field->dialogItem != 0)
    return field->dialogItem;
  return std::nullopt;
}

std::optional<std::vector<DialogAction>> parseDialogScript(const std::string& text,
                                                           std::string* error) {
  std::vector<DialogAction> actions;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  int closedAt = 0;  // the line of the confirm or cancel, once seen
  std::string closedBy;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> words;
    std::string problem;
    if (!splitWords(line, &words, &problem)) {
      *error = "line " + std::to_string(number) + ": " + problem;
      return std::nullopt;
    }
    if (words.empty()) continue;
    std::optional<DialogAction> action = parseLine(words, &problem);
    if (!action) {
      *error = "line " + std::to_string(number) + ": " + problem;
      return std::nullopt;
    }
    if (closedAt > 0) {
      *error = "line " + std::to_string(number) + ": \"" + words[0] + "\" comes after the dialog " +
               "was closed on line " + std::to_string(closedAt) + "; nothing after " + closedBy +
               " can act";
      return std::nullopt;
    }
    if (action->kind == DialogAction::Kind::Confirm || action->kind == DialogAction::Kind::Cancel) {
      closedAt = number;
      closedBy = "\"" + words[0] + "\"";
    }
    action->line = number;
    actions.push_back(*action);
  }
  return actions;
}

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

// Why the item cannot take an action now, in the words of the dialog, or
// nothing when it can.
std::optional<std::string> ActionEventSource::unavailable(const DialogAction& action,
                                                          const DialogState& state) const {
  // Items may share an id (a caption and a button): the action can go to
  // any of them that is shown and enabled.
  const ItemState* item = nullptr;
  for (const ItemState& candidate : state.items) {
    if (candidate.id != action.item) continue;
    if (candidate.visible && candidate.enabled) return std::nullopt;
    if (!item || (candidate.visible && !item->visible)) item = &candidate;
  }
  std::string name = describeItem(action.item);
  if (!item) return "the options dialog has no " + name;
  if (!item->visible) {
    const FieldInfo* field = nullptr;
    for (const FieldInfo& candidate : std::span(kFieldTable, kFieldCount))
      if (candidate.dialogItem == action.item) field = &candidate;
    if (field && field->page > 0)
      return name + " is not shown: its page is not open (add \"page " +
             std::to_string(field->page) + "\" before this line)";
    return name + " is not shown on the open page";
  }
  if (!item->enabled) return name + " is disabled at this point";
  return std::nullopt;
}

std::optional<DialogEvent> ActionEventSource::next() {
  if (next_ >= actions_.size()) return std::nullopt;
  const DialogAction& action = actions_[next_++];
  std::string label = lineLabel(action);
  bool aimsAtItem =
      action.kind == DialogAction::Kind::Set || action.kind == DialogAction::Kind::Check ||
      action.kind == DialogAction::Kind::ChooseAt ||
      action.kind == DialogAction::Kind::ChooseText || action.kind == DialogAction::Kind::Press ||
      action.kind == DialogAction::Kind::Pick;
  std::optional<DialogState> state = host_.dialogs().currentState();
  if (aimsAtItem && state)
    if (std::optional<std::string> why = unavailable(action, *state)) return fail(action, *why);
  const ItemState* item = state ? state->item(action.item) : nullptr;
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
      return fail(action, describeItem(action.item) + " has no entry \"" + action.text +
                              "\" (`heart presets` lists the settings and heart presets)");
    }
    case DialogAction::Kind::Press:
      return DialogEvent::press(action.item).labelled(label);
    case DialogAction::Kind::Page:
      return DialogEvent::press(kFirstPageButtonItem - 1 + static_cast<int32_t>(action.number))
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
