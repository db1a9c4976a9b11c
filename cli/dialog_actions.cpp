#include "dialog_actions.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "dialog_item_names.h"
#include "plugin/params/dialog_pages.h"

namespace heart::cli {
namespace {

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
Result<std::vector<std::string>> splitWords(const std::string& line) {
  std::vector<std::string> words;
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
        return fail("a quoted text is not closed");
      }
      words.push_back(line.substr(i + 1, close - i - 1));
      i = close + 1;
      continue;
    }
    size_t end = i;
    while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end])) &&
           line[end] != '#')
      ++end;
    words.push_back(line.substr(i, end - i));
    i = end;
  }
  return words;
}

Result<DialogAction> parseLine(const std::vector<std::string>& words) {
  const std::string& verb = words[0];
  DialogAction action;
  std::string why;  // what needs() or item() found wrong
  auto needs = [&](size_t count, const char* usage) {
    if (words.size() == count) return true;
    why = std::string("expected \"") + usage + "\"";
    return false;
  };
  auto item = [&](const std::string& word) -> bool {
    int32_t number = 0;
    std::optional<int32_t> id = parseWhole(word, &number) ? number : itemNamed(word);
    if (!id) {
      why = "\"" + word + "\" names no dialog item";
      return false;
    }
    action.item = *id;
    return true;
  };
  if (verb == "set") {
    if (!needs(3, "set ITEM VALUE") || !item(words[1])) return fail(why);
    int32_t whole = 0;
    action.integerText = parseWhole(words[2], &whole);
    if (!parseNumber(words[2], &action.number)) {
      return fail("\"" + words[2] + "\" is not a finite number");
    }
    action.kind = DialogAction::Kind::Set;
  } else if (verb == "check") {
    if (!needs(3, "check ITEM on|off") || !item(words[1])) return fail(why);
    if (words[2] != "on" && words[2] != "off") {
      return fail("check takes on or off, not \"" + words[2] + "\"");
    }
    action.kind = DialogAction::Kind::Check;
    action.on = words[2] == "on";
  } else if (verb == "choose") {
    if (!needs(3, "choose ITEM POSITION|\"TEXT\"") || !item(words[1])) return fail(why);
    int32_t position = 0;
    if (parseWhole(words[2], &position)) {
      action.kind = DialogAction::Kind::ChooseAt;
      action.number = position;
    } else {
      action.kind = DialogAction::Kind::ChooseText;
      action.text = words[2];
    }
  } else if (verb == "press") {
    if (!needs(2, "press ITEM") || !item(words[1])) return fail(why);
    action.kind = DialogAction::Kind::Press;
  } else if (verb == "page") {
    int32_t page = 0;
    if (!needs(2, "page N")) return fail(why);
    if (!parseWhole(words[1], &page) || page < 1 || page > kDialogPageCount) {
      return fail("page takes a number from 1 to " + std::to_string(kDialogPageCount) + ", not \"" +
                  words[1] + "\"");
    }
    action.kind = DialogAction::Kind::Page;
    action.number = page;
  } else if (verb == "pick") {
    if ((words.size() != 4 && words.size() != 5)) {
      return fail("expected \"pick ITEM X Y [FLAGS]\"");
    }
    if (!item(words[1])) return fail(why);
    double x = 0, y = 0;
    if (!parseNumber(words[2], &x) || !parseNumber(words[3], &y)) {
      return fail("pick takes an artwork point X Y of finite numbers");
    }
    action.x = static_cast<float>(x);
    action.y = static_cast<float>(y);
    if (words.size() == 5 && !parseWhole(words[4], &action.flags)) {
      return fail("\"" + words[4] + "\" is not a whole number of flags");
    }
    action.kind = DialogAction::Kind::Pick;
  } else if (verb == "print") {
    if (!needs(1, "print")) return fail(why);
    action.kind = DialogAction::Kind::Print;
  } else if (verb == "confirm" || verb == "ok") {
    if (!needs(1, "confirm")) return fail(why);
    action.kind = DialogAction::Kind::Confirm;
  } else if (verb == "cancel") {
    if (!needs(1, "cancel")) return fail(why);
    action.kind = DialogAction::Kind::Cancel;
  } else {
    return fail("unknown action \"" + verb + "\"");
  }
  return action;
}

}  // namespace

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

Result<std::vector<DialogAction>> parseDialogScript(const std::string& text) {
  std::vector<DialogAction> actions;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  int closedAt = 0;  // the line of the confirm or cancel, once seen
  std::string closedBy;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string at = "line " + std::to_string(number) + ": ";
    Result<std::vector<std::string>> split = splitWords(line);
    if (!split) return fail(at + split.error());
    const std::vector<std::string>& words = *split;
    if (words.empty()) continue;
    Result<DialogAction> action = parseLine(words);
    if (!action) return fail(at + action.error());
    if (closedAt > 0)
      return fail(at + "\"" + words[0] + "\" comes after the dialog " + "was closed on line " +
                  std::to_string(closedAt) + "; nothing after " + closedBy + " can act");
    if (action->kind == DialogAction::Kind::Confirm || action->kind == DialogAction::Kind::Cancel) {
      closedAt = number;
      closedBy = "\"" + words[0] + "\"";
    }
    action->line = number;
    actions.push_back(*action);
  }
  return actions;
}

}  // namespace heart::cli
