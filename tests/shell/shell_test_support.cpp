#include "shell_test_support.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "resources/plugin_resources.h"

namespace heart::testing {

const std::vector<SuiteName> kSuiteRows = {
    {"SP Blocks Suite", 2},      {"SP Access Suite", 3},
    {"AI MdMemory Suite", 1},    {"AI Real Math Suite", 1},
    {"AI Art Suite", 9},         {"AI User Suite", 5},
    {"AI Document Suite", 7},    {"AI Document View Suite", 7},
    {"AI Undo Suite", 4},        {"AI Path Suite", 4},
    {"AI Path Style Suite", 5},  {"AI Random Suite", 3},
    {"AI Tag Suite", 2},         {"AI Transform Art Suite", 1},
    {"AI Swatch List Suite", 4}, {"AI Blend Style Suite", 2},
    {"AI Art Style Suite", 3},   {"AI Symbol Suite", 1},
    {"AI Envelope Suite", 1},    {"AI Shape Construction Suite", 4},
    {"AI Layer Suite", 9},       {"AI Menu Suite", 7},
    {"AI Filter Suite", 2},      {"ADM Basic Suite", 2},
    {"ADM Dialog Suite", 3},     {"ADM Item Suite", 4},
    {"ADM Icon Suite", 1},       {"ADM Notifier Suite", 1},
    {"ADM List Suite", 1},       {"ADM Entry Suite", 2},
    {"ADM Tracker Suite", 1},
};

namespace {

uint32_t readU32(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
         static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

void putU32(std::vector<uint8_t>& bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void setU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

std::vector<uint8_t> stringListPayload(const std::vector<std::string>& strings) {
  std::vector<uint8_t> payload;
  putU32(payload, static_cast<uint32_t>(strings.size()));
  for (const std::string& s : strings) {
    payload.push_back(static_cast<uint8_t>(s.size()));
    payload.push_back(static_cast<uint8_t>(s.size() >> 8));
    payload.insert(payload.end(), s.begin(), s.end());
  }
  return payload;
}

// The block with the string list's payload replaced. Room for a longer list
// is made by dropping the cursor, which neither side of the filter reads.
std::vector<uint8_t> rewrittenBlock(const std::vector<uint8_t>& block, int32_t listId,
                                    const std::vector<std::string>& strings) {
  std::vector<uint8_t> entries;
  uint32_t count = 0;
  size_t at = 16;
  const uint32_t entryCount = readU32(block, 8);
  for (uint32_t i = 0; i < entryCount; ++i) {
    const std::string type(block.begin() + at, block.begin() + at + 4);
    const int32_t id = static_cast<int32_t>(readU32(block, at + 4));
    const uint32_t length = readU32(block, at + 8);
    std::vector<uint8_t> payload(block.begin() + at + 12, block.begin() + at + 12 + length);
    at += 12 + length;
    if (type == "CURS") continue;
    if (type == "STR#" && id == listId) payload = stringListPayload(strings);
    entries.insert(entries.end(), type.begin(), type.end());
    putU32(entries, static_cast<uint32_t>(id));
    putU32(entries, static_cast<uint32_t>(payload.size()));
    entries.insert(entries.end(), payload.begin(), payload.end());
    ++count;
  }
  std::vector<uint8_t> result(16 + entries.size());
  std::copy(block.begin(), block.begin() + 16, result.begin());
  std::copy(entries.begin(), entries.end(), result.begin() + 16);
  setU32(result, 8, count);
  setU32(result, 12, static_cast<uint32_t>(result.size()));
  return result;
}

}  // namespace

std::string moduleWithStrings(int32_t listId, const std::vector<std::string>& strings,
                              const std::string& copyName) {
  std::ifstream in(HEART_MODULE_PATH, std::ios::binary);
  std::vector<uint8_t> module(std::istreambuf_iterator<char>(in), {});
  auto section = PluginResources::readResourceSection(HEART_MODULE_PATH);
  EXPECT_TRUE(section.ok()) << section.error();
  if (!section) return {};
  auto place = std::search(module.begin(), module.end(), section->begin(), section->end());
  EXPECT_NE(place, module.end());

  std::vector<uint8_t> block = rewrittenBlock(*section, listId, strings);
  EXPECT_LE(block.size(), section->size()) << "the changed block must fit the section";
  if (place == module.end() || block.size() > section->size()) return {};
  block.resize(section->size(), 0);  // the rest of the section is padding
  std::copy(block.begin(), block.end(), place);

  const auto path = std::filesystem::path(HEART_BINARY_DIR) / "tests" / copyName;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(module.data()),
            static_cast<std::streamsize>(module.size()));
  return path.string();
}

}  // namespace heart::testing
