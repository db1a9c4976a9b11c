// The list of a popup list item: ordered entries with a text and an id, at
// most one of them selected. The list the user chooses from is also the one
// procedures fill in through the list and entry suites.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace heart {

class DialogItem;
class ItemList;

struct ListEntry {
  ItemList* list = nullptr;  // the list that holds the entry
  std::string text;
  int32_t id = 0;
  bool selected = false;
};

class ItemList {
 public:
  explicit ItemList(DialogItem& item) : item_(item) {}
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;

  DialogItem& item() const { return item_; }

  // A new, unselected entry at `index`; later entries move down. An index
  // outside 0..size() appends the entry at the end.
  ListEntry& insert(int32_t index);
  // The entry at a position, or null.
  ListEntry* at(int32_t index) const;
  int32_t size() const { return static_cast<int32_t>(entries_.size()); }

  // Selecting an entry deselects every other: a popup list shows one choice.
  void select(ListEntry& entry, bool select);
  ListEntry* selected() const;
  // The entry the user last chose; for a popup list that is the selected one.
  ListEntry* active() const { return selected(); }

 private:
  DialogItem& item_;
  // Entries are held by pointer so that references to them stay valid when
  // later insertions move them down.
  std::vector<std::unique_ptr<ListEntry>> entries_;
};

}  // namespace heart
