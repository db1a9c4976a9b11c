// "ADM Icon Suite": icons from a plug-in's resources.
#include "dialog_manager/dialog_suites.h"
#include "dialog_manager/suite_access.h"

namespace heart {
namespace {

using namespace suite_access;

ADMIconRef GetFromResource(SPPluginRef plugin, ASInt32 iconId) {
  DialogManager* dialogs = manager();
  return dialogs ? toRef(dialogs->iconFromResource(plugin, iconId)) : nullptr;
}

void GetSize(ADMIconRef ref, ASInt32* width, ASInt32* height) {
  DialogManager* dialogs = manager();
  const DialogIcon* icon = dialogs ? dialogs->iconOf(ref) : nullptr;
  if (width) *width = icon ? icon->width : 0;
  if (height) *height = icon ? icon->height : 0;
}

const ADMIconSuite kSuite = {
    .GetFromResource = GetFromResource,
    .GetSize = GetSize,
};

}  // namespace

const ADMIconSuite& admIconSuite() { return kSuite; }

}  // namespace heart
