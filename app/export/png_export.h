// PNG pictures of a document: the whole page at the size the options ask
// for (one pixel a point by default, larger pages scaled down to at most 8192
// pixels a side), the page white or transparent, and the art drawn over it
// as the SVG shows it.
#pragma once

#include <string>
#include <vector>

#include "core/result.h"
#include "document/document.h"
#include "export/png_size.h"
#include "render/render_progress.h"

namespace heart {

// Whether this build draws PNG pictures: false where the drawing library
// (cairo) is not available for the target, as in the Windows build.
bool canWritePng();
inline constexpr const char* kNoPngInThisBuild =
    "this build of heart draws no PNG pictures (no cairo for its platform); write the drawing "
    "as SVG";

// The PNG of the whole page, as writePngFile writes it.
Result<std::vector<unsigned char>> exportPng(const Document& document,
                                             const PngOptions& options = {},
                                             const RenderProgress& progress = {});

// Draws the document and writes the PNG to path. progress, when given, hears
// how far the drawing has come. A failure says why.
Result<void> writePngFile(const Document& document, const std::string& path,
                          const PngOptions& options = {}, const RenderProgress& progress = {});

// The whole page scaled to at most `largestSide` pixels a side, as PNG (a
// contact sheet's picture), or why it cannot be.
Result<void> writePagePicture(const Document& document, int largestSide, const std::string& path);

// Writes finished bytes to a file, or says why it cannot.
Result<void> writeBytesToFile(const std::vector<unsigned char>& bytes, const std::string& path);

}  // namespace heart
