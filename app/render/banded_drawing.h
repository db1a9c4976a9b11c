// A picture drawn in two bands of rows at once: the lower half on another
// core while this one draws the upper half. Each band gets a cairo context
// on its own rows of the surface's pixels, moved so that the coordinates
// stay those of the whole picture; what lies outside the band is clipped
// away before it is rasterised, so the two halves together are the picture
// one context would draw.
#pragma once

#include <cairo.h>

#include <functional>

namespace heart {

// Draws a band: `upper` says whether it is the upper band, drawn on the
// calling thread (the one to report progress from).
using BandPainter = std::function<void(cairo_t* cr, bool upper)>;

// Draws the whole of an ARGB32 image surface through `paint`, in two bands
// when `split` is set, the picture has rows enough and a second core and
// thread can be had, else in one. Answers the first error of either band.
cairo_status_t drawInBands(cairo_surface_t* surface, bool split, const BandPainter& paint);

}  // namespace heart
