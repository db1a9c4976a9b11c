// The suite table: the 31 suites the plug-in uses, in the order they are
// acquired and released, each with the global pointer that receives it.
#include "plugin/suites/suite_table.h"

#include <cstdio>
#include <cstring>

#include "plugin/suites/held_suites.h"

namespace {

// A row is made from the address of a suite pointer alone: its name and
// version come from the pointer's type, so a row cannot pair one suite's
// name with another suite's pointer.
struct SuiteRow {
  template <class Suite>
  constexpr explicit SuiteRow(const Suite** pointer)
      : name(SuiteIdentity<Suite>::name),
        version(SuiteIdentity<Suite>::version),
        destination(pointer) {}

  const char* name;
  ASInt32 version;
  void* destination;  // the address of the row's global suite pointer
};

#define HEART_SUITE_ROW(Name) SuiteRow(&s##Name),
const SuiteRow kSuiteTable[] = {HEART_HELD_SUITES(HEART_SUITE_ROW)};
#undef HEART_SUITE_ROW
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
