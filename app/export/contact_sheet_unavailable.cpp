// Contact sheets in a build without the drawing library: refused clearly,
// nothing written.
#include "render/contact_sheet.h"

#include "export/png_export.h"

namespace heart {

Result<void> writeContactSheet(const std::vector<SheetCell>&, int, const std::string& path) {
  std::string message = path;
  message += ": ";
  message += kNoPngInThisBuild;
  return fail(message);
}

}  // namespace heart
