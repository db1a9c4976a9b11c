// User actions for the options dialog, as a person writes them in a dialog
// script or asks for them on the command line, and the parser of scripts.
// ActionEventSource (action_event_source.h) plays them into the host's
// dialog manager; dialog_item_names.h holds the names of items and pages.
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

#include <cstdint>
#include <string>
#include <vector>

#include "core/result.h"

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

// Parses a whole script; the first faulty line fails it with "line N: ...".
Result<std::vector<DialogAction>> parseDialogScript(const std::string& text);

}  // namespace heart::cli
