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
  const ArtNode& node = tree_.slot(id);
  if (node.type == kPathArt) {
    ArtContent drawn = node.content;
    applyWarps(warps, drawn.segments);
    out.push_back(std::move(drawn));
    return;
  }
  bool envelope = node.type == kEnvelopeArt;
  if (envelope) warps.emplace_back(node.content.warp, envelopeContentBounds(id));
  for (ArtId child = node.bottomChild; child != kNoArt; child = tree_.slot(child).above)
    collectDrawn(child, warps, out);
  if (envelope) warps.pop_back();
}

ASErr Document::newSymbolFromArt(ArtId art, bool unlisted, int32_t* symbolIndex) {
  if (!tree_.isLive(art)) return kBadParameterErr;
  SymbolDefinition symbol;
  symbol.name = "Symbol " + std::to_string(symbols_.size() + 1);
  symbol.unlisted = unlisted;
  // The envelopes the art lies in shape it as drawn.
  EnvelopeWarps warps = warpsAround(art);
  collectDrawn(art, warps, symbol.paths);
  symbols_.push_back(std::move(symbol));
  journal_.record(ChangeKind::kSymbolCreated);
  if (symbolIndex) *symbolIndex = static_cast<int32_t>(symbols_.size() - 1);
  return kNoErr;
}

ASErr Document::setTag(ArtId art, const std::string& name, const std::string& value) {
  if (!tree_.isLive(art) || name.empty()) return kBadParameterErr;
  TagList& list = tags_[art];
  auto found =
      std::find_if(list.begin(), list.end(), [&](const auto& t) { return t.first == name; });
  // Tags of art made in this invocation go away with the art on revert.
  if (journal_.isOpen() && tree_.slot(art).bornEpoch != journal_.epoch()) {
    UndoJournal::SavedTag saved{name, std::nullopt};
    if (found != list.end()) saved.value = found->second;
    journal_.saveTag(art, std::move(saved));
  }
  if (found != list.end())
    found->second = value;
  else
    list.emplace_back(name, value);
  return kNoErr;
}

const std::string* Document::tag(ArtId art, const std::string& name) const {
  if (!tree_.isLive(art)) return nullptr;
  auto list = tags_.find(art);
  if (list == tags_.end()) return nullptr;
  for (const auto& [tagName, value] : list->second)
    if (tagName == name) return &value;
  return nullptr;
}

}  // namespace heart
