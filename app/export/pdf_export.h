// PDF drawings of a document: the page in points, the art as vector paths
// drawn by the same renderer as the PNG output (fills, strokes, dashes,
// opacity, layers, envelopes), the page white beneath, and a designer's
// opened drawing beneath the art as vectors too (librsvg into the same
// page).
//
// PDF from cairo holds RGB colours only: gray and four-colour art is drawn in
// the RGB the SVG and the PNG show for it, each component rounded to 1/255:
// a gray of ink g as 1 - g in all three; cyan, magenta, yellow and black as
// (1 - c)(1 - k), (1 - m)(1 - k), (1 - y)(1 - k); gradients and patterns in
// mid gray.
//
// The document information carries the title, the description and, in its
// Keywords, the run's record after the word "heart-run" (the same JSON as the
// SVG's <metadata>), so that the same hearts can be drawn again from the PDF.
#pragma once

#include <string>
#include <string_view>

#include "core/result.h"
#include "document/document.h"
#include "export/svg_export.h"

namespace heart {

// Whether this build writes PDF: false where cairo is not available for the
// target, as in the Windows build.
bool canWritePdf();
inline constexpr const char* kNoPdfInThisBuild =
    "this build of heart writes no PDF (no cairo for its platform); write the drawing as SVG";

Result<std::string> exportPdf(const Document& document, const SvgMetadata& metadata);
Result<void> writePdfFile(const Document& document, const SvgMetadata& metadata,
                          const std::string& path);

// The run record of a PDF this host wrote.
Result<SvgMetadata> parsePdfMetadata(std::string_view pdf);
Result<SvgMetadata> readPdfMetadata(const std::string& path);

}  // namespace heart
