// The studio's picture of the document: what the front view shows, at the
// view's zoom and window size, as a designer sees it in the host's window:
// the pasteboard around the page, the page in white with its outline, and
// the art over it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace heart {
class Document;
}

namespace heart::studio {

struct PreviewPicture {
  std::vector<unsigned char> png;
  int width = 0, height = 0;
  double zoom = 1;
  size_t paths = 0;         // paths drawn
  double milliseconds = 0;  // time taken to draw and encode
};

// The front view (view 0) of the document; nothing, with *error saying why,
// when the picture cannot be made.
std::optional<PreviewPicture> renderPreview(const Document& document, std::string* error);

}  // namespace heart::studio
