// Envelopes: the art stays itself, the warp shows in the drawn outline, and
// copies of warped art are warped too.
#include <cmath>
#include <set>
#include <vector>

#include "support/document_suites_fixture.h"

namespace heart::testing {
namespace {

using EnvelopeTest = SuiteTest;

TEST_F(EnvelopeTest, MakeEnvelopeConsumesTheShapeAndKeepsTheArtAddressable) {
  AIArtHandle below = newSquare(-50, -50, 5);
  AIArtHandle heart = newSquare(0, 0, 100);
  AIArtHandle above = newSquare(200, 200, 5);
  AIArtHandle rect = nullptr, env = nullptr;
  ASSERT_EQ(shape->NewRect(0, 0, 200, 200, 0, &rect), kNoErr);
  AIEnvelopeOptions options{0, 50};
  ASSERT_EQ(envelope->MakeEnvelope(&heart, 1, rect, &options, &env), kNoErr);

  // The rectangle is gone; the envelope stands where the heart stood.
  AIRealRect r{};
  EXPECT_EQ(art->GetArtBounds(rect, &r), kBadParameterErr);
  EXPECT_EQ(document->tree().layerArts(document->currentLayer()),
            (std::vector<ArtId>{id(below), id(env), id(above)}));
  AIArtHandle parent = nullptr;
  ASSERT_EQ(art->GetArtParent(heart, &parent), kNoErr);
  EXPECT_EQ(parent, env);

  // Without a warp the envelope draws the heart as it is.
  EXPECT_EQ(bounds(env).top, bounds(heart).top);

  ASSERT_EQ(envelope->SetEnvelopeWarp(env, kWarpRise, 1, 0, 0, 0), kNoErr);
  // The heart answers for itself, unwarped; the envelope shows the rise.
  EXPECT_EQ(bounds(heart).top, 100);
  EXPECT_GT(bounds(env).top, 100);
  EXPECT_LT(bounds(env).bottom, 0);

  // Transforms and path calls keep reaching the heart inside.
  AIRealMatrix move{1, 0, 0, 1, 300, 0};
  ASSERT_EQ(transform->TransformArt(heart, &move, 1, kTransformObjects), kNoErr);
  EXPECT_EQ(bounds(heart).left, 300);
  EXPECT_GE(bounds(env).left, 299);
  ASInt16 count = 0;
  ASSERT_EQ(path->GetPathSegmentCount(heart, &count), kNoErr);
  EXPECT_EQ(count, 4);

  EXPECT_EQ(envelope->SetEnvelopeWarp(env, 16, 1, 0, 0, 0), kBadParameterErr);
  EXPECT_EQ(envelope->SetEnvelopeWarp(heart, kWarpArc, 1, 0, 0, 0), kBadParameterErr);
}

double distance(AIRealPoint a, AIRealPoint b) { return std::hypot(a.h - b.h, a.v - b.v); }

TEST_F(EnvelopeTest, EveryWarpStyleReallyDeformsTheOutline) {
  AIArtHandle heart = nullptr;
  ASSERT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &heart), kNoErr);
  // The default heart: sharp tip and notch, round lobes.
  AIPathSegment outline[4] = {{{0, 0}, {0, 0}, {0, 0}, false},
                              {{70, 140}, {112.43f, 97.57f}, {27.57f, 182.43f}, false},
                              {{0, 100}, {0, 100}, {0, 100}, false},
                              {{-70, 140}, {-27.57f, 182.43f}, {-112.43f, 97.57f}, false}};
  ASSERT_EQ(path->SetPathSegments(heart, 0, 4, outline), kNoErr);
  ASSERT_EQ(path->SetPathClosed(heart, 1), kNoErr);
  AIRealRect box = bounds(heart);
  AIArtHandle rect = nullptr, env = nullptr;
  ASSERT_EQ(shape->NewRect(0, 0, 200, 200, 0, &rect), kNoErr);
  ASSERT_EQ(envelope->MakeEnvelope(&heart, 1, rect, nullptr, &env), kNoErr);

  std::set<std::vector<float>> shapes;
  for (ASInt16 style = 1; style <= kLastWarpStyle; ++style) {
    for (AIBoolean vertical : {0, 1}) {
      std::string name = std::string(warpStyleName(style)) + (vertical ? " vertical" : "");
      ASSERT_EQ(envelope->SetEnvelopeWarp(env, style, 0.8f, 0, 0, vertical), kNoErr);
      SegmentList drawn;
      document->drawnOutline(id(heart), drawn);
      ASSERT_EQ(drawn.size(), 4) << name;
      // Anchors and handles move by the warp over the heart's own bounds...
      EnvelopeWarp warp{style, 0.8f, 0, 0, vertical != 0};
      double moved = 0;
      std::vector<float> coordinates;
      for (int i = 0; i < 4; ++i) {
        for (auto member : {&AIPathSegment::p, &AIPathSegment::in, &AIPathSegment::out}) {
          AIRealPoint expected = warpPoint(warp, box, outline[i].*member);
          EXPECT_EQ((drawn[i].*member).h, expected.h) << name;
          EXPECT_EQ((drawn[i].*member).v, expected.v) << name;
          moved = std::max(moved, distance(drawn[i].*member, outline[i].*member));
          coordinates.push_back(std::round(expected.h));
          coordinates.push_back(std::round(expected.v));
        }
      }
      // ...visibly, on a heart 180 points tall, and each style differently.
      EXPECT_GT(moved, 8.0) << name;
      shapes.insert(coordinates);
    }
  }
  EXPECT_GE(shapes.size(), 28u);

  // Bend 0 without distortion keeps the outline; a distortion alone deforms it.
  ASSERT_EQ(envelope->SetEnvelopeWarp(env, kWarpArc, 0, 0, 0, 0), kNoErr);
  SegmentList unchanged;
  document->drawnOutline(id(heart), unchanged);
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(unchanged[i].p.h, outline[i].p.h);
    EXPECT_FLOAT_EQ(unchanged[i].p.v, outline[i].p.v);
  }
  ASSERT_EQ(envelope->SetEnvelopeWarp(env, kWarpArc, 0, 1, 0, 0), kNoErr);
  SegmentList distorted;
  document->drawnOutline(id(heart), distorted);
  EXPECT_GT(distance(distorted[1].p, outline[1].p), 8.0);
  // Bend beyond 1 is limited to 1.
  ASSERT_EQ(envelope->SetEnvelopeWarp(env, kWarpArc, 7, -9, 0, 0), kNoErr);
  EXPECT_EQ(document->tree().node(id(env)).content.warp.bend, 1.0f);
  EXPECT_EQ(document->tree().node(id(env)).content.warp.horizontalDistortion, -1.0f);
  EXPECT_EQ(envelope->SetEnvelopeWarp(env, kWarpArc, std::nanf(""), 0, 0, 0), kBadParameterErr);
}

// Where each style takes two points of a heart, worked out from its formula.
// The heart's bounds are 0..200 across and 100..200 up, so its point
// (125, 187.5) sits at u = 0.25, v = 0.75 in the bounds' own coordinates
// (x = 100 + 100 u, y = 150 + 50 v) and its notch (100, 175) at u = 0,
// v = 0.5; the bend is 0.5, and 1 - u^2 is 0.9375 and 1.
TEST_F(EnvelopeTest, EachWarpStyleMovesPointsWhereItsFormulaPutsThem) {
  AIArtHandle heart =
      newPath({{100, 100}, {200, 175}, {150, 200}, {125, 187.5f}, {100, 175}, {50, 200}, {0, 175}});
  AIArtHandle rect = nullptr, env = nullptr;
  ASSERT_EQ(shape->NewRect(0, 0, 200, 200, 0, &rect), kNoErr);
  ASSERT_EQ(envelope->MakeEnvelope(&heart, 1, rect, nullptr, &env), kNoErr);
  struct Case {
    ASInt16 style;
    float bend, horizontal, vertical;
    AIBoolean alongVertical;
    double x, y, notchX, notchY;
  };
  const Case cases[] = {
      // v + b(1 - u^2): 1.21875 and 1
      {kWarpArc, 0.5f, 0, 0, 0, 125, 210.9375, 100, 200},
      // v - b(1 - u^2)(1 - v)/2: 0.69140625 and 0.375
      {kWarpArcLower, 0.5f, 0, 0, 0, 125, 184.5703125, 100, 168.75},
      // v + b(1 - u^2)(1 + v)/2: 1.16015625 and 0.875
      {kWarpArcUpper, 0.5f, 0, 0, 0, 125, 208.0078125, 100, 193.75},
      // v + b cos^2(pi u / 2): 0.75 + 0.5 * 0.8535534 and 1
      {kWarpArch, 0.5f, 0, 0, 0, 125, 208.8388348, 100, 200},
      // v (1 + b(1 - u^2)): 1.1015625 and 0.75
      {kWarpBulge, 0.5f, 0, 0, 0, 125, 205.078125, 100, 187.5},
      // v as Arc Lower, then u (1 - b(1 - v)/4) with that v: 0.24035645
      {kWarpShellLower, 0.5f, 0, 0, 0, 124.0356445, 184.5703125, 100, 168.75},
      // v as Arc Upper, then u (1 - b(1 + v)/4) with that v: 0.18249512
      {kWarpShellUpper, 0.5f, 0, 0, 0, 118.2495117, 208.0078125, 100, 193.75},
      // v + b/2 sin(pi u): 0.75 + 0.25 * 0.7071068 and 0.5
      {kWarpFlag, 0.5f, 0, 0, 0, 125, 196.3388348, 100, 175},
      // v + 0.35 b sin(2 pi u)(1 + v)/2: 0.75 + 0.175 * 0.875 and 0.5
      {kWarpWave, 0.5f, 0, 0, 0, 125, 195.15625, 100, 175},
      // v (1 + b((1 - u^2)/2 - (u + 1)/4)): 0.75 * 1.078125 and 0.5 * 1.125
      {kWarpFish, 0.5f, 0, 0, 0, 125, 190.4296875, 100, 178.125},
      // v + b u / 2: 0.8125 and 0.5
      {kWarpRise, 0.5f, 0, 0, 0, 125, 190.625, 100, 175},
      // inside the unit circle: both times 1 + b(1 - u^2 - v^2)/2, 1.09375 and 1.1875
      {kWarpFisheye, 0.5f, 0, 0, 0, 127.34375, 191.015625, 100, 179.6875},
      // u (1 + b(1 - v^2)/2) = 0.27734375, v (1 + b(1 - u^2)/2): 0.92578125 and 0.625
      {kWarpInflate, 0.5f, 0, 0, 0, 127.734375, 196.2890625, 100, 181.25},
      // u (1 - b(1 - v^2)/2) = 0.22265625, v as Inflate
      {kWarpSqueeze, 0.5f, 0, 0, 0, 122.265625, 196.2890625, 100, 181.25},
      // turned by b pi/2 (1 - r), r = sqrt((u^2 + v^2) / 2): 0.3463 and 0.5077 radians
      {kWarpTwist, 0.5f, 0, 0, 0, 98.0556571, 189.5165141, 75.6907822, 171.8464066},
      // Along the vertical axis u and v trade places: u + b(1 - v^2), 0.46875 and 0.375.
      {kWarpArc, 0.5f, 0, 0, 1, 146.875, 187.5, 137.5, 175},
      // Distortions alone: v (1 + h u / 2) = 0.796875, u (1 + d v / 2) = 0.203125.
      {kWarpArc, 0, 0.5f, -0.5f, 0, 120.3125, 189.84375, 100, 175},
  };
  for (const Case& c : cases) {
    std::string name = std::string(warpStyleName(c.style)) + (c.alongVertical ? " vertical" : "");
    ASSERT_EQ(
        envelope->SetEnvelopeWarp(env, c.style, c.bend, c.horizontal, c.vertical, c.alongVertical),
        kNoErr);
    SegmentList drawn;
    document->drawnOutline(id(heart), drawn);
    ASSERT_EQ(drawn.size(), 7) << name;
    EXPECT_NEAR(drawn[3].p.h, c.x, 1e-3) << name;
    EXPECT_NEAR(drawn[3].p.v, c.y, 1e-3) << name;
    EXPECT_NEAR(drawn[4].p.h, c.notchX, 1e-3) << name;
    EXPECT_NEAR(drawn[4].p.v, c.notchY, 1e-3) << name;
  }
}

TEST_F(EnvelopeTest, CopiesOfWarpedArtGetTheirOwnEnvelopeWithTheSameWarp) {
  AIArtHandle heart = newSquare(0, 0, 100);
  AIArtHandle rect = nullptr, env = nullptr;
  ASSERT_EQ(shape->NewRect(0, 0, 200, 200, 0, &rect), kNoErr);
  ASSERT_EQ(envelope->MakeEnvelope(&heart, 1, rect, nullptr, &env), kNoErr);
  ASSERT_EQ(envelope->SetEnvelopeWarp(env, kWarpFlag, 0.7f, 0.2f, -0.3f, 0), kNoErr);

  AIArtHandle shadow = nullptr;
  ASSERT_EQ(art->DuplicateArt(heart, kPlaceBelow, heart, &shadow), kNoErr);
  AIArtHandle shadowEnvelope = nullptr;
  ASSERT_EQ(art->GetArtParent(shadow, &shadowEnvelope), kNoErr);
  ASSERT_NE(shadowEnvelope, nullptr);
  EXPECT_NE(shadowEnvelope, env);
  const EnvelopeWarp& copied = document->tree().node(id(shadowEnvelope)).content.warp;
  EXPECT_EQ(copied.style, kWarpFlag);
  EXPECT_EQ(copied.bend, 0.7f);
  EXPECT_EQ(copied.verticalDistortion, -0.3f);
  // Directly below the original's envelope; the original keeps one heart.
  EXPECT_EQ(document->tree().layerArts(document->currentLayer()),
            (std::vector<ArtId>{id(shadowEnvelope), id(env)}));
  EXPECT_EQ(document->tree().childrenOf(id(env)).size(), 1u);

  // Moving the copy moves its warped outline with it.
  AIRealMatrix move{1, 0, 0, 1, 20, -20};
  ASSERT_EQ(transform->TransformArt(shadow, &move, 1, kTransformObjects), kNoErr);
  AIRealRect a = bounds(env), b = bounds(shadowEnvelope);
  EXPECT_NEAR(b.left - a.left, 20, 1e-3);
  EXPECT_NEAR(b.top - a.top, -20, 1e-3);

  // Above all: the copy's envelope goes to the top of the layer.
  AIArtHandle top = nullptr, topParent = nullptr;
  ASSERT_EQ(art->DuplicateArt(heart, kPlaceAboveAll, heart, &top), kNoErr);
  ASSERT_EQ(art->GetArtParent(top, &topParent), kNoErr);
  EXPECT_EQ(document->tree().layerArts(document->currentLayer()).back(), id(topParent));
}

TEST_F(EnvelopeTest, SymbolsRecordACopyOfTheArtAsDrawn) {
  AIArtHandle heart = newSquare(0, 0, 50);
  AISymbolHandle symbol = nullptr;
  ASSERT_EQ(symbols->NewSymbolFromArt(heart, 0, &symbol), kNoErr);
  ASInt32 count = 0;
  ASSERT_EQ(symbols->CountSymbols(&count), kNoErr);
  EXPECT_EQ(count, 1);
  ASSERT_EQ(document->symbols()[0].paths.size(), 1u);
  // The definition is a copy: changing the art later does not change it.
  AIRealMatrix move{1, 0, 0, 1, 100, 0};
  ASSERT_EQ(transform->TransformArt(heart, &move, 1, kTransformObjects), kNoErr);
  EXPECT_EQ(document->symbols()[0].paths[0].segments[0].p.h, 0);
  EXPECT_EQ(document->tree().liveCount(), 1u);  // the art stays
}

}  // namespace
}  // namespace heart::testing
