#include "render/document_renderer.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "document/stroke_style.h"
#include "export/svg_text.h"
#include "render/curve_flattening.h"
#include "render/draw_list.h"
#include "render/thin_lines.h"

namespace heart {

namespace {

// Progress is reported after this many paths.
constexpr size_t kProgressStep = 4096;
// The stroke's reach beyond its path, in stroke widths: a miter join reaches
// at most half the miter limit (4, as SVG's default) times the width.
constexpr double kStrokeReach = 2;
// Dash patterns shorter than this many pixels are drawn solid, as dark as
// their ink: in a preview, and below a pixel in thin lines drawn exactly,
// where a pixel spans more than a whole dash and gap.
constexpr double kPreviewDashPeriod = 4;
constexpr double kFineDashPeriod = 1;
constexpr double kPi = 3.14159265358979323846;
// How far, in device pixels, thin lines stray from the curves they follow:
// a fifth of a pixel in a preview, and in the exact picture a tenth, as
// cairo's own stroker flattens, so that their pixels are cairo's.
constexpr double kPreviewFlattening = 0.2;
constexpr double kExactFlattening = 0.1;
// Strokes at most this many pixels wide are thin: drawn straight into the
// pixels when solid, and in a preview otherwise filled as ribbons, cut into
// dashes here when their outline is shorter than this many pixels.
constexpr double kThinStroke = 2;
constexpr double kPreviewDashedLength = 1e5;

// The length of (x, y): faster than std::hypot, which guards against an
// overflow that device pixels of a finite picture do not reach.
inline double span(double x, double y) { return std::sqrt(x * x + y * y); }

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
    StrokeStyle stroke = strokeStyleOf(content, styles);
    // A stroke of width 0 is not drawn; a width that is not finite is written as 0.
    if (stroke.width > 0 && std::isfinite(stroke.width)) {
      paint.stroked = true;
      for (int i = 0; i < 3; ++i) paint.stroke[i] = rgb[i] / 255.0;
      paint.width = stroke.width;
      paint.round = stroke.round;
      // Dashes that are negative or not finite make the stroke solid.
      if (stroke.patterned && stroke.dash >= 0 && stroke.gap >= 0 &&
          std::isfinite(stroke.dash + stroke.gap) && stroke.dash + stroke.gap > 0) {
        paint.dashed = true;
        paint.dash = stroke.dash;
        paint.gap = stroke.gap;
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
    cairo_set_miter_limit(cr_, kStrokeMiterLimit);
    if (frame.preview) {
      cairo_set_tolerance(cr_, 0.5);
      cairo_set_antialias(cr_, CAIRO_ANTIALIAS_FAST);
      preview_ = true;
    }
    if (frame.preview || frame.thinLinesDirect) drawDirectly();
  }
  ~Painter() { cairo_restore(cr_); }

  void groupStart() {
    ++groupDepth_;
    cairo_push_group(cr_);
  }
  void groupEnd(double opacity) {
    --groupDepth_;
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
    bool thin = paint.stroked && paint.width * deviceScale_ <= kThinStroke;
    // Thin strokes go straight into the picture's pixels where it has them.
    bool direct = thin && !group && directLines_ && groupDepth_ == 0;
    // Outside a preview, only those: the rest are stroked exactly.
    if (!preview_) thin = direct;
    double strokeAlpha = alpha;
    const double period = (paint.dash + paint.gap) * deviceScale_;
    if (paint.dashed &&
        (preview_ ? period < kPreviewDashPeriod : direct && period < kFineDashPeriod)) {
      // Dashes too fine to tell apart: a solid line carrying their share of
      // ink, round caps adding a dot of the stroke's width to each.
      double ink = paint.dash + (paint.round ? paint.width * (kPi / 4) : 0);
      strokeAlpha *= std::min(1.0, ink / (paint.dash + paint.gap));
      paint.dashed = false;
    }
    bool outlined = false;
    if (paint.filled) {
      outline(content, segments, count);
      cairo_set_source_rgba(cr_, paint.fill[0], paint.fill[1], paint.fill[2], alpha);
      outlined = paint.stroked && !thin;
      if (outlined)
        cairo_fill_preserve(cr_);
      else
        cairo_fill(cr_);
    }
    if (thin) {
      cairo_new_path(cr_);
      if (!thinStroke(content, segments, count, paint, direct)) {
        // A dashed outline too long to cut here: drawn as a stroke after all.
        thin = false;
      } else if (direct) {
        cairo_surface_t* target = cairo_get_target(cr_);
        cairo_surface_flush(target);
        directLines_->paint(paint.stroke, strokeAlpha);
        cairo_surface_mark_dirty(target);
      } else {
        cairo_set_source_rgba(cr_, paint.stroke[0], paint.stroke[1], paint.stroke[2], strokeAlpha);
        cairo_fill(cr_);
      }
    }
    if (paint.stroked && !thin) {
      if (!outlined) outline(content, segments, count);
      cairo_set_source_rgba(cr_, paint.stroke[0], paint.stroke[1], paint.stroke[2], strokeAlpha);
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

  // Thin lines can be drawn straight into the target's pixels when it is an
  // ARGB32 image whose device pixels are the frame's, clipped to one
  // rectangle of whole pixels.
  void drawDirectly() {
    cairo_surface_t* target = cairo_get_target(cr_);
    if (cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(target) != CAIRO_FORMAT_ARGB32)
      return;
    double offsetX, offsetY, scaleX, scaleY;
    cairo_surface_get_device_offset(target, &offsetX, &offsetY);
    cairo_surface_get_device_scale(target, &scaleX, &scaleY);
    if (offsetX != 0 || offsetY != 0 || scaleX != 1 || scaleY != 1) return;
    cairo_save(cr_);
    cairo_identity_matrix(cr_);
    cairo_rectangle_list_t* clip = cairo_copy_clip_rectangle_list(cr_);
    cairo_restore(cr_);
    bool oneRectangle = clip->status == CAIRO_STATUS_SUCCESS && clip->num_rectangles == 1;
    cairo_rectangle_t box = oneRectangle ? clip->rectangles[0] : cairo_rectangle_t{};
    cairo_rectangle_list_destroy(clip);
    if (!oneRectangle || box.x != std::floor(box.x) || box.y != std::floor(box.y) ||
        box.width != std::floor(box.width) || box.height != std::floor(box.height))
      return;
    cairo_surface_flush(target);
    unsigned char* pixels = cairo_image_surface_get_data(target);
    if (!pixels) return;
    directLines_.emplace(
        pixels, cairo_image_surface_get_width(target), cairo_image_surface_get_height(target),
        cairo_image_surface_get_stride(target), static_cast<int>(box.x), static_cast<int>(box.y),
        static_cast<int>(box.x + box.width), static_cast<int>(box.y + box.height));
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
      if (drawsClosingPiece(segments, count)) curve(segments[count - 1], segments[0]);
      cairo_close_path(cr_);
    }
  }

  void curve(const AIPathSegment& a, const AIPathSegment& b) {
    double x, y;
    point(b.p, &x, &y);
    if (straightPiece(a, b)) {
      cairo_line_to(cr_, x, y);
      return;
    }
    double x1, y1, x2, y2;
    point(a.out, &x1, &y1);
    point(b.in, &x2, &y2);
    cairo_curve_to(cr_, x1, y1, x2, y2, x, y);
  }

  PlanePoint toDevice(const AIRealPoint& p) const {
    double x = coordinate(p.h), y = coordinate(p.v);
    return {device_.xx * x + device_.xy * y + device_.x0,
            device_.yx * x + device_.yy * y + device_.y0};
  }

  void addPoint(const PlanePoint& p) {
    if (!line_.empty() && std::fabs(p.x - line_.back().x) < 1e-6 &&
        std::fabs(p.y - line_.back().y) < 1e-6)
      return;
    line_.push_back(p);
  }

  // The curve from a to b as line pieces that stay within the flattening
  // tolerance of it.
  void flattenCurve(const AIPathSegment& a, const AIPathSegment& b) {
    const double tolerance = preview_ ? kPreviewFlattening : kExactFlattening;
    const PlanePoint p0 = toDevice(a.p), p1 = toDevice(a.out), p2 = toDevice(b.in),
                     p3 = toDevice(b.p);
    double ends[kMostCurvePieces];
    const int pieces = curvePieceEnds(p0, p1, p2, p3, tolerance, ends);
    for (int k = 0; k < pieces; ++k) addPoint(pointOnCurve(p0, p1, p2, p3, ends[k]));
  }

  // A stroke thinner than a couple of pixels, as a ribbon along the
  // flattened outline added to the current path (in device space), to be
  // filled by the caller: at that width joins and caps do not show, and a
  // fill costs a fraction of a stroke. `direct`: a solid one goes to the
  // thin lines drawn into the pixels instead. False, with nothing added, for
  // a dashed outline too long to cut into dashes here.
  bool thinStroke(const ArtContent& content, const AIPathSegment* segments, int32_t count,
                  const PathPaint& paint, bool direct) {
    double width = paint.width * deviceScale_;
    line_.clear();
    addPoint(toDevice(segments[0].p));
    for (int32_t i = 0; i + 1 < count; ++i) flattenCurve(segments[i], segments[i + 1]);
    bool closed = content.closed;
    if (closed) {
      const AIPathSegment& last = segments[count - 1];
      bool loop = last.out.h != last.p.h || last.out.v != last.p.v ||
                  segments[0].in.h != segments[0].p.h || segments[0].in.v != segments[0].p.v;
      if (count > 1 || loop) flattenCurve(last, segments[0]);
      if (line_.size() > 1 && std::fabs(line_.front().x - line_.back().x) < 1e-6 &&
          std::fabs(line_.front().y - line_.back().y) < 1e-6)
        line_.pop_back();
    }
    size_t n = line_.size();
    if (n < 2) return true;
    if (paint.dashed) {
      if (closed) line_.push_back(line_.front());
      double length = 0;
      for (size_t k = 0; k + 1 < line_.size(); ++k)
        length += span(line_[k + 1].x - line_[k].x, line_[k + 1].y - line_[k].y);
      if (!(length < kPreviewDashedLength)) return false;
      // Round caps reach half the width beyond each dash.
      const double reach = paint.round ? width * 0.5 : 0, half = width * 0.5;
      const double dash = paint.dash * deviceScale_, gap = paint.gap * deviceScale_;
      if (direct && paint.round) {
        // Round-capped dashes and dots as the capsules they are.
        dashPieces(dash, gap, 0, [&](PlanePoint a, PlanePoint b, bool, bool) {
          directLines_->addCapsule(a.x, a.y, b.x, b.y, half);
        });
        return true;
      }
      if (direct) {
        // Each piece of the outline with the dashes that fall on it.
        ThinLines::DashPattern pattern{dash, dash + gap, 0};
        for (size_t k = 0; k + 1 < line_.size(); ++k) {
          const PlanePoint a = line_[k], b = line_[k + 1];
          directLines_->addDashedSegment(a.x, a.y, b.x, b.y, half, pattern);
          const double length = span(b.x - a.x, b.y - a.y);
          if (std::isfinite(length)) pattern.offset += length;
        }
        return true;
      }
      thinDashes(dash, gap, reach, half);
      return true;
    }
    double half = width * 0.5;
    if (direct) {
      // Straight into the picture's pixels instead of the path; an open
      // line's ends are where it stops.
      for (size_t k = 0; k + 1 < n; ++k)
        directLines_->addSegment(line_[k].x, line_[k].y, line_[k + 1].x, line_[k + 1].y, half,
                                 !closed && k == 0, !closed && k + 2 == n);
      if (closed)
        directLines_->addSegment(line_[n - 1].x, line_[n - 1].y, line_[0].x, line_[0].y, half);
      return true;
    }
    offsets_.resize(n);
    for (size_t k = 0; k < n; ++k) {
      size_t before = k > 0 ? k - 1 : (closed ? n - 1 : 0);
      size_t after = k + 1 < n ? k + 1 : (closed ? 0 : n - 1);
      double dx = line_[after].x - line_[before].x, dy = line_[after].y - line_[before].y;
      double length = span(dx, dy);
      offsets_[k] =
          length > 0 ? PlanePoint{-dy / length * half, dx / length * half} : PlanePoint{0, 0};
    }
    cairo_identity_matrix(cr_);
    cairo_move_to(cr_, line_[0].x + offsets_[0].x, line_[0].y + offsets_[0].y);
    for (size_t k = 1; k < n; ++k)
      cairo_line_to(cr_, line_[k].x + offsets_[k].x, line_[k].y + offsets_[k].y);
    if (closed) {
      // The outer edge one way round and the inner edge the other: a ring.
      cairo_close_path(cr_);
      cairo_move_to(cr_, line_[n - 1].x - offsets_[n - 1].x, line_[n - 1].y - offsets_[n - 1].y);
    }
    for (size_t k = n; k-- > 0;)
      cairo_line_to(cr_, line_[k].x - offsets_[k].x, line_[k].y - offsets_[k].y);
    cairo_close_path(cr_);
    cairo_set_matrix(cr_, &device_);
    return true;
  }

  // The pieces of the flattened outline that its dashes cover, each handed
  // to `piece` with whether it starts and ends a dash (rather than meeting
  // the next piece at a corner of the outline).
  template <class Piece>
  void dashPieces(double dash, double gap, double reach, const Piece& piece) const {
    double period = dash + gap;
    double travelled = 0;  // along the outline, from its first point
    for (size_t k = 0; k + 1 < line_.size(); ++k) {
      PlanePoint a = line_[k], b = line_[k + 1];
      double length = span(b.x - a.x, b.y - a.y);
      if (!(length > 0) || !std::isfinite(length)) continue;
      double ux = (b.x - a.x) / length, uy = (b.y - a.y) / length;
      // The dashes that meet this piece: those starting from one period before it.
      double first = std::floor((travelled - reach) / period) * period;
      for (double start = first; start < travelled + length + reach; start += period) {
        double from = std::max(start - reach, travelled) - travelled;
        double to = std::min(start + dash + reach, travelled + length) - travelled;
        if (to <= from) continue;
        piece(PlanePoint{a.x + ux * from, a.y + uy * from},
              PlanePoint{a.x + ux * to, a.y + uy * to}, start - reach >= travelled,
              start + dash + reach <= travelled + length);
      }
      travelled += length;
    }
  }

  // Thin dashes along the flattened outline: one quad for each piece of a
  // line piece that a dash covers, added to the current path.
  void thinDashes(double dash, double gap, double reach, double half) {
    cairo_identity_matrix(cr_);
    dashPieces(dash, gap, reach, [&](PlanePoint a, PlanePoint b, bool, bool) {
      double length = span(b.x - a.x, b.y - a.y);
      double nx = -(b.y - a.y) / length * half, ny = (b.x - a.x) / length * half;
      cairo_move_to(cr_, a.x + nx, a.y + ny);
      cairo_line_to(cr_, b.x + nx, b.y + ny);
      cairo_line_to(cr_, b.x - nx, b.y - ny);
      cairo_line_to(cr_, a.x - nx, a.y - ny);
      cairo_close_path(cr_);
    });
    cairo_set_matrix(cr_, &device_);
  }

  std::vector<PlanePoint> line_, offsets_;
  const std::vector<ArtStyle>& styles_;
  cairo_t* cr_;
  cairo_matrix_t frame_, device_;
  double clipLeft_ = 0, clipTop_ = 0, clipRight_ = 0, clipBottom_ = 0;
  double deviceScale_ = 1;
  bool preview_ = false;
  std::optional<ThinLines> directLines_;
  int groupDepth_ = 0;
};

}  // namespace

bool usable(const RenderFrame& frame) {
  return frame.width > 0 && frame.height > 0 && std::isfinite(frame.zoom) && frame.zoom > 0 &&
         std::isfinite(frame.centre.h) && std::isfinite(frame.centre.v);
}

size_t drawList(const Document& document, const DrawList& list, cairo_t* cr,
                const RenderFrame& frame, const RenderProgress& progress) {
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
  return drawn;
}

size_t renderDocument(const Document& document, cairo_t* cr, const RenderFrame& frame,
                      const RenderProgress& progress) {
  DrawList list(document);
  size_t drawn = drawList(document, list, cr, frame, progress);
  if (progress) progress(drawn, list.pathCount());
  return drawn;
}

RenderFrame pageFrame(const Document& document, double largestSide) {
  AIRealPoint page = document.pageSize();
  double width = page.h, height = page.v;
  double scale = std::min(1.0, largestSide / std::max(width, height));
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
  frame.preview = true;
  return frame;
}

}  // namespace heart
