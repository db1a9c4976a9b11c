/* The message records that the host passes to PluginMain, and the basic
 * suite: the host's suite broker, which every message carries.
 *
 * Field order is fixed. On a 32-bit build every field is 32 bits wide and the
 * byte offsets are asserted below; on a 64-bit build the pointer-sized fields
 * widen to pointers and keep their order.
 *
 * A plug-in's life in messages, as the host sends them (calling contexts and
 * ownership are written as suites.h explains):
 *
 *   "SP Interface"/"Startup"      first, once. Heart allocates its globals
 *                                 block and adds its filter.
 *   "AI Filter"/"AI Get Parameters"
 *                                 the user chose the filter. The record
 *                                 handle is null on first use; heart
 *                                 allocates one, runs its options dialog
 *                                 (the dialog's procedures and previews run
 *                                 inside this message) and answers 0 to go
 *                                 on or "STOP" for a cancel.
 *   "AI Filter"/"AI Go"           after a Get Parameters that answered 0, or
 *                                 alone to repeat the filter with the stored
 *                                 record. Heart draws the hearts.
 *   "SP Interface"/"About"        whenever the user asks.
 *   "SP Access"/"Unload", later "Reload"
 *                                 the module leaves memory between the two;
 *                                 the host keeps globalsSlot meanwhile. No
 *                                 suite is held for these.
 *   "SP Interface"/"Shutdown"     last, once, also after a failed Startup.
 *
 * The plug-in changes the document only through the suites. A filter
 * invocation (Get Parameters and the Go after it) is one undoable step,
 * whose changes so far "AI Undo Suite" can discard. */
#ifndef HEART_HOST_MESSAGES_H
#define HEART_HOST_MESSAGES_H

#include "plugin/host/heart_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Callers and selectors: the host's strings, compared only through
 * SPBasicSuite::IsEqual. "AI Menu" messages are for menu items a plug-in
 * added itself; heart adds none, and answers "AI Go" with "!sel" and any
 * other menu selector with 0. */
#define kSPAccessCaller "SP Access"
#define kSPAccessUnloadSelector "Unload"
#define kSPAccessReloadSelector "Reload"
#define kSPInterfaceCaller "SP Interface"
#define kSPInterfaceStartupSelector "Startup"
#define kSPInterfaceAboutSelector "About"
#define kSPInterfaceShutdownSelector "Shutdown"
#define kCallerAIMenu "AI Menu"
#define kSelectorAIGoMenuItem "AI Go"
#define kSelectorAIUpdateMenuItem "AI Update"
#define kCallerAIFilter "AI Filter"
#define kSelectorAIGetFilterParameters "AI Get Parameters"
#define kSelectorAIGoFilter "AI Go"

/* The basic suite: the three operations, in this order. The suite is the
 * host's; the plug-in may keep the pointer from Startup to Shutdown (heart
 * keeps the Startup message's in its globals block). */
typedef struct SPBasicSuite {
  /* Acquire the suite (name, version) into *suite; "S!Fd" when the host has
   * none, leaving *suite as it was. The table *suite points at is the
   * host's, valid until the matching ReleaseSuite; the plug-in must not
   * write to it. Acquisitions are counted: each needs its own release.
   * [plug-in, during any message]
   * Heart: the suite table acquires all 31 suites as a message begins
   * (except "SP Access" messages); Shutdown acquires "SP Blocks Suite" on its
   * own. */
  ASErr (*AcquireSuite)(const char* name, ASInt32 version, const void** suite);
  /* Release a suite acquired before; "S!Fd" for a suite not held.
   * [plug-in, during any message, after the matching AcquireSuite]
   * Heart: the suite table releases all 31 as the message ends, in the
   * order it acquired them, stopping at the first refusal. */
  ASErr (*ReleaseSuite)(const char* name, ASInt32 version);
  /* Non-zero when the two zero-terminated strings are equal; 0 when either
   * is null.
   * [plug-in, during any message, "SP Access" ones included]
   * Heart: the dispatch compares every caller and selector with it. */
  ASInt32 (*IsEqual)(const char* token1, const char* token2);
} SPBasicSuite;

/* The common header of every message. The record is the host's and lives
 * for the call of PluginMain only; the plug-in must not keep a pointer to
 * it. The plug-in writes no field but globalsSlot and, in filter messages,
 * parameters.
 * - pluginRef: the host's reference to the module, the same in every
 *   message to it, across Unload and Reload; the plug-in may keep it.
 * - globalsSlot: the plug-in's own pointer. The host puts in every message
 *   what the plug-in left in the previous one and never follows it. Heart
 *   stores its globals block at Unload, takes it back at Reload and clears
 *   the slot at Shutdown.
 * - basicSuite: the host's, never null; see SPBasicSuite. */
typedef struct SPMessageData {
  ASInt32 hostWord;         /* the host's own; never read by the plug-in */
  SPPluginRef pluginRef;    /* passed back to operations that ask which plug-in calls */
  void* globalsSlot;        /* kept by the host while the module is unloaded */
  SPBasicSuite* basicSuite; /* the host's suite broker */
} SPMessageData;

/* "SP Access" and "SP Interface" messages carry only the header. */
typedef struct SPAccessMessage {
  SPMessageData d;
} SPAccessMessage;

typedef struct SPInterfaceMessage {
  SPMessageData d;
} SPInterfaceMessage;

/* "AI Menu" messages: the header and the menu item concerned, a host handle
 * valid while the item's filter stays registered. */
typedef struct AIMenuMessage {
  SPMessageData d;
  AIMenuItemHandle menuItem;
} AIMenuMessage;

/* "AI Filter" messages.
 * - filter: the host's handle of the filter invoked, as AddFilter gave it
 *   (null when the plug-in registered none).
 * - parameters: the host's handle to the record it stores with the filter,
 *   or null before the first record exists. The plug-in may store here a
 *   handle it allocated with "AI MdMemory Suite" (heart: Get Parameters);
 *   the host then keeps that one with the filter and hands it back in every
 *   later filter message. The handle stays the host's: the plug-in must not
 *   dispose it, and the host does not take a handle it did not allocate. */
typedef struct AIFilterMessage {
  SPMessageData d;
  AIFilterHandle filter;            /* the filter being invoked */
  AIMdMemoryHandle parameters;      /* the stored parameter record, or null */
} AIFilterMessage;

/* The one exported entry point of a plug-in module, "PluginMain".
 * [host, on its thread, one message at a time]
 * caller and selector are the host's strings and message its record (one of
 * the records above, by caller), all valid for the call only. Answers 0 or
 * a failure code; "STOP" for a cancelled Get Parameters. */
typedef ASErr (*SPPluginEntryProc)(const char* caller, const char* selector, void* message);

#if UINTPTR_MAX == 0xFFFFFFFFu
HEART_STATIC_ASSERT(offsetof(SPMessageData, pluginRef) == 4, "pluginRef at 4");
HEART_STATIC_ASSERT(offsetof(SPMessageData, globalsSlot) == 8, "globalsSlot at 8");
HEART_STATIC_ASSERT(offsetof(SPMessageData, basicSuite) == 12, "basicSuite at 12");
HEART_STATIC_ASSERT(offsetof(AIFilterMessage, filter) == 16, "filterHandle at 16");
HEART_STATIC_ASSERT(offsetof(AIFilterMessage, parameters) == 20, "parameterHandle at 20");
#endif

#ifdef __cplusplus
}
#endif

#endif
