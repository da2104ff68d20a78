#pragma once
// What the script player's tests share: a fresh working folder, the fatal trap, the
// test commands, and a player over recording back ends (its system states leave at
// once) that loads a compiled test script written by a ScriptWriter.

#include <string>

#include <gtest/gtest.h>

#include "engine/plugin/plugin_registry.h"
#include "tests/engine/fakes/script_writer.h"
#include "tests/engine/fakes/test_commands.h"
#include "tests/engine/fakes/test_player.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/support/temp_dir.h"

namespace vesk_test {

class PlayerTest : public testing::Test {
 protected:
  PlayerTest() {
    RegisterTestCommands();
    CommandLog().Clear();
    // The system states only hand the normal state back: these tests are about
    // the player and its normal scene.
    player.UseLeavingScenes();
  }
  ~PlayerTest() override { nsTamskLib::nsPlugin::ClearRegistries(); }

  // Writes the script as "scenario.dat" and loads it.
  void LoadScript(const ScriptWriter& script, const std::string& file = "scenario.dat") {
    ASSERT_TRUE(script.WriteScript(file));
    ASSERT_TRUE(player.LoadScript(file, player.GetIOStream()));
  }

  // Runs n frames.
  void Run(int frames) {
    for (int i = 0; i < frames; ++i) player.Run();
  }

  const std::vector<std::int32_t>& Positions() { return player.Commands().GetIterators(); }
  std::vector<std::string> Executed() const { return CommandLog().executed; }

  FatalTrap trap;
  ScopedWorkingDir dir;
  TestPlayer player;
};

}  // namespace vesk_test
