// Art styles, symbol definitions and tags of the document's art.
#include <algorithm>
#include <string>

#include "document/document.h"
#include "document/path_geometry.h"

namespace heart {

ASErr Document::setArtStyle(ArtId art, int32_t styleIndex) {
  ArtNode* node = liveNode(art);
  if (!node || styleIndex < 0 || styleIndex >= static_cast<int32_t>(artStyles_.size()))
    return kBadParameterErr;
  touch(art);
  node->content.artStyle = styleIndex;
  return kNoErr;
}

void Document::collectDrawn(ArtId id, EnvelopeWarps& warps, std::vector<ArtContent>& out) const {
  const ArtNode& node = arts_[id];
  if (node.type == kPathArt) {
    ArtContent drawn = node.content;
    applyWarps(warps, drawn.segments);
    out.push_back(std::move(drawn));
    return;
  }
  bool envelope = node.type == kEnvelopeArt;
  if (envelope) warps.emplace_back(node.content.warp, envelopeContentBounds(id));
  for (ArtId child = node.bottomChild; child != kNoArt; child = arts_[child].above)
    collectDrawn(child, warps, out);
  if (envelope) warps.pop_back();
}

ASErr Document::newSymbolFromArt(ArtId art, bool unlisted, int32_t* symbolIndex) {
  if (!isLive(art)) return kBadParameterErr;
  SymbolDefinition symbol;
  symbol.name = "Symbol " + std::to_string(symbols_.size() + 1);
  symbol.unlisted = unlisted;
  // The envelopes the art lies in shape it as drawn.
  EnvelopeWarps warps = warpsAround(art);
  collectDrawn(art, warps, symbol.paths);
  symbols_.push_back(std::move(symbol));
  record(ChangeKind::kSymbolCreated);
  if (symbolIndex) *symbolIndex = static_cast<int32_t>(symbols_.size() - 1);
  return kNoErr;
}

ASErr Document::setTag(ArtId art, const std::string& name, const std::string& value) {
  if (!isLive(art) || name.empty()) return kBadParameterErr;
  TagList& list = tags_[art];
  auto found =
      std::find_if(list.begin(), list.end(), [&](const auto& t) { return t.first == name; });
  if (journaling_ && arts_[art].bornEpoch != epoch_) {
    SavedTag saved{name, std::nullopt};
    if (found != list.end()) saved.value = found->second;
    savedTags_.push_back(std::move(saved));
    record(ChangeKind::kTagChanged, art, {}, static_cast<uint32_t>(savedTags_.size() - 1));
  }
  if (found != list.end())
    found->second = value;
  else
    list.emplace_back(name, value);
  return kNoErr;
}

const std::string* Document::tag(ArtId art, const std::string& name) const {
  if (!isLive(art)) return nullptr;
  auto list = tags_.find(art);
  if (list == tags_.end()) return nullptr;
  for (const auto& [tagName, value] : list->second)
    if (tagName == name) return &value;
  return nullptr;
}

}  // namespace heart
