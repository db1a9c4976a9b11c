// Work done in two halves at once, for the two cores a drawing is made on:
// the second half on a thread of its own while the first is done on the
// calling one.
#pragma once

#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>

namespace heart {

// Documents with at least this many live art objects are written and drawn
// in two halves; with fewer, a second thread costs more than it saves.
inline constexpr size_t kArtForTwoHalves = 8192;

// Runs first() here and second() on another thread, and returns once both
// have ended. What either throws (running out of memory) reaches the caller
// once both have ended, the first half's before the second's. Where no
// thread can be started, runs both here, first first; what the first throws
// then ends both.
template <class First, class Second>
void inTwoHalves(const First& first, const Second& second) {
  std::exception_ptr secondFailure;
  std::thread helper;
  try {
    helper = std::thread([&] {
      try {
        second();
      } catch (...) {
        secondFailure = std::current_exception();
      }
    });
  } catch (const std::system_error&) {
    first();
    second();
    return;
  }
  try {
    first();
  } catch (...) {
    helper.join();
    throw;
  }
  helper.join();
  if (secondFailure) std::rethrow_exception(secondFailure);
}

}  // namespace heart
