// How far a drawing has come: called with the paths drawn so far and the
// paths in all, from the thread that draws. A plain type of its own, so that
// code which only passes progress along needs no drawing library.
#pragma once

#include <cstddef>
#include <functional>

namespace heart {

using RenderProgress = std::function<void(size_t, size_t)>;

}  // namespace heart
