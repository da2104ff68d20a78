// The registry as plug-ins fill it through the exports (called in-process here).

#include <gtest/gtest.h>

#include "engine/api/plugin_api.h"
#include "engine/plugin/plugin_registry.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/engine/kit/mock_managers.h"

namespace {

using namespace nsTamskLib::nsPlugin;

nsTamskLib::ICmd_Base* MakeNull() { return nullptr; }
int PatternA(nsTamskLib::nsCore::INovelEngine*) { return 1; }
int PatternB(nsTamskLib::nsCore::INovelEngine*) { return 2; }
void BlockA(nsTamskLib::nsCore::INovelEngine*, nsTamskLib::nsIOStream::IIOStream*) {}
void BlockB(nsTamskLib::nsCore::INovelEngine*, nsTamskLib::nsIOStream::IIOStream*) {}

// The registries are process-wide: every test starts and ends with them empty.
class PluginRegistryTest : public testing::Test {
 protected:
  void SetUp() override { ClearRegistries(); }
  void TearDown() override { ClearRegistries(); }
};

TEST_F(PluginRegistryTest, ReportsTheEngineVersion) { EXPECT_EQ(GetTamskLibVersion(), 1300); }

TEST_F(PluginRegistryTest, TheFirstRegistrationOfAKeyWins) {
  RegisterPUpdate(3, PatternA);
  RegisterPUpdate(3, PatternB);
  RegisterPEffect1(1, PatternB);
  RegisterPEffect2(1, PatternA);
  RegisterPEffect3(1, PatternB);
  RegisterPSaveLocalDataFunc("Same", BlockA);
  RegisterPSaveLocalDataFunc("Same", BlockB);
  RegisterPCommandName("goto", 5);
  RegisterPCommandName("goto", 6);
  EXPECT_EQ(FindUpdateFunc(3), &PatternA);
  EXPECT_EQ(FindUpdateFunc(4), nullptr);
  EXPECT_EQ(FindEffect1Func(1), &PatternB);
  EXPECT_EQ(FindEffect2Func(1), &PatternA);
  EXPECT_EQ(FindEffect3Func(1), &PatternB);
  EXPECT_EQ(GetRegistries().saveLocalDataFuncs.at("Same"), &BlockA);
  EXPECT_EQ(GetRegistries().commandNames.at("goto"), 5u);
}

TEST_F(PluginRegistryTest, NamedBlocksAreWalkedInByteOrder) {
  RegisterPLoadEnvironmentDataFunc("b", BlockA);
  RegisterPLoadEnvironmentDataFunc("Wendrick", BlockA);
  RegisterPLoadEnvironmentDataFunc("a", BlockB);
  std::vector<std::string> names;
  for (const auto& entry : GetRegistries().loadEnvironmentDataFuncs) names.push_back(entry.first);
  EXPECT_EQ(names, (std::vector<std::string>{"Wendrick", "a", "b"}));
}

TEST_F(PluginRegistryTest, SystemCommandListKeepsDuplicates) {
  RegisterPEnableSystemCommand(4);
  RegisterPEnableSystemCommand(4);
  EXPECT_EQ(GetRegistries().enabledSystemCommands, (std::vector<unsigned>{4, 4}));
  EXPECT_TRUE(IsSystemCommandEnabled(4));
  EXPECT_FALSE(IsSystemCommandEnabled(5));
}

TEST_F(PluginRegistryTest, NullRegistrationsAreIgnored) {
  RegisterPFactory(1, nullptr);
  RegisterPUpdate(0, nullptr);
  RegisterPSaveLocalDataFunc(nullptr, BlockA);
  RegisterPCommandName(nullptr, 1);
  RegisterPFactory(1, MakeNull);
  EXPECT_EQ(GetRegistries().factories.at(1), &MakeNull);
  EXPECT_TRUE(GetRegistries().updates.empty());
  EXPECT_TRUE(GetRegistries().saveLocalDataFuncs.empty());
}

TEST_F(PluginRegistryTest, CreateCommandUsesTheFactoryOrReportsTheType) {
  vesk_test::FatalTrap trap;
  RegisterPFactory(2, [] { return static_cast<nsTamskLib::ICmd_Base*>(new vesk_test::MockCommand); });
  nsTamskLib::ICmd_Base* command = CreateCommand(2);
  ASSERT_NE(command, nullptr);
  delete static_cast<vesk_test::MockCommand*>(command);
  EXPECT_FATAL(CreateCommand(3), "不正な命令です！（CommandType = 3）");
  ClearRegistries();
  EXPECT_FATAL(CreateCommand(2), "不正な命令です！（CommandType = 2）");
}

TEST_F(PluginRegistryTest, ClearingEmptiesEveryRegistry) {
  RegisterPFactory(1, MakeNull);
  RegisterPUpdate(1, PatternA);
  RegisterPEffect1(1, PatternA);
  RegisterPEffect2(1, PatternA);
  RegisterPEffect3(1, PatternA);
  RegisterPAnalysis(1, [](unsigned) { return 0; });
  RegisterPAddDrawTaskFunc(4, [](nsTamskLib::nsCore::INovelEngine*, const nsTamskLib::nsTaskManager::DrawTask*) { return 0; });
  RegisterPDrawTaskFunc(4, [](nsTamskLib::nsCore::INovelEngine*, const nsTamskLib::nsTaskManager::DrawTask*) { return 0; });
  RegisterPBltFunc(3, [](nsTamskLib::nsCore::INovelEngine*, const nsTamskLib::nsTaskManager::DrawTask*) { return 0; });
  RegisterPCommandName("k", 1);
  RegisterPEnableSystemCommand(1);
  RegisterPSaveLocalDataFunc("a", BlockA);
  RegisterPLoadLocalDataFunc("a", BlockA);
  RegisterPSaveEnvironmentDataFunc("a", BlockA);
  RegisterPLoadEnvironmentDataFunc("a", BlockA);
  EXPECT_NE(FindAddDrawTaskFunc(4), nullptr);
  EXPECT_NE(FindDrawTaskFunc(4), nullptr);
  EXPECT_NE(FindBltFunc(3), nullptr);
  ClearRegistries();
  const Registries& r = GetRegistries();
  EXPECT_TRUE(r.factories.empty() && r.updates.empty() && r.effects1.empty() && r.effects2.empty() &&
              r.effects3.empty() && r.analyses.empty() && r.addDrawTaskFuncs.empty() &&
              r.drawTaskFuncs.empty() && r.bltFuncs.empty() && r.commandNames.empty() &&
              r.enabledSystemCommands.empty() && r.saveLocalDataFuncs.empty() &&
              r.loadLocalDataFuncs.empty() && r.saveEnvironmentDataFuncs.empty() &&
              r.loadEnvironmentDataFuncs.empty());
}

}  // namespace
