#include "plugin/shell/filter_invocation.h"

#include <cstring>

#include "plugin/dialog/front_view_centre.h"
#include "plugin/dialog/options_dialog.h"
#include "plugin/generator/generator.h"
#include "plugin/params/parameter_record.h"
#include "plugin/resources/resource_ids.h"
#include "plugin/shell/plugin_globals.h"
#include "plugin/suites/held_suites.h"

namespace {

// The invoked filter is ours when it is the handle the Filter suite gave us at
// Startup. The stored handle is compared whatever the filter count says: a
// Startup that added the filter and then failed at its menu item still leaves
// the filter in the host's menu.
bool isRegisteredFilter(AIFilterHandle filter) {
  if (gPluginGlobals == nullptr || filter == nullptr) return false;
  return gPluginGlobals->filterHandles[0] == filter;
}

ParameterRecord* recordOf(AIMdMemoryHandle handle) {
  if (handle == nullptr || *handle == nullptr) return nullptr;
  return reinterpret_cast<ParameterRecord*>(*handle);
}

// A new record for the filter, filled with its defaults around the centre of
// the front view.
ASErr createRecord(AIFilterMessage* message) {
  if (ASErr error = sAIMdMemory->MdMemoryNewHandle(sizeof(ParameterRecord), &message->parameters))
    return error;
  ParameterRecord* record = recordOf(message->parameters);
  if (record == nullptr) return kOutOfMemoryErr;
  // Without a front view the defaults centre on the page origin.
  AIRealPoint centre = {0.0f, 0.0f};
  frontViewCentre(&centre);
  setDefaults(record, centre);
  return kNoErr;
}

}  // namespace

ASErr getFilterParameters(AIFilterMessage* message) {
  if (!isRegisteredFilter(message->filter)) return kNoErr;
  if (message->parameters == nullptr) {
    if (ASErr error = createRecord(message)) return error;
  }
  ParameterRecord* record = recordOf(message->parameters);
  if (record == nullptr) return kOutOfMemoryErr;

  ParameterRecord backup;
  std::memcpy(&backup, record, sizeof backup);
  ASInt32 result = sADMDialog->Modal(message->d.pluginRef, kOptionsDialogName, kOptionsDialogId, 0,
                                     initOptionsDialog, record);
  if (result == kADMOKResult) return kNoErr;

  // Cancelled: take the preview's art out of the document and put the record
  // back as it was before the dialog opened.
  if (ASErr error = sAIUndo->UndoChanges()) return error;
  std::memcpy(record, &backup, sizeof backup);
  record->previewDrawn = 0;
  return kCanceledErr;
}

ASErr goFilter(AIFilterMessage* message) {
  ParameterRecord* record = recordOf(message->parameters);
  if (record == nullptr) return kNoErr;
  record->finalRun = 1;
  return generateHearts(record);
}
