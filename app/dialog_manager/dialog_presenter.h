// Shows a modal dialog when it opens. The dialog manager hands the presenter
// the dialog's state after the dialog's initialisation procedure has run, so
// texts that the procedure filled in are shown.
#pragma once

#include <ostream>

namespace heart {

struct DialogState;

class DialogPresenter {
 public:
  virtual ~DialogPresenter() = default;
  virtual void opened(const DialogState& dialog) = 0;
};

// Prints the dialog's title and then its visible static texts, one line of
// text per line, indented by two spaces. For the command line, where an
// about box or an error alert is read rather than seen.
class TerminalPresenter : public DialogPresenter {
 public:
  explicit TerminalPresenter(std::ostream& out) : out_(out) {}
  void opened(const DialogState& dialog) override;

 private:
  std::ostream& out_;
};

}  // namespace heart
