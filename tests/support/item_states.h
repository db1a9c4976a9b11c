// An item of a dialog snapshot, made by hand for tests that judge user
// actions against a dialog without running one.
#pragma once

#include <cstdint>

#include "dialog_manager/dialog_state.h"

namespace heart::testing {

inline ItemState itemState(int32_t id, const char* type, bool visible = true, bool enabled = true) {
  ItemState state;
  state.id = id;
  state.type = type;
  state.visible = visible;
  state.enabled = enabled;
  return state;
}

}  // namespace heart::testing
