// The undo journal of a filter invocation: reverting restores the document
// exactly, costs what the change cost, and gives memory back.
#include "support/document_suites_fixture.h"

namespace heart::testing {
namespace {

class UndoTest : public SuiteTest {
 protected:
  // A document with a little of everything, made outside any invocation.
  void buildExisting() {
    a = newSquare(0, 0, 10);
    b = newPath({{100, 100}, {150, 180}, {200, 100}});
    ASSERT_EQ(art->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group), kNoErr);
    ASSERT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, group, &inGroup), kNoErr);
    AIPathSegment s{{5, 5}, {1, 9}, {9, 1}, true};
    ASSERT_EQ(path->SetPathSegments(inGroup, 0, 1, &s), kNoErr);
    warped = newSquare(300, 300, 40);
    AIArtHandle rect = nullptr;
    ASSERT_EQ(shape->NewRect(0, 0, 200, 200, 0, &rect), kNoErr);
    ASSERT_EQ(envelope->MakeEnvelope(&warped, 1, rect, nullptr, &env), kNoErr);
    ASSERT_EQ(envelope->SetEnvelopeWarp(env, kWarpWave, 0.5f, 0, 0, 0), kNoErr);
    ASSERT_EQ(tags->SetTag(a, "name", "first"), kNoErr);
  }

  // Changes of every kind, to new and to existing art.
  void changeEverything() {
    AIArtHandle made = newSquare(5, 5, 5);
    AIArtHandle copy = nullptr;
    ASSERT_EQ(art->DuplicateArt(b, kPlaceBelow, b, &copy), kNoErr);
    ASSERT_EQ(art->DuplicateArt(warped, kPlaceAboveAll, warped, &copy), kNoErr);
    AIRealMatrix m{0, 1, -1, 0, 7, 9};
    ASSERT_EQ(transform->TransformArt(a, &m, 3, kTransformObjects), kNoErr);
    ASSERT_EQ(transform->TransformArt(group, &m, 1, kTransformObjects), kNoErr);
    ASSERT_EQ(transform->TransformArt(a, &m, 1, kTransformObjects), kNoErr);  // saved once
    AIPathStyle style{};
    ASSERT_EQ(pathStyle->GetPathStyle(b, &style), kNoErr);
    style.fillColor = AIColor{kFourColor, {0.1f, 0.2f, 0.3f, 0.4f}, 0};
    ASSERT_EQ(pathStyle->SetPathStyle(b, &style), kNoErr);
    ASSERT_EQ(blend->SetOpacity(b, 0.25f), kNoErr);
    ASSERT_EQ(path->SetPathSegmentCount(b, 1), kNoErr);
    ASSERT_EQ(path->SetPathClosed(b, 0), kNoErr);
    ASSERT_EQ(envelope->SetEnvelopeWarp(env, kWarpTwist, -1, 1, 1, 1), kNoErr);
    AIArtStyleHandle dashed = nullptr;
    ASSERT_EQ(artStyles->GetNthArtStyle(1, &dashed), kNoErr);
    ASSERT_EQ(artStyles->SetArtStyle(a, dashed), kNoErr);
    ASSERT_EQ(tags->SetTag(a, "name", "changed"), kNoErr);
    ASSERT_EQ(tags->SetTag(b, "name", "new tag"), kNoErr);
    AISymbolHandle symbol = nullptr;
    ASSERT_EQ(symbols->NewSymbolFromArt(made, 0, &symbol), kNoErr);
    // An existing art moves into a new envelope, and another is disposed.
    AIArtHandle rect = nullptr, newEnvelope = nullptr;
    ASSERT_EQ(shape->NewRect(0, 0, 200, 200, 0, &rect), kNoErr);
    ASSERT_EQ(envelope->MakeEnvelope(&inGroup, 1, rect, nullptr, &newEnvelope), kNoErr);
    ASSERT_EQ(art->DisposeArt(group), kNoErr);
    AILayerHandle layer = nullptr;
    ASSERT_EQ(layers->InsertLayer(nullptr, kPlaceAboveAll, &layer), kNoErr);
    for (int i = 0; i < 20; ++i) newSquare(static_cast<float>(i), 0, 3);
    // Art made and disposed within the invocation.
    AIArtHandle brief = newSquare(1, 1, 1);
    ASSERT_EQ(art->DisposeArt(brief), kNoErr);
  }

  AIArtHandle a = nullptr, b = nullptr, group = nullptr, inGroup = nullptr, warped = nullptr,
              env = nullptr;
};

TEST_F(UndoTest, RevertRestoresAnExistingDocumentExactlyRunAfterRun) {
  buildExisting();
  const std::string before = dump();
  const size_t liveBefore = document->tree().liveCount();

  document->beginInvocation();
  changeEverything();
  ASSERT_NE(dump(), before);
  ASSERT_EQ(undo->UndoChanges(), kNoErr);
  EXPECT_EQ(dump(), before);
  EXPECT_EQ(document->tree().liveCount(), liveBefore);
  EXPECT_EQ(document->journal().length(), 0u);

  // Previews redraw again and again within the same invocation.
  changeEverything();
  ASSERT_EQ(undo->UndoChanges(), kNoErr);
  EXPECT_EQ(dump(), before);
  // The handles the plug-in held to existing art still reach it.
  EXPECT_EQ(bounds(a).left, 0);
  char buffer[16];
  ASSERT_EQ(tags->GetTag(a, "name", buffer, sizeof buffer), kNoErr);
  EXPECT_STREQ(buffer, "first");
  EXPECT_EQ(tags->GetTag(b, "name", buffer, sizeof buffer), HEART_FOUR_CC('N', 'o', 'T', 'g'));
  document->endInvocation();
  EXPECT_EQ(dump(), before);
}

TEST_F(UndoTest, EndingTheInvocationKeepsTheChangesAndForgetsDisposedArt) {
  buildExisting();
  const size_t live = document->tree().liveCount();
  document->beginInvocation();
  AIArtHandle made = newSquare(1, 2, 3);
  ASSERT_EQ(art->DisposeArt(a), kNoErr);
  const std::string after = dump();
  document->endInvocation();
  EXPECT_EQ(dump(), after);
  // One art made, one freed for good.
  EXPECT_EQ(document->tree().liveCount(), live);
  EXPECT_NE(id(made), kNoArt);
  EXPECT_EQ(id(a), kNoArt);
  // A later revert only reaches back to its own invocation.
  document->beginInvocation();
  newSquare(9, 9, 9);
  ASSERT_EQ(document->revertInvocation(), kNoErr);
  EXPECT_EQ(dump(), after);
}

TEST_F(UndoTest, ArtOfARevertedRunIsGoneAndItsHandlesAreRefused) {
  document->beginInvocation();
  AIArtHandle made = newSquare(1, 2, 3);
  ASSERT_EQ(undo->UndoChanges(), kNoErr);
  AIRealRect r{};
  EXPECT_EQ(art->GetArtBounds(made, &r), kBadParameterErr);
  // Its slot is reused, under a new handle.
  AIArtHandle next = newSquare(4, 5, 6);
  EXPECT_NE(next, made);
  EXPECT_EQ(document->tree().slotCount(), 1u);
}

TEST_F(UndoTest, MemoryFollowsTheArtNotTheNumberOfRuns) {
  buildExisting();
  document->beginInvocation();
  auto run = [&] {
    for (int i = 0; i < 500; ++i) {
      AIArtHandle heart = newSquare(static_cast<float>(i), 0, 10);
      AIArtHandle copy = nullptr;
      ASSERT_EQ(art->DuplicateArt(heart, kPlaceBelow, heart, &copy), kNoErr);
      // A long path keeps its segments on the heap.
      ASSERT_EQ(path->SetPathSegmentCount(copy, 100), kNoErr);
    }
    AIRealMatrix m{1, 0, 0, 1, 1, 1};
    ASSERT_EQ(transform->TransformArt(a, &m, 1, kTransformObjects), kNoErr);
  };
  run();
  ASSERT_EQ(undo->UndoChanges(), kNoErr);
  const size_t slots = document->tree().slotCount();
  const size_t live = document->tree().liveCount();
  for (int i = 0; i < 30; ++i) {
    run();
    EXPECT_EQ(document->tree().liveCount(), live + 1000);
    ASSERT_EQ(undo->UndoChanges(), kNoErr);
  }
  EXPECT_EQ(document->tree().slotCount(), slots);
  EXPECT_EQ(document->tree().liveCount(), live);
  // Freed slots hold no segments.
  for (ArtId slot = 0; slot < document->tree().slotCount(); ++slot) {
    if (!document->tree().isLive(slot)) {
      EXPECT_FALSE(document->tree().node(slot).content.segments.onHeap());
    }
  }
}

TEST_F(UndoTest, TheJournalGrowsWithTheChangeNotWithTheDocument) {
  for (int i = 0; i < 5000; ++i) newSquare(static_cast<float>(i), 0, 1);
  AIArtHandle last = newSquare(0, 0, 1);
  document->beginInvocation();
  AIRealMatrix m{1, 0, 0, 1, 1, 1};
  for (int i = 0; i < 10; ++i)
    ASSERT_EQ(transform->TransformArt(last, &m, 1, kTransformObjects), kNoErr);
  AIArtHandle copy = nullptr;
  ASSERT_EQ(art->DuplicateArt(last, kPlaceBelow, last, &copy), kNoErr);
  // One saved state of the existing art and one new art.
  EXPECT_EQ(document->journal().length(), 2u);
  ASSERT_EQ(undo->UndoChanges(), kNoErr);
  EXPECT_EQ(bounds(last).left, 0);
}

TEST_F(UndoTest, ABeginWhileOpenKeepsTheChangesSoFarAndTheirSavedStates) {
  AIArtHandle kept = newSquare(0, 0, 1);
  const std::string before = dump();
  document->beginInvocation();
  AIRealMatrix m{1, 0, 0, 1, 1, 1};
  ASSERT_EQ(transform->TransformArt(kept, &m, 1, kTransformObjects), kNoErr);
  document->beginInvocation();
  ASSERT_EQ(transform->TransformArt(kept, &m, 1, kTransformObjects), kNoErr);
  // Still the one saved state from before the first change.
  EXPECT_EQ(document->journal().length(), 1u);
  ASSERT_EQ(undo->UndoChanges(), kNoErr);
  EXPECT_EQ(dump(), before);
  // Recording goes on after a revert: the next change is saved again.
  ASSERT_EQ(transform->TransformArt(kept, &m, 1, kTransformObjects), kNoErr);
  EXPECT_EQ(document->journal().length(), 1u);
  ASSERT_EQ(undo->UndoChanges(), kNoErr);
  EXPECT_EQ(dump(), before);
}

TEST_F(UndoTest, WithoutAnInvocationRevertChangesNothing) {
  AIArtHandle kept = newSquare(0, 0, 1);
  const std::string before = dump();
  ASSERT_EQ(undo->UndoChanges(), kNoErr);
  EXPECT_EQ(dump(), before);
  EXPECT_NE(id(kept), kNoArt);
  // Disposing outside an invocation frees the slot at once.
  ASSERT_EQ(art->DisposeArt(kept), kNoErr);
  EXPECT_EQ(document->tree().liveCount(), 0u);
}

}  // namespace
}  // namespace heart::testing
