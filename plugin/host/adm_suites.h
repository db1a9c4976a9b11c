/* Dialog manager suites: indexed strings and alerts, dialogs, items, popup
 * lists and their entries, trackers, notifiers and icons. */
#ifndef HEART_HOST_ADM_SUITES_H
#define HEART_HOST_ADM_SUITES_H

#include "heart_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Item type names. */
#define kADMSpinEditType "ADM Spin Edit Type"
#define kADMTextStaticType "ADM Text Static Type"
#define kADMPopupListType "ADM Popup List Type"
#define kADMPicturePushButtonType "ADM Picture Push Button Type"
#define kADMTextPushButtonType "ADM Text Push Button Type"
#define kADMTextCheckBoxType "ADM Text Check Box Type"
#define kADMDefaultPushButtonType "ADM Default Push Button Type"
#define kADMFrameType "ADM Frame Type"

/* Notification types. */
#define kADMUserChangedNotifier "ADM User Changed Notifier"

/* Units and fonts. */
enum { kADMNoUnits = 0, kADMPointUnits = 1 };
enum { kADMDefaultFont = 0, kADMEmphasizedFont = 5 };

/* Tracker modifier flags. 0x20 marks a press that the user released over the
 * item: a completed click. */
enum { kADMShiftKeyFlag = 0x01, kADMControlKeyFlag = 0x02, kADMButtonUpFlag = 0x20 };

/* Results of a modal dialog. */
enum { kADMOKResult = 1, kADMCancelResult = 2 };

typedef ASErr (*ADMDialogInitProc)(ADMDialogRef dialog);
typedef ASErr (*ADMItemInitProc)(ADMItemRef item);
/* A notify procedure; its result is recorded by the host, never shown. */
typedef ASErr (*ADMItemNotifyProc)(ADMItemRef item, ADMNotifierRef notifier);
/* A tracking procedure; answers non-zero when it handled the event. */
typedef ASBoolean (*ADMItemTrackProc)(ADMItemRef item, ADMTrackerRef tracker);

#define kADMBasicSuite "ADM Basic Suite"
#define kADMBasicSuiteVersion 2

typedef struct ADMBasicSuite {
  /* Read string `index` of the plug-in's string list `listId` into buffer
   * (zero-terminated, at most bufferSize - 1 characters). An index past the
   * end of the list yields the empty string. */
  ASErr (*GetIndexString)(SPPluginRef plugin, ASInt32 listId, ASInt32 index, char* buffer,
                          ASInt32 bufferSize);
  /* A plain message alert with an OK button. */
  void (*MessageAlert)(const char* text);
  void (*Beep)(void);
} ADMBasicSuite;

#define kADMDialogSuite "ADM Dialog Suite"
#define kADMDialogSuiteVersion 3

typedef struct ADMDialogSuite {
  /* Run the plug-in's dialog resource `dialogId` modally; returns the id of
   * the item that ended it (1 for the host's confirming gesture). */
  ASInt32 (*Modal)(SPPluginRef plugin, const char* name, ASInt32 dialogId, ASInt32 options,
                   ADMDialogInitProc initProc, ADMUserData data);
  /* End a modal dialog with the given result. */
  void (*EndModal)(ADMDialogRef dialog, ASInt32 modalResult, ASBoolean cancelling);
  /* The first item created with the id, or null. */
  ADMItemRef (*GetItem)(ADMDialogRef dialog, ASInt32 itemId);
  ADMUserData (*GetUserData)(ADMDialogRef dialog);
  void (*SetUserData)(ADMDialogRef dialog, ADMUserData data);
  void (*Size)(ADMDialogRef dialog, ASInt32 width, ASInt32 height);
  /* Create an item of a host type; the rectangle is (left, top, right, bottom)
   * with the origin at the dialog's top left. */
  ADMItemRef (*CreateItem)(ADMDialogRef dialog, ASInt32 itemId, const char* itemType,
                           const ASRect* bounds, ADMItemInitProc initProc, ADMUserData data);
} ADMDialogSuite;

#define kADMItemSuite "ADM Item Suite"
#define kADMItemSuiteVersion 4

typedef struct ADMItemSuite {
  ADMDialogRef (*GetDialog)(ADMItemRef item);
  ASInt32 (*GetID)(ADMItemRef item);

  void (*SetNotifyProc)(ADMItemRef item, ADMItemNotifyProc proc);
  /* The host's standard handling of a notification: a push button with id 1
   * or 2 ends a modal dialog with its id; other items need nothing more. */
  void (*DefaultNotify)(ADMItemRef item, ADMNotifierRef notifier);
  /* Send a notification of the named type; runs the item's notify procedure,
   * or the standard handling when it has none. */
  void (*SendNotify)(ADMItemRef item, const char* notifierType);

  void (*SetTrackProc)(ADMItemRef item, ADMItemTrackProc proc);
  /* The host's standard tracking of the current event. */
  ASBoolean (*DefaultTrack)(ADMItemRef item, ADMTrackerRef tracker);

  void (*SetUnits)(ADMItemRef item, ASInt32 units);
  void (*SetPrecision)(ADMItemRef item, ASInt32 places);
  void (*SetMinFloatValue)(ADMItemRef item, AIReal value);
  void (*SetMaxFloatValue)(ADMItemRef item, AIReal value);
  void (*SetMinIntValue)(ADMItemRef item, ASInt32 value);
  void (*SetMaxIntValue)(ADMItemRef item, ASInt32 value);
  /* A spin edit limits every value, set by the user or by a procedure, to
   * its range. */
  void (*SetFloatValue)(ADMItemRef item, AIReal value);
  AIReal (*GetFloatValue)(ADMItemRef item);
  void (*SetIntValue)(ADMItemRef item, ASInt32 value);
  ASInt32 (*GetIntValue)(ADMItemRef item);
  void (*SetBooleanValue)(ADMItemRef item, ASBoolean value);
  ASBoolean (*GetBooleanValue)(ADMItemRef item);

  void (*SetText)(ADMItemRef item, const char* text);
  /* Copy the item's text into buffer, zero-terminated. */
  void (*GetText)(ADMItemRef item, char* buffer, ASInt32 bufferSize);
  void (*Show)(ADMItemRef item, ASBoolean show);
  ASBoolean (*IsVisible)(ADMItemRef item);
  void (*Enable)(ADMItemRef item, ASBoolean enable);
  ASBoolean (*IsEnabled)(ADMItemRef item);
  void (*SetFont)(ADMItemRef item, ASInt32 font);
  ASInt32 (*GetFont)(ADMItemRef item);
  /* The list of a popup list item; null for other items. */
  ADMListRef (*GetList)(ADMItemRef item);
} ADMItemSuite;

#define kADMListSuite "ADM List Suite"
#define kADMListSuiteVersion 1

typedef struct ADMListSuite {
  /* A new entry at position index (later entries move down). */
  ADMEntryRef (*InsertEntry)(ADMListRef list, ASInt32 index);
  /* The entry at a position, or null. */
  ADMEntryRef (*IndexEntry)(ADMListRef list, ASInt32 index);
  ASInt32 (*NumberOfEntries)(ADMListRef list);
  /* The selected entry, or null when none is selected. */
  ADMEntryRef (*GetSelectedEntry)(ADMListRef list);
  /* The entry the user last chose; for a popup list, the selected one. */
  ADMEntryRef (*GetActiveEntry)(ADMListRef list);
} ADMListSuite;

#define kADMEntrySuite "ADM Entry Suite"
#define kADMEntrySuiteVersion 2

typedef struct ADMEntrySuite {
  void (*SetText)(ADMEntryRef entry, const char* text);
  void (*GetText)(ADMEntryRef entry, char* buffer, ASInt32 bufferSize);
  void (*SetID)(ADMEntryRef entry, ASInt32 entryId);
  ASInt32 (*GetID)(ADMEntryRef entry);
  /* Selecting an entry of a popup list deselects the others. */
  void (*Select)(ADMEntryRef entry, ASBoolean select);
  ASBoolean (*IsSelected)(ADMEntryRef entry);
} ADMEntrySuite;

#define kADMTrackerSuite "ADM Tracker Suite"
#define kADMTrackerSuiteVersion 1

typedef struct ADMTrackerSuite {
  /* A null tracker means the event being tracked now. */
  ASInt32 (*GetModifiers)(ADMTrackerRef tracker);
  /* The event's point in the front document view's coordinates. */
  void (*GetPoint)(ADMTrackerRef tracker, ASPoint* point);
} ADMTrackerSuite;

#define kADMNotifierSuite "ADM Notifier Suite"
#define kADMNotifierSuiteVersion 1

typedef struct ADMNotifierSuite {
  ADMItemRef (*GetItem)(ADMNotifierRef notifier);
  /* Non-zero when the notification is of the named type. */
  ASBoolean (*IsNotifierType)(ADMNotifierRef notifier, const char* notifierType);
} ADMNotifierSuite;

#define kADMIconSuite "ADM Icon Suite"
#define kADMIconSuiteVersion 1

typedef struct ADMIconSuite {
  /* An icon from the plug-in's resources, or null. */
  ADMIconRef (*GetFromResource)(SPPluginRef plugin, ASInt32 iconId);
  void (*GetSize)(ADMIconRef icon, ASInt32* width, ASInt32* height);
} ADMIconSuite;

#ifdef __cplusplus
}
#endif

#endif
