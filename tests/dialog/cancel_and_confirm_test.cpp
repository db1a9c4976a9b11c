// What the dialog leaves behind: cancel restores the document and the
// record, confirm keeps the previewed hearts or lets Go draw afresh.
#include <gtest/gtest.h>

#include <cstring>

#include "core/fault_injector.h"
#include "dialog_session.h"
#include "document/document.h"
#include "export/svg_export.h"

namespace heart::testing {
namespace {

std::string drawing(Host& host) { return exportSvg(host.document(), SvgMetadata{}).value(); }

TEST(CancelAndConfirm, CancelAfterPreviewsLeavesDocumentAndRecordAsBefore) {
  DialogSession session;
  // A first confirmed use leaves hearts in the document and a record with
  // its own values.
  session.choose(65, 2);
  EXPECT_EQ(session.runDialog(), kNoErr);
  session.host().go();
  const std::string documentBefore = drawing(session.host());
  const ParameterRecord recordBefore = session.stored();

  session.press(61).press(93).choose(10, 3).choose(65, 12).press(92).choose(66, 6);
  session.press(64).type(27, 300).check(3, false).check(3, true).press(60);
  const Moment& busy = session.capture();
  std::string documentDuring;
  session.then([&] { documentDuring = drawing(session.host()); });
  session.add(DialogEvent::cancel());
  EXPECT_EQ(session.runDialog(), kCanceledErr);

  EXPECT_GE(busy.previews, 6);
  EXPECT_NE(documentDuring, documentBefore) << "the previews drew into the document";
  EXPECT_EQ(drawing(session.host()), documentBefore);
  EXPECT_EQ(std::memcmp(&recordBefore, session.host().storedRecord().bytes, sizeof recordBefore),
            0);
}

size_t pathCount(const std::string& svg) {
  size_t count = 0;
  for (size_t at = svg.find("<path"); at != std::string::npos; at = svg.find("<path", at + 1))
    ++count;
  return count;
}

int reverts() { return faultInjector().calls("AI Undo Suite.UndoChanges"); }

TEST(CancelAndConfirm, ConfirmWithPreviewKeepsExactlyThePreviewedHearts) {
  DialogSession session;
  // Twenty randomly scaled hearts of random opacity: no two runs look alike.
  session.choose(65, 24).press(60);
  std::string previewed;
  session.then([&] { previewed = drawing(session.host()); });
  EXPECT_EQ(session.runDialog(), kNoErr);
  EXPECT_EQ(session.stored().previewDrawn, 1);
  const int revertsBefore = reverts();

  EXPECT_EQ(session.host().go(), kNoErr);
  EXPECT_EQ(drawing(session.host()), previewed);
  EXPECT_EQ(session.stored().previewDrawn, 0);
  EXPECT_EQ(reverts(), revertsBefore);
}

// A confirmed dialog whose Go never came leaves the record saying that a
// preview stands; cancelling the next dialog takes that preview's art away,
// so the record must stop saying so, or the next Go would draw nothing.
TEST(CancelAndConfirm, CancelClearsAPreviewLeftStandingByAnEarlierConfirm) {
  DialogSession session;
  session.choose(65, 1);
  EXPECT_EQ(session.runDialog(), kNoErr);
  ASSERT_EQ(session.stored().previewDrawn, 1);

  session.add(DialogEvent::cancel());
  EXPECT_EQ(session.runDialog(), kCanceledErr);
  EXPECT_EQ(session.stored().previewDrawn, 0);

  const int revertsBefore = reverts();
  EXPECT_EQ(session.host().go(), kNoErr);
  EXPECT_EQ(reverts(), revertsBefore + 1) << "Go drew afresh";
}

// A preview that failed partway leaves some of its hearts in the document;
// confirming afterwards must not pass them off as the result.
TEST(CancelAndConfirm, ConfirmAfterAFailedPreviewDrawsAfresh) {
  DialogSession session;
  std::string complete;
  session.choose(65, 24);  // twenty hearts
  session.then([&] {
    complete = drawing(session.host());
    faultInjector().failAt("AI Art Suite.NewArt", 4, kMemFullErr);
  });
  session.press(60);  // "Shuffle": a new preview, which stops at its fourth art
  std::string partial;
  session.then([&] { partial = drawing(session.host()); });
  session.runDialog();
  EXPECT_LT(pathCount(partial), pathCount(complete));
  EXPECT_EQ(session.stored().previewDrawn, 0);

  const int revertsBefore = reverts();
  EXPECT_EQ(session.host().go(), kNoErr);
  EXPECT_EQ(reverts(), revertsBefore + 1) << "Go drew afresh";
  EXPECT_EQ(pathCount(drawing(session.host())), pathCount(complete))
      << "all twenty hearts, not the first few";
}

TEST(CancelAndConfirm, ConfirmWithPreviewOffDrawsAfresh) {
  DialogSession session;
  const std::string empty = drawing(session.host());
  session.choose(65, 1);  // " Random fill of heart"
  std::string previewed;
  session.then([&] { previewed = drawing(session.host()); });
  session.check(3, false);
  std::string afterTurningOff;
  session.then([&] { afterTurningOff = drawing(session.host()); });
  EXPECT_EQ(session.runDialog(), kNoErr);
  EXPECT_EQ(session.stored().previewDrawn, 0);
  // Turning the preview off leaves the last preview standing until Go.
  EXPECT_NE(previewed, empty);
  EXPECT_EQ(afterTurningOff, previewed);

  const int revertsBefore = reverts();
  EXPECT_EQ(session.host().go(), kNoErr);
  const std::string result = drawing(session.host());
  EXPECT_EQ(reverts(), revertsBefore + 1);
  EXPECT_NE(result, empty);
  EXPECT_NE(result, previewed) << "Go reverted the preview and drew a new heart";
}

}  // namespace
}  // namespace heart::testing
