// The suite table: the 31 suites the plug-in uses, in the order they are
// acquired and released, each with the global pointer that receives it.
#include "shell/suite_table.h"

#include <cstdio>
#include <cstring>

#include "shell/suite_pointers.h"

namespace {

struct SuiteRow {
  const char* name;
  ASInt32 version;
  void* destination;  // the address of the row's global suite pointer
};

const SuiteRow kSuiteTable[] = {
    {kSPBlocksSuite, kSPBlocksSuiteVersion, &sSPBlocks},
    {kSPAccessSuite, kSPAccessSuiteVersion, &sSPAccess},
    {kAIMdMemorySuite, kAIMdMemorySuiteVersion, &sAIMdMemory},
    {kAIRealMathSuite, kAIRealMathSuiteVersion, &sAIRealMath},
    {kAIArtSuite, kAIArtSuiteVersion, &sAIArt},
    {kAIUserSuite, kAIUserSuiteVersion, &sAIUser},
    {kAIDocumentSuite, kAIDocumentSuiteVersion, &sAIDocument},
    {kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, &sAIDocumentView},
    {kAIUndoSuite, kAIUndoSuiteVersion, &sAIUndo},
    {kAIPathSuite, kAIPathSuiteVersion, &sAIPath},
    {kAIPathStyleSuite, kAIPathStyleSuiteVersion, &sAIPathStyle},
    {kAIRandomSuite, kAIRandomSuiteVersion, &sAIRandom},
    {kAITagSuite, kAITagSuiteVersion, &sAITag},
    {kAITransformArtSuite, kAITransformArtSuiteVersion, &sAITransformArt},
    {kAISwatchListSuite, kAISwatchListSuiteVersion, &sAISwatchList},
    {kAIBlendStyleSuite, kAIBlendStyleSuiteVersion, &sAIBlendStyle},
    {kAIArtStyleSuite, kAIArtStyleSuiteVersion, &sAIArtStyle},
    {kAISymbolSuite, kAISymbolSuiteVersion, &sAISymbol},
    {kAIEnvelopeSuite, kAIEnvelopeSuiteVersion, &sAIEnvelope},
    {kAIShapeConstructionSuite, kAIShapeConstructionSuiteVersion, &sAIShapeConstruction},
    {kAILayerSuite, kAILayerSuiteVersion, &sAILayer},
    {kAIMenuSuite, kAIMenuSuiteVersion, &sAIMenu},
    {kAIFilterSuite, kAIFilterSuiteVersion, &sAIFilter},
    {kADMBasicSuite, kADMBasicSuiteVersion, &sADMBasic},
    {kADMDialogSuite, kADMDialogSuiteVersion, &sADMDialog},
    {kADMItemSuite, kADMItemSuiteVersion, &sADMItem},
    {kADMIconSuite, kADMIconSuiteVersion, &sADMIcon},
    {kADMNotifierSuite, kADMNotifierSuiteVersion, &sADMNotifier},
    {kADMListSuite, kADMListSuiteVersion, &sADMList},
    {kADMEntrySuite, kADMEntrySuiteVersion, &sADMEntry},
    {kADMTrackerSuite, kADMTrackerSuiteVersion, &sADMTracker},
};
static_assert(sizeof(kSuiteTable) / sizeof(kSuiteTable[0]) == 31, "the plug-in uses 31 suites");

// How many messages are inside an acquire/release pair.
int16_t gSuiteCounter = 0;

// Every suite pointer is an object pointer of the same representation, so
// the row's destination is written as the bytes of one.
void storeSuite(const SuiteRow& row, const void* suite) {
  std::memcpy(row.destination, &suite, sizeof suite);
}

void reportSuiteFailure(ASErr error, const SuiteRow& row) {
  if (sADMBasic == nullptr) return;
  char text[256];
  std::snprintf(text, sizeof text, "Suite Loading Error: %d, suite: %s, version: %d!",
                static_cast<int>(error), row.name, static_cast<int>(row.version));
  sADMBasic->MessageAlert(text);
}

}  // namespace

ASErr acquireSuites(SPBasicSuite* basic) {
  ASErr result = kNoErr;
  if (gSuiteCounter == 0) {
    for (const SuiteRow& row : kSuiteTable) {
      const void* suite = nullptr;
      result = basic->AcquireSuite(row.name, row.version, &suite);
      if (result != kNoErr) {
        reportSuiteFailure(result, row);
        break;
      }
      storeSuite(row, suite);
    }
  }
  ++gSuiteCounter;
  return result;
}

ASErr releaseSuites(SPBasicSuite* basic) {
  ASErr result = kNoErr;
  if (gSuiteCounter == 1) {
    for (const SuiteRow& row : kSuiteTable) {
      result = basic->ReleaseSuite(row.name, row.version);
      if (result != kNoErr) break;
      storeSuite(row, nullptr);
    }
  }
  // A release without an acquisition must not leave the counter negative,
  // or no later message would ever walk the table again.
  if (gSuiteCounter > 0) --gSuiteCounter;
  return result;
}

void resetSuiteCounter() { gSuiteCounter = 0; }

int16_t suiteCounter() { return gSuiteCounter; }
