#include "plugin/dialog/view_zoom.h"

#include "plugin/dialog/dialog_access.h"
#include "plugin/dialog/dialog_layout.h"
#include "plugin/suites/held_suites.h"

ASErr zoomNotifier(ADMItemRef item, ADMNotifierRef) {
  ADMDialogRef dialog = nullptr;
  ParameterRecord* record = recordOfItem(item, &dialog);
  if (!record) return kNoErr;
  if (ADMItemRef zoomItem = sADMDialog->GetItem(dialog, kViewZoomItem))
    record->viewZoom = sADMItem->GetFloatValue(zoomItem);
  // Without a front view there is nothing to zoom; the percentage is kept.
  AIDocumentViewHandle view = nullptr;
  if (sAIDocumentView->GetNthDocumentView(0, &view) != kNoErr || !view) return kNoErr;
  sAIDocumentView->SetDocumentViewZoom(view, record->viewZoom * 0.01f);
  return kNoErr;
}
