// The heart's outline: the new path (H2), the choice of anchors (H3) and the
// anchors with their handles (H5). The path runs tip, right lobe, notch,
// left lobe and is closed back to the tip.
#pragma once

#include "plugin/generator/working_values.h"

// Which anchors are built, in path order: tip, right lobe, notch, left lobe.
struct AnchorChoice {
  bool build[kOutlineAnchorCount];
};

// A new, empty path above all art of the current layer.
ASErr newHeartPath(AIArtHandle* path);

// All four anchors, or with random create points on, one draw per anchor in
// path order: an anchor is built when ten times its draw is at most 5.
AnchorChoice chooseAnchors(const OutlineValues& outline);

// Writes the chosen anchors about the base point at consecutive indices,
// each anchor pulled toward the base point by the interpolation fraction
// (handles stay), and closes the path even when no anchor was built.
ASErr buildOutline(AIArtHandle path, const WorkingValues& values, const AnchorChoice& choice);

// The four segments as computed, before the pull toward the base point, in
// path order. Also used to explain the outline in tests.
void computeOutlineSegments(const OutlineValues& outline, AIRealPoint base,
                            AIPathSegment segments[kOutlineAnchorCount]);
