#include "services/filter_registry.h"

namespace heart {
namespace {

bool anyOf(int32_t wanted, int32_t present) { return wanted == 0 || (wanted & present) != 0; }
bool noneOf(int32_t unwanted, int32_t present) { return (unwanted & present) == 0; }

int32_t documentConditions(const MenuConditions& now) {
  int32_t conditions = 0;
  if (now.documentOpen) conditions |= kIfOpenDocument;
  if (now.currentLayerEditable) conditions |= kIfCurrentLayerIsEditable;
  return conditions;
}

}  // namespace

bool MenuRule::holds(const MenuConditions& now) const {
  int32_t conditions = documentConditions(now);
  return anyOf(ifObjectIsInArtwork, now.artKindsPresent) &&
         noneOf(ifObjectIsNotInArtwork, now.artKindsPresent) &&
         anyOf(ifObjectIsSelected, now.artKindsSelected) &&
         noneOf(ifObjectIsNotSelected, now.artKindsSelected) &&
         (conditions & ifIsTrue) == ifIsTrue && (conditions & ifIsNotTrue) == 0;
}

FilterRegistry::FilterRegistry() {
  conditionSource_ = [] { return MenuConditions{}; };
}

Filter& FilterRegistry::add(SPPluginRef plugin, std::string name, std::string category,
                            std::string title, int32_t options) {
  auto item = std::make_unique<MenuItem>();
  item->title = title;
  auto filter = std::make_unique<Filter>();
  filter->plugin = plugin;
  filter->name = std::move(name);
  filter->category = std::move(category);
  filter->title = std::move(title);
  filter->options = options;
  filter->menuItem = item.get();
  menuItems_.push_back(std::move(item));
  filters_.push_back(std::move(filter));
  return *filters_.back();
}

Filter* FilterRegistry::find(AIFilterHandle handle) const {
  for (const auto& filter : filters_)
    if (handleOf(*filter) == handle) return filter.get();
  return nullptr;
}

MenuItem* FilterRegistry::find(AIMenuItemHandle handle) const {
  for (const auto& item : menuItems_)
    if (handleOf(*item) == handle) return item.get();
  return nullptr;
}

AIFilterHandle FilterRegistry::handleOf(const Filter& filter) {
  return reinterpret_cast<AIFilterHandle>(const_cast<Filter*>(&filter));
}

AIMenuItemHandle FilterRegistry::handleOf(const MenuItem& item) {
  return reinterpret_cast<AIMenuItemHandle>(const_cast<MenuItem*>(&item));
}

std::vector<const Filter*> FilterRegistry::filters() const {
  std::vector<const Filter*> result;
  for (const auto& filter : filters_) result.push_back(filter.get());
  return result;
}

bool FilterRegistry::isEnabled(const MenuItem& item) const {
  if (!item.hasRule || item.rule.action != kAutoEnableMenuItemAction) return true;
  return item.rule.holds(conditions());
}

void FilterRegistry::setConditionSource(std::function<MenuConditions()> source) {
  conditionSource_ = std::move(source);
}

MenuConditions FilterRegistry::conditions() const { return conditionSource_(); }

void FilterRegistry::clear() {
  filters_.clear();
  menuItems_.clear();
}

}  // namespace heart
