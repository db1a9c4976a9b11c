// PDF output in a build without the drawing library: every request is
// answered with a clear refusal, and nothing is written.
#include "export/pdf_export.h"

namespace heart {

bool canWritePdf() { return false; }

Result<std::string> exportPdf(const Document&, const SvgMetadata&) {
  return fail(kNoPdfInThisBuild);
}

Result<void> writePdfFile(const Document&, const SvgMetadata&, const std::string& path) {
  std::string message = path;
  message += ": ";
  message += kNoPdfInThisBuild;
  return fail(message);
}

}  // namespace heart
