// A cairo image surface whose pixels the caller writes or reads directly.
#pragma once

#include <cairo.h>

#include <string>

namespace heart {

// A new ARGB32 image surface of width x height pixels, flushed so that its
// pixels can be written at once (mark it dirty after). Null when cairo
// cannot make one; then *error, when given, says why.
cairo_surface_t* newImageSurface(int width, int height, std::string* error = nullptr);

}  // namespace heart
