// The user's actions as the studio page sends them, one JSON object each,
// turned into dialog events. An action is checked against the dialog as it
// stands before it is handed on, so one the user could not have made (an
// unknown, hidden or disabled item, one of another kind, a value of the wrong
// kind, garbage) is refused with a message and never reaches the dialog. The
// item is checked with the dialog manager's own answer, mayTakeAction().
//
//   {"action": "set", "item": 11, "value": 120.5}     type into a spin edit
//   {"action": "check", "item": 126, "on": true}      set a check box
//   {"action": "choose", "item": 10, "position": 3}   choose a popup list entry
//   {"action": "press", "item": 61}                   press a push button
//   {"action": "pick", "item": 160, "x": 412, "y": 230 [, "flags": 32]}
//        click a picker button at a point of the front view (pixels from
//        its top left); the flags default to 0x20, a completed click
//   {"action": "ok"}        the host's confirming gesture
//   {"action": "cancel"}    the host's cancelling gesture
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "core/result.h"
#include "dialog_manager/dialog_state.h"
#include "dialog_manager/event_source.h"

namespace heart::studio {

// The event for the action, or the reason it is refused.
Result<DialogEvent> eventForAction(const nlohmann::json& action, const DialogState& dialog);

}  // namespace heart::studio
