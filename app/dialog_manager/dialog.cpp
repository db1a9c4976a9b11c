#include "dialog_manager/dialog.h"

#include <algorithm>

namespace heart {

Dialog::Dialog(SPPluginRef plugin, std::string name, int32_t resourceId, std::string title,
               ADMUserData userData)
    : plugin_(plugin),
      name_(std::move(name)),
      resourceId_(resourceId),
      title_(std::move(title)),
      userData_(userData) {
  adopt(this, ObjectKind::Dialog);
}

void Dialog::setSize(int32_t width, int32_t height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
}

DialogItem& Dialog::addItem(int32_t id, ItemKind kind, const ASRect& bounds) {
  items_.push_back(std::make_unique<DialogItem>(*this, id, kind, bounds));
  DialogItem& item = *items_.back();
  adopt(&item, ObjectKind::Item);
  if (item.list()) adopt(item.list(), ObjectKind::List);
  return item;
}

void Dialog::removeItem(DialogItem& item) {
  auto found = std::find_if(items_.begin(), items_.end(),
                            [&](const auto& held) { return held.get() == &item; });
  if (found == items_.end()) return;
  if (ItemList* list = item.list()) {
    for (int32_t i = 0; i < list->size(); ++i) forget(list->at(i));
    forget(list);
  }
  forget(&item);
  for (const auto& other : items_)
    if (other->fontSetBy() == &item) other->setFontSetBy(nullptr);
  items_.erase(found);
}

DialogItem* Dialog::firstItem(int32_t id) const {
  for (const auto& item : items_)
    if (item->id() == id) return item.get();
  return nullptr;
}

void Dialog::end(int32_t result, bool cancelling) {
  // The first ending wins: a procedure that ends the dialog and is followed
  // by another ending in the same event keeps its result.
  if (result_) return;
  result_ = result;
  cancelling_ = cancelling;
}

void Dialog::adopt(const void* object, ObjectKind kind) { handedOut_[object] = kind; }

bool Dialog::owns(const void* object, ObjectKind kind) const {
  auto found = handedOut_.find(object);
  return found != handedOut_.end() && found->second == kind;
}

void Dialog::forget(const void* object) { handedOut_.erase(object); }

}  // namespace heart
