// A progress line on the terminal for long drawings: "Drawing hearts.png:
// 45% (44,000 of 99,000 paths)", rewritten in place on standard error and
// cleared when the work is done. Silent when standard error is not a
// terminal or the drawing is small enough to be done in a blink.
#pragma once

#include <string>

#include "render/render_progress.h"

namespace heart {

// Paths below which no line is shown.
constexpr size_t kProgressLinePaths = 20000;

RenderProgress terminalProgress(const std::string& what);

}  // namespace heart
