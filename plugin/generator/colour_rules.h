// Colour rules shared by the heart's paint, its drop shadow and its sketch
// copies. They change gray (kind 0), four-colour process (kind 1) and
// three-colour (kind 5) records; every other kind (patterns, gradients,
// custom colours, no colour) passes through unchanged and draws nothing.
// "The first three components" are cyan, magenta, yellow or red, green, blue.
#pragma once

#include "plugin/host/suites.h"

// Gray, or the first three components, each a fresh draw. The black of a
// four-colour record keeps its value.
void randomiseColour(AIColor* colour);

// As randomiseColour, and the black of a four-colour record becomes 0.
void randomiseStrokeColour(AIColor* colour);

// Each of gray or the first three components moves by up to 0.1 either way
// (a draw for the size, then a jitter sign), then is clamped to 0..1.
void jitterColour(AIColor* colour);

// Black: four-colour (1, 1, 1, 1), three-colour (0, 0, 0), gray 1.
void makeBlack(AIColor* colour);
// White: four-colour (0, 0, 0, 0), three-colour (1, 1, 1), gray 0.
void makeWhite(AIColor* colour);

// Every ink scaled by the factor: all four of a four-colour record, three of
// a three-colour record, gray.
void scaleColour(AIColor* colour, AIReal factor);

// A random swatch of the current document (indices 2 to n, never 0 or 1)
// replaces the whole colour record, kind included. When the host has no
// swatch at the index the colour is left as it was.
void takeRandomSwatchColour(ASInt32 swatchCount, AIColor* colour);
