#include "document/art_style_list.h"

namespace heart {

std::vector<ArtStyle> defaultArtStyles() {
  return {
      ArtStyle{"[Default]", 0, 0, false, 1},
      ArtStyle{"Dashed Stroke", 4, 2, false, 1},
      ArtStyle{"Round Joins", 0, 0, true, 1},
      ArtStyle{"Double Weight Stroke", 0, 0, false, 2},
      ArtStyle{"Dotted Round", 0.01f, 2, true, 1.5f},
  };
}

}  // namespace heart
