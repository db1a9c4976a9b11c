// A cairo image surface whose pixels the caller writes or reads directly.
#pragma once

#include <cairo.h>

#include "core/result.h"

namespace heart {

// A new ARGB32 image surface of width x height pixels, flushed so that its
// pixels can be written at once (mark it dirty after), or cairo's reason
// when it cannot make one. The caller destroys the surface.
Result<cairo_surface_t*> newImageSurface(int width, int height);

}  // namespace heart
