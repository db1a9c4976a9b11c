// The dialog manager that the dialog suites reach, as hostServices() holds
// the objects of the service suites. The Host points it at its own manager;
// with none, the dialog suites do nothing.
#pragma once

namespace heart {

class DialogManager;

struct DialogServices {
  DialogManager* dialogs = nullptr;  // modal dialogs and their items
};

DialogServices& dialogServices();

}  // namespace heart
