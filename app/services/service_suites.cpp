#include "services/service_suites.h"

namespace heart {

void registerServiceSuites(SuiteBroker& broker) {
  registerBlocksSuite(broker);
  registerAccessSuite(broker);
  registerMdMemorySuite(broker);
  registerUserSuite(broker);
  registerAdmBasicSuite(broker);
  registerFilterSuite(broker);
  registerMenuSuite(broker);
}

}  // namespace heart
