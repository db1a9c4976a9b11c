// The plug-in's cursor, for the page to show as its pointer while a point
// picker waits for a click in the document.
#pragma once

#include <optional>
#include <vector>

namespace heart {
struct ResourceImage;
}

namespace heart::studio {

// The image as PNG bytes with its mask as transparency; nothing when the
// image is empty or its pixels do not match its size.
std::optional<std::vector<unsigned char>> cursorPng(const ResourceImage& image);

}  // namespace heart::studio
