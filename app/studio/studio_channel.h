// The meeting point of the studio's two threads. The HTTP server's threads
// hand in the user's actions and read what the dialog looks like; the main
// thread, which runs the modal dialog, takes the actions one at a time,
// applies them and publishes the dialog's state and a fresh preview picture.
// The server never touches the host: it answers only from what was published.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "studio/preview_picture.h"

namespace heart::studio {

// What the page draws: the dialog (and a modal box opened over it), the
// preview picture and, once the dialog has closed, how the session ended.
struct StudioView {
  uint64_t version = 0;  // grows with every publication
  nlohmann::json dialog;
  // Grows whenever the dialog's state changes; dialogChanges lists the items
  // ([index, item] pairs) that differ from the state one version before, or
  // is null when more than items changed.
  uint64_t dialogVersion = 0;
  nlohmann::json dialogChanges;
  nlohmann::json modal;  // null, or the alert or about box open over the dialog
  uint64_t previewVersion = 0;
  std::shared_ptr<const PreviewPicture> preview;
  std::shared_ptr<const std::vector<unsigned char>> packedPreview;  // packPixels of it
  nlohmann::json previewInfo;                                       // size, zoom, paths, times
  nlohmann::json ended;                                             // null while the dialog is open
  // The variations shown (see PreviewHistory::summary) and their pictures,
  // in the same order.
  nlohmann::json history;
  std::vector<std::shared_ptr<const std::vector<unsigned char>>> thumbnails;
  // The grid of variations last set up (see VariationGrid::summary) and the
  // pictures of its cells drawn so far: cell K (from 1) is picture K - 1.
  nlohmann::json variations;
  std::vector<std::shared_ptr<const std::vector<unsigned char>>> variationPictures;
  // The names of the designer's own settings (see named_settings.h), or null
  // when there is no folder for them.
  nlohmann::json ownSettings;
  // The page whose action this view answers, empty for any other view. That
  // page gets the view in the action's answer, so its waiting view request
  // is not woken for it (see StudioChannel::view).
  std::string answersPage;
};

// The answer to one action: the view after it, or why it was refused.
struct ActionAnswer {
  ActionAnswer() = default;
  ActionAnswer(bool accepted, std::string error, uint64_t version,
               std::shared_ptr<const std::string> download = nullptr)
      : accepted(accepted),
        error(std::move(error)),
        version(version),
        download(std::move(download)) {}

  bool accepted = false;
  std::string error;
  uint64_t version = 0;
  // What the action made for the page to download (a drawing saved).
  std::shared_ptr<const std::string> download;
};

class StudioChannel {
 public:
  using Clock = std::chrono::steady_clock;

  // --- Server side ---------------------------------------------------------
  // Queues an action (a JSON object) from the page named `page` (empty: a
  // page that gives no name) and waits until the main thread has applied or
  // refused it, or until `patience` runs out.
  ActionAnswer submit(nlohmann::json action, Clock::duration patience,
                      const std::string& page = {});
  // The view published last, waiting up to `patience` for one newer than
  // `knownVersion`. A named page does not wait for a view that answers its
  // own action: the action's answer brings that view, and waking the page's
  // view request for it as well would have the page take the same change
  // twice, the second time while it is busy showing the first.
  // It is the view sent to a page: once the dialog has closed, the page is
  // told how the session ended (see endShown).
  StudioView view(uint64_t knownVersion, Clock::duration patience, const std::string& page = {});
  // The view published last, for a look at it (a picture's pixels).
  StudioView view() const;
  // Marks the browser as present now.
  void touch();
  // The picker's pointer as a PNG and its hot spot; empty bytes: none.
  struct Cursor {
    std::shared_ptr<const std::vector<unsigned char>> png;
    int hotspotX = 0, hotspotY = 0;
  };
  Cursor pickerCursor() const;
  void setPickerCursor(Cursor cursor);

  // --- Main thread side ----------------------------------------------------
  // The next queued action, waiting up to `patience`; nothing when none came.
  struct Pending {
    nlohmann::json action;
    uint64_t ticket = 0;
    std::string page;  // the page that sent it, if it said
  };
  std::optional<Pending> take(Clock::duration patience);
  void answer(uint64_t ticket, ActionAnswer answer);
  // Publishes a new view (its version is set here) and wakes the waiters.
  uint64_t publish(StudioView next);
  // Marks the session as over: queued and later actions are refused.
  // Answers the version of the view that says so.
  uint64_t close(nlohmann::json ended);
  bool closed() const;
  // Whether a view telling how the session ended has been handed to a page.
  bool endShown() const;
  // When the browser was last heard from; nothing before its first contact.
  std::optional<Clock::time_point> lastContact() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable actionsReady_, answersReady_, viewChanged_;
  std::deque<Pending> queue_;
  std::vector<std::pair<uint64_t, ActionAnswer>> answers_;
  uint64_t nextTicket_ = 1;
  StudioView view_;
  bool closed_ = false;
  bool endShown_ = false;
  std::optional<Clock::time_point> lastContact_;
  Cursor cursor_;
};

}  // namespace heart::studio
