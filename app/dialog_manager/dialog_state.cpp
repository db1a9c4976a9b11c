#include "dialog_manager/dialog_state.h"

#include <unordered_map>

#include "dialog_manager/dialog.h"
#include "plugin/host/adm_suites.h"

namespace heart {
namespace {

ItemState snapshotOf(const DialogItem& item) {
  ItemState state;
  state.id = item.id();
  state.type = item.typeName();
  state.bounds = item.bounds();
  state.text = item.text();
  state.value = item.floatValue();
  state.intValue = item.intValue();
  state.checked = item.booleanValue();
  state.integer = item.isIntegerEdit();
  state.minimum = item.minimum();
  state.maximum = item.maximum();
  state.precision = item.precision();
  state.units = item.units();
  state.visible = item.isVisible();
  state.enabled = item.isEnabled();
  state.font = item.font();
  if (const ItemList* list = item.list()) {
    for (int32_t i = 0; i < list->size(); ++i) {
      const ListEntry& entry = *list->at(i);
      state.entries.push_back({entry.text, entry.id, entry.selected});
      if (entry.selected && state.selectedEntry < 0) state.selectedEntry = i;
    }
  }
  return state;
}

nlohmann::json toJson(const ItemState& item, StateDetail detail) {
  nlohmann::json json = {
      {"id", item.id},
      {"type", item.type},
      {"bounds", {item.bounds.left, item.bounds.top, item.bounds.right, item.bounds.bottom}},
      {"text", item.text},
      {"visible", item.visible},
      {"enabled", item.enabled},
      {"font", item.font},
  };
  // Only what the kind of item shows: a front end need not guess which of
  // the value views matter.
  if (item.type == kADMSpinEditType) {
    json["value"] = item.integer ? nlohmann::json(item.intValue) : nlohmann::json(item.value);
    json["integer"] = item.integer;
    json["minimum"] = item.minimum ? nlohmann::json(*item.minimum) : nlohmann::json();
    json["maximum"] = item.maximum ? nlohmann::json(*item.maximum) : nlohmann::json();
    json["precision"] = item.precision;
    json["units"] = item.units;
  } else if (item.type == kADMTextCheckBoxType) {
    json["checked"] = item.checked;
  } else if (item.type == kADMPopupListType) {
    nlohmann::json entries = nlohmann::json::array();
    for (const auto& entry : item.entries)
      entries.push_back({{"text", entry.text}, {"id", entry.id}, {"selected", entry.selected}});
    json["entries"] = std::move(entries);
    json["selected"] = item.selectedEntry;
  }
  if (detail == StateDetail::WithWiring) {
    json["tracks"] = item.tracks;
    if (item.fontSetBy) json["fontSetBy"] = *item.fontSetBy;
  }
  return json;
}

}  // namespace

const ItemState* DialogState::item(int32_t id) const {
  for (const auto& candidate : items)
    if (candidate.id == id) return &candidate;
  return nullptr;
}

DialogState snapshotOf(const Dialog& dialog) {
  DialogState state;
  state.name = dialog.name();
  state.resourceId = dialog.resourceId();
  state.title = dialog.title();
  state.width = dialog.width();
  state.height = dialog.height();
  // Items are told apart by position: two may share an id.
  std::unordered_map<const DialogItem*, size_t> positions;
  for (const auto& item : dialog.items()) {
    positions.emplace(item.get(), state.items.size());
    state.items.push_back(snapshotOf(*item));
  }
  for (size_t i = 0; i < dialog.items().size(); ++i) {
    const DialogItem& item = *dialog.items()[i];
    state.items[i].tracks = item.trackProc() != nullptr;
    if (auto setter = positions.find(item.fontSetBy()); setter != positions.end())
      state.items[i].fontSetBy = setter->second;
  }
  return state;
}

nlohmann::json toJson(const DialogState& state, StateDetail detail) {
  nlohmann::json items = nlohmann::json::array();
  for (const auto& item : state.items) items.push_back(toJson(item, detail));
  return {{"name", state.name},
          {"resourceId", state.resourceId},
          {"title", state.title},
          {"size", {state.width, state.height}},
          {"items", std::move(items)}};
}

}  // namespace heart
