// The front view's centre, where a new record's hearts are centred.
#include "params/parameter_record.h"
#include "suites/held_suites.h"

ASErr frontViewCentre(AIRealPoint* centre) {
  AIDocumentViewHandle view = nullptr;
  if (ASErr error = sAIDocumentView->GetNthDocumentView(0, &view)) return error;
  return sAIDocumentView->GetDocumentViewCenter(view, centre);
}
