#include "document/document_suites.h"

#include "document/suite_parts.h"

namespace heart {

void registerDocumentSuites(SuiteBroker& broker) {
  registerArtSuites(broker);
  registerDocumentLevelSuites(broker);
  registerMathSuites(broker);
}

}  // namespace heart
