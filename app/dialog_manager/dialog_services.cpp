#include "dialog_manager/dialog_services.h"

namespace heart {

DialogServices& dialogServices() {
  static DialogServices services;
  return services;
}

}  // namespace heart
