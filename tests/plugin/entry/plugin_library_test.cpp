// The real plug-in library loaded by the engine's loader into a program that
// exports the plug-in interface: it binds the program's exports by name and
// registers its tables; unloading releases what the attach requested.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/plugin/plugin_loader.h"
#include "engine/plugin/plugin_registry.h"
#include "platform/clock/clock.h"
#include "plugin/entry/registration.h"
#include "tests/plugin/kit/registration_check.h"
#include "tests/support/debug_capture.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace nsTamskLib::nsPlugin;

TEST(PluginLibraryTest, TheLoaderKeepsWendrickAndItRegistersItsTables) {
  vesk_test::TempDir folder;
  fs::copy_file(WENDRICK_LIBRARY, folder.path() / "Wendrick.so");
  const int periods = platform::ClockPeriodRequests();
  vesk_test::DebugCapture debug;
  LoadPlugins(folder.path().string());
  ASSERT_EQ(GetLoadedPluginCount(), 1u);
  EXPECT_TRUE(debug.Contains("Wendrick.soは利用可能なプラグインです！"));
  EXPECT_EQ(platform::ClockPeriodRequests(), periods + 1);

  // The library registered every keyword of the command table under its type, and
  // only those.
  const Registries& registries = GetRegistries();
  EXPECT_EQ(vesk_test::CommandTableFaults(nsWendrick::WendrickRegistrationTables().commands,
                                          registries.commandNames),
            std::vector<std::string>{});
  EXPECT_EQ(registries.commandNames.size(), vesk_test::FixedKeywordCount());
  EXPECT_EQ(registries.commandNames.at("else"), vesk_test::kParserOnlyType);
  EXPECT_EQ(registries.enabledSystemCommands, vesk_test::FixedSystemInputTypes());
  for (const vesk_test::FixedCommandType& fixed : vesk_test::kFixedCommandTypes) {
    EXPECT_EQ(IsSystemCommandEnabled(fixed.type), fixed.systemInput) << fixed.type;
  }
  EXPECT_FALSE(IsSystemCommandEnabled(vesk_test::kUnregisteredType));
  EXPECT_EQ(registries.effects1.size(), 17u);
  EXPECT_EQ(registries.effects2.size(), 17u);
  EXPECT_EQ(registries.effects3.size(), 17u);
  EXPECT_NE(FindEffect1Func(5), nullptr);
  EXPECT_EQ(FindEffect1Func(5)(nullptr), 0);
  EXPECT_EQ(registries.saveEnvironmentDataFuncs.count("Wendrick"), 1u);
  EXPECT_EQ(registries.loadEnvironmentDataFuncs.count("Wendrick"), 1u);

  UnloadPlugins();
  EXPECT_EQ(platform::ClockPeriodRequests(), periods);
  EXPECT_TRUE(GetRegistries().commandNames.empty());
}

}  // namespace
