// Pictures of a document drawn directly with cairo: the same art, geometry
// and paint as the SVG export (colours for the screen, gradients and
// patterns in mid gray, custom colours as the gray of their tint, opacity,
// art-style strokes and dashes, layers in paint order with hidden layers
// left out, envelopes drawn with their warped outlines), without going
// through SVG text. It serves the PNG output of the command line and the
// live preview of a document view.
#pragma once

#include <cairo.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "document/document.h"
#include "render/render_progress.h"

namespace heart {

// The part of the artwork a picture shows, and the picture's size.
struct RenderFrame {
  AIRealPoint centre{0, 0};   // artwork point (points, vertical axis up) at the picture's centre
  double zoom = 1;            // pixels per point
  int width = 0, height = 0;  // picture size in pixels
  // A live preview trades exactness at the pixel level for speed: curves are
  // flattened more coarsely, edges take 17 levels of coverage instead of
  // 256, dashes and dots closer than four pixels are drawn as a solid line
  // as dark as their ink, solid strokes a pixel or two wide are drawn
  // straight into the picture's pixels rather than filled by cairo, and its
  // PNG is compressed lightly.
  bool preview = false;
  // Solid strokes a pixel or two wide, outside groups, are drawn straight
  // into the picture's pixels (as a preview draws them) instead of being
  // stroked by cairo: within a tenth of a percent of the exact picture's
  // pixels, at a fraction of the cost. The PNG output sets it.
  bool thinLinesDirect = false;
  // A picture of it (renderPng) shows the page in white; else the page is
  // transparent too.
  bool whitePage = true;
};

// Draws the document's visible art into cr exactly as exportSvg draws it
// (same geometry, paint, colour conversion, layer order, envelopes warped,
// symbols), mapped by the frame onto the pixel rectangle (0,0)-(width,height)
// of cr's user space. Draws nothing else (no background, no page outline):
// the caller paints those. Art outside the frame is skipped, but counts as
// drawn. Returns the number of paths drawn: every path with at least one
// anchor on a visible layer.
size_t renderDocument(const Document& document, cairo_t* cr, const RenderFrame& frame,
                      const RenderProgress& progress = {});

// The frame the PNG export uses: the whole page, one pixel a point, larger pages
// scaled down to at most `largestSide` pixels a side (8192, the most a picture
// has).
RenderFrame pageFrame(const Document& document, double largestSide = 8192);

// The frame of a document view: its centre, zoom and window size, drawn as
// a live preview.
RenderFrame viewFrame(const DocumentView& view);

// The picture as PNG bytes: the page in white where the frame shows it
// (unless the frame says otherwise), transparent around it, and the art over
// it. Taller pictures are drawn in two bands at once, one on another core. A
// failure says why (a frame without pixels, more than the cap of png_size.h,
// not enough memory).
Result<std::vector<unsigned char>> renderPng(const Document& document, const RenderFrame& frame,
                                             const RenderProgress& progress = {});

}  // namespace heart
