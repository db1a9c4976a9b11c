#include "studio/studio_event_source.h"

#include <cmath>
#include <cstring>
#include <sstream>

#include "application/host.h"
#include "dialog_manager/dialog_manager.h"
#include "dialog_manager/dialog_state.h"
#include "document/document.h"
#include "document/random_source.h"
#include "plugin/params/dialog_pages.h"
#include "plugin/params/field_table.h"
#include "plugin/params/parameter_record.h"
#include "records/named_settings.h"
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
    : host_(host),
      channel_(channel),
      options_(options),
      startedAt_(StudioChannel::Clock::now()),
      history_(options.history) {
  historySummary_ = history_.summary();
  listOwnSettings();
}

void StudioEventSource::publish(bool gridOnly) {
  // The time the dialog took over the last action: its notifiers, and the
  // generator when the action ran the preview.
  double applyMilliseconds = 0;
  if (appliedFrom_ && !gridOnly)
    applyMilliseconds =
        std::chrono::duration<double, std::milli>(StudioChannel::Clock::now() - *appliedFrom_)
            .count();
  if (!gridOnly) appliedFrom_.reset();
  StudioView view;
  // While a grid is filled the document holds a cell's hearts and the
  // dialog's items are the cell's run's: the page goes on showing the
  // dialog and the preview it was shown.
  std::optional<DialogState> state;
  if (!gridOnly) state = host_.dialogs().currentState();
  if (state) {
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

  if (host_.hasDocument() && !gridOnly) {
    const Document& document = host_.document();
    const DocumentView& front = document.view(0);
    bool moved = front.zoom() != drawnZoom_ || front.centre().h != drawnCentreH ||
                 front.centre().v != drawnCentreV || front.windowWidth() != drawnWidth_ ||
                 front.windowHeight() != drawnHeight_;
    const bool redrawn = !drawnRedraws_ || *drawnRedraws_ != document.redrawCount();
    if (redrawn || moved) {
      if (Result<PreviewPicture> picture = renderPreview(document)) {
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
        previewInfo_ = {{"error", picture.error()}};
      }
      ++previewVersion_;
      if (redrawn && preview_) noteHistory();
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
  view.history = historySummary_;
  view.thumbnails = thumbnails_;
  view.variations = grid_.summary();
  view.variationPictures = grid_.pictures();
  view.ownSettings = ownSettings_;
  if (!gridOnly) {
    bringingBack_ = false;
    cause_ = "Change";
    causeItem_ = 0;
  }
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
      grid_.stop();  // cancelled: the document's hearts are not kept
      cancelReason_ = "the terminal interrupted the session";
      return DialogEvent::cancel().labelled("interrupt");
    }
    std::optional<StudioChannel::Clock::time_point> contact = channel_.lastContact();
    if (contact && StudioChannel::Clock::now() - *contact > options_.contactTimeout) {
      grid_.stop();
      cancelReason_ = "the browser went away";
      return DialogEvent::cancel().labelled("browser gone");
    }
    if (!contact && StudioChannel::Clock::now() - startedAt_ > options_.firstContactTimeout) {
      grid_.stop();
      cancelReason_ =
          "no browser opened the page within " + durationInWords(options_.firstContactTimeout);
      return DialogEvent::cancel().labelled("no browser");
    }
    // A grid being filled draws its next cell whenever no request waits.
    std::optional<StudioChannel::Pending> pending =
        channel_.take(grid_.filling() ? StudioChannel::Clock::duration::zero() : kPollInterval);
    if (!pending) {
      if (grid_.filling()) drawNextCell();
      continue;
    }
    std::optional<DialogState> state = host_.dialogs().currentState();
    if (!state) {
      channel_.answer(pending->ticket, {false, "no dialog is open", channel_.view().version});
      continue;
    }
    const std::string kind =
        pending->action.is_object() ? pending->action.value("action", "") : std::string();
    // A request the host carries out itself, but choosing a cell, finds the
    // document with the current variation, not a cell's hearts: it stops a
    // grid being filled, and one then refused has the page see that all the
    // same. (A cell is drawn from its own seed, whatever came before.)
    const bool hostsOwn = kind == "history" || kind == "variations" || kind == "save" ||
                          kind == "save-settings" || kind == "own-settings";
    const bool stopped = hostsOwn && stopFilling();
    // A request the host itself carries out: refused, or applied and answered
    // with the preview it leads to.
    auto settle = [&](const std::optional<std::string>& refused) {
      if (refused) {
        if (stopped) publish();
        channel_.answer(pending->ticket, {false, *refused, channel_.view().version});
        return;
      }
      inFlight_ = pending->ticket;
      inFlightPage_ = pending->page;
      appliedFrom_ = StudioChannel::Clock::now();
      publish();
    };
    if (kind == "save") {
      // The answer is the drawing, not a view: the grid's end is published.
      if (stopped) publish();
      std::shared_ptr<const std::string> bytes;
      if (std::optional<std::string> refused = saveDrawing(pending->action, &bytes))
        channel_.answer(pending->ticket, {false, *refused, channel_.view().version});
      else
        channel_.answer(pending->ticket, {true, {}, channel_.view().version, std::move(bytes)});
      continue;
    }
    if (kind == "save-settings" || kind == "own-settings") {
      std::optional<std::string> refused = kind == "save-settings"
                                               ? saveSettings(pending->action)
                                               : chooseOwnSettings(pending->action);
      settle(refused);
      continue;
    }
    if (kind == "history" || kind == "variations" || kind == "variation") {
      const char* key = kind == "history" ? "entry" : kind == "variations" ? "count" : "cell";
      const nlohmann::json& number = pending->action.value(key, nlohmann::json());
      std::optional<std::string> refused =
          !number.is_number_integer() ? "\"" + kind + "\" needs a whole-number \"" + key + "\""
          : kind == "history"         ? bringBack(number.get<int64_t>())
          : kind == "variations"      ? drawVariations(number.get<int64_t>())
                                      : chooseVariation(number.get<int64_t>());
      settle(refused);
      continue;
    }
    Result<DialogEvent> event = eventForAction(pending->action, *state);
    if (!event) {
      channel_.answer(pending->ticket, {false, event.error(), channel_.view().version});
      continue;
    }
    DialogEvent& chosen = *event;
    // The dialog's change applies to the current variation.
    stopFilling();
    noteCause(pending->action, *state);
    if (chosen.kind == DialogEvent::Kind::Confirm && host_.dialogs().openDialogs() == 1)
      confirmed_ = true;
    inFlight_ = pending->ticket;
    inFlightPage_ = pending->page;
    appliedFrom_ = StudioChannel::Clock::now();
    chosen.label = "page action";
    return std::move(chosen);
  }
}

namespace {

// A field's value as the history names it: "heartCount 40", "dropShadow on".
std::string fieldWords(const FieldInfo& field, const ParameterRecord& record) {
  std::ostringstream words;
  words << field.name << ' ';
  if (field.type == kFieldBool)
    words << (fieldInteger(&record, field) ? "on" : "off");
  else if (field.type == kFieldInt)
    words << fieldInteger(&record, field);
  else
    words << fieldValue(&record, field);
  return words.str();
}

std::string withoutMnemonic(std::string text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] != '&' || i + 1 == text.size()) plain += text[i];
  size_t first = plain.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : plain.substr(first);
}

}  // namespace

void StudioEventSource::noteCause(const nlohmann::json& action, const DialogState& state) {
  const std::string kind = action.value("action", "");
  const int32_t id = action.value("item", 0);
  const ItemState* item = nullptr;
  for (const ItemState& candidate : state.items)
    if (candidate.id == id && (!item || candidate.visible)) item = &candidate;
  if (kind == "set" || kind == "check" || (kind == "choose" && fieldForItem(id))) {
    causeItem_ = id;
  } else if (kind == "choose" && item) {
    const size_t position = action.value("position", size_t{0});
    std::string entry =
        position < item->entries.size() ? withoutMnemonic(item->entries[position].text) : "";
    cause_ = (id == kSettingsListItem      ? "Preset: "
              : id == kHeartPresetListItem ? "Heart preset: "
                                           : "") +
             entry;
  } else if (kind == "press" && item) {
    cause_ = withoutMnemonic(item->text);
  } else if (kind == "pick") {
    cause_ = "Point picked";
  }
}

// The options dialog's record: its user data is the record the plug-in
// edits while the dialog is open.
const ParameterRecord* StudioEventSource::liveRecord() const {
  const Dialog* dialog = host_.dialogs().currentDialog();
  if (!dialog || !mainResource_ || dialog->resourceId() != *mainResource_) return nullptr;
  return static_cast<const ParameterRecord*>(dialog->userData());
}

void StudioEventSource::noteHistory() {
  if (bringingBack_) return;  // the entry is current already
  HistoryEntry entry;
  const ParameterRecord* record = liveRecord();
  if (record) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(record);
    entry.record.assign(bytes, bytes + sizeof *record);
  }
  entry.seed = host_.random().seedValue();
  entry.randomStart = host_.random().runStart();
  entry.cause = cause_;
  if (const FieldInfo* field = fieldForItem(causeItem_); field && record)
    entry.cause = fieldWords(*field, *record);
  entry.thumbnail = thumbnailPng(*preview_);
  history_.add(std::move(entry));
  historySummary_ = history_.summary();
  thumbnails_.clear();
  for (size_t i = 0; i < history_.size(); ++i) thumbnails_.push_back(history_.at(i).thumbnail);
}

std::optional<std::string> StudioEventSource::refusedOutsideTheDialog() const {
  const Dialog* dialog = host_.dialogs().currentDialog();
  if (!dialog || host_.dialogs().openDialogs() != 1 || !mainResource_ ||
      dialog->resourceId() != *mainResource_)
    return std::string("variations are drawn and brought back in the options dialog only");
  if (!liveRecord()) return std::string("the dialog holds no parameter record");
  return std::nullopt;
}

void StudioEventSource::renotify() {
  Dialog* dialog = host_.dialogs().currentDialog();
  const ParameterRecord* live = liveRecord();
  if (!dialog || !live) return;
  // The page on show stays.
  int32_t first = kDialogPages[0].firstItem;
  if (live->currentPage >= 1 && live->currentPage <= kDialogPageCount)
    first = kDialogPages[live->currentPage - 1].firstItem;
  if (DialogItem* notified = dialog->firstItem(first))
    host_.dialogs().sendNotify(*notified, kADMUserChangedNotifier);
}

void StudioEventSource::showInItems(const ParameterRecord& record) {
  Dialog* dialog = host_.dialogs().currentDialog();
  if (!dialog) return;
  // The items show the record, as the dialog's own writeback sets them: the
  // items its value notifier reads. The zoom item moves the view, not the
  // variation, and the two preset lists only start a change.
  for (const FieldInfo& field : kFieldTable) {
    if (field.dialogItem == 0 || field.dialogItem == kViewZoomItem ||
        field.dialogItem == kSettingsListItem || field.dialogItem == kHeartPresetListItem)
      continue;
    DialogItem* item = dialog->firstItem(field.dialogItem);
    if (!item) continue;
    if (ItemList* list = item->list()) {
      if (ListEntry* chosen = list->at(fieldInteger(&record, field))) list->select(*chosen, true);
    } else if (field.type == kFieldFloat) {
      item->setFloatValue(fieldValue(&record, field));
    } else if (field.type == kFieldBool) {
      item->setBooleanValue(fieldInteger(&record, field) != 0);
    } else {
      item->setIntValue(fieldInteger(&record, field));
    }
  }
}

std::optional<std::string> StudioEventSource::bringBack(int64_t index) {
  if (std::optional<std::string> refused = refusedOutsideTheDialog()) return refused;
  if (index < 0 || static_cast<uint64_t>(index) >= history_.size())
    return history_.select(index).error();
  if (history_.at(static_cast<size_t>(index)).record.size() != sizeof(ParameterRecord))
    return "variation " + std::to_string(index) + " holds no parameter record";
  const HistoryEntry& entry = *history_.select(index).value();
  historySummary_ = history_.summary();
  ParameterRecord record;
  std::memcpy(&record, entry.record.data(), sizeof record);
  showInItems(record);
  // A fixed sequence of values has no seed to go back to.
  if (!host_.random().usingSequence()) host_.random().seed(entry.seed);
  host_.random().moveTo(entry.randomStart);
  bringingBack_ = true;
  renotify();
  return std::nullopt;
}

// How many pixels high a cell's picture is drawn.
constexpr int kCellHeight = 200;

std::optional<std::string> StudioEventSource::drawVariations(int64_t count) {
  if (count < 1 || count > VariationGrid::kMostCells)
    return "a grid holds 1 to " + std::to_string(VariationGrid::kMostCells) + " variations";
  if (std::optional<std::string> refused = refusedOutsideTheDialog()) return refused;
  if (host_.random().usingSequence())
    return std::string(
        "the random source plays a fixed list of values: every variation would "
        "be the same");
  if (!liveRecord()->preview) return std::string("variations are drawn with \"Preview\" on");
  if (!history_.current() || !host_.hasDocument())
    return std::string("no preview has been drawn yet");
  if (Result<void> started = grid_.start(count); !started) return started.error();
  const HistoryEntry& current = history_.at(*history_.current());
  gridSeed_ = current.seed;
  gridStart_ = current.randomStart;
  return std::nullopt;
}

void StudioEventSource::drawNextCell() {
  std::optional<int64_t> cell = grid_.nextCell();
  if (!cell) return;
  // A cell is a small picture drawn at its own size: for heavy art, drawing
  // the whole view and shrinking it would cost far more.
  host_.random().seed(static_cast<uint32_t>(*cell));
  renotify();
  Result<PreviewPicture> picture = renderSmallPreview(host_.document(), kCellHeight);
  std::shared_ptr<const std::vector<unsigned char>> png;
  if (picture)
    if (Result<std::vector<unsigned char>> bytes = previewPng(*picture))
      png = std::make_shared<const std::vector<unsigned char>>(std::move(*bytes));
  grid_.add(std::move(png));
  if (grid_.filling()) {
    publish(true);
    return;
  }
  restoreCurrentVariation();
  publish();
}

bool StudioEventSource::stopFilling() {
  if (!grid_.stop()) return false;
  restoreCurrentVariation();
  return true;
}

void StudioEventSource::restoreCurrentVariation() {
  host_.random().seed(gridSeed_);
  host_.random().moveTo(gridStart_);
  renotify();
  // The run drew the current variation's hearts again, the picture the page
  // shows: no new picture, no history entry.
  if (host_.hasDocument()) drawnRedraws_ = host_.document().redrawCount();
}

std::optional<std::string> StudioEventSource::chooseVariation(int64_t cell) {
  if (std::optional<std::string> refused = refusedOutsideTheDialog()) return refused;
  if (std::optional<std::string> refused = grid_.refusedCell(cell)) return refused;
  grid_.stop();  // the cell's own seed draws it whatever the source held
  host_.random().seed(static_cast<uint32_t>(cell));
  cause_ = "Variation " + std::to_string(cell);
  renotify();
  return std::nullopt;
}

std::optional<ParameterRecord> StudioEventSource::confirmedRecord() const {
  const ParameterRecord* live = liveRecord();
  if (!live || host_.dialogs().openDialogs() != 1) return std::nullopt;
  // Go right after a preview keeps the preview's hearts and leaves the
  // record with finalRun set and previewDrawn cleared: the record OK stores.
  ParameterRecord confirmed = *live;
  confirmed.finalRun = 1;
  confirmed.previewDrawn = 0;
  return confirmed;
}

namespace {

// The text member `key` of an action, or why there is none.
std::optional<std::string> textOf(const nlohmann::json& action, const char* key,
                                  std::string* text) {
  const nlohmann::json& value = action.value(key, nlohmann::json());
  if (!value.is_string())
    return "\"" + action.value("action", std::string()) + "\" needs a text \"" + key + "\"";
  *text = value.get<std::string>();
  return std::nullopt;
}

}  // namespace

std::optional<std::string> StudioEventSource::saveDrawing(
    const nlohmann::json& action, std::shared_ptr<const std::string>* bytes) {
  std::string format;
  if (std::optional<std::string> refused = textOf(action, "format", &format)) return refused;
  if (format != "svg" && format != "png" && format != "pdf")
    return "a drawing is saved as \"svg\", \"png\" or \"pdf\", not \"" + format + "\"";
  if (!options_.saveDrawing) return std::string("this session saves no drawings");
  std::optional<ParameterRecord> confirmed = confirmedRecord();
  if (!confirmed) return std::string("a drawing is saved from the options dialog only");
  if (!confirmed->preview || !liveRecord()->previewDrawn)
    return std::string("Save as... saves the preview: turn \"Preview\" on");
  Result<std::string> drawing = options_.saveDrawing(format, *confirmed);
  if (!drawing) return drawing.error();
  *bytes = std::make_shared<const std::string>(std::move(*drawing));
  return std::nullopt;
}

void StudioEventSource::listOwnSettings() {
  ownSettings_ = nullptr;
  if (options_.settingsFolder.empty()) return;
  if (Result<std::vector<std::string>> names = listNamedSettings(options_.settingsFolder))
    ownSettings_ = *names;
}

std::optional<std::string> StudioEventSource::saveSettings(const nlohmann::json& action) {
  std::string name;
  if (std::optional<std::string> refused = textOf(action, "name", &name)) return refused;
  if (options_.settingsFolder.empty()) return options_.noSettingsFolder;
  std::optional<ParameterRecord> confirmed = confirmedRecord();
  if (!confirmed) return std::string("settings are saved from the options dialog only");
  if (Result<void> saved = saveNamedSettings(options_.settingsFolder, name, *confirmed); !saved)
    return saved.error();
  listOwnSettings();
  return std::nullopt;
}

std::optional<std::string> StudioEventSource::chooseOwnSettings(const nlohmann::json& action) {
  std::string name;
  if (std::optional<std::string> refused = textOf(action, "name", &name)) return refused;
  if (options_.settingsFolder.empty()) return options_.noSettingsFolder;
  if (!confirmedRecord()) return std::string("settings are chosen in the options dialog only");
  Result<ParameterRecord> record = readNamedSettings(options_.settingsFolder, name);
  if (!record) return record.error();
  showInItems(*record);
  cause_ = "Settings: " + name;
  renotify();
  return std::nullopt;
}

void StudioEventSource::finish(nlohmann::json ended) {
  uint64_t version = channel_.close(std::move(ended));
  if (inFlight_) {
    channel_.answer(*inFlight_, {true, {}, version});
    inFlight_.reset();
  }
}

}  // namespace heart::studio
