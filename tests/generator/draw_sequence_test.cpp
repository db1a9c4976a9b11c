// A whole run with every random switch on, checked against a reference that
// follows the generator's steps draw by draw. Every draw of the run has its
// own value, so a draw taken by the wrong step, or a step taking its draws in
// another order, changes some shape, colour, offset or warp value that the
// reference predicts. The outline is rebuilt here from the record; the pieces
// made from a finished heart (shadow, mirror copies, sketch copies) are
// predicted from that heart as the document holds it.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "document/bezier_bounds.h"
#include "generator_fixture.h"

namespace heart::testing {
namespace {

using Outline = std::vector<AIPathSegment>;

// The values the random source answers, built while the reference takes
// them. Every value differs from every other; where a threshold decides a
// branch, the reference asks for a value on the side it wants.
class DrawSequence {
 public:
  float any() { return take(0.02f, 0.96f); }
  float atMostHalf() { return take(0.02f, 0.47f); }
  float aboveHalf() { return take(0.51f, 0.47f); }
  // A coin: -1 when its draw is above one half.
  float coin() { return any() > 0.5f ? -1.0f : 1.0f; }
  float coin(bool negative) {
    return (negative ? aboveHalf() : atMostHalf()) > 0.5f ? -1.0f : 1.0f;
  }
  // A value chosen by the test, for a swatch or a style index.
  float exactly(float value) {
    values_.push_back(value);
    return value;
  }
  const std::vector<float>& values() const { return values_; }

 private:
  float take(float low, float span) {
    const double golden = 0.6180339887498949;
    double fraction = std::fmod(0.3183 + golden * static_cast<double>(++count_), 1.0);
    return exactly(low + span * static_cast<float>(fraction));
  }
  std::vector<float> values_;
  int count_ = 0;
};

AIRealRect boundsOf(const Outline& outline) {
  heart::BoundsAccumulator bounds;
  heart::addPathBounds(bounds, outline.data(), static_cast<int32_t>(outline.size()), true);
  return bounds.rect();
}

AIRealPoint centreOf(const AIRealRect& r) {
  return AIRealPoint{(r.left + r.right) / 2, (r.bottom + r.top) / 2};
}

void mapAll(Outline& outline, const std::function<AIRealPoint(AIRealPoint)>& f) {
  for (AIPathSegment& s : outline) {
    s.p = f(s.p);
    s.in = f(s.in);
    s.out = f(s.out);
  }
}

void scaleAbout(Outline& outline, AIRealPoint c, float sx, float sy) {
  mapAll(outline, [&](AIRealPoint p) {
    return AIRealPoint{c.h + (p.h - c.h) * sx, c.v + (p.v - c.v) * sy};
  });
}

void turnAbout(Outline& outline, AIRealPoint c, float radians) {
  const float cs = std::cos(radians), sn = std::sin(radians);
  mapAll(outline, [&](AIRealPoint p) {
    const float dx = p.h - c.h, dy = p.v - c.v;
    return AIRealPoint{c.h + dx * cs - dy * sn, c.v + dx * sn + dy * cs};
  });
}

void moveBy(Outline& outline, float dx, float dy) {
  mapAll(outline, [&](AIRealPoint p) { return AIRealPoint{p.h + dx, p.v + dy}; });
}

float radians(float degrees) { return degrees * 3.14159265f / 180.0f; }

int componentsOf(const AIColor& colour) {
  return colour.kind == kGrayColor                                   ? 1
         : (colour.kind == kFourColor || colour.kind == kThreeColor) ? 3
                                                                     : 0;
}

// Everything about one heart that the reference predicts before the run.
struct ExpectedHeart {
  Outline outline;
  AIPathStyle style{};
  float opacity = 1;
  int32_t artStyle = 0;
  heart::EnvelopeWarp warp;
  float shadowDx = 0, shadowDy = 0, shadowOpacity = 0, shadowSquash = 0;
  struct Sketch {
    float sx = 0, sy = 0;
    std::vector<float> jitter;  // six per segment: anchor x, y, in x, y, out x, y
    float opacity = 0;
    float colour[3] = {0, 0, 0};
    float width = 0;
  };
  std::vector<Sketch> sketches;
  size_t drawsSoFar = 0;  // after this heart
};

// The generator's per-heart steps, taking their draws from the sequence.
class Reference {
 public:
  Reference(const ParameterRecord& record, AIRealPoint page, const AIPathStyle& newPathPaint,
            const std::vector<heart::Swatch>& swatches, int artStyleCount)
      : rec_(record),
        page_(page),
        paint_(newPathPaint),
        swatches_(swatches),
        artStyles_(artStyleCount) {
    for (int k = 0; k < 16; ++k) tweak_[k] = record.shapeTweaks[k];
    heightNotch_ = rec_.heartHeight;
    q_ = radians(90 - rec_.slant);
    dL_ = rec_.curveDistanceLeft;
    dR_ = rec_.curveDistanceRight;
    hL_ = rec_.curveHeightLeft;
    hR_ = rec_.curveHeightRight;
    l1_ = rec_.curveLengthLeft1;
    l2_ = rec_.curveLengthLeft2;
    r1_ = rec_.curveLengthRight1;
    r2_ = rec_.curveLengthRight2;
    aL_ = radians(rec_.curveAngleLeft);
    aR_ = radians(rec_.curveAngleRight);
  }

  // `build` says which of tip, right lobe, notch and left lobe the coins of
  // the random anchor choice build; `edge` how the frame placement's two
  // draws fall (above half or not); `swatch` the swatch choice's draw;
  // `negativeSketchX` the first sketch copy's horizontal coin.
  ExpectedHeart heart(DrawSequence& d, const bool (&build)[4], const bool (&edge)[2], float swatch,
                      bool negativeSketchX) {
    ExpectedHeart h;
    shape(d);
    bool built[4] = {true, true, true, true};
    if (rec_.randomCreatePoints)
      for (int a = 0; a < 4; ++a) built[a] = (build[a] ? d.atMostHalf() : d.aboveHalf()) * 10 <= 5;
    place(d, edge);
    h.outline = outline(built);
    anchorSwitches(h.outline);
    ownTransform(h.outline);
    randomTransforms(d, h.outline);
    paint(d, swatch, h);
    if (rec_.randomStyle) {
      const int k = static_cast<int>(d.any() * artStyles_);
      h.artStyle = k == 0 ? (artStyles_ >= 1 ? 1 : 0) : k;
    }
    if (rec_.randomWarp) {
      int k = static_cast<int>(d.any() * 18);
      if (k > 15 || k < 1) k = 1;
      h.warp.style = static_cast<int16_t>(k);
      float c = d.coin();
      h.warp.bend = d.any() * c;
      c = d.coin();
      h.warp.horizontalDistortion = d.any() * c;
      c = d.coin();
      h.warp.verticalDistortion = d.any() * c;
      h.warp.vertical = d.any() > 0.5f;
    }
    if (rec_.dropShadow) {
      h.shadowDx = 20;
      h.shadowDy = -20;
      if (rec_.randomShadowDirection) {
        float c = d.coin();
        h.shadowDx = d.any() * c * 20;
        c = d.coin();
        h.shadowDy = d.any() * c * -20;
      }
      if (rec_.randomShadowOpacity) h.shadowOpacity = d.any();
      if (rec_.randomShadowScaling) h.shadowSquash = d.any();
    }
    for (int j = 0; j < rec_.sketchRepeats; ++j)
      h.sketches.push_back(sketch(d, h, j == 0 && negativeSketchX));
    h.drawsSoFar = d.values().size();
    return h;
  }

 private:
  void shape(DrawSequence& d) {
    if (rec_.randomHeart) {
      heightNotch_ = d.any() * rec_.heartHeight;
      hL_ = d.any() * rec_.curveHeightLeft;
      hR_ = d.any() * rec_.curveHeightRight;
      dL_ = d.any() * rec_.curveDistanceLeft;
      dR_ = d.any() * rec_.curveDistanceRight;
      q_ = radians(90 - d.any() * rec_.slant);
    }
    if (rec_.randomCurve) {
      l1_ = d.any() * rec_.curveLengthLeft1;
      l2_ = d.any() * rec_.curveLengthLeft2;
      r1_ = d.any() * rec_.curveLengthRight1;
      r2_ = d.any() * rec_.curveLengthRight2;
      aL_ = d.any() * radians(rec_.curveAngleLeft);
      aR_ = d.any() * radians(rec_.curveAngleRight);
    }
    if (rec_.randomDirectionPoints)
      for (float& offset : tweak_) offset *= d.any();
  }

  void place(DrawSequence& d, const bool (&edge)[2]) {
    const float w = page_.h, ht = page_.v;
    switch (rec_.placementMode) {
      case 0:
        base_ = {rec_.centerX, rec_.centerY};
        break;
      case 2:
        base_.h = d.any() * w;
        base_.v = d.any() * ht;
        break;
      case 7: {
        const float u = (edge[0] ? d.aboveHalf() : d.atMostHalf()) * 20;
        const float v = (edge[1] ? d.aboveHalf() : d.atMostHalf()) * 20;
        if (u <= 10) {
          base_.v = v <= 10 ? ht : 0;
          base_.h = d.any() * w;
        } else {
          base_.h = v <= 10 ? w : 0;
          base_.v = d.any() * ht;
        }
        break;
      }
      default:
        FAIL() << "the reference knows placement modes 0, 2 and 7";
    }
  }

  Outline outline(const bool (&built)[4]) const {
    const float x = base_.h, y = base_.v;
    const float nx = q_ == 0 ? x : x + heightNotch_ * std::cos(q_);
    const float ny = q_ == 0 ? y + heightNotch_ : y + heightNotch_ * std::sin(q_);
    const float* o = tweak_;
    const AIRealPoint right = {nx + dR_, ny + hR_}, left = {nx + dL_, ny + hL_};
    const AIPathSegment anchors[4] = {
        {{x, y}, {x + o[0], y + o[1]}, {x + o[2], y + o[3]}, false},
        {right,
         {right.h + r2_ * std::cos(aR_) + o[10], right.v - r2_ * std::sin(aR_) + o[11]},
         {right.h - r1_ * std::cos(aR_) + o[8], right.v + r1_ * std::sin(aR_) + o[9]},
         false},
        {{nx, ny}, {nx + o[4], ny + o[5]}, {nx + o[6], ny + o[7]}, false},
        {left,
         {left.h - l2_ * std::cos(aL_) + o[14], left.v + l2_ * std::sin(aL_) + o[15]},
         {left.h + l1_ * std::cos(aL_) + o[12], left.v - l1_ * std::sin(aL_) + o[13]},
         false},
    };
    const float t = rec_.interpolatePoints / 100;
    Outline result;
    for (int a = 0; a < 4; ++a) {
      if (!built[a]) continue;
      AIPathSegment s = anchors[a];
      s.p = {s.p.h + t * (x - s.p.h), s.p.v + t * (y - s.p.v)};
      result.push_back(s);
    }
    return result;
  }

  // Positions whose switch is off move to the centre of the bounds taken
  // once, before any of them moves.
  void anchorSwitches(Outline& outline) const {
    const AIRealPoint m = centreOf(boundsOf(outline));
    const bool32 on[4] = {rec_.anchorFlag1, rec_.anchorFlag2, rec_.anchorFlag3, rec_.anchorFlag4};
    for (size_t i = 0; i < outline.size() && i < 4; ++i)
      if (!on[i]) outline[i].p = m;
  }

  void ownTransform(Outline& outline) const {
    const AIRealPoint m = centreOf(boundsOf(outline));
    if (rec_.heartAngle != 0) turnAbout(outline, m, radians(rec_.heartAngle));
    scaleAbout(outline, m, rec_.scaleHorizontal / 100, rec_.scaleVertical / 100);
  }

  void randomTransforms(DrawSequence& d, Outline& outline) const {
    if (rec_.randomAngle) turnAbout(outline, centreOf(boundsOf(outline)), d.any() * 10);
    if (rec_.randomScaling) {
      const float s = d.any() + 0.01f;
      scaleAbout(outline, centreOf(boundsOf(outline)), s, s);
    }
    if (rec_.jitterScaling) {
      float s = d.any() * 0.1f;
      if (d.any() * 10 > 5) s = -s;
      scaleAbout(outline, centreOf(boundsOf(outline)), 1 + s, 1 + s);
    }
    if (rec_.jitterCenter) {
      const float c1 = d.coin();
      const float dx = d.any() * c1 * 50;
      const float c2 = d.coin();
      const float dy = d.any() * c2 * 50;
      moveBy(outline, dx, dy);
    }
  }

  static void randomColour(DrawSequence& d, AIColor& colour, bool blackToZero) {
    const int n = componentsOf(colour);
    for (int k = 0; k < n; ++k) colour.c[k] = d.any();
    if (blackToZero && colour.kind == kFourColor) colour.c[3] = 0;
  }

  static void jitterColour(DrawSequence& d, AIColor& colour) {
    const int n = componentsOf(colour);
    for (int k = 0; k < n; ++k) {
      const float size = d.any() * 0.1f;
      colour.c[k] += d.any() * 10 > 5 ? -size : size;
    }
    for (int k = 0; k < n; ++k)
      if (colour.c[k] < 0) colour.c[k] = 0;
    for (int k = 0; k < n; ++k)
      if (colour.c[k] > 1) colour.c[k] = 1;
  }

  void paint(DrawSequence& d, float swatch, ExpectedHeart& h) const {
    AIPathStyle& style = h.style;
    style = paint_;
    if (rec_.randomFill) randomColour(d, style.fillColor, false);
    if (rec_.randomFillSwatches) {
      const int n = static_cast<int>(swatches_.size());
      int k = static_cast<int>(d.exactly(swatch) * n) + 1;
      if (k > n) k = n;
      if (k < 0) k = 0;
      if (k == 1 || k == 0) k = 2;
      style.fillPaint = 1;
      if (k < n) style.fillColor = swatches_[k].color;
    }
    if (rec_.randomStroke) randomColour(d, style.strokeColor, true);
    if (rec_.randomWidth) style.strokeWidth *= d.any();
    if (rec_.randomOpacity) h.opacity = d.any();
    if (rec_.jitterFill) jitterColour(d, style.fillColor);
    if (rec_.jitterStroke) jitterColour(d, style.strokeColor);
    if (rec_.jitterWidth) {
      const float size = d.any() * 3;
      style.strokeWidth += d.any() * 10 > 5 ? -size : size;
      if (style.strokeWidth < 0) style.strokeWidth = 0;
    }
  }

  ExpectedHeart::Sketch sketch(DrawSequence& d, const ExpectedHeart& h, bool negativeX) const {
    ExpectedHeart::Sketch s;
    float c = negativeX ? d.coin(true) : d.coin();
    s.sx = d.any() * rec_.sketchShift * c;
    c = d.coin();
    s.sy = d.any() * rec_.sketchShift * c;
    if (s.sx != 0 || s.sy != 0) {
      for (size_t i = 0; i < h.outline.size() * 6; ++i) {
        if (rec_.randomSketchShift) {
          const float sign = d.coin();
          s.jitter.push_back(sign * d.any());
        } else {
          s.jitter.push_back(1);
        }
      }
    }
    switch (rec_.sketchColorMode) {
      case 7:
        break;  // from the shift, no draws
      case 9:
        s.opacity = d.any();
        for (int k = 0; k < componentsOf(h.style.strokeColor); ++k) s.colour[k] = d.any();
        break;
      default:
        ADD_FAILURE() << "the reference knows sketch colour modes 7 and 9";
    }
    s.width = rec_.sketchWeight / 10;
    if (rec_.randomSketchWeight) s.width *= d.any();
    return s;
  }

  const ParameterRecord rec_;
  const AIRealPoint page_;
  const AIPathStyle paint_;
  const std::vector<heart::Swatch>& swatches_;
  const int artStyles_;
  // Working values carried from heart to heart.
  float tweak_[16];
  float heightNotch_, q_, dL_, dR_, hL_, hR_, l1_, l2_, r1_, r2_, aL_, aR_;
  AIRealPoint base_{0, 0};
};

constexpr float kGeometry = 0.02f;

::testing::AssertionResult sameOutline(const Outline& actual, const Outline& expected) {
  if (actual.size() != expected.size())
    return ::testing::AssertionFailure() << actual.size() << " segments, not " << expected.size();
  for (size_t i = 0; i < actual.size(); ++i) {
    const std::pair<const char*, std::pair<AIRealPoint, AIRealPoint>> points[] = {
        {"anchor", {actual[i].p, expected[i].p}},
        {"in", {actual[i].in, expected[i].in}},
        {"out", {actual[i].out, expected[i].out}}};
    for (const auto& [what, pair] : points) {
      ::testing::AssertionResult same = near(pair.first, pair.second, kGeometry);
      if (!same) return same << " (" << what << " of segment " << i << ")";
    }
  }
  return ::testing::AssertionSuccess();
}

// The three mirror copies of an outline: reflected in the page's vertical
// centre line, in both centre lines, and in the horizontal one.
Outline mirrored(const Outline& source, AIRealPoint page, int copy) {
  Outline result = source;
  const bool flipX = copy != 3, flipY = copy != 1;
  mapAll(result, [&](AIRealPoint p) {
    return AIRealPoint{flipX ? page.h - p.h : p.h, flipY ? page.v - p.v : p.v};
  });
  return result;
}

class DrawSequenceTest : public GeneratorTest {
 protected:
  // Every piece of a heart, bottom to top: the shadow below the heart, the
  // heart, the shadow's three copies, the heart's three copies, and each
  // sketch copy followed by its three copies.
  struct Pieces {
    ArtId shadow, heart;
    ArtId shadowCopies[3], heartCopies[3];
    std::vector<std::pair<ArtId, std::vector<ArtId>>> sketches;
  };

  Pieces piecesOf(const std::vector<ArtId>& all, size_t first, int sketches) {
    Pieces p{};
    size_t at = first;
    p.shadow = all[at++];
    p.heart = all[at++];
    for (ArtId& copy : p.shadowCopies) copy = all[at++];
    for (ArtId& copy : p.heartCopies) copy = all[at++];
    for (int j = 0; j < sketches; ++j) {
      ArtId sketch = all[at++];
      std::vector<ArtId> copies = {all[at], all[at + 1], all[at + 2]};
      at += 3;
      p.sketches.emplace_back(sketch, copies);
    }
    return p;
  }

  void expectMirrors(const ArtId (&copies)[3], const Outline& source, const char* what) {
    for (int k = 0; k < 3; ++k)
      EXPECT_TRUE(sameOutline(segments(copies[k]), mirrored(source, page(), k + 1)))
          << what << " copy " << k + 1;
  }
};

TEST_F(DrawSequenceTest, EverySwitchOnThreeHeartsTakeTheirDrawsStepByStep) {
  record.randomHeart = record.randomCurve = record.randomDirectionPoints = 1;
  record.randomCreatePoints = 1;
  record.randomAngle = record.randomScaling = record.jitterScaling = record.jitterCenter = 1;
  record.randomFill = record.randomFillSwatches = record.randomStroke = 1;
  record.randomWidth = record.randomOpacity = 1;
  record.jitterFill = record.jitterStroke = record.jitterWidth = 1;
  record.randomStyle = record.symbolize = record.randomWarp = 1;
  record.dropShadow = record.halfFillShadow = 1;
  record.randomShadowDirection = record.randomShadowOpacity = record.randomShadowScaling = 1;
  record.basicPattern = record.newLayer = 1;
  record.randomSketchShift = record.randomSketchWeight = 1;
  record.sketchRepeats = 2;
  record.sketchShift = 12;
  record.sketchWeight = 25;
  record.sketchColorMode = 9;  // random opacity, then random colour
  // Two anchor positions off: both move to the one centre taken before either.
  record.anchorFlag2 = 0;
  record.anchorFlag4 = 0;
  record.placementMode = 7;
  record.heartCount = 3;
  record.heartHeight = 110;
  record.curveDistanceLeft = -75;
  record.curveDistanceRight = 65;
  record.curveHeightLeft = 45;
  record.curveHeightRight = 35;
  record.curveLengthLeft1 = 55;
  record.curveLengthLeft2 = 62;
  record.curveLengthRight1 = 58;
  record.curveLengthRight2 = 66;
  record.curveAngleLeft = 130;
  record.curveAngleRight = 50;
  record.slant = 12;
  for (int k = 0; k < 16; ++k) record.shapeTweaks[k] = (k % 2 ? -1.0f : 1.0f) * (3.0f + 1.5f * k);
  record.interpolatePoints = 20;
  record.heartAngle = 15;
  record.scaleHorizontal = 90;
  record.scaleVertical = 110;

  const int swatchCount = static_cast<int>(document().swatches().size());
  const int styleCount = static_cast<int>(document().artStyles().size());
  ASSERT_GE(swatchCount, 12);
  Reference reference(record, page(), newPathPaint(), document().swatches(), styleCount);
  DrawSequence sequence;
  // Heart 1 builds every anchor; heart 2 skips the notch; heart 3 skips the
  // tip. The swatches are a three-colour, a gray and a four-colour one, so
  // the fill jitter takes six, two and six draws.
  auto swatchDraw = [&](int index) { return (index - 1 + 0.5f) / swatchCount; };
  auto kindOf = [&](int index) { return document().swatches()[index].color.kind; };
  int threeColour = 0, grayOne = 0, fourColour = 0;
  for (int k = 2; k < swatchCount; ++k) {
    if (!threeColour && kindOf(k) == kThreeColor) threeColour = k;
    if (!grayOne && kindOf(k) == kGrayColor) grayOne = k;
    if (!fourColour && kindOf(k) == kFourColor) fourColour = k;
  }
  ASSERT_TRUE(threeColour && grayOne && fourColour);
  const ExpectedHeart expected[3] = {
      reference.heart(sequence, {true, true, true, true}, {false, true}, swatchDraw(threeColour),
                      true),
      reference.heart(sequence, {true, true, false, true}, {true, false}, swatchDraw(grayOne),
                      false),
      reference.heart(sequence, {false, true, true, true}, {true, true}, swatchDraw(fourColour),
                      false),
  };
  draws(sequence.values());
  const size_t layersBefore = document().tree().layerOrder().size();
  ASSERT_EQ(go(), kNoErr);
  EXPECT_EQ(drawCount(), sequence.values().size()) << "draws taken by the whole run";
  EXPECT_EQ(document().tree().layerOrder().size(), layersBefore + 1) << "one new layer";
  EXPECT_EQ(document().symbols().size(), 3u) << "one symbol per heart";

  const std::vector<ArtId> all = paths();
  const size_t perHeart = 2 + 3 + 3 + 4 * static_cast<size_t>(record.sketchRepeats);
  ASSERT_EQ(all.size(), 3 * perHeart);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE("heart " + std::to_string(i + 1));
    const ExpectedHeart& e = expected[i];
    const Pieces pieces = piecesOf(all, i * perHeart, record.sketchRepeats);

    // H1 to H8: the outline from the shape draws, the anchor coins, the
    // frame placement, the anchor switches and the transforms.
    const Outline heart = segments(pieces.heart);
    EXPECT_TRUE(sameOutline(heart, e.outline));
    EXPECT_TRUE(closed(pieces.heart));

    // H9, H10: paint and art style.
    const AIPathStyle paint = style(pieces.heart);
    EXPECT_TRUE(sameColour(paint.fillColor, e.style.fillColor)) << "fill";
    EXPECT_TRUE(sameColour(paint.strokeColor, e.style.strokeColor)) << "stroke";
    EXPECT_NEAR(paint.strokeWidth, e.style.strokeWidth, 1e-5f);
    EXPECT_TRUE(paint.fillPaint);
    EXPECT_FLOAT_EQ(opacity(pieces.heart), e.opacity);
    EXPECT_EQ(document().tree().node(pieces.heart).content.artStyle, e.artStyle);

    // H11, before H12: the symbol holds the heart as painted, not yet warped.
    const heart::SymbolDefinition& symbol = document().symbols()[i];
    ASSERT_EQ(symbol.paths.size(), 1u);
    const heart::ArtContent& held = symbol.paths[0];
    EXPECT_TRUE(sameOutline(Outline(held.segments.begin(), held.segments.end()), heart))
        << "symbol";
    EXPECT_TRUE(sameColour(held.style.fillColor, e.style.fillColor)) << "symbol fill";
    EXPECT_EQ(held.artStyle, e.artStyle);
    EXPECT_FLOAT_EQ(held.opacity, e.opacity);

    // H12: the warp of the heart's envelope.
    const ArtId envelope = document().tree().node(pieces.heart).parent;
    ASSERT_NE(envelope, heart::kNoArt);
    ASSERT_EQ(document().tree().node(envelope).type, kEnvelopeArt);
    const heart::EnvelopeWarp& warp = document().tree().node(envelope).content.warp;
    EXPECT_EQ(warp.style, e.warp.style);
    EXPECT_FLOAT_EQ(warp.bend, e.warp.bend);
    EXPECT_FLOAT_EQ(warp.horizontalDistortion, e.warp.horizontalDistortion);
    EXPECT_FLOAT_EQ(warp.verticalDistortion, e.warp.verticalDistortion);
    EXPECT_EQ(warp.vertical, e.warp.vertical);

    // H13: the shadow, moved, squashed onto its bottom edge, half the
    // heart's fill, then its copies and the heart's.
    Outline shadow = heart;
    moveBy(shadow, e.shadowDx, e.shadowDy);
    const AIRealRect moved = boundsOf(shadow);
    scaleAbout(shadow, AIRealPoint{(moved.left + moved.right) / 2, moved.bottom}, 1,
               e.shadowSquash);
    EXPECT_TRUE(sameOutline(segments(pieces.shadow), shadow)) << "shadow";
    const AIPathStyle shade = style(pieces.shadow);
    EXPECT_TRUE(sameColour(
        shade.fillColor,
        rgb(paint.fillColor.c[0] * 0.5f, paint.fillColor.c[1] * 0.5f, paint.fillColor.c[2] * 0.5f)))
        << "shadow fill";
    EXPECT_TRUE(sameColour(shade.strokeColor, paint.strokeColor)) << "shadow stroke";
    EXPECT_FLOAT_EQ(opacity(pieces.shadow), e.shadowOpacity);
    expectMirrors(pieces.shadowCopies, shadow, "shadow");
    expectMirrors(pieces.heartCopies, heart, "heart");

    // H14: each sketch copy shifted coordinate by coordinate, with its
    // opacity, stroke colour and width, and its three copies.
    ASSERT_EQ(pieces.sketches.size(), e.sketches.size());
    for (size_t j = 0; j < e.sketches.size(); ++j) {
      SCOPED_TRACE("sketch copy " + std::to_string(j + 1));
      const ExpectedHeart::Sketch& s = e.sketches[j];
      Outline sketch = heart;
      ASSERT_EQ(s.jitter.size(), 6 * sketch.size());
      for (size_t k = 0; k < sketch.size(); ++k) {
        const float* jitter = &s.jitter[6 * k];
        sketch[k].p.h += jitter[0] * s.sx;
        sketch[k].p.v += jitter[1] * s.sy;
        sketch[k].in.h += jitter[2] * s.sx;
        sketch[k].in.v += jitter[3] * s.sy;
        sketch[k].out.h += jitter[4] * s.sx;
        sketch[k].out.v += jitter[5] * s.sy;
      }
      const ArtId copy = pieces.sketches[j].first;
      EXPECT_TRUE(sameOutline(segments(copy), sketch));
      const AIPathStyle stroke = style(copy);
      AIColor colour = paint.strokeColor;
      for (int k = 0; k < 3; ++k) colour.c[k] = s.colour[k];
      EXPECT_TRUE(sameColour(stroke.strokeColor, colour));
      EXPECT_FALSE(stroke.fillPaint);
      EXPECT_TRUE(stroke.strokePaint);
      EXPECT_NEAR(stroke.strokeWidth, s.width, 1e-5f);
      EXPECT_FLOAT_EQ(opacity(copy), s.opacity);
      const std::vector<ArtId>& copies = pieces.sketches[j].second;
      const ArtId three[3] = {copies[0], copies[1], copies[2]};
      expectMirrors(three, sketch, "sketch");
    }
  }
  EXPECT_EQ(segments(all[perHeart + 1]).size(), 3u) << "heart 2 has no notch";
}

// In a gray document the shift colour is the last shifted segment's
// out-handle-y delta over the shift, and it is not clamped.
TEST_F(DrawSequenceTest, ShiftColourInAGrayDocumentFollowsTheLastOutHandleDelta) {
  openHost(kDocGrayColor);
  record.sketchRepeats = 2;
  record.sketchShift = 10;
  record.sketchWeight = 30;
  record.sketchColorMode = 7;
  record.randomSketchShift = 1;
  record.randomSketchWeight = 1;
  ASSERT_EQ(newPathPaint().strokeColor.kind, kGrayColor);
  Reference reference(record, page(), newPathPaint(), document().swatches(),
                      static_cast<int>(document().artStyles().size()));
  DrawSequence sequence;
  const ExpectedHeart e =
      reference.heart(sequence, {true, true, true, true}, {false, false}, 0, false);
  draws(sequence.values());
  ASSERT_EQ(go(), kNoErr);
  EXPECT_EQ(drawCount(), sequence.values().size());
  const std::vector<ArtId> all = paths();
  ASSERT_EQ(all.size(), 3u);
  ASSERT_EQ(e.sketches.size(), 2u);
  for (size_t j = 0; j < 2; ++j) {
    const ExpectedHeart::Sketch& s = e.sketches[j];
    const float outY = s.jitter[6 * 3 + 5] * s.sy;  // segment 4, out handle y
    const AIPathStyle stroke = style(all[1 + j]);
    EXPECT_TRUE(sameColour(stroke.strokeColor, gray(outY / record.sketchShift))) << j;
    EXPECT_NEAR(stroke.strokeWidth, s.width, 1e-5f) << j;
  }
}

}  // namespace
}  // namespace heart::testing
