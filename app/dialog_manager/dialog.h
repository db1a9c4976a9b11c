// One dialog while it is open: the plug-in that runs it, its name, resource
// id, title and size, the user data its plug-in gave it, its items in creation order and the state
// of its modal run. The dialog also keeps the set of objects it handed out
// (itself, its items, lists and entries), so that a reference coming back
// from a plug-in can be checked before it is used.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "dialog_manager/dialog_item.h"
#include "plugin/host/adm_suites.h"

namespace heart {

class Dialog {
 public:
  enum class ObjectKind { Dialog, Item, List, Entry };

  Dialog(SPPluginRef plugin, std::string name, int32_t resourceId, std::string title,
         ADMUserData userData);
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  SPPluginRef plugin() const { return plugin_; }
  const std::string& name() const { return name_; }
  int32_t resourceId() const { return resourceId_; }
  const std::string& title() const { return title_; }

  void setSize(int32_t width, int32_t height);
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }

  ADMUserData userData() const { return userData_; }
  void setUserData(ADMUserData data) { userData_ = data; }

  // A new item at the end of the creation order.
  DialogItem& addItem(int32_t id, ItemKind kind, const ASRect& bounds);
  // Remove an item again (one whose creation failed).
  void removeItem(DialogItem& item);
  // The first item created with the id, or null.
  DialogItem* firstItem(int32_t id) const;
  const std::vector<std::unique_ptr<DialogItem>>& items() const { return items_; }

  // The modal run: ended once a result is set.
  void end(int32_t result, bool cancelling);
  bool hasEnded() const { return result_.has_value(); }
  int32_t result() const { return result_.value_or(kADMCancelResult); }
  bool endedByCancelling() const { return cancelling_; }

  // The objects this dialog handed out.
  void adopt(const void* object, ObjectKind kind);
  bool owns(const void* object, ObjectKind kind) const;

 private:
  void forget(const void* object);

  SPPluginRef plugin_;
  std::string name_;
  int32_t resourceId_;
  std::string title_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  ADMUserData userData_;
  std::vector<std::unique_ptr<DialogItem>> items_;
  std::optional<int32_t> result_;
  bool cancelling_ = false;
  std::unordered_map<const void*, ObjectKind> handedOut_;
};

}  // namespace heart
