/* Menu and filter registration suites. Calling contexts and ownership are
 * written as suites.h explains.
 *
 * How heart registers its filter at Startup:
 *   GetIndexString(plugin, 16000, 1, category, 65)   "Zelt <Create>"
 *   GetIndexString(plugin, 16000, 2, title, 65)      "Heart..."
 *   both made length-prefixed in place, in the plug-in's own buffers
 *   AddFilter(plugin, "Norv_Heart", {category, title}, 0, &filter)
 *       the host copies the three strings; the buffers may go at once
 *   GetFilterMenuItem(filter, &item)
 *   UpdateMenuItemAutomatically(item, kAutoEnableMenuItemAction,
 *                               0, 0, 0, 0, kIfOpenDocument, 0)
 *       the item is enabled while a document is open
 * From then on every "AI Filter" message for the filter carries the same
 * handle in its filter field, which is how the plug-in knows its filter. */
#ifndef HEART_HOST_AI_MENU_FILTER_SUITES_H
#define HEART_HOST_AI_MENU_FILTER_SUITES_H

#include "plugin/host/heart_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIMenuSuite "AI Menu Suite"
#define kAIMenuSuiteVersion 7

/* Rule actions and conditions of UpdateMenuItemAutomatically. */
enum { kAutoEnableMenuItemAction = 1, kAutoCheckMenuItemAction = 2 };
enum { kIfAnyArt = 1, kIfPathArt = 2, kIfGroupArt = 4 };
enum { kIfOpenDocument = 1, kIfCurrentLayerIsEditable = 2 };

typedef struct AIMenuSuite {
  /* The host enables (action 1) or checks (action 2) the item when the
   * document holds art of the kinds `ifObjectIsInArtwork` and none of
   * `ifObjectIsNotInArtwork`, the selection holds art of `ifObjectIsSelected`
   * and none of `ifObjectIsNotSelected`, and the document conditions
   * `ifIsTrue` hold and `ifIsNotTrue` do not. 0 means no condition. The
   * rule is copied into the item, replacing an earlier one, and the host
   * evaluates it each time it asks whether the item is enabled. Another
   * action, or an item the host did not hand out, answers "PARM".
   * [plug-in, while the suites are held]
   * Heart: Startup, once, for its filter's menu item. */
  ASErr (*UpdateMenuItemAutomatically)(AIMenuItemHandle item, ASInt32 action,
                                       ASInt32 ifObjectIsInArtwork, ASInt32 ifObjectIsNotInArtwork,
                                       ASInt32 ifObjectIsSelected, ASInt32 ifObjectIsNotSelected,
                                       ASInt32 ifIsTrue, ASInt32 ifIsNotTrue);
  /* Whether the item is enabled now, into *enabled: an item without an
   * enabling rule always is.
   * [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*IsItemEnabled)(AIMenuItemHandle item, ASBoolean* enabled);
} AIMenuSuite;

#define kAIFilterSuite "AI Filter Suite"
#define kAIFilterSuiteVersion 2

/* The menu strings of a filter, both length-prefixed: the menu group it
 * goes in and its item's title. The strings are the caller's; AddFilter
 * copies them. */
typedef struct PlatformAddFilterData {
  const unsigned char* category;
  const unsigned char* title;
} PlatformAddFilterData;

typedef struct AIFilterSuite {
  /* Register a filter of the plug-in under `name`, with a menu item of the
   * title in the group; `options` is kept with it. Name and strings are
   * copied; a missing one answers "PARM". *filter receives the host's
   * handle, valid while the filter stays registered: this host never
   * removes a filter, not at Shutdown either, so until the host closes.
   * [plug-in, while the suites are held]
   * Heart: Startup, once, for "Norv_Heart". */
  ASErr (*AddFilter)(SPPluginRef plugin, const char* name, PlatformAddFilterData* data,
                     ASInt32 options, AIFilterHandle* filter);
  /* The menu item the host made for the filter into *menuItem: the host's
   * handle, valid as long as the filter's. "PARM" for a filter the host did
   * not hand out.
   * [plug-in, while the suites are held]
   * Heart: Startup, to give the item its enabling rule. */
  ASErr (*GetFilterMenuItem)(AIFilterHandle filter, AIMenuItemHandle* menuItem);
  /* The name the filter was registered under: *name points at the host's
   * zero-terminated copy, owned by the host and valid as long as the
   * filter's handle. The plug-in must not write or free it. "PARM" for a
   * filter the host did not hand out, leaving *name as it was.
   * [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*GetFilterName)(AIFilterHandle filter, const char** name);
} AIFilterSuite;

#ifdef __cplusplus
}
#endif

#endif
