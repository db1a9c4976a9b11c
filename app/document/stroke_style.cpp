#include "document/stroke_style.h"

namespace heart {

StrokeStyle strokeStyleOf(const ArtContent& content, const std::vector<ArtStyle>& styles) {
  const ArtStyle& look =
      styles[content.artStyle >= 0 && static_cast<size_t>(content.artStyle) < styles.size()
                 ? content.artStyle
                 : 0];
  StrokeStyle stroke;
  stroke.width = content.style.strokeWidth > 0 ? content.style.strokeWidth * look.strokeFactor : 0;
  stroke.round = look.roundJoins;
  stroke.patterned = look.dash + look.gap > 0;
  stroke.dash = look.dash * stroke.width;
  stroke.gap = look.gap * stroke.width;
  return stroke;
}

}  // namespace heart
