// User actions for the options dialog, as a person writes them in a dialog
// script or asks for them on the command line, and the event source that
// plays them into the host's dialog manager.
//
// Script format: one action a line; "#" outside a quoted text starts a
// comment that runs to the end of the line; blank lines are ignored. Nothing
// may follow confirm or cancel. ITEM is an item id (11), a record field name whose dialog
// item is meant (heartHeight), or a button name (Shuffle, Tumble, Tweak,
// Jitter, Boost, Cancel).
//
//   set ITEM VALUE        type VALUE into a spin edit
//   check ITEM on|off     turn a check box on or off
//   choose ITEM N         choose the entry at position N (from 0) of a popup list
//   choose ITEM "TEXT"    choose the entry with that text (its leading blank may be left out)
//   press ITEM            press a push button
//   page N                show page N (1 "Heart" to 6 "Settings1")
//   pick ITEM X Y [FLAGS] click a picker button at the artwork point (X, Y);
//                         FLAGS are the tracker's modifier flags, 0x20 (a click) by default
//   print                 print the dialog's state as JSON
//   confirm               confirm the dialog (also "ok")
//   cancel                cancel the dialog
//
// Entry texts and artwork points are resolved when the action is played, from
// the dialog and the document as they are then.
#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "dialog_manager/dialog_state.h"
#include "dialog_manager/event_source.h"

namespace heart {
class Host;
}

namespace heart::cli {

struct DialogAction {
  enum class Kind { Set, Check, ChooseAt, ChooseText, Press, Page, Pick, Print, Confirm, Cancel };
  Kind kind = Kind::Confirm;
  int line = 0;  // 0 for actions from command-line options
  int32_t item = 0;
  double number = 0.0;       // Set: the value; Page: the page; ChooseAt: the position
  bool integerText = false;  // Set: VALUE was written as a whole number
  bool on = false;
  std::string text;  // ChooseText
  float x = 0.0f, y = 0.0f;
  int32_t flags = 0x20;
};

// The script format for people: every action with its syntax and an example.
extern const char* const kDialogScriptHelp;

// The buttons and other items a script may name by a word.
struct NamedButton {
  const char* name;
  int32_t item;
};
std::span<const NamedButton> namedButtons();

// The item an ITEM word names, or nothing.
std::optional<int32_t> itemNamed(const std::string& word);

// An item as messages name it: its record field and page ("heartCount (on
// page 4 \"Create\")"), its button or list, or its number when it has no name.
std::string describeItem(int32_t id);

// "page 4 \"Create\"".
std::string pageName(int32_t page);

// Parses a whole script; on the first faulty line answers nothing and says
// "line N: ..." in *error.
std::optional<std::vector<DialogAction>> parseDialogScript(const std::string& text,
                                                           std::string* error);

// Plays actions as dialog events, resolving entry texts (in any case) and
// artwork points against the host's open dialog and front view when each is
// played. An action that cannot be resolved, or aims at an item that is
// missing, hidden or disabled, cancels the dialog and is kept in error(),
// naming the item. A value the spin edit will limit to its range is
// reported on `notesTo` with the value typed and the value kept.
class ActionEventSource : public EventSource {
 public:
  ActionEventSource(Host& host, std::vector<DialogAction> actions, std::ostream& printTo,
                    std::ostream& notesTo, std::string verb);
  std::optional<DialogEvent> next() override;
  const std::string& error() const { return error_; }

 private:
  std::optional<DialogEvent> fail(const DialogAction& action, const std::string& message);
  std::optional<std::string> unavailable(const DialogAction& action,
                                         const DialogState& state) const;

  Host& host_;
  std::vector<DialogAction> actions_;
  size_t next_ = 0;
  std::ostream& printTo_;
  std::ostream& notesTo_;
  std::string verb_;
  std::string error_;
};

}  // namespace heart::cli
