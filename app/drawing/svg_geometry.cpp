#include "drawing/svg_geometry.h"

#include <charconv>
#include <cmath>
#include <numbers>
#include <vector>

namespace heart {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

// Reads a number at the front of `text` (an optional sign, digits, a point,
// an exponent) and drops it; false when none stands there.
bool takeNumber(std::string_view& text, double* value) {
  std::string_view rest = text;
  bool plus = !rest.empty() && rest.front() == '+';
  if (plus) rest.remove_prefix(1);
  if (rest.empty() || (rest.front() == '-' && plus)) return false;
  auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), *value);
  if (error != std::errc() || !std::isfinite(*value)) return false;
  text.remove_prefix(static_cast<size_t>(end - text.data()));
  return true;
}

void skipSeparators(std::string_view& text) {
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  if (!text.empty() && text.front() == ',') text.remove_prefix(1);
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
}

std::string quoted(std::string_view text) {
  // Built piece by piece: GCC 12 warns falsely about "\"" + std::string(...).
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  out.append(text);
  out += '"';
  return out;
}

}  // namespace

Affine compose(const Affine& o, const Affine& i) {
  return Affine{o.a * i.a + o.c * i.b, o.b * i.a + o.d * i.b,       o.a * i.c + o.c * i.d,
                o.b * i.c + o.d * i.d, o.a * i.e + o.c * i.f + o.e, o.b * i.e + o.d * i.f + o.f};
}

PointD apply(const Affine& m, PointD p) {
  return PointD{m.a * p.x + m.c * p.y + m.e, m.b * p.x + m.d * p.y + m.f};
}

std::optional<Affine> inverse(const Affine& m) {
  double det = m.a * m.d - m.b * m.c;
  if (!std::isfinite(det) || std::abs(det) < 1e-12) return std::nullopt;
  Affine r{m.d / det, -m.b / det, -m.c / det, m.a / det, 0, 0};
  r.e = -(r.a * m.e + r.c * m.f);
  r.f = -(r.b * m.e + r.d * m.f);
  return r;
}

std::string matrixText(const Affine& m) {
  std::string out = "matrix(";
  const double values[6] = {m.a, m.b, m.c, m.d, m.e, m.f};
  for (int i = 0; i < 6; ++i) {
    char digits[32];
    // Nearly-zero products of the map's steps are written as 0.
    double v = std::abs(values[i]) < 1e-12 ? 0.0 : values[i];
    auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
    if (i) out += ' ';
    out.append(digits, end);
  }
  return out + ")";
}

Result<Length> parseLength(std::string_view text) {
  std::string_view rest = trimmed(text);
  Length length;
  if (!takeNumber(rest, &length.value)) return fail(quoted(text) + " is not a length");
  struct Unit {
    std::string_view name;
    double pixels;
  };
  static constexpr Unit kUnits[] = {{"", 1},    {"px", 1},           {"pt", 96.0 / 72},
                                    {"pc", 16}, {"mm", 96.0 / 25.4}, {"cm", 96.0 / 2.54},
                                    {"in", 96}};
  if (rest == "%") {
    length.percent = true;
    return length;
  }
  for (const Unit& unit : kUnits) {
    if (rest == unit.name) {
      length.value *= unit.pixels;
      return length;
    }
  }
  return fail(quoted(text) + ": " + quoted(rest) +
              " is not a unit heart reads (px, pt, pc, mm, cm, in or %)");
}

Result<ViewBox> parseViewBox(std::string_view text) {
  std::string_view rest = trimmed(text);
  double v[4];
  for (int i = 0; i < 4; ++i) {
    if (i) skipSeparators(rest);
    if (!takeNumber(rest, &v[i]))
      return fail("the viewBox " + quoted(text) + " is not four numbers");
  }
  if (!trimmed(rest).empty()) return fail("the viewBox " + quoted(text) + " is not four numbers");
  if (!(v[2] > 0 && v[3] > 0))
    return fail("the viewBox " + quoted(text) +
                " has no area (its width and height must be above 0)");
  return ViewBox{v[0], v[1], v[2], v[3]};
}

Result<AspectRatio> parseAspectRatio(std::string_view text) {
  std::string_view rest = trimmed(text);
  AspectRatio ratio;
  if (rest.empty()) return ratio;
  auto word = [&rest]() {
    while (!rest.empty() && isSpace(rest.front())) rest.remove_prefix(1);
    size_t end = 0;
    while (end < rest.size() && !isSpace(rest[end])) ++end;
    std::string_view w = rest.substr(0, end);
    rest.remove_prefix(end);
    return w;
  };
  std::string_view align = word();
  if (align == "defer") align = word();
  auto axis = [](std::string_view name, double* at) {
    if (name == "Min")
      *at = 0;
    else if (name == "Mid")
      *at = 0.5;
    else if (name == "Max")
      *at = 1;
    else
      return false;
    return true;
  };
  if (align == "none") {
    ratio.none = true;
  } else if (align.size() != 8 || align[0] != 'x' || align[4] != 'Y' ||
             !axis(align.substr(1, 3), &ratio.alignX) || !axis(align.substr(5, 3), &ratio.alignY)) {
    return fail("preserveAspectRatio " + quoted(text) + " is not an alignment heart reads");
  }
  std::string_view fit = word();
  if (fit == "slice")
    ratio.slice = true;
  else if (!fit.empty() && fit != "meet")
    return fail("preserveAspectRatio " + quoted(text) + " is neither meet nor slice");
  if (!word().empty())
    return fail("preserveAspectRatio " + quoted(text) + " has more words than it takes");
  return ratio;
}

Affine viewBoxToViewport(const ViewBox& box, const AspectRatio& ratio, double width,
                         double height) {
  double sx = width / box.width, sy = height / box.height;
  if (!ratio.none) {
    sx = sy = ratio.slice ? std::max(sx, sy) : std::min(sx, sy);
  }
  double tx = -box.x * sx, ty = -box.y * sy;
  if (!ratio.none) {
    tx += (width - box.width * sx) * ratio.alignX;
    ty += (height - box.height * sy) * ratio.alignY;
  }
  return Affine{sx, 0, 0, sy, tx, ty};
}

Result<Affine> parseTransform(std::string_view text) {
  std::string_view rest = trimmed(text);
  Affine total;
  auto bad = [&text](const std::string& why) {
    return fail("the transform " + quoted(text) + " " + why);
  };
  while (!rest.empty()) {
    size_t open = rest.find('(');
    if (open == std::string_view::npos) return bad("is not a list of transforms");
    std::string_view name = trimmed(rest.substr(0, open));
    rest.remove_prefix(open + 1);
    std::vector<double> args;
    while (true) {
      while (!rest.empty() && isSpace(rest.front())) rest.remove_prefix(1);
      if (!rest.empty() && rest.front() == ')') break;
      if (!args.empty()) skipSeparators(rest);
      double v;
      if (!takeNumber(rest, &v)) return bad("has a value that is not a number");
      args.push_back(v);
      if (args.size() > 6) return bad("has too many values");
    }
    rest.remove_prefix(1);
    const size_t n = args.size();
    constexpr double kDegree = std::numbers::pi / 180;
    Affine step;
    if (name == "matrix" && n == 6) {
      step = Affine{args[0], args[1], args[2], args[3], args[4], args[5]};
    } else if (name == "translate" && (n == 1 || n == 2)) {
      step = Affine{1, 0, 0, 1, args[0], n == 2 ? args[1] : 0};
    } else if (name == "scale" && (n == 1 || n == 2)) {
      step = Affine{args[0], 0, 0, n == 2 ? args[1] : args[0], 0, 0};
    } else if (name == "rotate" && (n == 1 || n == 3)) {
      double c = std::cos(args[0] * kDegree), s = std::sin(args[0] * kDegree);
      step = Affine{c, s, -s, c, 0, 0};
      if (n == 3) {
        step = compose(Affine{1, 0, 0, 1, args[1], args[2]},
                       compose(step, Affine{1, 0, 0, 1, -args[1], -args[2]}));
      }
    } else if (name == "skewX" && n == 1) {
      step = Affine{1, 0, std::tan(args[0] * kDegree), 1, 0, 0};
    } else if (name == "skewY" && n == 1) {
      step = Affine{1, std::tan(args[0] * kDegree), 0, 1, 0, 0};
    } else {
      return bad("has " + quoted(name) + " with " + std::to_string(n) +
                 " values, which is not a transform");
    }
    // Each transform in the list applies inside the ones before it.
    total = compose(total, step);
    skipSeparators(rest);
  }
  return total;
}

}  // namespace heart
