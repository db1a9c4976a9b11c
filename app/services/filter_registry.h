// The filters that plug-ins add, each with the menu item the host made for
// it, and the automatic enabling rules of menu items. Handles given to
// plug-ins are the addresses of the entries here; anything else is refused.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plugin/host/suites.h"

namespace heart {

// What the host knows about the moment a menu item's rule is evaluated.
struct MenuConditions {
  bool documentOpen = false;
  bool currentLayerEditable = false;
  int32_t artKindsPresent = 0;   // kIfAnyArt | kIfPathArt | kIfGroupArt of the art in the document
  int32_t artKindsSelected = 0;  // the same for the selected art
};

// An automatic enabling (or checking) rule, as the plug-in passed it.
struct MenuRule {
  int32_t action = 0;  // kAutoEnableMenuItemAction or kAutoCheckMenuItemAction
  int32_t ifObjectIsInArtwork = 0;
  int32_t ifObjectIsNotInArtwork = 0;
  int32_t ifObjectIsSelected = 0;
  int32_t ifObjectIsNotSelected = 0;
  int32_t ifIsTrue = 0;
  int32_t ifIsNotTrue = 0;

  // True when every condition of the rule holds. A kind mask asks for art of
  // any of its kinds; a document-condition mask asks for all its conditions.
  bool holds(const MenuConditions& now) const;
};

struct MenuItem {
  std::string title;
  bool hasRule = false;
  MenuRule rule;
};

struct Filter {
  SPPluginRef plugin = nullptr;
  std::string name;
  std::string category;
  std::string title;
  int32_t options = 0;
  MenuItem* menuItem = nullptr;
};

class FilterRegistry {
 public:
  FilterRegistry();

  Filter& add(SPPluginRef plugin, std::string name, std::string category, std::string title,
              int32_t options);

  // The entry behind a handle, or null for a handle this registry did not give out.
  Filter* find(AIFilterHandle handle) const;
  MenuItem* find(AIMenuItemHandle handle) const;
  static AIFilterHandle handleOf(const Filter& filter);
  static AIMenuItemHandle handleOf(const MenuItem& item);

  // In the order they were added.
  std::vector<const Filter*> filters() const;

  // A menu item without a rule is always enabled; one with an enabling rule
  // is enabled while the rule holds. A checking rule does not disable.
  bool isEnabled(const MenuItem& item) const;

  // Where the conditions come from; the host that owns the document sets
  // it. Without a source no document is open and no art is present.
  void setConditionSource(std::function<MenuConditions()> source);
  MenuConditions conditions() const;

  void clear();

 private:
  std::vector<std::unique_ptr<Filter>> filters_;
  std::vector<std::unique_ptr<MenuItem>> menuItems_;
  std::function<MenuConditions()> conditionSource_;
};

}  // namespace heart
