// The event source that plays a dialog script's actions into the host's
// dialog manager, one action each time the manager asks for the next event.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "dialog_actions.h"
#include "dialog_manager/event_source.h"

namespace heart {
class Host;
}

namespace heart::cli {

// Plays actions as dialog events, resolving entry texts (in any case) and
// artwork points against the host's open dialog and front view when each is
// played. An action that cannot be resolved, or aims at an item that is
// missing, hidden or disabled, cancels the dialog and is kept in error(),
// naming the item. A value the spin edit will limit to its range is
// reported on `notesTo` with the value typed and the value kept.
class ActionEventSource : public EventSource {
 public:
  ActionEventSource(Host& host, std::vector<DialogAction> actions, std::ostream& printTo,
                    std::ostream& notesTo, std::string verb);
  std::optional<DialogEvent> next() override;
  const std::string& error() const { return error_; }

 private:
  std::optional<DialogEvent> fail(const DialogAction& action, const std::string& message);

  Host& host_;
  std::vector<DialogAction> actions_;
  size_t next_ = 0;
  std::ostream& printTo_;
  std::ostream& notesTo_;
  std::string verb_;
  std::string error_;
};

}  // namespace heart::cli
