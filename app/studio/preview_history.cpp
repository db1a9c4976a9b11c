#include "studio/preview_history.h"

#include <algorithm>

#include "studio/preview_picture.h"

namespace heart::studio {

size_t HistoryEntry::bytes() const {
  return record.size() + cause.size() + (thumbnail ? thumbnail->size() : 0) + sizeof(HistoryEntry);
}

PreviewHistory::PreviewHistory(HistoryBounds bounds) : bounds_(bounds) {}

uint64_t PreviewHistory::add(HistoryEntry entry) {
  // A new branch: what lay after the current entry is gone.
  const size_t keep = current_ ? *current_ + 1 : 0;
  while (entries_.size() > keep) {
    bytes_ -= entries_.back().bytes();
    entries_.pop_back();
  }
  entry.serial = nextSerial_++;
  bytes_ += entry.bytes();
  entries_.push_back(std::move(entry));
  while (entries_.size() > 1 && (entries_.size() > bounds_.entries || bytes_ > bounds_.bytes)) {
    bytes_ -= entries_.front().bytes();
    entries_.pop_front();
  }
  current_ = entries_.size() - 1;
  return entries_.back().serial;
}

Result<const HistoryEntry*> PreviewHistory::select(int64_t index) {
  if (entries_.empty()) return fail("no variation has been shown yet");
  if (index < 0 || static_cast<uint64_t>(index) >= entries_.size())
    return fail("there is no variation " + std::to_string(index) + "; the history holds 0 to " +
                std::to_string(entries_.size() - 1));
  current_ = static_cast<size_t>(index);
  return &entries_[*current_];
}

nlohmann::json PreviewHistory::summary() const {
  nlohmann::json list = nlohmann::json::array();
  for (const HistoryEntry& entry : entries_) list.push_back({entry.serial, entry.cause});
  return {{"entries", std::move(list)},
          {"current", current_ ? nlohmann::json(*current_) : nlohmann::json()}};
}

std::shared_ptr<const std::vector<unsigned char>> thumbnailPng(const PreviewPicture& picture,
                                                               int height) {
  if (picture.width <= 0 || picture.height <= 0) return nullptr;
  // Each small pixel is the mean of the block of pixels it covers.
  const int step = std::max(1, (picture.height + height - 1) / height);
  PreviewPicture small;
  small.width = std::max(1, picture.width / step);
  small.height = std::max(1, picture.height / step);
  small.pixels.resize(static_cast<size_t>(small.width) * small.height);
  for (int y = 0; y < small.height; ++y)
    for (int x = 0; x < small.width; ++x) {
      uint32_t sums[4] = {0, 0, 0, 0};
      for (int dy = 0; dy < step; ++dy)
        for (int dx = 0; dx < step; ++dx) {
          uint32_t pixel =
              picture.pixels[static_cast<size_t>(y * step + dy) * picture.width + x * step + dx];
          for (int c = 0; c < 4; ++c) sums[c] += (pixel >> (8 * c)) & 0xff;
        }
      uint32_t mean = 0;
      const uint32_t count = static_cast<uint32_t>(step * step);
      for (int c = 0; c < 4; ++c) mean |= ((sums[c] + count / 2) / count) << (8 * c);
      small.pixels[static_cast<size_t>(y) * small.width + x] = mean;
    }
  Result<std::vector<unsigned char>> png = previewPng(small);
  if (!png) return nullptr;
  return std::make_shared<const std::vector<unsigned char>>(std::move(*png));
}

}  // namespace heart::studio
