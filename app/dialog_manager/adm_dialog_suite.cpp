// "ADM Dialog Suite": modal runs, item look-up and creation, size and user data.
#include "dialog_manager/dialog_suites.h"
#include "dialog_manager/suite_access.h"

namespace heart {
namespace {

using namespace suite_access;

ASInt32 Modal(SPPluginRef plugin, const char* name, ASInt32 dialogId, ASInt32 options,
              ADMDialogInitProc initProc, ADMUserData data) {
  DialogManager* dialogs = manager();
  if (!dialogs) return DialogManager::kNoDialogResult;
  return dialogs->runModal(plugin, name, dialogId, options, initProc, data);
}

void EndModal(ADMDialogRef ref, ASInt32 modalResult, ASBoolean cancelling) {
  if (Dialog* found = dialog(ref)) manager()->endModal(*found, modalResult, cancelling != 0);
}

ADMItemRef GetItem(ADMDialogRef ref, ASInt32 itemId) {
  Dialog* found = dialog(ref);
  return found ? toRef(found->firstItem(itemId)) : nullptr;
}

ADMUserData GetUserData(ADMDialogRef ref) {
  Dialog* found = dialog(ref);
  return found ? found->userData() : nullptr;
}

void SetUserData(ADMDialogRef ref, ADMUserData data) {
  if (Dialog* found = dialog(ref)) found->setUserData(data);
}

void Size(ADMDialogRef ref, ASInt32 width, ASInt32 height) {
  if (Dialog* found = dialog(ref)) found->setSize(width, height);
}

ADMItemRef CreateItem(ADMDialogRef ref, ASInt32 itemId, const char* itemType, const ASRect* bounds,
                      ADMItemInitProc initProc, ADMUserData data) {
  Dialog* found = dialog(ref);
  if (!found || !bounds) return nullptr;
  return toRef(manager()->createItem(*found, itemId, itemType, *bounds, initProc, data));
}

const ADMDialogSuite kSuite = {
    .Modal = Modal,
    .EndModal = EndModal,
    .GetItem = GetItem,
    .GetUserData = GetUserData,
    .SetUserData = SetUserData,
    .Size = Size,
    .CreateItem = CreateItem,
};

}  // namespace

const ADMDialogSuite& admDialogSuite() { return kSuite; }

}  // namespace heart
