#include "document/random_source.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <fstream>
#include <sstream>

namespace heart {

namespace {

// SplitMix64's step between states.
constexpr uint64_t kStep = 0x9E3779B97F4A7C15ull;

// The largest float below 1.
constexpr float kBelowOne = 0x1.fffffep-1f;

float limited(float value) {
  if (!(value >= 0.0f)) return 0.0f;  // negative or not a number
  return value < 1.0f ? value : kBelowOne;
}

std::string trimmed(const std::string& line) {
  size_t first = line.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  size_t last = line.find_last_not_of(" \t\r\n");
  return line.substr(first, last - first + 1);
}

}  // namespace

RandomSource::RandomSource() {
  auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  seed(static_cast<uint32_t>(ticks ^ (ticks >> 32)));
}

RandomSource::RandomSource(uint32_t seedValue) { seed(seedValue); }

void RandomSource::seed(uint32_t value) {
  seed_ = value;
  state_ = value;
  sequence_.clear();
  position_ = 0;
  drawnSinceStart_ = runStart_ = 0;
}

void RandomSource::useSequence(std::vector<float> values) {
  for (float& v : values) v = limited(v);
  sequence_ = std::move(values);
  position_ = 0;
  state_ = seed_;
  drawnSinceStart_ = runStart_ = 0;
}

void RandomSource::moveTo(uint64_t drawn) {
  drawnSinceStart_ = drawn;
  // The seeded generator steps its state by one constant a draw.
  state_ = seed_ + drawn * kStep;
  position_ = sequence_.empty() ? 0 : static_cast<size_t>(drawn % sequence_.size());
}

Result<void> RandomSource::loadSequenceFile(const std::string& path) {
  std::ifstream in(path);
  if (!in) {
    return fail("cannot read the random values file " + path);
  }
  std::vector<float> values;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    std::string text = trimmed(line);
    if (text.empty() || text[0] == '#') continue;
    float value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (*first == '+') ++first;
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || !std::isfinite(value)) {
      return fail(path + ":" + std::to_string(number) + ": \"" + text + "\" is not a real number");
    }
    if (value < 0.0f || value >= 1.0f) {
      return fail(path + ":" + std::to_string(number) + ": " + text +
                  " is outside [0, 1): random values lie from 0 up to but not including 1");
    }
    values.push_back(value);
  }
  if (values.empty()) {
    return fail(path + ": the file holds no random values");
  }
  useSequence(std::move(values));
  return {};
}

float RandomSource::next() {
  ++draws_;
  ++drawnSinceStart_;
  if (!sequence_.empty()) {
    float value = sequence_[position_];
    position_ = (position_ + 1) % sequence_.size();
    return value;
  }
  // SplitMix64: small, fast and well distributed; the top 24 bits make a
  // float in [0, 1) with every value exactly representable.
  uint64_t z = (state_ += kStep);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return static_cast<float>(z >> 40) * 0x1p-24f;
}

}  // namespace heart
