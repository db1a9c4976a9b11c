#include "dialog_item_names.h"

#include "plugin/params/dialog_items.h"
#include "plugin/params/dialog_pages.h"
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
  if (page < 1 || page > kDialogPageCount) return "page " + std::to_string(page);
  return "page " + std::to_string(page) + " \"" + kDialogPages[page - 1].name + "\"";
}

std::string describeItem(int32_t id) {
  for (const NamedList& list : kLists)
    if (list.item == id) return list.name;
  for (const NamedButton& button : kButtons)
    if (button.item == id) return "the \"" + std::string(button.name) + "\" button";
  for (int page = 1; page <= kDialogPageCount; ++page)
    if (kDialogPages[page - 1].button == id) return "the button of " + pageName(page);
  if (const FieldInfo* field = fieldForItem(id)) {
    const int page = dialogPageOfItem(id);
    return std::string(field->name) + (page > 0 ? " (on " + pageName(page) + ")" : "");
  }
  return "dialog item " + std::to_string(id);
}

}  // namespace heart::cli
