// A plain snapshot of a dialog as the user would see it: its size and title
// and every item with its value, range, text, visibility, enabled state, font
// and list entries; and how the plug-in wired each item: whether it tracks
// points, and which item's notification last set its font. A front end
// draws from it, learning the dialog from the plug-in's own doing rather
// than from item numbers: a picture button that tracks is a point picker, a
// text whose font the plug-in set while notifying a picture button is that
// button's caption, and the button of the emphasised caption is the current
// page's. Its JSON form carries the same.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "plugin/host/heart_types.h"

namespace heart {

class Dialog;

struct ListEntryState {
  std::string text;
  int32_t id = 0;
  bool selected = false;
};

struct ItemState {
  int32_t id = 0;
  std::string type;  // the host type name
  ASRect bounds{0, 0, 0, 0};
  std::string text;  // what the item shows
  double value = 0.0;
  int32_t intValue = 0;
  bool checked = false;
  bool integer = false;  // an integer spin edit
  std::optional<double> minimum, maximum;
  int32_t precision = -1;
  int32_t units = 0;
  bool visible = true;
  bool enabled = true;
  int32_t font = 0;
  std::vector<ListEntryState> entries;  // popup lists only
  int32_t selectedEntry = -1;           // position of the selected entry, or -1
  // The plug-in gave the item a tracking procedure: a click on it is
  // tracked, with the point, rather than notified.
  bool tracks = false;
  // The position (in `DialogState::items`) of the item whose notification the
  // plug-in was handling when it last set this item's font; none when it set
  // it outside a notification, or never.
  std::optional<size_t> fontSetBy;
};

struct DialogState {
  std::string name;
  int32_t resourceId = 0;
  std::string title;
  int32_t width = 0, height = 0;
  std::vector<ItemState> items;  // in creation order

  // The first item with the id, or null.
  const ItemState* item(int32_t id) const;
};

DialogState snapshotOf(const Dialog& dialog);

// What the JSON form holds: what a person at the dialog sees (the form a
// script prints), or that and how the plug-in wired each item ("tracks",
// "fontSetBy"), for a front end that draws the dialog.
enum class StateDetail { Shown, WithWiring };
nlohmann::json toJson(const DialogState& state, StateDetail detail = StateDetail::Shown);

}  // namespace heart
