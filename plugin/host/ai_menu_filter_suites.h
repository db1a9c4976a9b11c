/* Menu and filter registration suites. */
#ifndef HEART_HOST_AI_MENU_FILTER_SUITES_H
#define HEART_HOST_AI_MENU_FILTER_SUITES_H

#include "heart_types.h"

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
   * `ifIsTrue` hold and `ifIsNotTrue` do not. 0 means no condition. */
  ASErr (*UpdateMenuItemAutomatically)(AIMenuItemHandle item, ASInt32 action,
                                       ASInt32 ifObjectIsInArtwork, ASInt32 ifObjectIsNotInArtwork,
                                       ASInt32 ifObjectIsSelected, ASInt32 ifObjectIsNotSelected,
                                       ASInt32 ifIsTrue, ASInt32 ifIsNotTrue);
  ASErr (*IsItemEnabled)(AIMenuItemHandle item, ASBoolean* enabled);
} AIMenuSuite;

#define kAIFilterSuite "AI Filter Suite"
#define kAIFilterSuiteVersion 2

/* The menu strings of a filter, both length-prefixed. */
typedef struct PlatformAddFilterData {
  const unsigned char* category;
  const unsigned char* title;
} PlatformAddFilterData;

typedef struct AIFilterSuite {
  ASErr (*AddFilter)(SPPluginRef plugin, const char* name, PlatformAddFilterData* data,
                     ASInt32 options, AIFilterHandle* filter);
  ASErr (*GetFilterMenuItem)(AIFilterHandle filter, AIMenuItemHandle* menuItem);
  ASErr (*GetFilterName)(AIFilterHandle filter, const char** name);
} AIFilterSuite;

#ifdef __cplusplus
}
#endif

#endif
