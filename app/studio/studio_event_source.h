// The event source of a studio session. It runs on the main thread inside
// the modal dialog: each time the dialog manager asks for the next user
// action, it first publishes the dialog as the last action left it (with a
// new preview picture when the document was redrawn or the view moved),
// answers that action's sender, and then waits for the next action from the
// page. Actions the user could not have made are refused without reaching
// the dialog. Ctrl-C in the terminal, no page making contact within the
// first-contact allowance, or the page falling silent for longer than the
// contact timeout, cancels the dialog.
//
// Every preview the page is shown becomes an entry of the session's history
// (see PreviewHistory). The page's {"action": "history", "entry": N} brings
// entry N back: its record goes into the dialog's items, the random source
// is put back where that preview's run began, and the current page's first
// item is notified, so the dialog's own notifier reads the items and draws
// the same preview again. It adds no entry; a change after it starts a new
// branch.
//
// {"action": "variations", "count": N} sets up a grid of N (1 to 36)
// previews of the dialog as it stands (see VariationGrid), cell K from the
// random source seeded with K, as `heart run --seed K` draws, and is answered
// at once. The cells are drawn one at a time while no request waits, each
// published as it is drawn; the page's preview and the history stay as they
// are meanwhile, and the document gets the current variation back once the
// last cell is drawn. Any other request first stops the filling and gives
// the document the current variation back; choosing a drawn cell stops it
// too. {"action": "variation", "cell": K} makes drawn cell K the preview,
// drawn as in the grid, and a history entry; a cell not drawn is refused.
//
// {"action": "save", "format": "svg"|"png"|"pdf"} answers the drawing OK
// would write now (StudioSourceOptions::saveDrawing), the session going on.
// {"action": "save-settings", "name": N} keeps the dialog's record among the
// designer's own settings under N; {"action": "own-settings", "name": N}
// hands the record kept under N to the dialog's items as a history entry
// brought back does, and its preview becomes a new entry.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/result.h"
#include "dialog_manager/event_source.h"
#include "plugin/params/parameter_record.h"
#include "studio/preview_history.h"
#include "studio/studio_channel.h"
#include "studio/variation_grid.h"

namespace heart {
class Host;
}

namespace heart::studio {

struct StudioSourceOptions {
  // Set from a signal handler when the user interrupts the command.
  const std::atomic<bool>* interrupted = nullptr;
  // How long the page may stay silent once it has made contact.
  std::chrono::milliseconds contactTimeout{30000};
  // How long, from the dialog's start, a page has to make its first contact:
  // long enough for the user to open the printed address by hand.
  std::chrono::milliseconds firstContactTimeout{300000};
  // The resource of the dialog the page draws as its dialog; every other
  // dialog (an alert, the about box) is a modal box over it, even one that
  // opens before it or without it. Nothing: the first dialog served.
  std::optional<int32_t> mainDialogResource;
  // How many variations, and how many bytes of them, the history keeps.
  HistoryBounds history;
  // The drawing OK would write, as "svg", "png" or "pdf", with `confirmed`
  // (the dialog's record as a confirmed dialog leaves it) as the run's
  // record. Nothing: the page cannot save drawings.
  std::function<Result<std::string>(const std::string& format, const ParameterRecord& confirmed)>
      saveDrawing;
  // The folder of the designer's own settings; when empty, why there is none.
  std::filesystem::path settingsFolder;
  std::string noSettingsFolder = "there is no folder for named settings";
};

class StudioEventSource : public EventSource {
 public:
  StudioEventSource(Host& host, StudioChannel& channel, StudioSourceOptions options = {});
  std::optional<DialogEvent> next() override;

  // Called once the dialog has returned: answers the action that ended it
  // and closes the channel with `ended` (how the session ended).
  void finish(nlohmann::json ended);
  // Why the source itself cancelled the dialog ("the terminal interrupted the
  // session", "the browser went away"); empty when the user ended it.
  const std::string& cancelReason() const { return cancelReason_; }
  // Whether the dialog was ended by the user's confirmation.
  bool confirmed() const { return confirmed_; }

 private:
  // Publishes the dialog and the preview as the last action left them; a
  // grid's progress alone (`gridOnly`) leaves both as they were published.
  void publish(bool gridOnly = false);
  void takePickerCursor();
  void noteHistory();
  const ParameterRecord* liveRecord() const;
  // Brings entry `index` back, or says why not.
  std::optional<std::string> bringBack(int64_t index);
  std::optional<std::string> drawVariations(int64_t count);
  std::optional<std::string> chooseVariation(int64_t cell);
  // Draws the grid's next cell and publishes it; the last one gives the
  // document the current variation back.
  void drawNextCell();
  // Stops a grid being filled, giving the document the current variation
  // back; answers whether one was being filled.
  bool stopFilling();
  // The random source where the current variation's run began, and the run
  // again: the document holds the picture the page shows.
  void restoreCurrentVariation();
  // The page's "Save as..." and own settings; nothing when done, else why not.
  std::optional<std::string> saveDrawing(const nlohmann::json& action,
                                         std::shared_ptr<const std::string>* bytes);
  std::optional<std::string> saveSettings(const nlohmann::json& action);
  std::optional<std::string> chooseOwnSettings(const nlohmann::json& action);
  void listOwnSettings();
  // The dialog's record as OK leaves it, when the dialog holds one.
  std::optional<ParameterRecord> confirmedRecord() const;
  // Puts the record into the items that edit its fields.
  void showInItems(const ParameterRecord& record);
  // Whether the options dialog alone is open, with its record.
  std::optional<std::string> refusedOutsideTheDialog() const;
  // Notifies the current page's first item: the dialog reads every item
  // into the record and draws the preview.
  void renotify();
  // What the action about to be applied makes, for the history.
  void noteCause(const nlohmann::json& action, const DialogState& state);

  Host& host_;
  StudioChannel& channel_;
  StudioSourceOptions options_;
  StudioChannel::Clock::time_point startedAt_;
  std::optional<uint64_t> inFlight_;  // the ticket of the action being applied
  std::string inFlightPage_;          // and the page that sent it
  std::optional<StudioChannel::Clock::time_point> appliedFrom_;  // when it went to the dialog
  std::optional<int32_t> mainResource_;
  nlohmann::json mainDialog_;
  uint64_t dialogVersion_ = 0;
  nlohmann::json dialogChanges_;  // from the state before mainDialog_
  // What the last preview showed, to draw a new one only when it changed.
  std::optional<uint64_t> drawnRedraws_;
  float drawnZoom_ = 0, drawnCentreH = 0, drawnCentreV = 0;
  int32_t drawnWidth_ = 0, drawnHeight_ = 0;
  uint64_t previewVersion_ = 0;
  std::shared_ptr<const PreviewPicture> preview_;
  std::shared_ptr<const std::vector<unsigned char>> packedPreview_;
  nlohmann::json previewInfo_;
  std::string cancelReason_;
  bool confirmed_ = false;
  bool cursorTaken_ = false;
  PreviewHistory history_;
  std::string cause_ = "Opened";  // what made the next preview
  int32_t causeItem_ = 0;         // or the bound item the user set, named by its field
  bool bringingBack_ = false;     // the next preview is an entry brought back
  nlohmann::json historySummary_;
  std::vector<std::shared_ptr<const std::vector<unsigned char>>> thumbnails_;
  VariationGrid grid_;
  uint32_t gridSeed_ = 0;   // the current variation's seed while a grid is filled
  uint64_t gridStart_ = 0;  // and where its run began
  nlohmann::json ownSettings_;
};

}  // namespace heart::studio
