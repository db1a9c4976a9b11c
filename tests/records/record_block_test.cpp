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
  Result<ParameterRecord> record = recordFromBlock(block.data(), block.size());
  ASSERT_TRUE(record) << record.error();
  EXPECT_EQ(std::memcmp(&*record, block.data(), block.size()), 0);
}

TEST(RecordFromBlock, ABlockOfAnotherSizeIsRefusedWithBothSizes) {
  std::vector<unsigned char> block(341);
  for (size_t size : {size_t{339}, size_t{341}, size_t{1}}) {
    Result<ParameterRecord> refused = recordFromBlock(block.data(), size);
    ASSERT_FALSE(refused) << size;
    const std::string& error = refused.error();
    EXPECT_NE(error.find(std::to_string(size) + " bytes"), std::string::npos) << error;
    EXPECT_NE(error.find("exactly 340 bytes"), std::string::npos) << error;
  }
  EXPECT_FALSE(recordFromBlock(nullptr, 340));
}

}  // namespace
}  // namespace heart::testing
