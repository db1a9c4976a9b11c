#include "studio/studio_event_source.h"

#include "application/host.h"
#include "dialog_manager/dialog_manager.h"
#include "dialog_manager/dialog_state.h"
#include "document/document.h"
#include "resources/plugin_resources.h"
#include "studio/picker_cursor.h"
#include "studio/preview_picture.h"
#include "studio/studio_actions.h"

namespace heart::studio {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(100);

// "1 second", "300 seconds", "0.5 seconds": whole seconds as they are, a
// fraction to the tenth.
std::string durationInWords(std::chrono::milliseconds duration) {
  const int64_t tenths = (duration.count() + 50) / 100;
  std::string number = std::to_string(tenths / 10);
  if (tenths % 10 != 0) number += "." + std::to_string(tenths % 10);
  return number + (tenths == 10 ? " second" : " seconds");
}

// The items of `next` that differ from those of `before`, as [index, item]
// pairs; null when anything else differs (the title, the size, which items
// there are), so that only the whole state describes the change.
nlohmann::json itemChanges(const nlohmann::json& before, const nlohmann::json& next) {
  if (!before.is_object() || !next.is_object() || before.size() != next.size()) return nullptr;
  for (const auto& [key, value] : next.items()) {
    auto old = before.find(key);
    if (old == before.end()) return nullptr;
    if (key != "items" && *old != value) return nullptr;
  }
  const nlohmann::json& oldItems = before["items"];
  const nlohmann::json& newItems = next["items"];
  if (!oldItems.is_array() || !newItems.is_array() || oldItems.size() != newItems.size())
    return nullptr;
  nlohmann::json changes = nlohmann::json::array();
  for (size_t i = 0; i < newItems.size(); ++i) {
    if (oldItems[i] == newItems[i]) continue;
    if (oldItems[i].value("id", -1) != newItems[i].value("id", -1) ||
        oldItems[i].value("type", "") != newItems[i].value("type", ""))
      return nullptr;
    changes.push_back({i, newItems[i]});
  }
  return changes;
}

}  // namespace

StudioEventSource::StudioEventSource(Host& host, StudioChannel& channel,
                                     StudioSourceOptions options)
    : host_(host), channel_(channel), options_(options), startedAt_(StudioChannel::Clock::now()) {}

void StudioEventSource::publish() {
  // The time the dialog took over the last action: its notifiers, and the
  // generator when the action ran the preview.
  double applyMilliseconds = 0;
  if (appliedFrom_)
    applyMilliseconds =
        std::chrono::duration<double, std::milli>(StudioChannel::Clock::now() - *appliedFrom_)
            .count();
  appliedFrom_.reset();
  StudioView view;
  if (std::optional<DialogState> state = host_.dialogs().currentState()) {
    // The page's dialog is the one the options name (or else the first the
    // source serves); any other dialog is a modal box (an alert, the about
    // box), over it or alone.
    if (!mainResource_) mainResource_ = options_.mainDialogResource.value_or(state->resourceId);
    if (state->resourceId == *mainResource_ && host_.dialogs().openDialogs() == 1) {
      if (!cursorTaken_) takePickerCursor();
      nlohmann::json next = toJson(*state, StateDetail::WithWiring);
      if (next != mainDialog_) {
        dialogChanges_ = itemChanges(mainDialog_, next);
        mainDialog_ = std::move(next);
        ++dialogVersion_;
      }
    } else
      view.modal = toJson(*state, StateDetail::WithWiring);
  }
  view.dialog = mainDialog_;
  view.dialogVersion = dialogVersion_;
  view.dialogChanges = dialogChanges_;

  if (host_.hasDocument()) {
    const Document& document = host_.document();
    const DocumentView& front = document.view(0);
    bool moved = front.zoom() != drawnZoom_ || front.centre().h != drawnCentreH ||
                 front.centre().v != drawnCentreV || front.windowWidth() != drawnWidth_ ||
                 front.windowHeight() != drawnHeight_;
    if (!drawnRedraws_ || *drawnRedraws_ != document.redrawCount() || moved) {
      std::string error;
      if (std::optional<PreviewPicture> picture = renderPreview(document, &error)) {
        auto packingFrom = StudioChannel::Clock::now();
        packedPreview_ = std::make_shared<const std::vector<unsigned char>>(packPixels(*picture));
        double packMilliseconds =
            std::chrono::duration<double, std::milli>(StudioChannel::Clock::now() - packingFrom)
                .count();
        previewInfo_ = {{"width", picture->width},
                        {"height", picture->height},
                        {"zoom", picture->zoom},
                        {"paths", picture->paths},
                        {"drawMilliseconds", picture->drawMilliseconds},
                        {"packMilliseconds", packMilliseconds},
                        {"applyMilliseconds", applyMilliseconds},
                        {"page", {document.pageSize().h, document.pageSize().v}},
                        {"centre", {front.centre().h, front.centre().v}}};
        preview_ = std::make_shared<const PreviewPicture>(std::move(*picture));
      } else {
        preview_.reset();
        packedPreview_.reset();
        previewInfo_ = {{"error", error}};
      }
      ++previewVersion_;
      drawnRedraws_ = document.redrawCount();
      drawnZoom_ = front.zoom();
      drawnCentreH = front.centre().h;
      drawnCentreV = front.centre().v;
      drawnWidth_ = front.windowWidth();
      drawnHeight_ = front.windowHeight();
    }
  }
  view.previewVersion = previewVersion_;
  view.preview = preview_;
  view.packedPreview = packedPreview_;
  view.previewInfo = previewInfo_;
  if (inFlight_) view.answersPage = inFlightPage_;
  uint64_t version = channel_.publish(std::move(view));
  if (inFlight_) {
    channel_.answer(*inFlight_, {true, {}, version});
    inFlight_.reset();
  }
}

// The pointer of the point picker: the cursor of the first button that the
// plug-in armed with a tracking procedure, taken once the dialog has its
// items and before the page sees the first of them.
void StudioEventSource::takePickerCursor() {
  const Dialog* dialog = host_.dialogs().currentDialog();
  if (!dialog) return;
  for (const auto& item : dialog->items()) {
    const ResourceImage* cursor = host_.dialogs().trackingCursor(*item);
    if (!cursor) continue;
    cursorTaken_ = true;
    if (auto png = cursorPng(*cursor))
      channel_.setPickerCursor({std::make_shared<const std::vector<unsigned char>>(std::move(*png)),
                                cursor->hotspotX, cursor->hotspotY});
    return;
  }
}

std::optional<DialogEvent> StudioEventSource::next() {
  publish();
  for (;;) {
    if (options_.interrupted && options_.interrupted->load()) {
      cancelReason_ = "the terminal interrupted the session";
      return DialogEvent::cancel().labelled("interrupt");
    }
    std::optional<StudioChannel::Clock::time_point> contact = channel_.lastContact();
    if (contact && StudioChannel::Clock::now() - *contact > options_.contactTimeout) {
      cancelReason_ = "the browser went away";
      return DialogEvent::cancel().labelled("browser gone");
    }
    if (!contact && StudioChannel::Clock::now() - startedAt_ > options_.firstContactTimeout) {
      cancelReason_ =
          "no browser opened the page within " + durationInWords(options_.firstContactTimeout);
      return DialogEvent::cancel().labelled("no browser");
    }
    std::optional<StudioChannel::Pending> pending = channel_.take(kPollInterval);
    if (!pending) continue;
    std::optional<DialogState> state = host_.dialogs().currentState();
    if (!state) {
      channel_.answer(pending->ticket, {false, "no dialog is open", channel_.view().version});
      continue;
    }
    std::variant<DialogEvent, std::string> event = eventForAction(pending->action, *state);
    if (std::string* error = std::get_if<std::string>(&event)) {
      channel_.answer(pending->ticket, {false, *error, channel_.view().version});
      continue;
    }
    DialogEvent& chosen = std::get<DialogEvent>(event);
    if (chosen.kind == DialogEvent::Kind::Confirm && host_.dialogs().openDialogs() == 1)
      confirmed_ = true;
    inFlight_ = pending->ticket;
    inFlightPage_ = pending->page;
    appliedFrom_ = StudioChannel::Clock::now();
    chosen.label = "page action";
    return std::move(chosen);
  }
}

void StudioEventSource::finish(nlohmann::json ended) {
  uint64_t version = channel_.close(std::move(ended));
  if (inFlight_) {
    channel_.answer(*inFlight_, {true, {}, version});
    inFlight_.reset();
  }
}

}  // namespace heart::studio
