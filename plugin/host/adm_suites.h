/* Dialog manager suites: indexed strings and alerts, dialogs, items, popup
 * lists and their entries, trackers, notifiers and icons. Calling contexts
 * and ownership are written as suites.h explains.
 *
 * A dialog, its items, their lists and the lists' entries are the host's.
 * Their references are valid while the dialog is open: from the start of
 * its initialisation procedure until Modal returns. A notifier or tracker
 * reference is valid only inside the procedure it was passed to. User data
 * stays the plug-in's: the host hands it back and never reads or frees it.
 *
 * The options dialog, as heart runs it in Get Parameters:
 *   Modal(plugin, "Norv_Heart", 16100, 0, init, record)
 *     host -> init(dialog)                the template's items exist (this
 *                                         template has none)
 *       Size, then CreateItem for each of the 118 items, with its range,
 *       value, text and procedure; InsertEntry for the popup lists
 *       SendNotify(first item of the page) -> the value notifier, nested:
 *       the record is read from the items and a preview drawn
 *     the host shows the dialog; then, for each action of the user:
 *       the host changes the item as the user did (types the value, ticks
 *       the box, chooses the entry), then
 *       host -> the item's notify procedure(item, notifier)
 *       a press over a picker button instead:
 *       host -> the point picker's track procedure(item, tracker), and no
 *       notification
 *     the host's confirming gesture ends it with 1; a press of "Cancel"
 *       (ID 2, a button without a procedure) with 2, by the standard
 *       handling DefaultNotify describes
 *   Modal returns; every reference into the dialog is stale from now on. */
#ifndef HEART_HOST_ADM_SUITES_H
#define HEART_HOST_ADM_SUITES_H

#include "plugin/host/heart_types.h"

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

/* A dialog's initialisation procedure, given to Modal.
 * [host, inside Modal, once: after the template's items are made, before
 * the dialog is shown]
 * A non-zero answer ends the dialog at once, cancelled (Modal answers 2),
 * without showing it. */
typedef ASErr (*ADMDialogInitProc)(ADMDialogRef dialog);
/* An item's initialisation procedure, given to CreateItem.
 * [host, inside CreateItem, once, on the new item]
 * A non-zero answer takes the item away again; CreateItem answers null. */
typedef ASErr (*ADMItemInitProc)(ADMItemRef item);
/* A notify procedure; its result is recorded by the host, never shown.
 * [host, inside Modal: after each change the user makes to the item, and
 * inside SendNotify for the item, nested in the procedure that sent it]
 * The notifier is valid for the call only. */
typedef ASErr (*ADMItemNotifyProc)(ADMItemRef item, ADMNotifierRef notifier);
/* A tracking procedure; answers non-zero when it handled the event.
 * [host, inside Modal, for each press of the user over the item]
 * The host sends the item no notification for the press. The tracker is
 * valid for the call only. */
typedef ASBoolean (*ADMItemTrackProc)(ADMItemRef item, ADMTrackerRef tracker);

#define kADMBasicSuite "ADM Basic Suite"
#define kADMBasicSuiteVersion 2

typedef struct ADMBasicSuite {
  /* Read string `index` of the plug-in's string list `listId` into buffer
   * (zero-terminated, at most bufferSize - 1 characters). An index past the
   * end of the list yields the empty string.
   * A longer string is cut to fit; a list the module does not carry yields
   * the empty string too. "PARM" (an empty buffer) for a plug-in the host
   * does not know or a missing buffer.
   * [plug-in, while the suites are held]
   * Heart: Startup, for the menu strings (list 16000); the error alert, for
   * its table (list 16050). */
  ASErr (*GetIndexString)(SPPluginRef plugin, ASInt32 listId, ASInt32 index, char* buffer,
                          ASInt32 bufferSize);
  /* A plain message alert with an OK button.
   * It returns once the alert is done with (this host records the text and
   * returns at once). The text is copied.
   * [plug-in, while the suite is held]
   * Heart: the suite table, when a suite after this one cannot be
   * acquired. */
  void (*MessageAlert)(const char* text);
  /* [plug-in, while the suite is held]
   * Heart: never. */
  void (*Beep)(void);
} ADMBasicSuite;

#define kADMDialogSuite "ADM Dialog Suite"
#define kADMDialogSuiteVersion 3

typedef struct ADMDialogSuite {
  /* Run the plug-in's dialog resource `dialogId` modally; returns the id of
   * the item that ended it (1 for the host's confirming gesture).
   * -1 when the dialog cannot open: the plug-in has no such resource, or 16
   * dialogs are open already. The name (null or empty: the template's) is
   * copied; this host does not use the options. data is the plug-in's user
   * data for the dialog and must stay valid until Modal returns. Everything
   * the dialog does runs inside this call: the initialisation procedure,
   * then the procedures of its items as the user acts; a procedure may run
   * another modal dialog, nested.
   * [plug-in, while the suites are held]
   * Heart: Get Parameters (the options dialog, with the record as data),
   * the error alert (with its texts as data) and About (no data). */
  ASInt32 (*Modal)(SPPluginRef plugin, const char* name, ASInt32 dialogId, ASInt32 options,
                   ADMDialogInitProc initProc, ADMUserData data);
  /* End a modal dialog with the given result.
   * The dialog closes once the procedure that ends it has returned, and
   * Modal answers modalResult. The first ending of a dialog wins.
   * [plug-in, inside the modal dialog]
   * Heart: never; its dialogs end through DefaultNotify. */
  void (*EndModal)(ADMDialogRef dialog, ASInt32 modalResult, ASBoolean cancelling);
  /* The first item created with the id, or null.
   * [plug-in, inside the modal dialog]
   * Heart: every dialog procedure finds its items so. */
  ADMItemRef (*GetItem)(ADMDialogRef dialog, ASInt32 itemId);
  /* The user data given to Modal or to SetUserData; null for a dialog the
   * host does not know.
   * [plug-in, inside the modal dialog]
   * Heart: every procedure of the options dialog, for the record, and the
   * error alert's initialisation, for its texts. */
  ADMUserData (*GetUserData)(ADMDialogRef dialog);
  /* [plug-in, inside the modal dialog]
   * Heart: never. */
  void (*SetUserData)(ADMDialogRef dialog, ADMUserData data);
  /* The dialog's size in pixels; a negative side counts as 0.
   * [plug-in, inside the modal dialog]
   * Heart: the options dialog's initialisation. */
  void (*Size)(ADMDialogRef dialog, ASInt32 width, ASInt32 height);
  /* Create an item of a host type; the rectangle is (left, top, right, bottom)
   * with the origin at the dialog's top left.
   * itemType is one of the type names above; another answers null. Type
   * name and rectangle are read during the call; data is the item's user
   * data, kept and never read. initProc, when given, runs before CreateItem
   * returns. The item is the host's, valid while the dialog is open.
   * [plug-in, inside the modal dialog]
   * Heart: the options dialog's initialisation, for each of its 118 items,
   * without an initialisation procedure or data. */
  ADMItemRef (*CreateItem)(ADMDialogRef dialog, ASInt32 itemId, const char* itemType,
                           const ASRect* bounds, ADMItemInitProc initProc, ADMUserData data);
} ADMDialogSuite;

#define kADMItemSuite "ADM Item Suite"
#define kADMItemSuiteVersion 4

/* Every operation takes an item of an open dialog; an item the host does not
 * know (one of a closed dialog) is ignored, and an operation that answers a
 * value answers null, 0 or false for it. */
typedef struct ADMItemSuite {
  /* The dialog that holds the item.
   * [plug-in, inside the item's modal dialog]
   * Heart: every procedure of the options dialog, to reach the record. */
  ADMDialogRef (*GetDialog)(ADMItemRef item);
  /* [plug-in, inside the item's modal dialog]
   * Heart: never; its procedures compare items with GetItem's answers. */
  ASInt32 (*GetID)(ADMItemRef item);

  /* The procedure the host calls when the item is notified; null gives the
   * standard handling back. The procedure must stay in memory while the
   * dialog is open.
   * [plug-in, inside the item's modal dialog]
   * Heart: the options dialog's initialisation, and the initialisation of
   * the error alert and the about box for their OK buttons. */
  void (*SetNotifyProc)(ADMItemRef item, ADMItemNotifyProc proc);
  /* The host's standard handling of a notification: a push button with id 1
   * or 2 ends a modal dialog with its id; other items need nothing more.
   * Only the user's change (or a null notifier) is handled so; other kinds
   * of notification need nothing.
   * [plug-in, inside the item's notify procedure, with the notifier it was
   * passed]
   * Heart: the notify procedures call it first; the OK buttons of the error
   * alert and the about box call nothing else. */
  void (*DefaultNotify)(ADMItemRef item, ADMNotifierRef notifier);
  /* Send a notification of the named type; runs the item's notify procedure,
   * or the standard handling when it has none, before SendNotify returns. A
   * null type is the user's change; the type is read during the call.
   * [plug-in, inside the item's modal dialog]
   * Heart: re-notifying the current page after a change of the record, and
   * the heart preset list, which notifies the first shape tweak. */
  void (*SendNotify)(ADMItemRef item, const char* notifierType);

  /* The procedure the host calls for a press over the item; null gives the
   * standard tracking back. The procedure must stay in memory while the
   * dialog is open.
   * [plug-in, inside the item's modal dialog]
   * Heart: the options dialog's initialisation, for the picker buttons. */
  void (*SetTrackProc)(ADMItemRef item, ADMItemTrackProc proc);
  /* The host's standard tracking of the current event: it handles every
   * press, so it answers non-zero.
   * [plug-in, inside the item's track procedure, with the tracker it was
   * passed]
   * Heart: the point picker calls it first. */
  ASBoolean (*DefaultTrack)(ADMItemRef item, ADMTrackerRef tracker);

  /* The units a spin edit shows its value in; kept as given.
   * [plug-in, inside the item's modal dialog]
   * Heart: the options dialog's initialisation, with no units. */
  void (*SetUnits)(ADMItemRef item, ASInt32 units);
  /* Decimal places (limited to 0 to 10) a real spin edit's text shows; the
   * value keeps every digit it is given.
   * [plug-in, inside the item's modal dialog]
   * Heart: the options dialog's initialisation. */
  void (*SetPrecision)(ADMItemRef item, ASInt32 places);
  /* A spin edit's range. Setting a bound limits the value again at once,
   * once the minimum is not above the maximum. An integer bound makes an
   * integer spin edit, which rounds every value to the nearest integer.
   * [plug-in, inside the item's modal dialog]
   * Heart: the options dialog's initialisation, from the record's field
   * table: real bounds for real fields, integer bounds for the others. */
  void (*SetMinFloatValue)(ADMItemRef item, AIReal value);
  void (*SetMaxFloatValue)(ADMItemRef item, AIReal value);
  void (*SetMinIntValue)(ADMItemRef item, ASInt32 value);
  void (*SetMaxIntValue)(ADMItemRef item, ASInt32 value);
  /* A spin edit limits every value, set by the user or by a procedure, to
   * its range. Real, integer and switch are three views of one value: a
   * switch is on when the value is not 0, an integer is the value rounded.
   * A value that is not a number is ignored.
   * [plug-in, inside the item's modal dialog]
   * Heart: the setters where the record is written into the items (at
   * initialisation, and after presets, random shapes and the point picker);
   * the getters where the value notifier reads the items back, and the zoom
   * item. */
  void (*SetFloatValue)(ADMItemRef item, AIReal value);
  AIReal (*GetFloatValue)(ADMItemRef item);
  void (*SetIntValue)(ADMItemRef item, ASInt32 value);
  ASInt32 (*GetIntValue)(ADMItemRef item);
  void (*SetBooleanValue)(ADMItemRef item, ASBoolean value);
  ASBoolean (*GetBooleanValue)(ADMItemRef item);

  /* The text the item shows, copied. A spin edit takes it as typed: a
   * number becomes its value, other text leaves the value.
   * [plug-in, inside the item's modal dialog]
   * Heart: the options dialog's initialisation, for labels and captions;
   * the error alert's, for its message and code. */
  void (*SetText)(ADMItemRef item, const char* text);
  /* Copy the item's text into buffer, zero-terminated: a spin edit's value,
   * a popup list's selected entry, another item's text. A text that does not
   * fit is cut.
   * [plug-in, inside the item's modal dialog]
   * Heart: never. */
  void (*GetText)(ADMItemRef item, char* buffer, ASInt32 bufferSize);
  /* [plug-in, inside the item's modal dialog]
   * Heart: the options dialog's initialisation hides the items of pages 2
   * to 6; the page buttons show one page's items and hide the others'. */
  void (*Show)(ADMItemRef item, ASBoolean show);
  /* [plug-in, inside the item's modal dialog]
   * Heart: never. */
  ASBoolean (*IsVisible)(ADMItemRef item);
  /* A disabled or hidden item takes no action of the user.
   * [plug-in, inside the item's modal dialog]
   * Heart: the value notifier, for the items that depend on others. */
  void (*Enable)(ADMItemRef item, ASBoolean enable);
  /* [plug-in, inside the item's modal dialog]
   * Heart: never. */
  ASBoolean (*IsEnabled)(ADMItemRef item);
  /* [plug-in, inside the item's modal dialog]
   * Heart: the page buttons, marking the chosen page's caption. */
  void (*SetFont)(ADMItemRef item, ASInt32 font);
  /* [plug-in, inside the item's modal dialog]
   * Heart: never. */
  ASInt32 (*GetFont)(ADMItemRef item);
  /* The list of a popup list item; null for other items. The list is the
   * host's, valid while the dialog is open.
   * [plug-in, inside the item's modal dialog]
   * Heart: filling the lists at initialisation, and reading and selecting
   * their entries. */
  ADMListRef (*GetList)(ADMItemRef item);
} ADMItemSuite;

#define kADMListSuite "ADM List Suite"
#define kADMListSuiteVersion 1

/* Entries are the host's, valid while their dialog is open; a list the
 * host does not know answers null or 0. */
typedef struct ADMListSuite {
  /* A new entry at position index (later entries move down).
   * The entry is unselected, with no text and ID 0; an index outside 0 to
   * the number of entries appends it.
   * [plug-in, inside the list's modal dialog]
   * Heart: the options dialog's initialisation, filling its four lists. */
  ADMEntryRef (*InsertEntry)(ADMListRef list, ASInt32 index);
  /* The entry at a position, or null.
   * [plug-in, inside the list's modal dialog]
   * Heart: selecting the entry a record's value names. */
  ADMEntryRef (*IndexEntry)(ADMListRef list, ASInt32 index);
  /* [plug-in, inside the list's modal dialog]
   * Heart: never. */
  ASInt32 (*NumberOfEntries)(ADMListRef list);
  /* The selected entry, or null when none is selected.
   * [plug-in, inside the list's modal dialog]
   * Heart: the value notifier and the settings list, reading a list's
   * value. */
  ADMEntryRef (*GetSelectedEntry)(ADMListRef list);
  /* The entry the user last chose; for a popup list, the selected one.
   * [plug-in, inside the list's modal dialog]
   * Heart: the heart preset list. */
  ADMEntryRef (*GetActiveEntry)(ADMListRef list);
} ADMListSuite;

#define kADMEntrySuite "ADM Entry Suite"
#define kADMEntrySuiteVersion 2

/* An entry the host does not know is ignored (null, 0 or false). */
typedef struct ADMEntrySuite {
  /* The text the entry shows, copied.
   * [plug-in, inside the entry's modal dialog]
   * Heart: the options dialog's initialisation. */
  void (*SetText)(ADMEntryRef entry, const char* text);
  /* The entry's text into the caller's buffer, zero-terminated; a text that
   * does not fit is cut.
   * [plug-in, inside the entry's modal dialog]
   * Heart: never. */
  void (*GetText)(ADMEntryRef entry, char* buffer, ASInt32 bufferSize);
  /* [plug-in, inside the entry's modal dialog]
   * Heart: the options dialog's initialisation gives each entry its
   * position as ID. */
  void (*SetID)(ADMEntryRef entry, ASInt32 entryId);
  /* [plug-in, inside the entry's modal dialog]
   * Heart: reading a list's value, which is its selected entry's ID. */
  ASInt32 (*GetID)(ADMEntryRef entry);
  /* Selecting an entry of a popup list deselects the others.
   * Deselecting leaves the list with none selected.
   * [plug-in, inside the entry's modal dialog]
   * Heart: showing a record's value in a list. */
  void (*Select)(ADMEntryRef entry, ASBoolean select);
  /* [plug-in, inside the entry's modal dialog]
   * Heart: never. */
  ASBoolean (*IsSelected)(ADMEntryRef entry);
} ADMEntrySuite;

#define kADMTrackerSuite "ADM Tracker Suite"
#define kADMTrackerSuiteVersion 1

/* A tracker is valid only inside the track procedure it was passed to; a
 * tracker the host does not know answers 0 and the point (0, 0). */
typedef struct ADMTrackerSuite {
  /* A null tracker means the event being tracked now. The modifier flags
   * above; kADMButtonUpFlag marks a completed click.
   * [plug-in, inside a track procedure]
   * Heart: the point picker, with the null tracker, to take only completed
   * clicks. */
  ASInt32 (*GetModifiers)(ADMTrackerRef tracker);
  /* The event's point in the front document view's coordinates.
   * Written into the caller's *point.
   * [plug-in, inside a track procedure]
   * Heart: the point picker, with the null tracker. */
  void (*GetPoint)(ADMTrackerRef tracker, ASPoint* point);
} ADMTrackerSuite;

#define kADMNotifierSuite "ADM Notifier Suite"
#define kADMNotifierSuiteVersion 1

/* A notifier is valid only inside the notify procedure it was passed to; a
 * notifier the host does not know answers null or 0. */
typedef struct ADMNotifierSuite {
  /* The item notified.
   * [plug-in, inside a notify procedure]
   * Heart: never; the suite is held only. */
  ADMItemRef (*GetItem)(ADMNotifierRef notifier);
  /* Non-zero when the notification is of the named type. The type is read
   * during the call.
   * [plug-in, inside a notify procedure]
   * Heart: never; the suite is held only. */
  ASBoolean (*IsNotifierType)(ADMNotifierRef notifier, const char* notifierType);
} ADMNotifierSuite;

#define kADMIconSuite "ADM Icon Suite"
#define kADMIconSuiteVersion 1

typedef struct ADMIconSuite {
  /* An icon from the plug-in's resources, or null.
   * The icon is the host's, valid as long as the host runs: asking again
   * answers the same icon. The plug-in never frees it.
   * [plug-in, while the suites are held]
   * Heart: never; the suite is held only. */
  ADMIconRef (*GetFromResource)(SPPluginRef plugin, ASInt32 iconId);
  /* The icon's size in pixels; 0 by 0 for an icon the host does not know.
   * Either pointer may be null.
   * [plug-in, while the suites are held]
   * Heart: never; the suite is held only. */
  void (*GetSize)(ADMIconRef icon, ASInt32* width, ASInt32* height);
} ADMIconSuite;

#ifdef __cplusplus
}
#endif

#endif
