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
  std::string error;
  auto resources = PluginResources::readFromModule(kModulePath, &error);
  EXPECT_TRUE(resources) << error;
  return resources.value_or(PluginResources{});
}

// A property of the module's one property list.
PluginProperty* property(PluginResources& resources, const std::string& key) {
  if (resources.propertyLists.size() != 1) return nullptr;
  for (PluginProperty& each : resources.propertyLists.front().properties)
    if (each.key == key) return &each;
  return nullptr;
}

TEST(PluginModuleLoading, LoadsTheBuiltModuleThroughItsPropertyList) {
  std::string error;
  auto module = PluginModule::open(kModulePath, &error);
  ASSERT_TRUE(module) << error;
  EXPECT_TRUE(module->loaded());
  EXPECT_TRUE(PluginModule::isMapped(kModulePath));
  PluginResources resources = moduleResources();
  ASSERT_NE(property(resources, "wx86"), nullptr);
  EXPECT_EQ(module->entryName(), property(resources, "wx86")->text);
  EXPECT_NE(module->resources().stringList(16000), nullptr);
}

TEST(PluginModuleLoading, TheEntryPointIsTheOneThePropertyListNames) {
  // The same file, with resources that name an entry the file does not
  // export: the host looks the name up and finds nothing.
  PluginResources resources = moduleResources();
  ASSERT_NE(property(resources, "wx86"), nullptr);
  property(resources, "wx86")->text = "HeartMain";
  std::string error;
  EXPECT_FALSE(PluginModule::open(kModulePath, resources, &error));
  EXPECT_NE(error.find("no entry point \"HeartMain\""), std::string::npos) << error;
}

TEST(PluginModuleLoading, ThePropertyListIsFoundByItsTypeWhateverItsId) {
  PluginResources resources = moduleResources();
  ASSERT_EQ(resources.propertyLists.size(), 1u);
  resources.propertyLists.front().id = 128;
  std::string error;
  EXPECT_EQ(PluginModule::entryPointName(resources, &error), "PluginMain") << error;

  // Of two lists, the first is the plug-in's.
  PropertyList other = resources.propertyLists.front();
  other.id = 1;
  for (PluginProperty& each : other.properties)
    if (each.key == "wx86") each.text = "OtherMain";
  resources.propertyLists.push_back(other);
  EXPECT_EQ(PluginModule::entryPointName(resources, &error), "PluginMain") << error;
  std::swap(resources.propertyLists.front(), resources.propertyLists.back());
  EXPECT_EQ(PluginModule::entryPointName(resources, &error), "OtherMain") << error;
}

TEST(PluginModuleLoading, MissingFileIsAClearError) {
  std::string error;
  EXPECT_FALSE(PluginModule::open("/no/such/folder/Norv_Heart.aip", &error));
  EXPECT_NE(error.find("not found"), std::string::npos) << error;
  EXPECT_NE(error.find("/no/such/folder/Norv_Heart.aip"), std::string::npos) << error;
}

TEST(PluginModuleLoading, FileWithoutResourcesIsRefusedBeforeItIsMapped) {
  auto path = std::filesystem::temp_directory_path() / "heart_not_a_module.aip";
  std::ofstream(path) << "just text";
  std::string error;
  EXPECT_FALSE(PluginModule::open(path.string(), &error));
  EXPECT_NE(error.find("cannot read the resources"), std::string::npos) << error;
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
  std::string error;
  EXPECT_EQ(PluginModule::entryPointName(resources, &error), "");
  EXPECT_NE(error.find(GetParam().mentions), std::string::npos) << error;
  EXPECT_FALSE(PluginModule::open(kModulePath, resources, &error));
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
  std::string error;
  auto module = PluginModule::open(kModulePath, &error);
  ASSERT_TRUE(module) << error;
  module->globalsSlot = &error;

  ASSERT_TRUE(module->unloadFile());
  EXPECT_FALSE(module->loaded());
  EXPECT_FALSE(PluginModule::isMapped(kModulePath)) << "the file is still in memory";
  EXPECT_EQ(module->call("SP Interface", "About", nullptr), kModuleNotLoadedErr);
  EXPECT_FALSE(module->unloadFile()) << "nothing left to unload";

  ASSERT_TRUE(module->reloadFile(&error)) << error;
  EXPECT_TRUE(PluginModule::isMapped(kModulePath));
  EXPECT_EQ(module->globalsSlot, &error);

  module.reset();
  EXPECT_FALSE(PluginModule::isMapped(kModulePath)) << "destroying the module unloads it";
}

}  // namespace
}  // namespace heart::testing
