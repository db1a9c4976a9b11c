// Loading a module file: its property list decides whether it is a plug-in
// and names the entry point; unload and reload really unmap and map it.
#include "module/plugin_module.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace heart::testing {
namespace {

const char* const kModulePath = HEART_MODULE_PATH;

PluginResources moduleResources() {
  Result<PluginResources> resources = PluginResources::readFromModule(kModulePath);
  EXPECT_TRUE(resources) << resources.error();
  return resources ? *resources : PluginResources{};
}

// A property of the module's one property list.
PluginProperty* property(PluginResources& resources, const std::string& key) {
  if (resources.propertyLists.size() != 1) return nullptr;
  for (PluginProperty& each : resources.propertyLists.front().properties)
    if (each.key == key) return &each;
  return nullptr;
}

TEST(PluginModuleLoading, LoadsTheBuiltModuleThroughItsPropertyList) {
  Result<std::unique_ptr<PluginModule>> module = PluginModule::open(kModulePath);
  ASSERT_TRUE(module) << module.error();
  EXPECT_TRUE((*module)->loaded());
  EXPECT_TRUE(PluginModule::isMapped(kModulePath));
  PluginResources resources = moduleResources();
  ASSERT_NE(property(resources, "wx86"), nullptr);
  EXPECT_EQ((*module)->entryName(), property(resources, "wx86")->text);
  EXPECT_NE((*module)->resources().stringList(16000), nullptr);
}

TEST(PluginModuleLoading, TheEntryPointIsTheOneThePropertyListNames) {
  // The same file, with resources that name an entry the file does not
  // export: the host looks the name up and finds nothing.
  PluginResources resources = moduleResources();
  ASSERT_NE(property(resources, "wx86"), nullptr);
  property(resources, "wx86")->text = "HeartMain";
  Result<std::unique_ptr<PluginModule>> module = PluginModule::open(kModulePath, resources);
  ASSERT_FALSE(module);
  EXPECT_NE(module.error().find("no entry point \"HeartMain\""), std::string::npos)
      << module.error();
}

TEST(PluginModuleLoading, ThePropertyListIsFoundByItsTypeWhateverItsId) {
  PluginResources resources = moduleResources();
  ASSERT_EQ(resources.propertyLists.size(), 1u);
  resources.propertyLists.front().id = 128;
  auto entryOf = [](const PluginResources& read) {
    Result<std::string> entry = PluginModule::entryPointName(read);
    return entry ? *entry : "refused: " + entry.error();
  };
  EXPECT_EQ(entryOf(resources), "PluginMain");

  // Of two lists, the first is the plug-in's.
  PropertyList other = resources.propertyLists.front();
  other.id = 1;
  for (PluginProperty& each : other.properties)
    if (each.key == "wx86") each.text = "OtherMain";
  resources.propertyLists.push_back(other);
  EXPECT_EQ(entryOf(resources), "PluginMain");
  std::swap(resources.propertyLists.front(), resources.propertyLists.back());
  EXPECT_EQ(entryOf(resources), "OtherMain");
}

TEST(PluginModuleLoading, MissingFileIsAClearError) {
  Result<std::unique_ptr<PluginModule>> module =
      PluginModule::open("/no/such/folder/Norv_Heart.aip");
  ASSERT_FALSE(module);
  const std::string& error = module.error();
  EXPECT_NE(error.find("not found"), std::string::npos) << error;
  EXPECT_NE(error.find("/no/such/folder/Norv_Heart.aip"), std::string::npos) << error;
}

TEST(PluginModuleLoading, FileWithoutResourcesIsRefusedBeforeItIsMapped) {
  auto path = std::filesystem::temp_directory_path() / "heart_not_a_module.aip";
  std::ofstream(path) << "just text";
  Result<std::unique_ptr<PluginModule>> module = PluginModule::open(path.string());
  ASSERT_FALSE(module);
  EXPECT_NE(module.error().find("cannot read the resources"), std::string::npos) << module.error();
  EXPECT_FALSE(PluginModule::isMapped(path.string()));
  std::filesystem::remove(path);
}

struct PropertyListFault {
  const char* what;
  void (*damage)(PluginResources&);
  const char* mentions;
};

void PrintTo(const PropertyListFault& fault, std::ostream* out) { *out << fault.what; }

class PropertyListRefusal : public ::testing::TestWithParam<PropertyListFault> {};

TEST_P(PropertyListRefusal, ExplainsWhyTheModuleIsNoPlugin) {
  PluginResources resources = moduleResources();
  GetParam().damage(resources);
  Result<std::string> entry = PluginModule::entryPointName(resources);
  ASSERT_FALSE(entry);
  EXPECT_NE(entry.error().find(GetParam().mentions), std::string::npos) << entry.error();
  EXPECT_FALSE(PluginModule::open(kModulePath, resources));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PropertyListRefusal,
    ::testing::Values(
        PropertyListFault{"no list", [](PluginResources& r) { r.propertyLists.clear(); },
                          "no plug-in property list (\"PIPL\")"},
        PropertyListFault{"wrong kind",
                          [](PluginResources& r) { property(r, "kind")->text = "8BFM"; },
                          "\"8BFM\""},
        PropertyListFault{"no kind", [](PluginResources& r) { property(r, "kind")->key = "kynd"; },
                          "no plug-in kind"},
        PropertyListFault{"wrong interface",
                          [](PluginResources& r) { property(r, "ivrs")->number = 3; },
                          "interface version"},
        PropertyListFault{"no entry", [](PluginResources& r) { property(r, "wx86")->key = "wx64"; },
                          "no entry point"}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& c : name)
        if (c == ' ') c = '_';
      return name;
    });

TEST(PluginModuleLoading, UnloadUnmapsAndReloadMapsAgain) {
  Result<std::unique_ptr<PluginModule>> opened = PluginModule::open(kModulePath);
  ASSERT_TRUE(opened) << opened.error();
  std::unique_ptr<PluginModule> module = std::move(*opened);
  int globals = 0;
  module->globalsSlot = &globals;

  ASSERT_TRUE(module->unloadFile());
  EXPECT_FALSE(module->loaded());
  EXPECT_FALSE(PluginModule::isMapped(kModulePath)) << "the file is still in memory";
  EXPECT_EQ(module->call("SP Interface", "About", nullptr), kModuleNotLoadedErr);
  EXPECT_FALSE(module->unloadFile()) << "nothing left to unload";

  Result<void> reloaded = module->reloadFile();
  ASSERT_TRUE(reloaded) << reloaded.error();
  EXPECT_TRUE(PluginModule::isMapped(kModulePath));
  EXPECT_EQ(module->globalsSlot, &globals);

  module.reset();
  EXPECT_FALSE(PluginModule::isMapped(kModulePath)) << "destroying the module unloads it";
}

}  // namespace
}  // namespace heart::testing
