#include "studio/variation_grid.h"

namespace heart::studio {

Result<void> VariationGrid::start(int64_t count) {
  if (count < 1 || count > kMostCells)
    return fail("a grid holds 1 to " + std::to_string(kMostCells) + " variations");
  state_ = State::Filling;
  count_ = count;
  ++version_;
  pictures_.clear();
  return {};
}

std::optional<int64_t> VariationGrid::nextCell() const {
  if (!filling()) return std::nullopt;
  return drawn() + 1;
}

void VariationGrid::add(Picture picture) {
  if (!filling()) return;
  pictures_.push_back(std::move(picture));
  if (drawn() == count_) state_ = State::Done;
}

bool VariationGrid::stop() {
  if (!filling()) return false;
  state_ = State::Stopped;
  return true;
}

std::optional<std::string> VariationGrid::refusedCell(int64_t cell) const {
  if (state_ == State::None) return std::string("no grid of variations has been drawn");
  if (cell < 1 || cell > count_)
    return "there is no cell " + std::to_string(cell) + "; the grid holds 1 to " +
           std::to_string(count_);
  if (cell > drawn()) {
    const std::string progress = std::to_string(drawn()) + " of " + std::to_string(count_);
    return "cell " + std::to_string(cell) +
           (filling() ? " is not drawn yet (" + progress + " drawn)"
                      : " was not drawn: the grid was stopped at " + progress);
  }
  return std::nullopt;
}

nlohmann::json VariationGrid::summary() const {
  static const char* const kStates[] = {"", "filling", "done", "stopped"};
  if (state_ == State::None) return nullptr;
  return {{"count", count_},
          {"drawn", drawn()},
          {"version", version_},
          {"state", kStates[static_cast<int>(state_)]}};
}

}  // namespace heart::studio
