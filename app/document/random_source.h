// The host's one source of random reals in [0, 1), behind "AI Random Suite".
//
// By default it is seeded from the clock; seed(n) makes a run reproducible.
// A fixed sequence of values can replace the seeded source: the values are
// handed out in order and started over when they run out. The last of seed()
// and useSequence() decides which one answers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/result.h"

namespace heart {

class RandomSource {
 public:
  RandomSource();  // seeded from the clock
  explicit RandomSource(uint32_t seed);

  // Seed the generator and go back to it from a fixed sequence.
  void seed(uint32_t value);
  uint32_t seedValue() const { return seed_; }

  // Answer these values in order from now on, starting over when they are
  // used up. Values outside [0, 1) are limited to it (a value that is not a
  // number counts as 0). An empty sequence goes back to the seeded generator.
  void useSequence(std::vector<float> values);
  // Read a sequence from a text file, one real a line (blank lines and lines
  // starting with '#' are skipped). A line that is not a number, or a value
  // outside [0, 1), is refused naming the line; the source is unchanged then.
  Result<void> loadSequenceFile(const std::string& path);

  bool usingSequence() const { return !sequence_.empty(); }
  const std::vector<float>& sequence() const { return sequence_; }

  // The next real in [0, 1).
  float next();
  // How many values have been drawn since construction.
  uint64_t drawCount() const { return draws_; }

  // How many values have been drawn since the source was last seeded or
  // given its sequence: with the seed (or the sequence) the whole of its
  // state, so a run can be drawn again from where it started.
  uint64_t drawnSinceStart() const { return drawnSinceStart_; }
  // Puts the source where it stood after `drawn` values from its seed (or
  // the start of its sequence).
  void moveTo(uint64_t drawn);
  // The plug-in begins every generator run by reverting what the filter's
  // invocation changed; the host notes where the source stands then.
  // runStart() is that place for the last run begun: the one whose art the
  // document shows.
  void noteRunStart() { runStart_ = drawnSinceStart_; }
  uint64_t runStart() const { return runStart_; }

 private:
  uint32_t seed_ = 0;
  uint64_t state_ = 0;
  std::vector<float> sequence_;
  size_t position_ = 0;
  uint64_t draws_ = 0;
  uint64_t drawnSinceStart_ = 0;
  uint64_t runStart_ = 0;
};

}  // namespace heart
