#include "dialog_manager/dialog_item.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace heart {
namespace {

constexpr int32_t kMostPlaces = 10;
constexpr double kLowestInt = std::numeric_limits<int32_t>::min();
constexpr double kHighestInt = std::numeric_limits<int32_t>::max();

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

std::string shortestText(float value) {
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (error != std::errc()) return {};
  return std::string(buffer, end);
}

}  // namespace

DialogItem::DialogItem(Dialog& dialog, int32_t id, ItemKind kind, const ASRect& bounds)
    : dialog_(dialog), id_(id), kind_(kind), bounds_(bounds) {
  if (kind == ItemKind::PopupList) list_ = std::make_unique<ItemList>(*this);
}

double DialogItem::limited(double value) const {
  if (kind_ != ItemKind::SpinEdit) return std::clamp(value, -double(FLT_MAX), double(FLT_MAX));
  if (integerRange_) {
    double low = minInt_.value_or(std::numeric_limits<int32_t>::min());
    double high = maxInt_.value_or(std::numeric_limits<int32_t>::max());
    value = std::clamp(std::round(value), kLowestInt, kHighestInt);
    if (low <= high) value = std::clamp(value, low, high);
    return value;
  }
  // A real spin edit holds what a real item can: a single-precision value.
  value = static_cast<float>(std::clamp(value, -double(FLT_MAX), double(FLT_MAX)));
  double low = minFloat_.value_or(-FLT_MAX);
  double high = maxFloat_.value_or(FLT_MAX);
  if (low <= high) value = std::clamp(value, low, high);
  return value;
}

void DialogItem::relimit() { value_ = limited(value_); }

void DialogItem::setFloatValue(double value) {
  if (std::isnan(value)) return;
  value_ = limited(value);
}

int32_t DialogItem::intValue() const {
  return static_cast<int32_t>(std::clamp(std::round(value_), kLowestInt, kHighestInt));
}

void DialogItem::setMinFloatValue(double value) {
  if (std::isnan(value)) return;
  minFloat_ = static_cast<float>(std::clamp(value, -double(FLT_MAX), double(FLT_MAX)));
  relimit();
}

void DialogItem::setMaxFloatValue(double value) {
  if (std::isnan(value)) return;
  maxFloat_ = static_cast<float>(std::clamp(value, -double(FLT_MAX), double(FLT_MAX)));
  relimit();
}

void DialogItem::setMinIntValue(int32_t value) {
  minInt_ = value;
  integerRange_ = true;
  relimit();
}

void DialogItem::setMaxIntValue(int32_t value) {
  maxInt_ = value;
  integerRange_ = true;
  relimit();
}

std::optional<double> DialogItem::minimum() const {
  if (integerRange_) return minInt_ ? std::optional<double>(*minInt_) : std::nullopt;
  return minFloat_;
}

std::optional<double> DialogItem::maximum() const {
  if (integerRange_) return maxInt_ ? std::optional<double>(*maxInt_) : std::nullopt;
  return maxFloat_;
}

void DialogItem::setPrecision(int32_t places) { precision_ = std::clamp(places, 0, kMostPlaces); }

void DialogItem::setText(std::string text) {
  if (kind_ != ItemKind::SpinEdit) {
    text_ = std::move(text);
    return;
  }
  const std::string typed = trimmed(text);
  double parsed = 0.0;
  auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), parsed);
  if (typed.empty() || error != std::errc() || end != typed.data() + typed.size()) return;
  setFloatValue(parsed);
}

std::string DialogItem::text() const {
  switch (kind_) {
    case ItemKind::SpinEdit: {
      if (integerRange_) return std::to_string(intValue());
      if (precision_ < 0) return shortestText(static_cast<float>(value_));
      char buffer[512];
      std::snprintf(buffer, sizeof buffer, "%.*f", precision_, value_);
      return buffer;
    }
    case ItemKind::PopupList: {
      const ListEntry* chosen = list_->selected();
      return chosen ? chosen->text : std::string();
    }
    default:
      return text_;
  }
}

}  // namespace heart
