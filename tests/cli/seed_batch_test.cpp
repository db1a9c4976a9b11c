// Many seeds at once: the seed lists as written, and a batch against the
// single runs it stands for.
#include "seed_batch.h"

#ifdef HEART_TEST_WITH_CAIRO
#include <cairo.h>
#endif
#include <gtest/gtest.h>

#include <filesystem>

#include "command_runner.h"

namespace heart::testing {
namespace {

TEST(SeedList, RangesAndListsInTheOrderWritten) {
  Result<std::vector<uint32_t>> seeds = cli::parseSeedList("9-12,1,4,4294967295");
  ASSERT_TRUE(seeds) << seeds.error();
  EXPECT_EQ(*seeds, (std::vector<uint32_t>{9, 10, 11, 12, 1, 4, 4294967295u}));
  EXPECT_EQ(cli::outputForSeed("c/{seed}-h-{seed}.svg", 7), "c/7-h-7.svg");
  const std::pair<const char*, const char*> refused[] = {
      {"", "--seeds needs seeds"},
      {"5-", "\"\" is not a seed"},
      {"1,x", "\"x\" is not a seed"},
      {"4294967296", "\"4294967296\" is not a seed"},
      {"3-1", "the range \"3-1\" runs downwards"},
      {"1-3,2", "the seed 2 is given twice"},
      {"0-10000", "more than 10000 seeds"},
  };
  for (const auto& [text, message] : refused) {
    SCOPED_TRACE(text);
    Result<std::vector<uint32_t>> parsed = cli::parseSeedList(text);
    ASSERT_FALSE(parsed);
    EXPECT_NE(parsed.error().find(message), std::string::npos) << parsed.error();
  }
  EXPECT_TRUE(cli::parseSeedList("1-10000"));
}

TEST(SeedBatch, EachDrawingIsTheSingleRunOfItsSeedAndAFailureKeepsTheOthers) {
  ScratchFolder scratch;
  const std::vector<std::string> common = {"--record",      "stored.rec", "--set",
                                           "heartCount=12", "--set",      "randomFill=true"};
  auto run = [&](std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "run");
    arguments.insert(arguments.end(), common.begin(), common.end());
    return runHeart(arguments, scratch.path());
  };
  for (int n = 1; n <= 8; ++n)
    if (n != 4)
      std::filesystem::create_directories(scratch / (std::string("b") += std::to_string(n)));
  CommandResult batch = run({"--seeds", "1-8", "-o", "b{seed}/h.svg"});
  EXPECT_EQ(batch.exitCode, 1);
  EXPECT_NE(batch.err.find("1 of 8 seeds failed (4); the other drawings were written"),
            std::string::npos)
      << batch.err;
  EXPECT_NE(batch.err.find("saved the stored record"), std::string::npos) << batch.err;
  for (int n = 1; n <= 8; ++n) {
    if (n == 4) continue;
    SCOPED_TRACE(n);
    ASSERT_EQ(run({"--seed", std::to_string(n), "-o", "single.svg"}).exitCode, 0);
    EXPECT_EQ(readFile(scratch / (std::string("b") += std::to_string(n)) / "h.svg"),
              readFile(scratch / "single.svg"));
  }
  // The stored record is read once for the whole batch.
  CommandResult again = run({"--seeds", "1-3", "-o", "again-{seed}.svg"});
  ASSERT_EQ(again.exitCode, 0) << again.err;
  size_t reads = 0;
  for (size_t at = again.err.find("read the stored record"); at != std::string::npos;
       at = again.err.find("read the stored record", at + 1))
    ++reads;
  EXPECT_EQ(reads, 1u) << again.err;
  EXPECT_EQ(run({"--seeds", "1-3", "-o", "same.svg"}).exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(scratch / "same.svg"));
}

#ifdef HEART_TEST_WITH_CAIRO
TEST(SeedBatch, TheContactSheetHasOneLabelledCellPerDrawing) {
  SKIP_WITHOUT_PNG_OUTPUT();
  ScratchFolder scratch;
  CommandResult batch =
      runHeart({"run", "--no-record", "--seeds", "3,5-8", "--sheet", "sheet.png", "--sheet-cell",
                "100", "--set", "heartHeight=300", "-o", "h-{seed}.svg"},
               scratch.path());
  ASSERT_EQ(batch.exitCode, 0) << batch.err;
  cairo_surface_t* sheet = cairo_image_surface_create_from_png((scratch / "sheet.png").c_str());
  ASSERT_EQ(cairo_surface_status(sheet), CAIRO_STATUS_SUCCESS);
  // Five drawings: three columns, two rows of a 100-pixel cell and a
  // 20-pixel band for the seed.
  ASSERT_EQ(cairo_image_surface_get_width(sheet), 300);
  ASSERT_EQ(cairo_image_surface_get_height(sheet), 240);
  const unsigned char* data = cairo_image_surface_get_data(sheet);
  const int stride = cairo_image_surface_get_stride(sheet);
  // Pixels whose blue is below `below` or above `above`: the sheet itself
  // is a light gray of 237.
  auto countIn = [&](int x0, int y0, int x1, int y1, int below, int above) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        int blue = static_cast<int>(reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xFF);
        if (blue < below || blue > above) ++count;
      }
    return count;
  };
  for (int cell = 0; cell < 6; ++cell) {
    SCOPED_TRACE(cell);
    const int left = (cell % 3) * 100, top = (cell / 3) * 120;
    // A white page in the picture, the seed's dark digits in the band; the
    // sixth cell is empty.
    EXPECT_EQ(countIn(left, top, left + 100, top + 100, 0, 250) > 2000, cell < 5);
    EXPECT_EQ(countIn(left, top + 100, left + 100, top + 120, 100, 255) > 10, cell < 5);
  }
  cairo_surface_destroy(sheet);
  EXPECT_EQ(
      runHeart({"run", "--no-record", "--sheet", "s.png", "-o", "h.svg"}, scratch.path()).exitCode,
      2);
}

#endif  // HEART_TEST_WITH_CAIRO

}  // namespace
}  // namespace heart::testing
