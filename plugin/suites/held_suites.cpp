// The suite pointers themselves: null until the suite table fills them at
// the start of a message, null again after a complete release.
#include "plugin/suites/held_suites.h"

#define HEART_HELD_SUITE_POINTER(Name) const Name##Suite* s##Name = nullptr;
HEART_HELD_SUITES(HEART_HELD_SUITE_POINTER)
#undef HEART_HELD_SUITE_POINTER
