// The loader over a folder of small test plug-ins (see test_plugin.cpp).

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/api/command.h"
#include "engine/api/plugin_api.h"
#include "engine/plugin/plugin_loader.h"
#include "engine/plugin/plugin_registry.h"
#include "platform/library/library.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/support/debug_capture.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace nsTamskLib::nsPlugin;

class PluginLoaderTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("VESK_TEST_PLUGIN_LOG", log.c_str(), 1);
  }
  void TearDown() override {
    UnloadPlugins();  // a failed expectation must not leave a plug-in loaded for the next test
    unsetenv("VESK_TEST_PLUGIN_LOG");
  }

  // Copies the named test plug-ins into the plug-in folder.
  void Install(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      fs::copy_file(fs::path(VESK_TEST_PLUGIN_DIR) / (std::string(name) + ".so"),
                    plugins.path() / (std::string(name) + ".so"));
    }
  }

  std::vector<std::string> Events() const {
    std::vector<std::string> events;
    std::istringstream in(vesk_test::ReadFile(log));
    for (std::string line; std::getline(in, line);) events.push_back(line);
    return events;
  }

  std::uint32_t CommandId(unsigned type) {
    nsTamskLib::ICmd_Base* command = CreateCommand(type);
    const std::uint32_t id = command->GetID();
    command->Destroy();
    return id;
  }

  vesk_test::TempDir plugins;
  vesk_test::TempDir logs;
  std::string log = logs.file("events.log");
};

TEST_F(PluginLoaderTest, APluginIsKeptAndRegisters) {
  Install({"plugin_alpha"});
  LoadPlugins(plugins.path().string());
  EXPECT_EQ(GetLoadedPluginCount(), 1u);
  EXPECT_EQ(CommandId(7), 107u);
  EXPECT_EQ(CommandId(1), 101u);
  EXPECT_EQ(GetRegistries().saveLocalDataFuncs.count("plugin_alpha"), 1u);
  EXPECT_EQ(Events(), (std::vector<std::string>{"load plugin_alpha", "attach plugin_alpha"}));
  UnloadPlugins();
}

TEST_F(PluginLoaderTest, OnlyNamesEndingInSoAreOpenedAndOthersAreClosedAgain) {
  Install({"not_a_plugin"});
  fs::copy_file(fs::path(VESK_TEST_PLUGIN_DIR) / "plugin_alpha.so", plugins.path() / "alpha.so.1");
  fs::create_directory(plugins.path() / "folder.so");
  vesk_test::WriteFile(plugins.path() / "broken.so", "not a library");
  vesk_test::DebugCapture debug;
  LoadPlugins(plugins.path().string());
  EXPECT_EQ(GetLoadedPluginCount(), 0u);
  EXPECT_EQ(Events(), (std::vector<std::string>{"load not_a_plugin", "unload not_a_plugin"}));
  EXPECT_TRUE(debug.Contains("broken.soのLoadLibraryに失敗しました！"));
  EXPECT_TRUE(debug.Contains("not_a_plugin.soはプラグインではありません！"));
  EXPECT_TRUE(GetRegistries().factories.empty());
}

TEST_F(PluginLoaderTest, ARefusingPluginRegistersNothingAndIsUnloaded) {
  Install({"plugin_refuses"});
  LoadPlugins(plugins.path().string());
  EXPECT_EQ(GetLoadedPluginCount(), 0u);
  EXPECT_TRUE(GetRegistries().factories.empty());
  EXPECT_TRUE(GetRegistries().saveLocalDataFuncs.empty());
  EXPECT_EQ(Events(), (std::vector<std::string>{"load plugin_refuses", "attach plugin_refuses",
                                                "unload plugin_refuses"}));
}

TEST_F(PluginLoaderTest, TheFirstRegistrationWinsInByteOrderOfTheFileNames) {
  Install({"plugin_beta", "plugin_alpha", "plugin_refuses", "not_a_plugin"});
  LoadPlugins(plugins.path().string());
  EXPECT_EQ(GetLoadedPluginCount(), 2u);
  EXPECT_EQ(CommandId(7), 107u);  // plugin_alpha.so sorts before plugin_beta.so
  EXPECT_EQ(CommandId(2), 202u);
  EXPECT_EQ(GetRegistries().factories.count(3), 0u);  // from the refused one
  EXPECT_EQ(Events(), (std::vector<std::string>{
                          "load not_a_plugin", "unload not_a_plugin", "load plugin_alpha",
                          "attach plugin_alpha", "load plugin_beta", "attach plugin_beta",
                          "load plugin_refuses", "attach plugin_refuses", "unload plugin_refuses"}));
}

TEST_F(PluginLoaderTest, UnloadingDetachesAndClosesInLoadOrderThenEmptiesTheRegistries) {
  vesk_test::FatalTrap trap;
  Install({"plugin_beta", "plugin_alpha"});
  LoadPlugins(plugins.path().string());
  fs::remove(log);
  UnloadPlugins();
  EXPECT_EQ(Events(), (std::vector<std::string>{"detach plugin_alpha", "unload plugin_alpha",
                                                "detach plugin_beta", "unload plugin_beta"}));
  EXPECT_EQ(GetLoadedPluginCount(), 0u);
  EXPECT_TRUE(GetRegistries().factories.empty());
  EXPECT_TRUE(GetRegistries().saveLocalDataFuncs.empty());
  EXPECT_FATAL(CreateCommand(7), "不正な命令です！（CommandType = 7）");
}

TEST_F(PluginLoaderTest, TheWorkingFolderIsNeverChanged) {
  vesk_test::ScopedWorkingDir work;
  Install({"plugin_alpha"});
  const fs::path before = fs::current_path();
  LoadPlugins(plugins.path().string());
  EXPECT_EQ(fs::current_path(), before);
  UnloadPlugins();
  EXPECT_EQ(fs::current_path(), before);
  // A relative folder is taken from the working folder.
  fs::create_directory(before / "sub");
  fs::copy_file(plugins.path() / "plugin_alpha.so", before / "sub" / "plugin_alpha.so");
  LoadPlugins("sub");
  EXPECT_EQ(GetLoadedPluginCount(), 1u);
  EXPECT_EQ(fs::current_path(), before);
  UnloadPlugins();
}

TEST_F(PluginLoaderTest, AnEmptyOrMissingFolderLeavesTheRegistriesEmpty) {
  LoadPlugins(plugins.path().string());
  LoadPlugins((plugins.path() / "missing").string());
  EXPECT_EQ(GetLoadedPluginCount(), 0u);
  EXPECT_TRUE(GetRegistries().factories.empty());
}

TEST(ProgramExportsTest, ThePluginInterfaceIsFoundByNameAndNothingElse) {
  for (const char* name : {"GetTamskLibVersion", "RegisterPFactory", "RegisterPBltFunc",
                           "RuntimeError", "CalcExpression"}) {
    EXPECT_NE(platform::FindProgramSymbol(name), nullptr) << name;
  }
  // Names a plug-in looks up that the program does not offer resolve to nothing.
  for (const char* name : {"SaveNum", "LoadRecord", "GetToken", "AddCommand", "IsLabel"}) {
    EXPECT_EQ(platform::FindProgramSymbol(name), nullptr) << name;
  }
}

TEST(ProgramFolderTest, IsTheFolderOfTheRunningProgram) {
  const std::string folder = platform::GetProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(fs::exists(fs::path(folder) / "engine_plugin_loader_test"));
}

}  // namespace
