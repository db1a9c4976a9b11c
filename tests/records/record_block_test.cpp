// The record in the parameter block the host keeps: exactly 340 bytes are
// the record, byte for byte; a block of any other size is refused.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "records/record_file.h"

namespace heart::testing {
namespace {

TEST(RecordFromBlock, ABlockOfTheRecordsSizeIsTheRecordByteForByte) {
  std::vector<unsigned char> block(340);
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<unsigned char>(i * 13 + 5);
  std::string error;
  std::optional<ParameterRecord> record = recordFromBlock(block.data(), block.size(), &error);
  ASSERT_TRUE(record) << error;
  EXPECT_EQ(std::memcmp(&*record, block.data(), block.size()), 0);
}

TEST(RecordFromBlock, ABlockOfAnotherSizeIsRefusedWithBothSizes) {
  std::vector<unsigned char> block(341);
  for (size_t size : {size_t{339}, size_t{341}, size_t{1}}) {
    std::string error;
    EXPECT_FALSE(recordFromBlock(block.data(), size, &error)) << size;
    EXPECT_NE(error.find(std::to_string(size) + " bytes"), std::string::npos) << error;
    EXPECT_NE(error.find("exactly 340 bytes"), std::string::npos) << error;
  }
  std::string error;
  EXPECT_FALSE(recordFromBlock(nullptr, 340, &error));
}

}  // namespace
}  // namespace heart::testing
