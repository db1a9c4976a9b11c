#include <string_view>

#include "dialog_manager/dialog_presenter.h"
#include "dialog_manager/dialog_state.h"
#include "plugin/host/adm_suites.h"

namespace heart {

void TerminalPresenter::opened(const DialogState& dialog) {
  out_ << dialog.title << '\n';
  for (const auto& item : dialog.items) {
    if (item.type != kADMTextStaticType || !item.visible || item.text.empty()) continue;
    std::string_view rest = item.text;
    while (true) {
      const auto end = rest.find('\n');
      std::string_view line = rest.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      out_ << "  " << line << '\n';
      if (end == std::string_view::npos) break;
      rest.remove_prefix(end + 1);
    }
  }
  out_.flush();
}

}  // namespace heart
