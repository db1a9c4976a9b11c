/* The message records that the host passes to PluginMain, and the basic
 * suite: the host's suite broker, which every message carries.
 *
 * Field order is fixed. On a 32-bit build every field is 32 bits wide and the
 * byte offsets are asserted below; on a 64-bit build the pointer-sized fields
 * widen to pointers and keep their order. */
#ifndef HEART_HOST_MESSAGES_H
#define HEART_HOST_MESSAGES_H

#include "heart_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Callers and selectors, compared only through SPBasicSuite::IsEqual. */
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

/* The basic suite: the three operations, in this order. */
typedef struct SPBasicSuite {
  /* Acquire the suite (name, version) into *suite; "S!Fd" when the host has none. */
  ASErr (*AcquireSuite)(const char* name, ASInt32 version, const void** suite);
  /* Release a suite acquired before. */
  ASErr (*ReleaseSuite)(const char* name, ASInt32 version);
  /* Non-zero when the two zero-terminated strings are equal. */
  ASInt32 (*IsEqual)(const char* token1, const char* token2);
} SPBasicSuite;

/* The common header of every message. */
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

/* "AI Menu" messages: the header and the menu item concerned. */
typedef struct AIMenuMessage {
  SPMessageData d;
  AIMenuItemHandle menuItem;
} AIMenuMessage;

/* "AI Filter" messages. */
typedef struct AIFilterMessage {
  SPMessageData d;
  AIFilterHandle filter;            /* the filter being invoked */
  AIMdMemoryHandle parameters;      /* the stored parameter record, or null */
} AIFilterMessage;

/* The one exported entry point of a plug-in module. */
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
