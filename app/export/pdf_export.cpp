#include "export/pdf_export.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <cmath>

#include "core/output_file.h"
#include "render/backdrop.h"
#include "render/document_renderer.h"

namespace heart {
namespace {

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool canWritePdf() { return true; }

Result<std::string> exportPdf(const Document& document, const SvgMetadata& metadata) {
  Result<std::string> json = runMetadataJson(metadata);
  if (!json) return json.failure();
  const AIRealPoint page = document.pageSize();
  std::string out;
  cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(appendBytes, &out, page.h, page.v);
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, metadata.title.c_str());
  if (!metadata.description.empty())
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_SUBJECT,
                                   metadata.description.c_str());
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "heart");
  const std::string keywords = "heart-run " + *json;
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_KEYWORDS, keywords.c_str());

  cairo_t* cr = cairo_create(surface);
  cairo_rectangle(cr, 0, 0, page.h, page.v);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
  Result<void> beneath = drawDrawingBeneath(document, cr);
  if (beneath) {
    // One unit a point, the page's top left corner at the frame's.
    RenderFrame frame;
    frame.width = std::max(1, static_cast<int>(std::ceil(page.h)));
    frame.height = std::max(1, static_cast<int>(std::ceil(page.v)));
    frame.centre.h = static_cast<AIReal>(frame.width / 2.0);
    frame.centre.v = static_cast<AIReal>(page.v - frame.height / 2.0);
    renderDocument(document, cr, frame);
  }
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  cairo_status_t status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (!beneath) return beneath.failure();
  if (status != CAIRO_STATUS_SUCCESS)
    return fail(std::string("cairo could not make the PDF: ") + cairo_status_to_string(status));
  return out;
}

Result<void> writePdfFile(const Document& document, const SvgMetadata& metadata,
                          const std::string& path) {
  Result<std::string> pdf = exportPdf(document, metadata);
  if (!pdf) return pdf.failure();
  return writeOutputFile(path, *pdf);
}

}  // namespace heart
