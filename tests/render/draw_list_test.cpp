// The draw list of a document large enough to be gathered in two halves at
// once: every visible path in paint order with the outline the document
// says it is drawn with, and each translucent group's start and end around
// its own paths.
#include "render/draw_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "document/document.h"

namespace heart::testing {
namespace {

AIPathSegment corner(float x, float y) { return AIPathSegment{{x, y}, {x, y}, {x, y}, true}; }

// What the list should hold, in paint order: a path, or a group's start or end.
struct Expected {
  DrawStep::Kind kind;
  ArtId path = kNoArt;
  float opacity = 1;
};

TEST(DrawList, ALargeDocumentIsGatheredInPaintOrderWithEachPathsDrawnOutline) {
  Document document;
  std::vector<Expected> expected;
  AIPathStyle style{};
  style.fillPaint = true;
  const auto square = [&](float x, float y, ArtId inside) {
    ArtId id = kNoArt;
    const AIPathSegment corners[] = {corner(x, y), corner(x + 5, y), corner(x + 5, y + 5),
                                     corner(x, y + 5)};
    EXPECT_EQ(document.newArt(kPathArt, inside == kNoArt ? kPlaceAboveAll : kPlaceInsideOnTop,
                              inside, &id),
              kNoErr);
    EXPECT_EQ(document.setSegments(id, 0, 4, corners), kNoErr);
    EXPECT_EQ(document.setClosed(id, true), kNoErr);
    EXPECT_EQ(document.setPathStyle(id, style), kNoErr);
    return id;
  };
  // A hidden layer first, whose art the list leaves out.
  LayerId hidden = kNoLayer;
  ASSERT_EQ(document.insertLayer(kNoLayer, kPlaceBelowAll, &hidden), kNoErr);
  square(1, 1, kNoArt);
  document.setLayerVisible(hidden, false);
  LayerId top = kNoLayer;
  ASSERT_EQ(document.insertLayer(kNoLayer, kPlaceAboveAll, &top), kNoErr);
  // Then, in turn, a warped square (each warped a little differently), a
  // translucent group of two squares and a plain square: 6 live arts a turn.
  for (int i = 0; i < 4200; ++i) {
    const float x = static_cast<float>(i % 60) * 10, y = static_cast<float>(i / 60) * 10;
    switch (i % 3) {
      case 0: {
        ArtId warped = square(x, y, kNoArt);
        ArtId shape = square(0, 0, kNoArt), envelope = kNoArt;
        ASSERT_EQ(document.makeEnvelope(&warped, 1, shape, AIEnvelopeOptions{0, 50}, &envelope),
                  kNoErr);
        EnvelopeWarp warp;
        warp.style = kWarpArc;
        warp.bend = 0.1f + static_cast<float>(i % 7) / 10;
        ASSERT_EQ(document.setEnvelopeWarp(envelope, warp), kNoErr);
        expected.push_back({DrawStep::kPath, warped});
        break;
      }
      case 1: {
        ArtId group = kNoArt;
        ASSERT_EQ(document.newArt(kGroupArt, kPlaceAboveAll, kNoArt, &group), kNoErr);
        const float opacity = 0.25f + static_cast<float>(i % 5) / 10;
        ASSERT_EQ(document.setOpacity(group, opacity), kNoErr);
        expected.push_back({DrawStep::kGroupStart, kNoArt, opacity});
        expected.push_back({DrawStep::kPath, square(x, y, group)});
        expected.push_back({DrawStep::kPath, square(x + 2, y + 2, group)});
        expected.push_back({DrawStep::kGroupEnd});
        break;
      }
      default:
        expected.push_back({DrawStep::kPath, square(x, y, kNoArt)});
    }
  }
  ASSERT_GE(document.tree().liveCount(), 8192u) << "large enough to be gathered in two halves";

  const DrawList list(document);
  ASSERT_EQ(list.steps().size(), expected.size());
  EXPECT_EQ(list.pathCount(), 4200u / 3 * 4);
  SegmentList drawn;
  for (size_t i = 0; i < expected.size(); ++i) {
    const DrawStep& step = list.steps()[i];
    ASSERT_EQ(step.kind, expected[i].kind) << "step " << i;
    if (step.kind == DrawStep::kGroupStart) {
      EXPECT_FLOAT_EQ(step.opacity, expected[i].opacity);
    }
    if (step.kind != DrawStep::kPath) continue;
    const ArtId path = expected[i].path;
    EXPECT_EQ(step.content, &document.tree().node(path).content) << "step " << i;
    document.drawnOutline(path, drawn);
    ASSERT_EQ(step.count, static_cast<int32_t>(drawn.size())) << "step " << i;
    const AIPathSegment* outline = list.outline(step);
    for (int32_t k = 0; k < step.count; ++k) {
      EXPECT_EQ(outline[k].p.h, drawn.data()[k].p.h) << "step " << i << ", anchor " << k;
      EXPECT_EQ(outline[k].p.v, drawn.data()[k].p.v) << "step " << i << ", anchor " << k;
      EXPECT_EQ(outline[k].out.h, drawn.data()[k].out.h) << "step " << i << ", anchor " << k;
      EXPECT_EQ(outline[k].in.v, drawn.data()[k].in.v) << "step " << i << ", anchor " << k;
    }
  }
}

}  // namespace
}  // namespace heart::testing
