#include "plugin/dialog/front_view_centre.h"

#include "plugin/suites/held_suites.h"

ASErr frontViewCentre(AIRealPoint* centre) {
  AIDocumentViewHandle view = nullptr;
  if (ASErr error = sAIDocumentView->GetNthDocumentView(0, &view)) return error;
  return sAIDocumentView->GetDocumentViewCenter(view, centre);
}
