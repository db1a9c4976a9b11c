// The geometry of an SVG drawing as its attributes write it: lengths in CSS
// units, the view box and how it is fitted into the viewport, and transform
// lists. Plain text in, numbers out; no XML.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/result.h"

namespace heart {

// An affine map in SVG's matrix order: x' = a x + c y + e, y' = b x + d y + f.
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
};
struct PointD {
  double x = 0, y = 0;
};

// `outer` applied after `inner`.
Affine compose(const Affine& outer, const Affine& inner);
PointD apply(const Affine& m, PointD p);
// None when the map flattens the plane (or is not finite).
std::optional<Affine> inverse(const Affine& m);
// "matrix(a b c d e f)" with every digit a double needs.
std::string matrixText(const Affine& m);

// CSS pixels per unit: px 1 (and no unit), pt 4/3, pc 16, mm 96/25.4,
// cm 96/2.54, in 96.
struct Length {
  double value = 0;
  bool percent = false;  // "100%": a share of what holds the drawing
};
// A length with an optional unit, in CSS pixels unless percent; spaces
// around it are allowed. Failure names what is wrong ("\"12em\": em is not
// a unit heart reads").
Result<Length> parseLength(std::string_view text);

struct ViewBox {
  double x = 0, y = 0, width = 0, height = 0;
};
// Four numbers apart by spaces or commas; width and height above 0.
Result<ViewBox> parseViewBox(std::string_view text);

// How the view box is fitted into the viewport: alignment per axis (0 min,
// 0.5 mid, 1 max) and meet or slice; "none" stretches.
struct AspectRatio {
  bool none = false;
  double alignX = 0.5, alignY = 0.5;
  bool slice = false;
};
// Empty text is the default, "xMidYMid meet".
Result<AspectRatio> parseAspectRatio(std::string_view text);

// The map from view box units to viewport pixels.
Affine viewBoxToViewport(const ViewBox& box, const AspectRatio& ratio, double viewportWidth,
                         double viewportHeight);

// A transform list: matrix, translate, scale, rotate (with or without a
// centre), skewX, skewY, apart by spaces or commas. Empty text is the
// identity.
Result<Affine> parseTransform(std::string_view text);

}  // namespace heart
