// PNG files of cairo image surfaces, made in memory with zlib. A picture of
// many rows is compressed in two halves at once, on two threads: each half
// is a deflate stream of its own, the first ended at a byte boundary so that
// the second continues it, inside one zlib stream whose checksum combines
// both. Rows are filtered as PNG encoders usually choose: Sub alone when
// fast, else whichever of the five filters leaves the smallest sum.
#pragma once

#include <cairo.h>

#include <vector>

#include "core/result.h"

namespace heart {

// How hard zlib works on the picture. Fast suits a preview sent over a local
// connection: a view of a heavy drawing encodes several times faster than
// with zlib's default, for a file about half again as large. Compact is
// zlib's default level, for files that are kept: a dense picture that
// deflates as small by matching runs alone is deflated that way, in a
// quarter of the time.
enum class PngCompression { kFast, kCompact };

// The PNG bytes of an ARGB32 image surface (colour with straight alpha, 8
// bits a channel), or why they cannot be made.
Result<std::vector<unsigned char>> encodePng(cairo_surface_t* image, PngCompression compression);

}  // namespace heart
