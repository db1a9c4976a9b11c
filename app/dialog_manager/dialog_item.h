// One item of a dialog: its kind, id, rectangle and text, its value with the
// range, precision and units of a spin edit, its visibility, enabled state
// and font, the procedures and user data a plug-in gave it, and the list of
// a popup list.
//
// Value policy of spin edits: a spin edit limits every value to its range,
// whether the user types it or a procedure sets it (SetFloatValue and
// SetIntValue clamp alike), so what an item reports always lies inside the
// range it shows. A spin edit that was given an integer range is an integer
// spin edit: it rounds any real value to the nearest integer before limiting
// it. The precision of a real spin edit only decides how many decimal places
// its text shows; the value keeps every digit it was given. Values that are
// not numbers are ignored, and infinities are limited to the largest finite
// real, so an item never holds a value it could not show.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "dialog_manager/item_kind.h"
#include "dialog_manager/item_list.h"
#include "plugin/host/adm_suites.h"

namespace heart {

class Dialog;

class DialogItem {
 public:
  DialogItem(Dialog& dialog, int32_t id, ItemKind kind, const ASRect& bounds);
  DialogItem(const DialogItem&) = delete;
  DialogItem& operator=(const DialogItem&) = delete;

  Dialog& dialog() const { return dialog_; }
  int32_t id() const { return id_; }
  ItemKind kind() const { return kind_; }
  const char* typeName() const { return typeNameOf(kind_); }
  const ASRect& bounds() const { return bounds_; }

  // Value, as a real, an integer or a switch: three views of one value.
  void setFloatValue(double value);
  double floatValue() const { return value_; }
  void setIntValue(int32_t value) { setFloatValue(value); }
  int32_t intValue() const;  // the value rounded to the nearest integer
  void setBooleanValue(bool value) { setFloatValue(value ? 1.0 : 0.0); }
  bool booleanValue() const { return value_ != 0.0; }

  // Range of a spin edit. Changing a bound limits the current value again
  // once the range is a proper one (minimum not above maximum).
  void setMinFloatValue(double value);
  void setMaxFloatValue(double value);
  void setMinIntValue(int32_t value);
  void setMaxIntValue(int32_t value);
  bool isIntegerEdit() const { return kind_ == ItemKind::SpinEdit && integerRange_; }
  // The range that limits the value, if any bound was set.
  std::optional<double> minimum() const;
  std::optional<double> maximum() const;

  // Decimal places a real spin edit shows; -1 until set (then the text shows
  // the value's shortest exact form).
  void setPrecision(int32_t places);
  int32_t precision() const { return precision_; }
  void setUnits(int32_t units) { units_ = units; }
  int32_t units() const { return units_; }

  // The text the item shows: a spin edit shows its value, a popup list its
  // selected entry, every other item the text it was given. Setting the text
  // of a spin edit is typing into it: a number becomes the value (limited as
  // above), anything else leaves the value as it was.
  void setText(std::string text);
  std::string text() const;

  void show(bool visible) { visible_ = visible; }
  bool isVisible() const { return visible_; }
  void enable(bool enabled) { enabled_ = enabled; }
  bool isEnabled() const { return enabled_; }
  void setFont(int32_t font) { font_ = font; }
  int32_t font() const { return font_; }
  // The item of the same dialog whose notification the plug-in was handling
  // when it last set this item's font (a page button marking its caption);
  // null when it set the font outside any notification, or never.
  void setFontSetBy(const DialogItem* item) { fontSetBy_ = item; }
  const DialogItem* fontSetBy() const { return fontSetBy_; }

  void setNotifyProc(ADMItemNotifyProc proc) { notifyProc_ = proc; }
  ADMItemNotifyProc notifyProc() const { return notifyProc_; }
  void setTrackProc(ADMItemTrackProc proc) { trackProc_ = proc; }
  ADMItemTrackProc trackProc() const { return trackProc_; }
  void setUserData(ADMUserData data) { userData_ = data; }
  ADMUserData userData() const { return userData_; }

  // The result the notify procedure answered last time; kept, never shown.
  void setLastNotifyResult(ASErr result) { lastNotifyResult_ = result; }
  ASErr lastNotifyResult() const { return lastNotifyResult_; }

  // The list of a popup list item; null for every other kind.
  ItemList* list() const { return list_.get(); }

 private:
  double limited(double value) const;
  void relimit();

  Dialog& dialog_;
  int32_t id_;
  ItemKind kind_;
  ASRect bounds_;
  std::string text_;
  double value_ = 0.0;
  std::optional<double> minFloat_, maxFloat_;
  std::optional<int32_t> minInt_, maxInt_;
  bool integerRange_ = false;
  int32_t precision_ = -1;
  int32_t units_ = kADMNoUnits;
  bool visible_ = true;
  bool enabled_ = true;
  int32_t font_ = kADMDefaultFont;
  const DialogItem* fontSetBy_ = nullptr;
  ADMItemNotifyProc notifyProc_ = nullptr;
  ADMItemTrackProc trackProc_ = nullptr;
  ADMUserData userData_ = nullptr;
  ASErr lastNotifyResult_ = kNoErr;
  std::unique_ptr<ItemList> list_;
};

}  // namespace heart
