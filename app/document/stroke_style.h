// The stroke of a path as it is drawn: the path's own stroke width with its
// art style applied, as plain values that the SVG writer and the renderer
// both draw from.
#pragma once

#include <vector>

#include "document/art_node.h"
#include "document/art_style_list.h"

namespace heart {

// A miter join longer than this many stroke widths is drawn bevelled (SVG's
// default, which the exported drawing leaves implied).
inline constexpr double kStrokeMiterLimit = 4;

struct StrokeStyle {
  float width = 0;  // points: the path's width times the art style's factor; 0 when not above 0
  // Round joins and caps; otherwise miter joins and butt caps.
  bool round = false;
  // Whether the art style asks for dashes; dash and gap are then in points.
  bool patterned = false;
  float dash = 0, gap = 0;
};

// The stroke a path's content draws with. An art style index outside the
// list draws with the default style.
StrokeStyle strokeStyleOf(const ArtContent& content, const std::vector<ArtStyle>& styles);

}  // namespace heart
