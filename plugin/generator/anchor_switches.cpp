#include "plugin/generator/anchor_switches.h"

#include "plugin/generator/transform_about.h"
#include "plugin/suites/held_suites.h"

ASErr applyAnchorSwitches(AIArtHandle path, const OutlineValues& outline) {
  AIRealPoint centre;
  if (ASErr error = artCentre(path, &centre)) return error;
  ASInt16 count = 0;
  sAIPath->GetPathSegmentCount(path, &count);
  for (ASInt16 i = 0; i < count; ++i) {
    AIPathSegment segment{};
    if (ASErr error = sAIPath->GetPathSegments(path, i, 1, &segment)) return error;
    // Positions past the fourth have no switch and stay.
    const bool switchedOff = i < kOutlineAnchorCount && !outline.anchorSwitches[i];
    if (switchedOff) segment.p = centre;
    if (ASErr error = sAIPath->SetPathSegments(path, i, 1, &segment)) return error;
  }
  return kNoErr;
}
