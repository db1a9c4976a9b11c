// The plug-in's random quantities. Every one comes from the host's random
// source, one fresh draw at a time, so a given sequence of draws always
// gives the same settings and builds the same hearts.
#pragma once

#include "plugin/suites/held_suites.h"

// r: one fresh draw, a real between 0 and 1.
inline AIReal drawReal() { return sAIRandom->FloatRnd(); }

// A coin: one draw, -1 when it is above one half and +1 otherwise.
inline AIReal drawCoin() { return drawReal() > 0.5f ? -1.0f : 1.0f; }

// The sign of a jitter: one draw, negative when ten times the draw exceeds 5.
inline AIReal drawJitterSign() { return drawReal() * 10.0f > 5.0f ? -1.0f : 1.0f; }
