#include "studio/studio_channel.h"

#include <algorithm>

namespace heart::studio {

ActionAnswer StudioChannel::submit(nlohmann::json action, Clock::duration patience,
                                   const std::string& page) {
  std::unique_lock lock(mutex_);
  lastContact_ = Clock::now();
  if (closed_) return {false, "the dialog has closed", view_.version};
  uint64_t ticket = nextTicket_++;
  queue_.push_back({std::move(action), ticket, page});
  actionsReady_.notify_all();
  auto mine = [&] {
    return std::find_if(answers_.begin(), answers_.end(),
                        [&](const auto& entry) { return entry.first == ticket; });
  };
  if (!answersReady_.wait_for(lock, patience, [&] { return mine() != answers_.end(); })) {
    // Still queued: withdraw it, so it cannot be applied after the caller
    // was told it was not.
    auto queued = std::find_if(queue_.begin(), queue_.end(),
                               [&](const Pending& pending) { return pending.ticket == ticket; });
    if (queued != queue_.end()) {
      queue_.erase(queued);
      return {false, "the dialog is busy; the action was not applied", view_.version};
    }
    answersReady_.wait(lock, [&] { return mine() != answers_.end(); });
  }
  auto found = mine();
  ActionAnswer result = found->second;
  answers_.erase(found);
  return result;
}

StudioView StudioChannel::view(uint64_t knownVersion, Clock::duration patience,
                               const std::string& page) {
  std::unique_lock lock(mutex_);
  lastContact_ = Clock::now();
  viewChanged_.wait_for(lock, patience, [&] {
    if (closed_) return true;
    return view_.version > knownVersion && (page.empty() || view_.answersPage != page);
  });
  lastContact_ = Clock::now();
  endShown_ = endShown_ || closed_;
  return view_;
}

StudioView StudioChannel::view() const {
  std::lock_guard lock(mutex_);
  return view_;
}

void StudioChannel::touch() {
  std::lock_guard lock(mutex_);
  lastContact_ = Clock::now();
}

StudioChannel::Cursor StudioChannel::pickerCursor() const {
  std::lock_guard lock(mutex_);
  return cursor_;
}

void StudioChannel::setPickerCursor(Cursor cursor) {
  std::lock_guard lock(mutex_);
  cursor_ = std::move(cursor);
}

std::optional<StudioChannel::Pending> StudioChannel::take(Clock::duration patience) {
  std::unique_lock lock(mutex_);
  if (!actionsReady_.wait_for(lock, patience, [&] { return !queue_.empty(); })) return std::nullopt;
  Pending next = std::move(queue_.front());
  queue_.pop_front();
  return next;
}

void StudioChannel::answer(uint64_t ticket, ActionAnswer answer) {
  std::lock_guard lock(mutex_);
  answers_.emplace_back(ticket, std::move(answer));
  answersReady_.notify_all();
}

uint64_t StudioChannel::publish(StudioView next) {
  std::lock_guard lock(mutex_);
  next.version = view_.version + 1;
  view_ = std::move(next);
  viewChanged_.notify_all();
  return view_.version;
}

uint64_t StudioChannel::close(nlohmann::json ended) {
  std::lock_guard lock(mutex_);
  closed_ = true;
  view_.ended = std::move(ended);
  view_.answersPage.clear();
  ++view_.version;
  for (const Pending& pending : queue_)
    answers_.emplace_back(pending.ticket,
                          ActionAnswer{false, "the dialog has closed", view_.version});
  queue_.clear();
  answersReady_.notify_all();
  viewChanged_.notify_all();
  return view_.version;
}

bool StudioChannel::closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

bool StudioChannel::endShown() const {
  std::lock_guard lock(mutex_);
  return endShown_;
}

std::optional<StudioChannel::Clock::time_point> StudioChannel::lastContact() const {
  std::lock_guard lock(mutex_);
  return lastContact_;
}

}  // namespace heart::studio
