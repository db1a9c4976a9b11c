#include "services/host_services.h"

namespace heart {

HostServices& hostServices() {
  static HostServices services;
  return services;
}

}  // namespace heart
