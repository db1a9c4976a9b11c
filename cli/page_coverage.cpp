#include "page_coverage.h"

#include "document/document.h"

namespace heart::cli {

bool artMeetsPage(const Document& document) {
  const AIRealPoint page = document.pageSize();
  for (LayerId layer : document.tree().layerOrder()) {
    for (ArtId id = document.tree().layer(layer).bottom; id != kNoArt;
         id = document.tree().node(id).above) {
      if (!document.tree().node(id).alive || document.tree().node(id).disposed) continue;
      AIRealRect bounds{};
      if (document.artBounds(id, &bounds) != kNoErr) continue;
      // Page coordinates point up: top is the larger vertical value.
      if (bounds.right >= 0 && bounds.left <= page.h && bounds.top >= 0 && bounds.bottom <= page.v)
        return true;
    }
  }
  return false;
}

}  // namespace heart::cli
