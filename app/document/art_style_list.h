// Art styles: named appearances that art can carry on top of its paint.
// Index 0 is the default style, which adds nothing; the others show in the
// exported drawing as dashes, round joins or a heavier stroke.
#pragma once

#include <string>
#include <vector>

namespace heart {

struct ArtStyle {
  std::string name;
  // Dash and gap lengths as multiples of the stroke width; 0 for a solid stroke.
  float dash = 0;
  float gap = 0;
  bool roundJoins = false;  // round joins and caps
  float strokeFactor = 1;   // the drawn stroke width is the path's times this
};

// The art styles every new document starts with; index 0 is the default.
std::vector<ArtStyle> defaultArtStyles();

}  // namespace heart
