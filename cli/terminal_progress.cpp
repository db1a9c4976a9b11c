#include "terminal_progress.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>

namespace heart {

namespace {

class ProgressLine {
 public:
  explicit ProgressLine(std::string what) : what_(std::move(what)) {}

  void update(size_t done, size_t all) {
    if (all < kProgressLinePaths) return;
    auto now = std::chrono::steady_clock::now();
    if (done >= all) {
      // Clears the line so the command's own messages start on a clean one.
      if (shown_) std::fprintf(stderr, "\r\033[K");
      shown_ = false;
      return;
    }
    if (shown_ && now - last_ < std::chrono::milliseconds(100)) return;
    last_ = now;
    shown_ = true;
    std::fprintf(stderr, "\r\033[KDrawing %s: %zu%% (%zu of %zu paths)", what_.c_str(),
                 done * 100 / all, done, all);
    std::fflush(stderr);
  }

 private:
  std::string what_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace

RenderProgress terminalProgress(const std::string& what) {
  if (!isatty(STDERR_FILENO)) return {};
  auto line = std::make_shared<ProgressLine>(what);
  return [line](size_t done, size_t all) { line->update(done, all); };
}

}  // namespace heart
