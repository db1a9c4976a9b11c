// Plain geometry on points, segments and outlines, as the document's
// operations need it: finiteness checks, a matrix applied to a point, and an
// outline carried through the envelope warps it lies in. Values in, values
// out; nothing here knows the document.
#pragma once

#include <utility>
#include <vector>

#include "document/envelope_warp.h"
#include "document/segment_list.h"
#include "plugin/host/ai_art_suites.h"

namespace heart {

bool finitePoint(const AIRealPoint& p);
bool finiteSegment(const AIPathSegment& s);
// Finite and within the range of a float.
bool fitsFloat(double value);

// The point moved by the matrix; *finite becomes false when a coordinate
// leaves the range of a float (and is left alone otherwise).
AIRealPoint transformed(const AIRealMatrix& m, AIRealPoint p, bool* finite);

// Whether the piece from a to b is a straight line: both handles on their anchors.
bool straightPiece(const AIPathSegment& a, const AIPathSegment& b);
// Whether a closed outline of `count` anchors draws a piece from its last
// anchor back to its first: always with two or more, and for a lone anchor
// only when a handle leaves it, drawing a loop back to itself.
bool drawsClosingPiece(const AIPathSegment* segments, int32_t count);

// The warps of the envelopes an art lies in, each with the bounds of its
// envelope's contents, outermost first.
using EnvelopeWarps = std::vector<std::pair<EnvelopeWarp, AIRealRect>>;

// Warps the outline by every warp, innermost first, as it is drawn.
void applyWarps(const EnvelopeWarps& warps, SegmentList& outline);

}  // namespace heart
