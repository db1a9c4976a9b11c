// A host with the heart module loaded and started, for driving the options
// dialog through the real dialog manager: scripted user actions, and
// snapshots of the dialog and of the live record taken between them.
#pragma once

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "application/host.h"
#include "dialog_manager/dialog_manager.h"
#include "dialog_manager/event_source.h"
#include "plugin/params/parameter_record.h"

namespace heart::testing {

// What the dialog and the record looked like at one point of a run.
struct Moment {
  DialogState state;
  ParameterRecord record{};
  int previews = 0;  // preview runs since the session began
};

class DialogSession {
 public:
  DialogSession();  // stores the defaults around the front view's centre
  ~DialogSession();

  Host& host() { return host_; }
  ParameterRecord stored() const;
  void store(const ParameterRecord& record);
  static ParameterRecord defaultsFor(AIRealPoint viewCentre);
  ParameterRecord defaults() const { return defaultsFor(viewCentre()); }
  AIRealPoint viewCentre() const;

  // Queued steps, run in order by the dialog manager once runDialog starts.
  const Moment& capture();
  DialogSession& then(std::function<void()> step);
  DialogSession& add(DialogEvent event);
  DialogSession& type(int32_t item, double value) { return add(DialogEvent::setReal(item, value)); }
  DialogSession& check(int32_t item, bool on) { return add(DialogEvent::setCheckBox(item, on)); }
  DialogSession& choose(int32_t list, int32_t at) {
    return add(DialogEvent::chooseEntry(list, at));
  }
  DialogSession& press(int32_t item) { return add(DialogEvent::press(item)); }
  DialogSession& pickAtArtwork(int32_t picker, AIRealPoint artwork, int32_t modifiers);

  // Get Parameters over the queued steps (an exhausted queue confirms);
  // fails the test when the dialog manager rejected a step.
  ASErr runDialog();
  // Preview runs so far: each ends with one document redraw.
  int previewsSoFar() const;
  // The items the plug-in sent "ADM User Changed Notifier" to, in order.
  const std::vector<int32_t>& sentNotifications() const;

 private:
  Host host_;
  ScriptedEventSource events_;
  std::deque<Moment> moments_;
};

// The page caption (the text static) with the id; id 95 is also a button.
const ItemState* captionItem(const DialogState& state, int32_t id);

// A set of field names from one space-separated list.
std::set<std::string> fieldNames(const std::string& spaceSeparated);

// The fields in which two records differ, named with both values; empty
// when they agree on every field but the ignored ones.
std::string differences(const ParameterRecord& actual, const ParameterRecord& expected,
                        const std::set<std::string>& ignoring = {});

}  // namespace heart::testing
