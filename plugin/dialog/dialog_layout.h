// The options dialog's layout: every item it creates, in creation order, and
// the popup lists' entries; its six pages are in params/dialog_pages.h. The
// procedures find items by the IDs named in params/dialog_items.h.
#pragma once

#include "plugin/host/suites.h"
#include "plugin/params/dialog_items.h"
#include "plugin/params/dialog_pages.h"
#include "plugin/params/field_table.h"

constexpr int kShapeTweakCount = 16;
constexpr int kDialogItemCount = 118;
constexpr ASInt32 kDialogWidth = 530;
constexpr ASInt32 kDialogHeight = 320;
constexpr ASInt32 kFloatPrecision = 2;

enum DialogItemKind : int32_t {
  kSpinEditItem,
  kTextStaticItem,
  kPopupListItem,
  kPicturePushButtonItem,
  kTextPushButtonItem,
  kTextCheckBoxItem,
};

// Which of the dialog's procedures an item is given when it is created.
enum DialogProcedure : int32_t {
  kNoProcedure,
  kValueProcedure,
  kSettingsListProcedure,
  kTumbleProcedure,
  kAdjustProcedure,
  kPageButtonProcedure,
  kHeartPresetProcedure,
  kZoomProcedure,
  kPointPickerProcedure,  // a tracking procedure
};

struct DialogItemLayout {
  ASInt32 id;
  DialogItemKind kind;
  ASRect bounds;
  const char* text;  // null: the item gets no text
  DialogProcedure procedure;
};

// The 118 items in the order the initialisation creates them.
extern const DialogItemLayout kDialogItems[kDialogItemCount];

// The first item created with an ID, or null when none is.
const DialogItemLayout* layoutOfItem(ASInt32 itemId);

struct PopupListLayout {
  ASInt32 item;
  // The procedure set after the list is looked up again while it is filled.
  DialogProcedure procedureWhenFilled;
  const char* const* entries;
  int entryCount;
};

// The four popup lists in the order they are filled: settings, placement,
// heart preset, sketch colour.
constexpr int kPopupListCount = 4;
extern const PopupListLayout kPopupLists[kPopupListCount];

constexpr int kSettingsEntryCount = 27;
constexpr int kPlacementEntryCount = 8;
constexpr int kHeartPresetEntryCount = 9;
constexpr int kSketchColorEntryCount = 12;
