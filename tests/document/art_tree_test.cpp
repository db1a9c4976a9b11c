// Paint order, duplicates, layers and the checks on handles and paths.
#include <limits>
#include <vector>

#include "support/document_suites_fixture.h"

namespace heart::testing {
namespace {

using ArtTreeTest = SuiteTest;

std::vector<ArtId> topLevel(const Document& d) { return d.tree().layerArts(d.currentLayer()); }

TEST_F(ArtTreeTest, NewArtGoesAboveAllAndDuplicatesGoBelowTheOriginalOrAboveAll) {
  AIArtHandle a = newSquare(0, 0, 10);
  AIArtHandle b = newSquare(20, 0, 10);
  AIArtHandle c = newSquare(40, 0, 10);
  EXPECT_EQ(topLevel(*document), (std::vector<ArtId>{id(a), id(b), id(c)}));

  // Directly below b, not at the bottom of the layer.
  AIArtHandle below = nullptr;
  ASSERT_EQ(art->DuplicateArt(b, kPlaceBelow, b, &below), kNoErr);
  EXPECT_EQ(topLevel(*document), (std::vector<ArtId>{id(a), id(below), id(b), id(c)}));

  // Above all, whatever the reference.
  AIArtHandle top = nullptr;
  ASSERT_EQ(art->DuplicateArt(a, kPlaceAboveAll, a, &top), kNoErr);
  EXPECT_EQ(topLevel(*document).back(), id(top));

  // Directly above, and below all.
  AIArtHandle above = nullptr, bottom = nullptr;
  ASSERT_EQ(art->DuplicateArt(c, kPlaceAbove, a, &above), kNoErr);
  ASSERT_EQ(art->NewArt(kPathArt, kPlaceBelowAll, nullptr, &bottom), kNoErr);
  EXPECT_EQ(topLevel(*document),
            (std::vector<ArtId>{id(bottom), id(a), id(above), id(below), id(b), id(c), id(top)}));

  // A duplicate is a deep copy: same outline and paint, independent afterwards.
  AIPathSegment original[4], copied[4];
  ASSERT_EQ(path->GetPathSegments(b, 0, 4, original), kNoErr);
  ASSERT_EQ(path->GetPathSegments(below, 0, 4, copied), kNoErr);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(copied[i].p.h, original[i].p.h);
  AIRealMatrix move{1, 0, 0, 1, 5, 5};
  ASSERT_EQ(transform->TransformArt(below, &move, 1, kTransformObjects), kNoErr);
  EXPECT_EQ(bounds(b).left, 20);
  EXPECT_EQ(bounds(below).left, 25);
}

TEST_F(ArtTreeTest, GroupsTakeArtInsideOnTopOrBottomAndReportParents) {
  AIArtHandle group = nullptr, first = nullptr, second = nullptr, third = nullptr;
  ASSERT_EQ(art->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group), kNoErr);
  ASSERT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, group, &first), kNoErr);
  ASSERT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, group, &second), kNoErr);
  ASSERT_EQ(art->NewArt(kPathArt, kPlaceInsideOnBottom, group, &third), kNoErr);
  EXPECT_EQ(document->tree().childrenOf(id(group)),
            (std::vector<ArtId>{id(third), id(first), id(second)}));
  AIArtHandle parent = nullptr;
  ASSERT_EQ(art->GetArtParent(second, &parent), kNoErr);
  EXPECT_EQ(parent, group);
  ASSERT_EQ(art->GetArtParent(group, &parent), kNoErr);
  EXPECT_EQ(parent, nullptr);
  // Only groups take art inside; a path reference is refused.
  AIArtHandle refused = nullptr;
  EXPECT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, first, &refused), kBadParameterErr);
  // Duplicating a group into itself copies what it held before, once.
  AIArtHandle copy = nullptr;
  ASSERT_EQ(art->DuplicateArt(group, kPlaceInsideOnTop, group, &copy), kNoErr);
  EXPECT_EQ(document->tree().childrenOf(id(group)).size(), 4u);
  EXPECT_EQ(document->tree().childrenOf(id(copy)).size(), 3u);
}

TEST_F(ArtTreeTest, NewLayersBecomeCurrentAndLockedOrHiddenLayersRefuseNewArt) {
  LayerId first = document->currentLayer();
  AILayerHandle made = nullptr;
  ASSERT_EQ(layers->InsertLayer(nullptr, kPlaceAboveAll, &made), kNoErr);
  AILayerHandle current = nullptr;
  ASSERT_EQ(layers->GetCurrentLayer(&current), kNoErr);
  EXPECT_EQ(current, made);
  ASInt32 count = 0;
  ASSERT_EQ(layers->CountLayers(&count), kNoErr);
  EXPECT_EQ(count, 2);
  AILayerHandle topLayer = nullptr;
  ASSERT_EQ(layers->GetNthLayer(0, &topLayer), kNoErr);
  EXPECT_EQ(topLayer, made);

  AIArtHandle onNew = newSquare(0, 0, 5);
  EXPECT_EQ(document->tree().node(id(onNew)).layer, document->tree().layerOf(made));
  EXPECT_TRUE(document->tree().layerArts(first).empty());

  document->setLayerLocked(document->tree().layerOf(made), true);
  AIArtHandle refused = nullptr;
  EXPECT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &refused), kLayerLockedErr);
  EXPECT_EQ(art->DuplicateArt(onNew, kPlaceBelow, onNew, &refused), kLayerLockedErr);
  EXPECT_EQ(refused, nullptr);
  document->setLayerLocked(document->tree().layerOf(made), false);
  document->setLayerVisible(document->tree().layerOf(made), false);
  EXPECT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &refused), kLayerLockedErr);
  EXPECT_EQ(shape->NewRect(0, 0, 10, 10, 0, &refused), kLayerLockedErr);
  EXPECT_EQ(document->tree().liveCount(), 1u);
}

TEST_F(ArtTreeTest, HandlesOfDisposedArtAreRefusedEvenWhenTheSlotIsReused) {
  AIArtHandle a = newSquare(0, 0, 10);
  ASSERT_EQ(art->DisposeArt(a), kNoErr);
  AIArtHandle b = newSquare(5, 5, 10);  // takes the freed slot
  EXPECT_EQ(document->tree().slotCount(), 1u);
  AIRealRect r{};
  EXPECT_EQ(art->GetArtBounds(a, &r), kBadParameterErr);
  EXPECT_EQ(art->DisposeArt(a), kBadParameterErr);
  ASInt16 type = 0;
  EXPECT_EQ(art->GetArtType(reinterpret_cast<AIArtHandle>(uintptr_t{0xdead}), &type),
            kBadParameterErr);
  EXPECT_EQ(art->GetArtType(nullptr, &type), kBadParameterErr);
  ASSERT_EQ(art->GetArtType(b, &type), kNoErr);
  EXPECT_EQ(type, kPathArt);
}

TEST_F(ArtTreeTest, PathSegmentsAppendAtTheEndRefuseGapsAndStopAt32000) {
  AIArtHandle p = nullptr;
  ASSERT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &p), kNoErr);
  AIPathSegment s{{1, 2}, {3, 4}, {5, 6}, false};
  EXPECT_EQ(path->SetPathSegments(p, 1, 1, &s), kBadParameterErr);  // a gap after the end
  ASSERT_EQ(path->SetPathSegments(p, 0, 1, &s), kNoErr);
  ASSERT_EQ(path->SetPathSegments(p, 1, 1, &s), kNoErr);
  ASInt16 count = 0;
  ASSERT_EQ(path->GetPathSegmentCount(p, &count), kNoErr);
  EXPECT_EQ(count, 2);
  AIPathSegment read[2];
  EXPECT_EQ(path->GetPathSegments(p, 1, 2, read), kBadParameterErr);  // past the end

  AIPathSegment bad = s;
  bad.in.v = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(path->SetPathSegments(p, 0, 1, &bad), kBadParameterErr);
  ASSERT_EQ(path->GetPathSegments(p, 0, 1, read), kNoErr);
  EXPECT_EQ(read[0].in.v, 4);

  ASSERT_EQ(path->SetPathSegmentCount(p, 32000), kNoErr);
  EXPECT_EQ(path->SetPathSegmentCount(p, 32001), kTooManyPointsErr);
  EXPECT_EQ(path->SetPathSegments(p, 32000, 1, &s), kTooManyPointsErr);
  EXPECT_EQ(path->SetPathSegmentCount(p, -1), kBadParameterErr);
  ASSERT_EQ(path->SetPathSegmentCount(p, 0), kNoErr);
  ASSERT_EQ(path->GetPathSegmentCount(p, &count), kNoErr);
  EXPECT_EQ(count, 0);

  // Path calls on a group are refused.
  AIArtHandle group = nullptr;
  ASSERT_EQ(art->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group), kNoErr);
  EXPECT_EQ(path->GetPathSegmentCount(group, &count), kBadParameterErr);
}

TEST_F(ArtTreeTest, EveryResultCodeOperationCanBeMadeToFail) {
  faultInjector().failAt("AI Art Suite.NewArt", 2, kOutOfMemoryErr);
  AIArtHandle a = nullptr, b = nullptr;
  EXPECT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &a), kNoErr);
  EXPECT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &b), kOutOfMemoryErr);
  EXPECT_EQ(b, nullptr);
  faultInjector().failAt("AI Undo Suite.UndoChanges", 1, kCanceledErr);
  EXPECT_EQ(undo->UndoChanges(), kCanceledErr);
  faultInjector().failAt("AI Tag Suite.GetTag", 1, kMemFullErr);
  char buffer[8];
  EXPECT_EQ(tags->GetTag(a, "x", buffer, 8), kMemFullErr);
}

TEST_F(ArtTreeTest, WithoutADocumentOperationsAnswerParm) {
  const HostContext none;
  HostScope noDocument(none);
  AIArtHandle a = nullptr;
  AIRealPoint size{};
  EXPECT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &a), kBadParameterErr);
  EXPECT_EQ(doc->GetDocumentPageSize(&size), kBadParameterErr);
  EXPECT_EQ(swatches->CountSwatches(nullptr), 0);
}

}  // namespace
}  // namespace heart::testing
