// The nine heart presets as the dialog's Tweak page promises them: the
// sixteen shape tweaks of " Heart 1" to " Heart 9", element 0 first. Written
// out here, apart from the plug-in's own table, so tests compare against it.
#pragma once

namespace heart::testing {

inline constexpr int kExpectedHeartPresets[9][16] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 50, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {-60, 0, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {-60, 0, 60, 0, 0, 50, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0},
    {-60, 60, 60, 60, 0, 50, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0},
    {-100, 100, 100, 100, 100, 100, -100, 100, 100, 100, 100, 100, -100, 100, -100, 100},
    {-200, 0, 200, 0, 100, 100, -100, 100, 100, 100, 100, 100, -100, 100, -100, 100},
    {0, 50, 0, 50, 50, 50, -50, 50, 0, 0, 0, 0, 0, 0, 0, 0},
    {-60, 60, 60, 60, 0, 50, 0, 50, 0, -100, 0, 0, 0, -100, 0, 0},
};

}  // namespace heart::testing
