// Defaults of a new record: the words they leave alone, and the centre that
// follows the front document view.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "application/host.h"
#include "core/host_context.h"
#include "core/suite_broker.h"
#include "plugin/dialog/front_view_centre.h"
#include "plugin/params/field_table.h"
#include "records/record_defaults.h"
#include "plugin/suites/held_suites.h"

namespace heart::testing {
namespace {

ParameterRecord zeroed() {
  ParameterRecord record;
  std::memset(&record, 0, sizeof record);
  return record;
}

TEST(RecordDefaults, LeaveFinalRunAndDialogBoundsAlone) {
  ParameterRecord record = zeroed();
  record.finalRun = 1;
  for (int k = 0; k < 4; ++k) record.dialogBounds[k] = 10 + k;
  record.hasDialogBounds = 7;
  setDefaults(&record, {0, 0});
  EXPECT_EQ(record.finalRun, 1);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(record.dialogBounds[k], 10 + k);
  EXPECT_EQ(record.hasDialogBounds, 0);
}

TEST(RecordDefaults, CentreComesFromTheFrontViewOfTheDocument) {
  heart::HostOptions options;
  options.document.pageWidth = 1000;
  options.document.pageHeight = 800;
  heart::Host host(options);
  heart::HostScope scope(host.context());  // the test calls plug-in code outside a message
  const void* suite = nullptr;
  ASSERT_EQ(host.broker().basicSuite()->AcquireSuite(kAIDocumentViewSuite,
                                                     kAIDocumentViewSuiteVersion, &suite),
            kNoErr);
  sAIDocumentView = static_cast<const AIDocumentViewSuite*>(suite);
  AIRealPoint centre{-1, -1};
  EXPECT_EQ(frontViewCentre(&centre), kNoErr);
  sAIDocumentView = nullptr;
  EXPECT_EQ(centre.h, 500.0f);
  EXPECT_EQ(centre.v, 400.0f);
  ParameterRecord record = zeroed();
  setDefaults(&record, centre);
  EXPECT_EQ(record.centerX, 300.0f);
  EXPECT_EQ(record.centerY, 400.0f);
}

}  // namespace
}  // namespace heart::testing
