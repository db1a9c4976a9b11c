// The grid of variations a studio session draws: N cells of the dialog's
// settings as they stand, cell K drawn from the random source seeded with K.
// The grid is set up empty and filled one cell at a time, between the page's
// requests, so the page shows each cell as it is drawn and a change made
// meanwhile is not kept waiting for the whole grid. A change stops the
// filling: the cells drawn so far stay and can be chosen, the others stay
// empty. Every grid set up has a version of its own (1, 2, ...), so that a
// picture asked for one grid is never taken for a cell of the next.
#pragma once

#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"

namespace heart::studio {

class VariationGrid {
 public:
  using Picture = std::shared_ptr<const std::vector<unsigned char>>;  // a PNG; may be null
  enum class State { None, Filling, Done, Stopped };
  static constexpr int64_t kMostCells = 36;

  // Sets up a grid of `count` cells (1 to kMostCells), none drawn, in place
  // of the grid before; refused, changing nothing, for another count.
  Result<void> start(int64_t count);
  // The cell to draw next (from 1); nothing unless the grid is filling.
  std::optional<int64_t> nextCell() const;
  // Takes the picture of the cell nextCell() named; after the last cell the
  // grid is done. Ignored unless the grid is filling.
  void add(Picture picture);
  // Stops the filling where it stands; answers whether it was filling.
  bool stop();

  State state() const { return state_; }
  bool filling() const { return state_ == State::Filling; }
  int64_t count() const { return count_; }
  int64_t drawn() const { return static_cast<int64_t>(pictures_.size()); }
  uint64_t version() const { return version_; }
  // The pictures of the cells drawn, cell K (from 1) at K - 1.
  const std::vector<Picture>& pictures() const { return pictures_; }

  // Why cell `cell` cannot be chosen; nothing when it has been drawn.
  std::optional<std::string> refusedCell(int64_t cell) const;
  // What the page reads: null before the first grid, else
  // {"count": N, "drawn": D, "version": V, "state": "filling"|"done"|"stopped"}.
  nlohmann::json summary() const;

 private:
  State state_ = State::None;
  int64_t count_ = 0;
  uint64_t version_ = 0;
  std::vector<Picture> pictures_;
};

}  // namespace heart::studio
