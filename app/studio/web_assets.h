// The studio page's files, built into the program so the page works offline.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace heart::studio {

struct WebAsset {
  std::string_view name;  // e.g. "studio.js"
  std::string_view bytes;
};

std::span<const WebAsset> webAssets();

}  // namespace heart::studio
