#include "dialog_manager/item_list.h"

#include "dialog_manager/dialog.h"
#include "dialog_manager/dialog_item.h"

namespace heart {

ListEntry& ItemList::insert(int32_t index) {
  auto entry = std::make_unique<ListEntry>();
  entry->list = this;
  ListEntry& added = *entry;
  if (index < 0 || index > size()) index = size();
  entries_.insert(entries_.begin() + index, std::move(entry));
  item_.dialog().adopt(&added, Dialog::ObjectKind::Entry);
  return added;
}

ListEntry* ItemList::at(int32_t index) const {
  if (index < 0 || index >= size()) return nullptr;
  return entries_[static_cast<size_t>(index)].get();
}

void ItemList::select(ListEntry& entry, bool select) {
  if (entry.list != this) return;
  if (select)
    for (auto& other : entries_) other->selected = false;
  entry.selected = select;
}

ListEntry* ItemList::selected() const {
  for (const auto& entry : entries_)
    if (entry->selected) return entry.get();
  return nullptr;
}

}  // namespace heart
