#include "document/document_services.h"

namespace heart {

DocumentServices& documentServices() {
  static DocumentServices services;
  return services;
}

}  // namespace heart
