// The options dialog's layout: every item it creates, in creation order, the
// six pages with their buttons, captions and items, and the popup lists'
// entries. The procedures find items by the IDs named here.
#pragma once

#include "host/suites.h"
#include "params/dialog_items.h"
#include "params/field_table.h"

constexpr int kShapeTweakCount = 16;
constexpr int kPageCount = 6;
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

struct DialogPage {
  const char* caption;
  ASInt32 button;
  ASInt32 captionItem;
  ASInt32 firstItem;  // notified to re-read the dialog when the page opens
  const ASInt32* items;
  int itemCount;
};

// Pages 1 to 6 at indexes 0 to 5.
extern const DialogPage kPages[kPageCount];

// The page for a stored page number: 1 to 6, any other number counts as 1.
const DialogPage& pageFor(int32_t pageNumber);

// The page (1 to 6) an item belongs to, or 0 for the always-shown items.
int pageOfItem(ASInt32 itemId);

// The record field shown by an item, or null for items that show none.
const FieldInfo* fieldForItem(ASInt32 itemId);

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
