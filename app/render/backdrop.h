// The designer's drawing beneath a document's art (Document::backdropSvg),
// drawn with librsvg into a picture of the frame's size, once, so that the
// bands of a picture drawn on two cores only copy it.
#pragma once

#include <cairo.h>

#include <memory>

#include "core/result.h"
#include "document/document.h"
#include "render/document_renderer.h"

namespace heart {

using SurfacePointer = std::shared_ptr<cairo_surface_t>;

// The drawing as the frame shows it: its top left corner at the page's,
// 0.75 points a CSS pixel. Null when the document has no drawing beneath;
// failure when librsvg cannot read or draw it (or the build has no
// librsvg). The last picture made is kept for the next one of the same
// frame, as the studio's previews ask again and again.
Result<SurfacePointer> drawBackdrop(const Document& document, const RenderFrame& frame);

// Draws the drawing beneath (nothing for none) into cr as vectors, its top
// left corner at the user space's origin, 0.75 units a CSS pixel: one unit a
// point. A failure when librsvg cannot read or draw it.
Result<void> drawDrawingBeneath(const Document& document, cairo_t* cr);

// Paints the picture into cr's pixel rectangle; nothing for null.
void paintBackdrop(cairo_t* cr, const SurfacePointer& backdrop);

}  // namespace heart
