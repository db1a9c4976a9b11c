#include "render/document_renderer.h"

#include <algorithm>
#include <cmath>

#include "export/svg_text.h"
#include "render/draw_list.h"

namespace heart {

namespace {

constexpr double kMaxSide = 8192;
// Progress is reported after this many paths.
constexpr size_t kProgressStep = 4096;
// The stroke's reach beyond its path, in stroke widths: a miter join reaches
// at most half the miter limit (4, as SVG's default) times the width.
constexpr double kStrokeReach = 2;

// A coordinate as the SVG writes it: a value that is not finite becomes 0.
inline double coordinate(float value) { return std::isfinite(value) ? value : 0.0; }

// The paint of one path as the SVG gives it.
struct PathPaint {
  bool filled = false, stroked = false;
  double fill[3] = {}, stroke[3] = {};
  double width = 0;  // artwork points
  double dash = 0, gap = 0;
  bool dashed = false, round = false;
};

PathPaint paintOf(const ArtContent& content, const std::vector<ArtStyle>& styles) {
  PathPaint paint;
  const AIPathStyle& style = content.style;
  unsigned char rgb[3];
  if (style.fillPaint && screenRgb(style.fillColor, rgb)) {
    paint.filled = true;
    for (int i = 0; i < 3; ++i) paint.fill[i] = rgb[i] / 255.0;
  }
  if (style.strokePaint && screenRgb(style.strokeColor, rgb)) {
    const ArtStyle& look =
        styles[content.artStyle >= 0 && static_cast<size_t>(content.artStyle) < styles.size()
                   ? content.artStyle
                   : 0];
    float width = style.strokeWidth > 0 ? style.strokeWidth * look.strokeFactor : 0;
    // A stroke of width 0 is not drawn; a width that is not finite is written as 0.
    if (width > 0 && std::isfinite(width)) {
      paint.stroked = true;
      for (int i = 0; i < 3; ++i) paint.stroke[i] = rgb[i] / 255.0;
      paint.width = width;
      paint.round = look.roundJoins;
      float dash = look.dash * width, gap = look.gap * width;
      // Dashes that are negative or not finite make the stroke solid.
      if (look.dash + look.gap > 0 && dash >= 0 && gap >= 0 && std::isfinite(dash + gap) &&
          dash + gap > 0) {
        paint.dashed = true;
        paint.dash = dash;
        paint.gap = gap;
      }
    }
  }
  return paint;
}

// Draws the steps of a draw list with one cairo context.
class Painter {
 public:
  Painter(const Document& document, cairo_t* cr, const RenderFrame& frame)
      : styles_(document.artStyles()), cr_(cr) {
    cairo_matrix_init(&frame_, frame.zoom, 0, 0, -frame.zoom,
                      frame.width * 0.5 - frame.centre.h * frame.zoom,
                      frame.height * 0.5 + frame.centre.v * frame.zoom);
    cairo_save(cr_);
    // Nothing outside the frame's rectangle.
    cairo_rectangle(cr_, 0, 0, frame.width, frame.height);
    cairo_clip(cr_);
    cairo_transform(cr_, &frame_);
    cairo_get_matrix(cr_, &device_);
    cairo_save(cr_);
    cairo_identity_matrix(cr_);
    cairo_clip_extents(cr_, &clipLeft_, &clipTop_, &clipRight_, &clipBottom_);
    cairo_restore(cr_);
    double scaleX = std::hypot(device_.xx, device_.yx), scaleY = std::hypot(device_.xy, device_.yy);
    deviceScale_ = std::max(scaleX, scaleY);
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_WINDING);
    cairo_set_miter_limit(cr_, 4);
  }
  ~Painter() { cairo_restore(cr_); }

  void groupStart() { cairo_push_group(cr_); }
  void groupEnd(double opacity) {
    cairo_pop_group_to_source(cr_);
    cairo_paint_with_alpha(cr_, opacity);
  }

  void path(const ArtContent& content, const AIPathSegment* segments, int32_t count) {
    PathPaint paint = paintOf(content, styles_);
    if (!paint.filled && !paint.stroked) return;
    double box[4];
    if (!deviceBox(segments, count, paint.stroked ? paint.width : 0, box)) return;
    double opacity = content.opacity;
    // A translucent path that is both filled and stroked is seen as one
    // picture at its opacity, so it is drawn in a group of its own, kept to
    // the path's own pixels.
    bool group = opacity < 1 && paint.filled && paint.stroked;
    if (group) {
      cairo_save(cr_);
      cairo_identity_matrix(cr_);
      double left = std::floor(box[0]), top = std::floor(box[1]);
      cairo_rectangle(cr_, left, top, std::ceil(box[2]) - left, std::ceil(box[3]) - top);
      cairo_clip(cr_);
      cairo_set_matrix(cr_, &device_);
      cairo_push_group(cr_);
    }
    double alpha = group || !(opacity < 1) ? 1.0 : opacity;
    outline(content, segments, count);
    if (paint.filled) {
      cairo_set_source_rgba(cr_, paint.fill[0], paint.fill[1], paint.fill[2], alpha);
      if (paint.stroked)
        cairo_fill_preserve(cr_);
      else
        cairo_fill(cr_);
    }
    if (paint.stroked) {
      cairo_set_source_rgba(cr_, paint.stroke[0], paint.stroke[1], paint.stroke[2], alpha);
      cairo_set_line_width(cr_, paint.width);
      cairo_set_line_join(cr_, paint.round ? CAIRO_LINE_JOIN_ROUND : CAIRO_LINE_JOIN_MITER);
      cairo_set_line_cap(cr_, paint.round ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
      if (paint.dashed) {
        double dashes[2] = {paint.dash, paint.gap};
        cairo_set_dash(cr_, dashes, 2, 0);
      } else {
        cairo_set_dash(cr_, nullptr, 0, 0);
      }
      cairo_stroke(cr_);
    }
    if (group) {
      cairo_pop_group_to_source(cr_);
      cairo_paint_with_alpha(cr_, opacity);
      cairo_restore(cr_);
    }
  }

 private:
  // The device-space box of the path's anchors and handles, widened by the
  // stroke's reach; false when it misses the clip.
  bool deviceBox(const AIPathSegment* segments, int32_t count, double width, double box[4]) const {
    double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
    auto add = [&](const AIRealPoint& p) {
      double x = coordinate(p.h), y = coordinate(p.v);
      double dx = device_.xx * x + device_.xy * y + device_.x0;
      double dy = device_.yx * x + device_.yy * y + device_.y0;
      left = std::min(left, dx);
      right = std::max(right, dx);
      top = std::min(top, dy);
      bottom = std::max(bottom, dy);
    };
    for (int32_t i = 0; i < count; ++i) {
      add(segments[i].p);
      add(segments[i].in);
      add(segments[i].out);
    }
    double reach = kStrokeReach * width * deviceScale_ + 1;
    box[0] = std::max(left - reach, clipLeft_);
    box[1] = std::max(top - reach, clipTop_);
    box[2] = std::min(right + reach, clipRight_);
    box[3] = std::min(bottom + reach, clipBottom_);
    return box[0] < box[2] && box[1] < box[3];
  }

  void point(const AIRealPoint& p, double* x, double* y) const {
    *x = coordinate(p.h);
    *y = coordinate(p.v);
  }

  // The outline as the SVG writes it: a line where both handles lie on their
  // anchors, a curve otherwise, closed back to the first anchor.
  void outline(const ArtContent& content, const AIPathSegment* segments, int32_t count) {
    double x, y;
    point(segments[0].p, &x, &y);
    cairo_move_to(cr_, x, y);
    for (int32_t i = 0; i + 1 < count; ++i) curve(segments[i], segments[i + 1]);
    if (content.closed) {
      // A lone anchor whose handles leave it still draws a loop back to itself.
      const AIPathSegment& last = segments[count - 1];
      bool loop = last.out.h != last.p.h || last.out.v != last.p.v ||
                  segments[0].in.h != segments[0].p.h || segments[0].in.v != segments[0].p.v;
      if (count > 1 || loop) curve(last, segments[0]);
      cairo_close_path(cr_);
    }
  }

  void curve(const AIPathSegment& a, const AIPathSegment& b) {
    double x, y;
    point(b.p, &x, &y);
    bool straight = a.out.h == a.p.h && a.out.v == a.p.v && b.in.h == b.p.h && b.in.v == b.p.v;
    if (straight) {
      cairo_line_to(cr_, x, y);
      return;
    }
    double x1, y1, x2, y2;
    point(a.out, &x1, &y1);
    point(b.in, &x2, &y2);
    cairo_curve_to(cr_, x1, y1, x2, y2, x, y);
  }

  const std::vector<ArtStyle>& styles_;
  cairo_t* cr_;
  cairo_matrix_t frame_, device_;
  double clipLeft_ = 0, clipTop_ = 0, clipRight_ = 0, clipBottom_ = 0;
  double deviceScale_ = 1;
};

bool usable(const RenderFrame& frame) {
  return frame.width > 0 && frame.height > 0 && std::isfinite(frame.zoom) && frame.zoom > 0 &&
         std::isfinite(frame.centre.h) && std::isfinite(frame.centre.v);
}

}  // namespace

size_t renderDocument(const Document& document, cairo_t* cr, const RenderFrame& frame,
                      const RenderProgress& progress) {
  DrawList list(document);
  size_t total = list.pathCount(), drawn = 0;
  if (usable(frame) && cairo_status(cr) == CAIRO_STATUS_SUCCESS) {
    Painter painter(document, cr, frame);
    std::vector<float> opacities;
    for (const DrawStep& step : list.steps()) {
      switch (step.kind) {
        case DrawStep::kGroupStart:
          opacities.push_back(step.opacity);
          painter.groupStart();
          break;
        case DrawStep::kGroupEnd:
          painter.groupEnd(opacities.back());
          opacities.pop_back();
          break;
        case DrawStep::kPath:
          painter.path(*step.content, list.outline(step), step.count);
          if (++drawn % kProgressStep == 0 && progress) progress(drawn, total);
          break;
      }
    }
  }
  if (progress) progress(drawn, total);
  return drawn;
}

RenderFrame pageFrame(const Document& document) {
  AIRealPoint page = document.pageSize();
  double width = page.h, height = page.v;
  double scale = std::min(1.0, kMaxSide / std::max(width, height));
  RenderFrame frame;
  frame.zoom = scale;
  frame.width = std::max(1, static_cast<int>(std::ceil(width * scale)));
  frame.height = std::max(1, static_cast<int>(std::ceil(height * scale)));
  // The page's top left corner at the picture's top left corner.
  frame.centre.h = static_cast<AIReal>(frame.width / (2 * scale));
  frame.centre.v = static_cast<AIReal>(height - frame.height / (2 * scale));
  return frame;
}

RenderFrame viewFrame(const DocumentView& view) {
  RenderFrame frame;
  frame.centre = view.centre();
  frame.zoom = view.zoom();
  frame.width = view.windowWidth();
  frame.height = view.windowHeight();
  return frame;
}

}  // namespace heart
