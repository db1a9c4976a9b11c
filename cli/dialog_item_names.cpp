#include "dialog_item_names.h"

#include "plugin/params/dialog_items.h"
#include "plugin/params/field_table.h"

namespace heart::cli {
namespace {

constexpr NamedButton kButtons[] = {{"Cancel", kCancelItem},   {"Shuffle", kShuffleItem},
                                    {"Tumble", kTumbleItem},   {"Tweak", kTweakItem},
                                    {"Jitter", kJitterItem},   {"Boost", kBoostItem},
                                    {"Preview", kPreviewItem}, {"Zoom", kViewZoomItem}};

struct NamedList {
  int32_t item;
  const char* name;
};
constexpr NamedList kLists[] = {{kSettingsListItem, "the settings list"},
                                {kHeartPresetListItem, "the heart preset list"},
                                {kSketchColorListItem, "the sketch colour list"},
                                {kPlacementListItem, "the placement list"}};

}  // namespace

std::span<const NamedButton> namedButtons() { return kButtons; }

std::optional<int32_t> itemNamed(const std::string& word) {
  for (const NamedButton& button : kButtons)
    if (word == button.name) return button.item;
  if (const FieldInfo* field = findField(word.c_str()); field && field->dialogItem != 0)
    return field->dialogItem;
  return std::nullopt;
}

std::string pageName(int32_t page) {
  static const char* const kPages[] = {"Heart",  "Curve",    "Tweak",
                                       "Create", "Settings", "Settings1"};
  if (page < 1 || page > 6) return "page " + std::to_string(page);
  return "page " + std::to_string(page) + " \"" + kPages[page - 1] + "\"";
}

std::string describeItem(int32_t id) {
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

}  // namespace heart::cli
