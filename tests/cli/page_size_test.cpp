// Page sizes as designers give them: papers by name, and lengths with units.
#include <gtest/gtest.h>

#include "document_options.h"

namespace heart::testing {
namespace {

TEST(PageSize, PapersAndUnitsComeOutInPoints) {
  // Points per millimetre: 72 / 25.4.
  const double mm = 72 / 25.4;
  const struct {
    const char* text;
    double width, height;
  } cases[] = {
      {"612x792", 612, 792},
      {"letter", 612, 792},
      {"Legal", 612, 1008},
      {"TABLOID", 792, 1224},
      {"A3", 297 * mm, 420 * mm},
      {"a4", 210 * mm, 297 * mm},
      {"A5", 148 * mm, 210 * mm},
      {"a6", 105 * mm, 148 * mm},
      {"A4-landscape", 297 * mm, 210 * mm},
      {"letter landscape", 792, 612},
      {"210x297mm", 210 * mm, 297 * mm},
      {"8.5x11in", 612, 792},
      {"1200x800px", 900, 600},
      {"21x29.7cm", 210 * mm, 297 * mm},
      {"51x66pc", 612, 792},
      {"8.5inx792", 612, 792},
      {"1e2x2e2pt", 100, 200},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Result<cli::PageSize> size = cli::parsePageSize(c.text);
    ASSERT_TRUE(size) << size.error();
    EXPECT_FLOAT_EQ(size->width, static_cast<float>(c.width));
    EXPECT_FLOAT_EQ(size->height, static_cast<float>(c.height));
  }
  for (const char* faulty :
       {"wide", "A7", "210x297furlong", "x", "10mx10", "0x10mm", "A4-sideways"}) {
    SCOPED_TRACE(faulty);
    EXPECT_FALSE(cli::parsePageSize(faulty));
  }
}

}  // namespace
}  // namespace heart::testing
